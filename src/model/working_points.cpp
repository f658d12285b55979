#include "working_points.h"

#include <cerrno>
#include <cmath>
#include <cstdio>

#include "cut_off_finder.h"
#include "mid_gear.h"
#include "text_reading.h"

namespace quarn {
namespace {

std::string numberText(double v, const char* format) {
    char text[48];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

}  // namespace

std::vector<WorkingPoint> defaultWorkingPoints() {
    return {{WorkingPoint::Kind::CutOff, 25, false},
            {WorkingPoint::Kind::CutOff, 75, false},
            {WorkingPoint::Kind::CutOff, 25, true}};
}

std::string workingPointName(const WorkingPoint& p) {
    if (p.kind == WorkingPoint::Kind::Setting) return "arm " + numberText(p.value, "%.4f");
    return numberText(p.value, "%g") + (p.reverse ? " % rev" : " % fwd");
}

std::optional<std::vector<WorkingPoint>> parseWorkingPoints(std::string_view text, std::string* problem) {
    std::vector<WorkingPoint> points;
    const auto fail = [&](const std::string& why) -> std::optional<std::vector<WorkingPoint>> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        if (item.empty()) return fail("a working point is missing: write e.g. 25f,75f,25r or arm=1.2");
        WorkingPoint p;
        if (item.substr(0, 4) == "arm=") {
            const auto v = finiteNumber(item.substr(4));
            if (!v) return fail("\"" + std::string(item) + "\" is no reverse-arm setting: write e.g. arm=1.2");
            p = {WorkingPoint::Kind::Setting, *v, false};
        } else {
            const char way = item.back();
            const auto v = finiteNumber(item.substr(0, item.size() - 1));
            if ((way != 'f' && way != 'r' && way != 'F' && way != 'R') || !v)
                return fail("\"" + std::string(item) +
                            "\" is no working point: write a cut-off as 25f (forward) or 25r (reverse), "
                            "a setting as arm=1.2");
            if (*v <= 0 || *v >= 100)
                return fail("\"" + std::string(item) + "\": a cut-off lies between 0 and 100 % of the stroke");
            p = {WorkingPoint::Kind::CutOff, *v, way == 'r' || way == 'R'};
        }
        points.push_back(p);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return points;
}

std::string workingPointsText(const std::vector<WorkingPoint>& points) {
    std::string out;
    for (const auto& p : points) {
        if (!out.empty()) out += ',';
        out += p.kind == WorkingPoint::Kind::Setting ? "arm=" + numberText(p.value, "%.6g")
                                                     : numberText(p.value, "%g") + (p.reverse ? "r" : "f");
    }
    return out;
}

std::vector<ResolvedPoint> resolveWorkingPoints(const GearModel& m, const std::vector<WorkingPoint>& points) {
    GearModel copy = m;
    CalcCentRevArm(copy);
    const double centre = copy.RevArmCentre();
    std::vector<ResolvedPoint> out;
    for (const auto& p : points) {
        ResolvedPoint r{p, std::nullopt, false, {}};
        if (p.kind == WorkingPoint::Kind::Setting) {
            r.revArm = p.value;
            r.backwards = p.value < centre;
        } else {
            const CutOffFound found = findCutOff(copy, CutOffAsk{p.value, p.reverse, CutOffEnd::Mean});
            if (found.revArm) {
                r.revArm = *found.revArm;
                r.backwards = p.reverse;
            } else {
                r.problem = workingPointName(p) + ": " + found.problem;
            }
        }
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace quarn
