// Text of the events table.
#include "event_table_text.h"

#include <cstdio>
#include <optional>

#include "number_text.h"

namespace quarn {
namespace {

constexpr int Width = 11;

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string percent(const std::optional<double>& v) { return v ? Str(*v, Width, 2) : padded("none", Width); }

std::string difference(const std::optional<double>& a, const std::optional<double>& b, int decimals) {
    if (!a || !b) return padded("", Width);
    return Str(*a - *b, Width, decimals);
}

std::string csvNumber(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

std::string csvNumber(const std::optional<double>& v) { return v ? csvNumber(*v) : std::string(); }

std::string csvRow(const GearSettingEvents& e, const char* end, const CylinderEndEvents& c) {
    return csvNumber(e.revArm) + ',' + runningDirectionName(e) + ',' + end + ',' + csvNumber(c.lead) + ',' +
           csvNumber(c.maxOpening) + ',' + csvNumber(c.cutOff) + ',' + csvNumber(c.release) + ',' +
           csvNumber(c.compression) + ',' + csvNumber(c.preAdmission) + ',' + (e.geometryError ? "1" : "0") +
           '\n';
}

}  // namespace

const char* runningDirectionName(const GearSettingEvents& e) { return e.backwards ? "rev" : "fwd"; }

std::string eventsBlockText(const GearSettingEvents& e) {
    const CylinderEndEvents &f = e.front, &r = e.rear;
    std::string out = "Reverse arm " + Str(e.revArm, 0, 3) + (e.backwards ? ", running backwards" : ", running forwards");
    if (e.geometryError) out += ", IMPOSSIBLE GEOMETRY";
    out += "\n";
    out += "                     Front       Rear Front-rear\n";
    auto line = [&out](const char* label, const std::string& a, const std::string& b, const std::string& d) {
        std::string l = label;
        l.resize(16, ' ');
        out += l + a + b + d;
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
    };
    line("Lead", Str(f.lead, Width, 4), Str(r.lead, Width, 4), Str(double(f.lead) - double(r.lead), Width, 4));
    line("Max opening", Str(f.maxOpening, Width, 4), Str(r.maxOpening, Width, 4), "");
    line("Cut-off %", percent(f.cutOff), percent(r.cutOff), difference(f.cutOff, r.cutOff, 2));
    line("Release %", percent(f.release), percent(r.release), "");
    line("Compression %", percent(f.compression), percent(r.compression), "");
    line("Pre-admission %", percent(f.preAdmission), percent(r.preAdmission), "");
    return out;
}

const char eventsCsvHeader[] =
    "revarm,direction,end,lead,max_opening,cut_off,release,compression,preadmission,error\n";

std::string eventsCsvRows(const GearSettingEvents& e) {
    return csvRow(e, "front", e.front) + csvRow(e, "rear", e.rear);
}

}  // namespace quarn
