// table: the pivot data table as the table window lists it, one text line per line.
#include <array>
#include <ostream>
#include <string>

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
    RowPivots pivots{};
    std::size_t start = 0;
    for (int row = 0; row < PivotDataRows; ++row) {
        const auto comma = text.find(',', start);
        const bool last = row == PivotDataRows - 1;
        if ((comma == std::string::npos) != last)
            throw UsageError{"--pivots takes six pivot numbers separated by commas, not '" +
                             text + "'"};
        const std::string item = text.substr(start, comma - start);
        const auto value = parseNumber(item);
        if (!value)
            throw UsageError{"--pivots takes numbers, not '" + item + "'"};
        // The window rounds a row's pivot number the same way when it reads it.
        const int p = roundHalfEven(*value);
        if (p < 0 || p >= PivotCount)
            throw UsageError{"a pivot number is 0 to 26, not '" + item + "'"};
        pivots[std::size_t(row)] = p;
        start = comma + 1;
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
    CommonOptions common;
    float step = 10;
    RowPivots pivots{};
    parseOptions(
        args, common,
        [&](const std::string& a, const std::string* next) -> int {
            if (a != "--step" && a != "--pivots") return 0;
            if (!next) throw UsageError{a + " needs a value"};
            if (a == "--step")
                step = parseStep(*next);
            else
                pivots = parsePivots(*next);
            return 2;
        },
        {.gearSetting = true, .erieForm = true});

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
