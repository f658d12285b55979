// The column layout of the valve events.
#include "event_columns.h"

#include <optional>
#include <ostream>
#include <string>

#include "model/number_text.h"

namespace quarn::cli {
namespace {

// A percentage of stroke in `width` characters with one decimal, or "none".
std::string percentText(const std::optional<double>& v, int width) {
    if (!v) {
        std::string none = "none";
        if (static_cast<int>(none.size()) < width) none.insert(0, width - none.size(), ' ');
        return none;
    }
    return Str(*v, width, 1);
}

}  // namespace

void writeEventColumns(std::ostream& out, std::span<const EventColumn> cols, bool preAdmission) {
    out << "                        ";
    for (const auto& c : cols) out << "  " << std::string(10 - std::string(c.title).size(), ' ') << c.title;
    out << "\n";
    auto row = [&](const char* label, auto value) {
        std::string line = label;
        line.resize(24, ' ');
        for (const auto& c : cols) line += "  " + value(c.events);
        out << line << "\n";
    };
    row("Reverse arm", [](const GearSettingEvents& e) { return Str(e.revArm, 10, 3); });
    row("Lead front", [](const GearSettingEvents& e) { return Str(e.front.lead, 10, 3); });
    row("Lead rear", [](const GearSettingEvents& e) { return Str(e.rear.lead, 10, 3); });
    row("Cut-off front %", [](const GearSettingEvents& e) { return percentText(e.front.cutOff, 10); });
    row("Cut-off rear %", [](const GearSettingEvents& e) { return percentText(e.rear.cutOff, 10); });
    row("Release front %", [](const GearSettingEvents& e) { return percentText(e.front.release, 10); });
    row("Release rear %", [](const GearSettingEvents& e) { return percentText(e.rear.release, 10); });
    row("Compression front %",
        [](const GearSettingEvents& e) { return percentText(e.front.compression, 10); });
    row("Compression rear %",
        [](const GearSettingEvents& e) { return percentText(e.rear.compression, 10); });
    if (preAdmission) {
        row("Pre-admission front %",
            [](const GearSettingEvents& e) { return percentText(e.front.preAdmission, 10); });
        row("Pre-admission rear %",
            [](const GearSettingEvents& e) { return percentText(e.rear.preAdmission, 10); });
    }
    row("Impossible geometry", [](const GearSettingEvents& e) {
        return std::string(e.geometryError ? "       yes" : "        no");
    });
}

}  // namespace quarn::cli
