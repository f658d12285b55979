// table: the pivot data table as the table window lists it, one text line per line.
#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "command_line.h"
#include "commands.h"
#include "model/pivot_table.h"
#include "model/rounding.h"
#include "options.h"
#include "platform/clock_text.h"

namespace quarn::cli {

extern const char tableUsage[] =
    "quarngear-cli table [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                    [--revarm X | --gear mid|fwd|rev|min|max] [--step S]\n"
    "                    [--pivots A,B,C,D,E,F]\n"
    "  Prints the pivot data table: the vertical and horizontal coordinates of six\n"
    "  pivots (numbers 0..26, each rounded to the nearest whole number, halves to\n"
    "  even; default all 0) at every driver angle from 0 to 360 in steps of S degrees\n"
    "  (0.01 to 45, default 10), the reverse arm so set (default mid gear). The first\n"
    "  line carries the current date and time.\n";

namespace {

// The step-angle controls keep the step within these limits.
constexpr double MinStep = 0.01;
constexpr double MaxStep = 45;

using RowPivots = std::array<int, PivotDataRows>;

RowPivots parsePivots(const std::string& text) {
    if (std::count(text.begin(), text.end(), ',') != PivotDataRows - 1)
        throw UsageError{"--pivots takes six pivot numbers separated by commas, not '" + text + "'"};
    RowPivots pivots{};
    std::size_t row = 0;
    for (const std::string& item : listItems(text)) {
        const auto value = parseNumber(item);
        if (!value) throw UsageError{"--pivots takes numbers, not '" + item + "'"};
        // The window rounds a row's pivot number the same way when it reads it.
        const int p = roundHalfEven(*value);
        if (p < 0 || p >= PivotCount)
            throw UsageError{"a pivot number is 0 to 26, not '" + item + "'"};
        pivots[row++] = p;
    }
    return pivots;
}

float parseStep(const std::string& text) {
    const auto step = parseNumber(text);
    if (!step || !(*step >= MinStep && *step <= MaxStep))
        throw UsageError{"--step takes a number from 0.01 to 45, not '" + text + "'"};
    return static_cast<float>(*step);
}

}  // namespace

void tableCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.gearSetting = true, .erieForm = true});
    std::optional<std::string> stepText, pivotList;
    line.value("--step", stepText);
    line.value("--pivots", pivotList);
    line.parse(args);
    const CommonOptions common = shared.read();
    const float step = stepText ? parseStep(*stepText) : 10;
    const RowPivots pivots = pivotList ? parsePivots(*pivotList) : RowPivots{};

    GearModel m;
    buildModel(m, common, err);
    m.RevArmPosition = chosenRevArm(m, common);
    m.StepAngleSetting = step;
    for (int row = 1; row <= PivotDataRows; ++row)
        m.screen.PivotDataRowPivot[std::size_t(row)] = float(pivots[std::size_t(row - 1)]);

    std::string text;
    for (const auto& line : pivotTableLines(m, shortDateText(), longTimeText())) {
        text += line;
        text += '\n';
    }
    out << text;
}

}  // namespace quarn::cli
