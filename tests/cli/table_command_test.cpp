// The contract of `quarngear-cli table`: the table's lines, its options and exit statuses.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

// Six value columns of the driver centre: row 1's vertical is 7 wide, the others 9.
const std::string AllZeros = std::string("   ") + "  0.000" + "  " + "  0.000" +
                             "   " + "    0.000" + "  " + "  0.000" +
                             "   " + "    0.000" + "  " + "  0.000" +
                             "   " + "    0.000" + "  " + "  0.000" +
                             "   " + "    0.000" + "  " + "  0.000" +
                             "   " + "    0.000" + "  " + "  0.000";

TEST(TableCommand, DefaultsAreMidGearStepTenAndNoPivots) {
    const CliRun r = runCommand({"table"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u + 37u);
    EXPECT_EQ(l[0].substr(0, 25), "Pivot Data   Nominal     ");
    EXPECT_GT(l[0].size(), 25u);  // the date and time follow
    EXPECT_EQ(l[1], "       Reverse Arm  10.298      Step Angle  10.000");
    EXPECT_EQ(l[2].substr(0, 22), "  Driver         No.1 ");
    EXPECT_EQ(l[3].substr(0, 22), "  Angle     Vert   Hor");
    EXPECT_EQ(l[4], "   0.00" + AllZeros);
    EXPECT_EQ(l[40], " 360.00" + AllZeros);
}

TEST(TableCommand, ChosenPivotsAtNinetyDegrees) {
    // Crank pin, mounting point, reverse-arm pivot, bell crank pivot, driver centre and
    // the bell crank offset slot, as the nominal dimensions place them at 90 degrees.
    const CliRun r = runCommand({"table", "--step", "45", "--pivots", "12,16,23,22,13,6"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u + 9u);
    EXPECT_EQ(l[1], "       Reverse Arm  10.298      Step Angle  45.000");
    EXPECT_EQ(l[6], std::string("  90.00") +
                        "   " + " -2.125" + "  " + "  0.000" +
                        "   " + "    5.781" + "  " + " 13.750" +
                        "   " + "    4.031" + "  " + " 10.789" +
                        "   " + "    6.672" + "  " + " 12.500" +
                        "   " + "    0.000" + "  " + "  0.000" +
                        "   " + "    0.891" + "  " + "  1.250");
}

TEST(TableCommand, SetChangesTheGearBeforeTheSweep) {
    // A stroke of 5 puts the crank pin 2.5 below the centre at 90 degrees.
    const CliRun r = runCommand(
        {"table", "--set", "Stroke=5", "--step", "45", "--pivots", "12,0,0,0,0,0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u + 9u);
    EXPECT_EQ(l[6].substr(0, 26),
              std::string("  90.00") + "   " + " -2.500" + "  " + "  0.000");
}

// The reverse-arm setting reaches line 2 and pivot 1, the arm's top end.
struct SettingRow {
    const char* name;
    std::vector<std::string> options;
    const char* revArmText;
};

class TableCommandSetting : public ::testing::TestWithParam<SettingRow> {};

TEST_P(TableCommandSetting, ReverseArmInLineTwoAndInPivotOne) {
    std::vector<std::string> args{"table", "--step", "30", "--pivots", "1,0,0,0,0,0"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CliRun r = runCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u + 13u);
    EXPECT_EQ(l[1], std::string("       Reverse Arm ") + GetParam().revArmText +
                        "      Step Angle  30.000");
    for (std::size_t i = 4; i < l.size(); ++i)
        EXPECT_EQ(l[i].substr(7 + 3 + 7 + 2, 7), GetParam().revArmText) << l[i];
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TableCommandSetting,
    ::testing::Values(SettingRow{"RevArm", {"--revarm", "10.75"}, " 10.750"},
                      // mid gear 10.298410 + the normal 1.5, and - 1.7 at the minimum
                      SettingRow{"GearFwd", {"--gear", "fwd"}, " 11.798"},
                      SettingRow{"GearMin", {"--gear", "min"}, "  8.598"},
                      SettingRow{"Erie", {"--erie", "--revarm", "10.5"}, " 10.500"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableCommand, PivotNumbersRoundHalvesToEven) {
    // 12.5 -> 12 (crank pin), 15.5 and 16.5 -> 16 (mounting point), 26.5 -> 26 and
    // -0.5 -> 0 are in range; 26 is never written, so it reads 0.
    const CliRun r = runCommand(
        {"table", "--step", "45", "--pivots", "12.5,15.5,16.5,26.5,-0.5,0.4"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(outputLines(r.out).at(6), std::string("  90.00") +
                                            "   " + " -2.125" + "  " + "  0.000" +
                                            "   " + "    5.781" + "  " + " 13.750" +
                                            "   " + "    5.781" + "  " + " 13.750" +
                                            "   " + "    0.000" + "  " + "  0.000" +
                                            "   " + "    0.000" + "  " + "  0.000" +
                                            "   " + "    0.000" + "  " + "  0.000");
}

TEST(TableCommand, StepThatDoesNotDivide360EndsBelowIt) {
    // 0, 7, ..., 357: 52 angles; 364 would pass the end.
    const CliRun r = runCommand({"table", "--step", "7"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u + 52u);
    EXPECT_EQ(l[1], "       Reverse Arm  10.298      Step Angle   7.000");
    EXPECT_EQ(l.back(), " 357.00" + AllZeros);
}

TEST(TableCommand, TitleLineCarriesTheSetNameOfTheFile) {
    const CliRun r = runCommand({"table", "--file", dataFile("nominal.qgd"), "--step", "45"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l[0].rfind("Pivot Data   nominal     ", 0), 0u) << l[0];
    // The date and then, three blanks on, the time.
    EXPECT_NE(l[0].find("   ", 25), std::string::npos) << l[0];
}

struct UsageRow {
    const char* name;
    std::vector<std::string> args;
};

class TableCommandUsage : public ::testing::TestWithParam<UsageRow> {};

TEST_P(TableCommandUsage, IsRefusedWithStatusTwo) {
    std::vector<std::string> args{"table"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const CliRun r = runCommand(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("quarngear-cli table: ", 0), 0u) << r.err;  // what was wrong
    EXPECT_NE(r.err.find("quarngear-cli table [--file PATH]"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    BadOptions, TableCommandUsage,
    ::testing::Values(UsageRow{"PivotAbove26", {"--pivots", "0,0,0,0,0,27"}},
                      UsageRow{"PivotRoundsTo27", {"--pivots", "26.6,0,0,0,0,0"}},
                      UsageRow{"PivotNegative", {"--pivots", "0,-1,0,0,0,0"}},
                      UsageRow{"PivotRoundsToMinusOne", {"--pivots", "0,0,-0.6,0,0,0"}},
                      UsageRow{"FivePivots", {"--pivots", "1,2,3,4,5"}},
                      UsageRow{"SevenPivots", {"--pivots", "1,2,3,4,5,6,7"}},
                      UsageRow{"PivotNotANumber", {"--pivots", "1,2,x,4,5,6"}},
                      UsageRow{"PivotNotANumberAtAll", {"--pivots", "nan,0,0,0,0,0"}},
                      UsageRow{"PivotInfinite", {"--pivots", "0,0,0,0,0,inf"}},
                      UsageRow{"EmptyPivot", {"--pivots", "1,2,,4,5,6"}},
                      UsageRow{"PivotsWithoutValue", {"--pivots"}},
                      UsageRow{"StepZero", {"--step", "0"}},
                      UsageRow{"StepBelowTheControls", {"--step", "0.009"}},
                      UsageRow{"StepAboveTheControls", {"--step", "45.5"}},
                      UsageRow{"StepNotANumber", {"--step", "ten"}},
                      UsageRow{"StepWithoutValue", {"--step"}},
                      UsageRow{"RevArmAndGear", {"--revarm", "10", "--gear", "fwd"}},
                      UsageRow{"UnknownOption", {"--angles", "0"}},
                      UsageRow{"PictureOption", {"--ticks", "3"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableCommand, HelpShowsItsUsage) {
    const CliRun r = runCommand({"table", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("quarngear-cli table [--file PATH]", 0), 0u) << r.out;
}

TEST(TableCommand, MissingFileFailsWithStatusOne) {
    const CliRun r = runCommand({"table", "--file", "/nonexistent/no.qgd"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
}

}  // namespace
}  // namespace quarn::cli
