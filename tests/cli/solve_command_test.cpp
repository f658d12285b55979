// The contract of `quarngear-cli solve`: header, rows and exit statuses.
#include <gtest/gtest.h>

#include "cli_run.h"

namespace quarn::cli {
namespace {

TEST(SolveCommand, HeaderNamesEveryColumnInOrder) {
    const CliRun r = runCommand({"solve", "--angles", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 2u);
    std::string expected = "angle,revarm,error";
    for (int p = 0; p < 24; ++p) expected += ",h" + std::to_string(p) + ",v" + std::to_string(p);
    expected += ",ecc_lead,gcr_angle_deg,valve_disp,fso,feo,rso,reo,piston640";
    EXPECT_EQ(l[0], expected);
}

TEST(SolveCommand, DefaultStepGivesThirtySixRowsAtMidGear) {
    const CliRun r = runCommand({"solve"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 37u);
    EXPECT_EQ(l[1].substr(0, 17), "0.0000,10.298410,");
    EXPECT_EQ(l[36].substr(0, 9), "350.0000,");
}

TEST(SolveCommand, BadInputIsRefusedWithStatusTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"solve", "--set", "NoSuchDimension=1"},
             {"solve", "--set", "Stroke=abc"},
             {"solve", "--set", "Stroke"},
             {"solve", "--step", "0"},
             {"solve", "--angles", "1,x"},
             {"solve", "--gear", "sideways"},
             {"solve", "--revarm", "1", "--gear", "fwd"},
             {"solve", "--bogus"},
             {"nosuchcommand"},
             {}}) {
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(args.empty() || r.out.empty());
    }
}

}  // namespace
}  // namespace quarn::cli
