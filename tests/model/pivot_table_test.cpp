// The pivot data table text: its headings, its data lines and how many there are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/pivot_table.h"
#include "startup_model.h"

namespace quarn {
namespace {

const std::string Date = "09/12/2026";
const std::string Time = "02:30:00";

std::vector<std::string> tableOf(GearModel& m) { return pivotTableLines(m, Date, Time); }

void choosePivots(GearModel& m, std::initializer_list<float> pivots) {
    int row = 1;
    for (float p : pivots) {
        m.screen.PivotDataRowPivot[std::size_t(row)] = p;
        m.screen.PivotDataRowSet[std::size_t(row)] = 1;
        ++row;
    }
}

TEST(PivotTable, TitleLineCarriesSetNameDateAndTime) {
    GearModel m = startupModel();
    EXPECT_EQ(tableOf(m)[0], "Pivot Data   Nominal     09/12/2026   02:30:00");
    m.DimSetName = "Big Boy";
    EXPECT_EQ(tableOf(m)[0], "Pivot Data   Big Boy     09/12/2026   02:30:00");
}

TEST(PivotTable, SettingLineShowsReverseArmAndStep) {
    GearModel m = startupModel();
    m.RevArmPosition = 10.5f;
    m.StepAngleSetting = 2.5f;
    EXPECT_EQ(tableOf(m)[1], "       Reverse Arm  10.500      Step Angle   2.500");
}

TEST(PivotTable, ColumnHeadingsAreLiteral) {
    GearModel m = startupModel();
    const auto lines = tableOf(m);
    EXPECT_EQ(lines[2],
              "  Driver         No.1                   No.2                   No.3               "
              "   No.4                   No.5                  No.6");
    EXPECT_EQ(lines[3],
              "  Angle     Vert   Horz         Vert   Horz          Vert   Horz         Vert   Hor"
              "z          Vert   Horz         Vert   Horz");
}

// Wide numbers push the setting line past the lengths its pieces were kept in.
struct SettingCutRow {
    const char* name;
    float revArm, step;
    const char* expected;
};

class PivotTableSettingCut : public ::testing::TestWithParam<SettingCutRow> {};

TEST_P(PivotTableSettingCut, PiecesAreCutAtTheirLengths) {
    GearModel m = startupModel();
    m.RevArmPosition = GetParam().revArm;
    m.StepAngleSetting = GetParam().step;
    EXPECT_EQ(pivotTableSettingLine(m), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, PivotTableSettingCut,
    ::testing::Values(
        // 7 + 12 + 7 blanks, words and digits; 6 + 11; 7: 50 characters, nothing cut.
        SettingCutRow{"Usual", 10.25f, 10, "       Reverse Arm  10.250      Step Angle  10.000"},
        // "-12345.678" makes the first piece exactly 29 long: still whole.
        SettingCutRow{"FirstPieceFull", -12345.678f, 10,
                      "       Reverse Arm -12345.678      Step Angle  10.000"},
        // "1234567.500" would make it 30: its last digit goes.
        SettingCutRow{"FirstPieceCut", 1234567.5f, 10,
                      "       Reverse Arm 1234567.50      Step Angle  10.000"},
        // The first piece full (29) and the blanks and words (17) leave 10 for the step.
        SettingCutRow{"LastPieceCut", 1234567.5f, 1234567.5f,
                      "       Reverse Arm 1234567.50      Step Angle 1234567.50"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PivotTable, RowAtNinetyDegreesMatchesTheGearByHand) {
    GearModel m = startupModel();
    // Crank pin, gear mounting point, reverse-arm pivot, bell crank pivot, driver
    // centre, bell crank offset slot: all known without the solver at 90 degrees.
    choosePivots(m, {12, 16, 23, 22, 13, 6});
    const auto lines = tableOf(m);
    ASSERT_GT(lines.size(), 13u);
    // Crank pin a quarter turn on: r = Stroke / 2 = 2.125 below the centre.
    // Mounting point (13.75, 5.781); reverse-arm pivot (13.75 - 2.961, 5.781 - 1.75);
    // bell crank pivot (13.75 - 1.25, 5.781 + 0.891); the offset slot itself (1.25, 0.891).
    const std::string expected = std::string("  90.00") +
                                 "   " + " -2.125" + "  " + "  0.000" +
                                 "   " + "    5.781" + "  " + " 13.750" +
                                 "   " + "    4.031" + "  " + " 10.789" +
                                 "   " + "    6.672" + "  " + " 12.500" +
                                 "   " + "    0.000" + "  " + "  0.000" +
                                 "   " + "    0.891" + "  " + "  1.250";
    EXPECT_EQ(lines[4 + 9], expected);
}

TEST(PivotTable, RowPivotNumbersRoundHalvesToEven) {
    GearModel m = startupModel();
    choosePivots(m, {12.5f, 15.5f, 16.5f, 12.4f, 11.6f, 0.5f});  // 12, 16, 16, 12, 12, 0
    const auto lines = tableOf(m);
    const std::string expected = std::string("  90.00") +
                                 "   " + " -2.125" + "  " + "  0.000" +
                                 "   " + "    5.781" + "  " + " 13.750" +
                                 "   " + "    5.781" + "  " + " 13.750" +
                                 "   " + "   -2.125" + "  " + "  0.000" +
                                 "   " + "   -2.125" + "  " + "  0.000" +
                                 "   " + "    0.000" + "  " + "  0.000";
    EXPECT_EQ(lines[4 + 9], expected);
}

TEST(PivotTable, RowsNeverGivenAPivotShowTheDriverCentre) {
    GearModel m = startupModel();
    const std::string zeros = std::string("   ") + "  0.000" + "  " + "  0.000" +
                              "   " + "    0.000" + "  " + "  0.000" +
                              "   " + "    0.000" + "  " + "  0.000" +
                              "   " + "    0.000" + "  " + "  0.000" +
                              "   " + "    0.000" + "  " + "  0.000" +
                              "   " + "    0.000" + "  " + "  0.000";
    const auto lines = tableOf(m);
    ASSERT_EQ(lines.size(), 4u + 37u);
    EXPECT_EQ(lines[4], "   0.00" + zeros);
    EXPECT_EQ(lines[5], "  10.00" + zeros);
    EXPECT_EQ(lines[40], " 360.00" + zeros);
}

TEST(PivotTable, PivotNumberOutsideTheArraysShowsTheDriverCentre) {
    GearModel m = startupModel();
    choosePivots(m, {-3, 27, 1e30f, 12, 12, 12});
    const auto line = tableOf(m)[4 + 9];
    EXPECT_EQ(line.substr(0, 7 + 3 * 21 - 2),
              std::string("  90.00") + "   " + "  0.000" + "  " + "  0.000" +
                  "   " + "    0.000" + "  " + "  0.000" +
                  "   " + "    0.000" + "  " + "  0.000");
}

// How many data lines a step gives and the angle of the last. The angle is added up
// in 4-byte reals; the counts of the inexact steps were found by repeating those
// additions one by one in a separate script, not by this code.
struct StepCountRow {
    const char* name;
    float step;
    std::size_t dataLines;
    const char* lastAngle;
};

class PivotTableSteps : public ::testing::TestWithParam<StepCountRow> {};

TEST_P(PivotTableSteps, LineCountAndLastAngle) {
    GearModel m = startupModel();
    m.StepAngleSetting = GetParam().step;
    const auto lines = tableOf(m);
    ASSERT_EQ(lines.size(), 4 + GetParam().dataLines);
    EXPECT_EQ(lines.back().substr(0, 7), GetParam().lastAngle);
    EXPECT_EQ(lines[4].substr(0, 7), "   0.00");
    // The headings and the column layout do not depend on the step.
    EXPECT_EQ(lines[2].size(), 134u);
    EXPECT_EQ(lines[3].size(), 125u);
    EXPECT_EQ(lines[1].size(), 50u);
    for (std::size_t i = 4; i < lines.size(); i += 97) EXPECT_EQ(lines[i].size(), 131u) << i;
    EXPECT_EQ(lines.back().size(), 131u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PivotTableSteps,
    ::testing::Values(StepCountRow{"Ten", 10, 37, " 360.00"},
                      StepCountRow{"FortyFive", 45, 9, " 360.00"},
                      StepCountRow{"Quarter", 0.25f, 1441, " 360.00"},
                      // 360 / 7 = 51.4: the multiples 0..357.
                      StepCountRow{"SevenDoesNotDivide", 7, 52, " 357.00"},
                      StepCountRow{"FiftyDoesNotDivide", 50, 8, " 350.00"},
                      // 4-byte sums drift: 0.3 still reaches 359.9976 and shows 360.00,
                      // 0.1 falls short at 359.9128, and 0.01 ends at 359.9900 after
                      // 35 995 steps, not 36 000.
                      StepCountRow{"ThreeTenths", 0.3f, 1201, " 360.00"},
                      StepCountRow{"OneTenth", 0.1f, 3600, " 359.91"},
                      StepCountRow{"Smallest", 0.01f, 35996, " 359.99"},
                      // A step that cannot move the angle gives the 0 line only.
                      StepCountRow{"Zero", 0, 1, "   0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PivotTable, SweepPutsTheGearBackButKeepsTheLastSolution) {
    GearModel m = startupModel();
    m.DriverAngle = 123.5f;
    m.StepAngle = 10;
    m.RevArmPosition = m.RevArmCentre() + 0.5f;
    const float setting = m.RevArmPosition;
    m.StepAngleSetting = 45;
    tableOf(m);
    EXPECT_EQ(m.DriverAngle, 123.5f);
    EXPECT_EQ(m.StepAngle, 10.0f);
    EXPECT_EQ(m.StepAngleSetting, 45.0f);
    EXPECT_EQ(m.RevArmPosition, setting);
    // The pivots stay at 360 degrees: the crank pin (2.125, 0), not at 123.5.
    EXPECT_NEAR(m.PivotHorz[12], 2.125, 1e-5);
    EXPECT_NEAR(m.PivotVert[12], 0, 1e-5);
}

TEST(PivotTable, SweepRunsAtTheCurrentReverseArmSetting) {
    GearModel m = startupModel();
    choosePivots(m, {1});  // the reverse arm's top end: its Horz is the setting
    m.RevArmPosition = 10.75f;
    const auto lines = tableOf(m);
    EXPECT_EQ(lines[1], "       Reverse Arm  10.750      Step Angle  10.000");
    for (std::size_t i = 4; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(7 + 3 + 7 + 2, 7), " 10.750") << lines[i];
}

}  // namespace
}  // namespace quarn
