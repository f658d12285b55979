// `quarngear-cli centre` and `report`, and changing dimensions with --set.
#include <gtest/gtest.h>

#include "cli_run.h"

namespace quarn::cli {
namespace {

TEST(CentreCommand, PrintsMidGearAndTheRange) {
    const CliRun r = runCommand({"centre"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "centre=10.298410 min=8.598411 max=11.998410 rev=8.798410 fwd=11.798410\n");
}

TEST(SolveCommand, SetWritesThroughToThePivotSlots) {
    const CliRun r = runCommand({"solve", "--angles", "0", "--set", "CylCLAboveDriverCtr=0.5",
                                 "--set", "RevArmPivotHorz=3"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto row = outputLines(r.out).at(1);
    // v3, v4 (= 0.5 + 3.375), h11 and the mirror h17.
    EXPECT_NE(row.find(",0.500000,"), std::string::npos);
    EXPECT_NE(row.find(",3.875000,"), std::string::npos);
    EXPECT_NE(row.find(",3.000000,"), std::string::npos);
}

TEST(SolveCommand, NormalForwardTurnsWithoutError) {
    const CliRun r = runCommand({"solve", "--gear", "fwd", "--step", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 361u);
    for (std::size_t i = 1; i < l.size(); ++i) {
        const auto first = l[i].find(',');
        const auto second = l[i].find(',', first + 1);
        EXPECT_EQ(l[i].substr(second, 3), ",0,") << l[i].substr(0, 20);
    }
}

TEST(SolveCommand, ImpossibleGearReportsTheErrorPerRow) {
    const CliRun r = runCommand({"solve", "--angles", "90,90", "--set", "RadiusBarLength=50"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1].substr(0, 8), "90.0000,");
    EXPECT_NE(l[1].find(",1,"), std::string::npos);
}

TEST(ReportCommand, NormalForwardCutOffsInTheText) {
    const CliRun r = runCommand({"report"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Steam lap                  0.211"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Cut-off front %                  6.6        78.3"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Impossible geometry               no          no          no"),
              std::string::npos);
}

TEST(ReportCommand, CsvHasOneRowPerSetting) {
    const CliRun r = runCommand({"report", "--csv", "--solver", "classic"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[1].substr(0, 4), "mid,");
    EXPECT_EQ(l[2].substr(0, 4), "fwd,");
    EXPECT_EQ(l[3].substr(0, 4), "rev,");
    EXPECT_NE(l[2].find(",78.2616,78.4031,"), std::string::npos) << l[2];
}

}  // namespace
}  // namespace quarn::cli
