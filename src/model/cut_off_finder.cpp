// The cut-off finder: a scan from mid gear to full gear brackets the cut-off asked for,
// and the root finder narrows the setting inside the bracket.
#include "cut_off_finder.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "mid_gear.h"
#include "parallel_work.h"
#include "root_finder.h"

namespace quarn {
namespace {

// Settings tried between mid gear and full gear before narrowing: enough that the cut-off
// climbs steadily from one to the next, few enough to cost little.
constexpr int ScanSteps = 16;
// The setting is narrowed far below what moves the cut-off by CutOffFinderTolerance
// (the cut-off moves some tens of percent per unit of the reverse arm).
constexpr double SettingWidth = 1e-7;

std::string percentText(double p) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %%", p);
    return text;
}

}  // namespace

std::optional<double> cutOffOf(const GearSettingEvents& e, CutOffEnd end) {
    if (e.geometryError) return std::nullopt;
    switch (end) {
        case CutOffEnd::Front: return e.front.cutOff;
        case CutOffEnd::Rear: return e.rear.cutOff;
        case CutOffEnd::Mean:
            if (e.front.cutOff && e.rear.cutOff) return (*e.front.cutOff + *e.rear.cutOff) / 2;
            return std::nullopt;
    }
    return std::nullopt;
}

CutOffFound findCutOff(const GearModel& m, const CutOffAsk& ask) {
    CutOffFound out;
    GearModel copy = m;
    CalcCentRevArm(copy);
    const double centre = copy.RevArmCentre(), reach = copy.frame.RevArmToCentMax;
    const double way = ask.reverse ? -1.0 : 1.0;
    const auto settingAt = [&](double along) { return centre + way * reach * along; };

    std::array<GearSettingEvents, ScanSteps + 1> scan;
    runParallel(ScanSteps + 1, {}, [&](int k) { scan[k] = preciseEvents(copy, settingAt(double(k) / ScanSteps)); });
    bool any = false;
    for (const auto& e : scan)
        if (const auto c = cutOffOf(e, ask.end)) {
            out.lowest = any ? std::fmin(out.lowest, *c) : *c;
            out.highest = any ? std::fmax(out.highest, *c) : *c;
            any = true;
        }
    if (!any) {
        out.problem = "the gear gives no cut-off that way";
        return out;
    }
    // The first pair of neighbouring settings whose cut-offs lie either side of the one asked for.
    for (int k = 0; k < ScanSteps; ++k) {
        const auto a = cutOffOf(scan[k], ask.end), b = cutOffOf(scan[k + 1], ask.end);
        if (!a || !b || (*a - ask.percent > 0) == (*b - ask.percent > 0)) continue;
        const auto miss = [&](double along) {
            const auto c = cutOffOf(preciseEvents(copy, settingAt(along)), ask.end);
            return c ? *c - ask.percent : std::nan("");
        };
        const auto along = brentRoot(miss, double(k) / ScanSteps, double(k + 1) / ScanSteps, *a - ask.percent,
                                     *b - ask.percent, SettingWidth / reach);
        if (!along) break;
        out.events = preciseEvents(copy, settingAt(*along));
        const auto c = cutOffOf(out.events, ask.end);
        if (!c || std::fabs(*c - ask.percent) > CutOffFinderTolerance) break;
        out.revArm = settingAt(*along);
        return out;
    }
    out.problem = "the gear gives cut-offs from " + percentText(out.lowest) + " to " + percentText(out.highest) +
                  (ask.reverse ? " in reverse" : " in forward gear");
    return out;
}

}  // namespace quarn
