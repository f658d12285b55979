// Builds the pivot data table line by line.
#include "pivot_table.h"

#include <algorithm>

#include "number_text.h"
#include "rounding.h"
#include "sweep.h"

namespace quarn {
namespace {

// The setting line was built in three short strings of these capacities; a wider
// number than the columns expect is cut, not carried over.
constexpr std::size_t SettingPieceLengths[] = {29, 46, 56};

void appendCut(std::string& text, const std::string& more, std::size_t capacity) {
    text += more;
    if (text.size() > capacity) text.resize(capacity);
}

// The pivot a row shows. A row never given one holds 0, the driver centre; a number
// outside the pivot arrays (only a strange file can give one) is shown as that too.
int rowPivot(const GearModel& m, int row) {
    const int p = roundHalfEven(m.screen.PivotDataRowPivot[std::size_t(row)], 1000);
    return p >= 0 && p < PivotCount ? p : 0;
}

// Puts StepAngle back when the table is done, as the sweep guard does for the rest.
class StepAngleGuard {
public:
    explicit StepAngleGuard(GearModel& m) : m(m), saved(m.StepAngle) {}
    ~StepAngleGuard() { m.StepAngle = saved; }
    StepAngleGuard(const StepAngleGuard&) = delete;
    StepAngleGuard& operator=(const StepAngleGuard&) = delete;

private:
    GearModel& m;
    float saved;
};

}  // namespace

std::string pivotTableTitleLine(const GearModel& m, const std::string& date,
                                const std::string& time) {
    return "Pivot Data   " + m.DimSetName + "     " + date + "   " + time;
}

std::string pivotTableSettingLine(const GearModel& m) {
    std::string line;
    appendCut(line, "       Reverse Arm " + Str(m.RevArmPosition, 7, 3), SettingPieceLengths[0]);
    appendCut(line, "      Step Angle ", SettingPieceLengths[1]);
    appendCut(line, Str(m.StepAngleSetting, 7, 3), SettingPieceLengths[2]);
    return line;
}

std::string pivotTableDataLine(const GearModel& m, float driverAngle) {
    std::string line = Str(driverAngle, 7, 2);
    for (int row = 1; row <= PivotDataRows; ++row) {
        const int p = rowPivot(m, row);
        line += "   ";
        line += Str(m.PivotVert[std::size_t(p)], row == 1 ? 7 : 9, 3);
        line += "  ";
        line += Str(m.PivotHorz[std::size_t(p)], 7, 3);
    }
    return line;
}

std::vector<std::string> pivotTableLines(GearModel& m, const std::string& date,
                                         const std::string& time) {
    std::vector<std::string> lines;
    if (m.StepAngleSetting > 0)
        lines.reserve(4 + std::size_t(std::min(360.0 / m.StepAngleSetting, 1e6)) + 2);
    lines.push_back(pivotTableTitleLine(m, date, time));
    lines.push_back(pivotTableSettingLine(m));
    lines.push_back(PivotTableColumnsLine);
    lines.push_back(PivotTableUnitsLine);

    const SweepGuard sweep(m);
    const StepAngleGuard step(m);
    m.StepAngle = 0;
    const float revArm = m.RevArmPosition;
    // The angle is a 4-byte real added up step by step, so a step it cannot hold
    // exactly may gain or lose the 360 line, as the table always did.
    float angle = 0;
    while (angle <= 360) {
        SolveAt(m, revArm, angle);
        lines.push_back(pivotTableDataLine(m, angle));
        const float next = angle + m.StepAngleSetting;
        // A step of 0 or one too small to move the sum would never reach the end.
        if (!(next > angle)) break;
        angle = next;
    }
    return lines;
}

}  // namespace quarn
