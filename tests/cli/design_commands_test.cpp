// `quarngear-cli events`, `sensitivity` and `equalise`.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_run.h"

namespace quarn::cli {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(EventsCommand, TwentyOneSettingsByDefault) {
    const CliRun r = runCommand({"events"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Valve events of Nominal (standard form), 21 settings\n", 0), 0u) << r.out;
    EXPECT_EQ(count(r.out, "Reverse arm "), 21u);
    EXPECT_EQ(count(r.out, "running backwards"), 10u);
    EXPECT_NE(r.out.find("Reverse arm 8.598, running backwards\n"), std::string::npos);
    EXPECT_NE(r.out.find("Reverse arm 10.298, running forwards\n"), std::string::npos);
    EXPECT_NE(r.out.find("Reverse arm 11.998, running forwards\n"), std::string::npos);
    EXPECT_EQ(r.out.find("IMPOSSIBLE"), std::string::npos);
}

TEST(EventsCommand, CsvRowsPerSettingAndEnd) {
    const CliRun r = runCommand({"events", "--csv", "--settings", "11.79841,10.29841", "--solver", "classic"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], "revarm,direction,end,lead,max_opening,cut_off,release,compression,preadmission,error");
    EXPECT_EQ(l[1].substr(0, 25), "11.798410,fwd,front,0.032");
    EXPECT_EQ(l[2].substr(0, 20), "11.798410,fwd,rear,0");
    EXPECT_EQ(l[3].substr(0, 20), "10.298410,fwd,front,");
    EXPECT_NEAR(std::stod(l[3].substr(20)), 0.030, 0.0006);  // the mid-gear lead
    EXPECT_EQ(l[1].substr(l[1].size() - 2), ",0");
    // Normal forward cuts off near 78.3 % front and 78.4 % rear.
    EXPECT_NE(l[1].find(",78.2"), std::string::npos) << l[1];
    EXPECT_NE(l[2].find(",78.4"), std::string::npos) << l[2];
}

TEST(EventsCommand, NoCutOffGivesEmptyFields) {
    const CliRun r = runCommand({"events", "--csv", "--steps", "0", "--set", "ValveCtrToRing=1.189"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1].substr(l[1].size() - 6), ",,,,,0") << l[1];
    EXPECT_EQ(l[2].substr(l[2].size() - 6), ",,,,,0") << l[2];
}

TEST(EventsCommand, ImpossibleGearIsFlaggedPerSetting) {
    // An eccentric rod far too short to reach the gear connecting rod.
    const CliRun r = runCommand({"events", "--steps", "1", "--set", "EccRodLength=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(r.out, "IMPOSSIBLE GEOMETRY"), 3u);
}

struct BadDesignLine {
    const char* name;
    std::vector<std::string> args;
    const char* said;
};
void PrintTo(const BadDesignLine& c, std::ostream* os) { *os << c.name; }
class BadDesignCommandLine : public ::testing::TestWithParam<BadDesignLine> {};

TEST_P(BadDesignCommandLine, IsStatusTwo) {
    const CliRun r = runCommand(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadDesignCommandLine,
    ::testing::Values(
        BadDesignLine{"StepsAndSettings", {"events", "--steps", "2", "--settings", "10"}, "exclude each other"},
        BadDesignLine{"NegativeSteps", {"events", "--steps", "-1"}, "--steps takes a whole number from 0 to 500"},
        BadDesignLine{"FractionalSteps", {"events", "--steps", "2.5"}, "--steps takes a whole number"},
        BadDesignLine{"HugeSteps", {"events", "--steps", "1e9"}, "--steps takes a whole number"},
        BadDesignLine{"SettingNotANumber", {"events", "--settings", "10,x"}, "not 'x'"},
        BadDesignLine{"ZeroDelta", {"sensitivity", "--delta", "0"}, "--delta takes a positive number"},
        BadDesignLine{"NaNDelta", {"sensitivity", "--delta", "nan"}, "--delta takes a positive number"},
        BadDesignLine{"UnknownStudied", {"sensitivity", "--dims", "Nope"}, "unknown dimension 'Nope'"},
        BadDesignLine{"NothingToVary", {"equalise"}, "--vary names the dimensions"},
        BadDesignLine{"UnknownVary", {"equalise", "--vary", "Stroke,Nope"}, "unknown dimension 'Nope'"},
        BadDesignLine{"VaryWithoutCode", {"equalise", "--vary", "RevArmToCentMax"}, "dynamic-variable code"},
        BadDesignLine{"UnknownGoal", {"equalise", "--vary", "Stroke", "--goal", "fast"}, "not 'fast'"},
        BadDesignLine{"TargetOutOfRange", {"equalise", "--vary", "Stroke", "--goal", "cutoff=150"},
                      "cutoff= takes a percentage"},
        BadDesignLine{"NegativeWeight", {"equalise", "--vary", "Stroke", "--goal", "lead-equal:-1"},
                      "weight is a number of 0 or more"},
        BadDesignLine{"NoEvaluations", {"equalise", "--vary", "Stroke", "--max-evals", "0"},
                      "--max-evals takes a whole number from 1"},
        BadDesignLine{"LimitUnknown", {"equalise", "--vary", "Stroke", "--limit", "speed=3"},
                      "--limit takes lead=LOW:HIGH, lap=BAND or opening=PERCENT"},
        BadDesignLine{"LimitLeadOneEnd", {"equalise", "--vary", "Stroke", "--limit", "lead=0.01"}, "LOW:HIGH"},
        BadDesignLine{"LimitLeadBackwards", {"equalise", "--vary", "Stroke", "--limit", "lead=0.05:0"},
                      "LOW no higher than HIGH"},
        BadDesignLine{"LimitLapWord", {"equalise", "--vary", "Stroke", "--limit", "lap=wide"}, "not 'wide'"},
        BadDesignLine{"LimitOpeningOver", {"equalise", "--vary", "Stroke", "--limit", "opening=150"},
                      "percentage from 0 to 100"},
        BadDesignLine{"EventsSolverBogus", {"events", "--solver", "bogus"}, "--solver takes classic or precise"},
        BadDesignLine{"ReportSolverBogus", {"report", "--solver", "bogus"}, "not 'bogus'"},
        BadDesignLine{"SensitivitySolverBogus", {"sensitivity", "--solver", "Precise"}, "not 'Precise'"},
        BadDesignLine{"EqualiseReadsOnThePreciseSolverOnly", {"equalise", "--vary", "Stroke", "--solver", "classic"},
                      "unknown option '--solver'"},
        BadDesignLine{"PointsUnread", {"equalise", "--vary", "Stroke", "--points", "25f,fast"},
                      "--points: \"fast\" is no working point"},
        BadDesignLine{"VaryBoundsBackwards", {"equalise", "--vary", "Stroke:5:4"}, "LOW below HIGH"},
        BadDesignLine{"VaryOneBound", {"equalise", "--vary", "Stroke:4"}, "NAME:LOW:HIGH"},
        BadDesignLine{"GoalTwiceInTwoOptions", {"equalise", "--vary", "Stroke", "--goal", "lead=0.02@25f", "--goal",
                                                "lead=0.03@25f"},
                      "lead@25f is given twice"},
        BadDesignLine{"SolveHasNoSolverChoice", {"solve", "--solver", "precise"}, "unknown option '--solver'"},
        BadDesignLine{"CutOffNotANumber", {"cutoff", "quarter"}, "PCT must be a number, not 'quarter'"},
        BadDesignLine{"CutOffNaN", {"cutoff", "nan"}, "PCT must be a number"},
        BadDesignLine{"CutOffMissing", {"cutoff", "--reverse"}, "needs the cut-off PCT"},
        BadDesignLine{"CutOffTwice", {"cutoff", "25", "30"}, "takes one cut-off"},
        BadDesignLine{"CutOffBadEnd", {"cutoff", "25", "--end", "middle"}, "--end takes front, rear or mean"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SensitivityCommand, CsvRanksTheDimensionsUpAndDown) {
    const CliRun r = runCommand({"sensitivity", "--csv", "--dims", "DriverDia,ValveCtrToJoint", "--solver", "classic"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = outputLines(r.out);
    ASSERT_EQ(l.size(), 1u + 4u);
    EXPECT_EQ(l[0].substr(0, 28), "rank,dimension,value,change,");
    EXPECT_EQ(l[1].substr(0, 2), "1,");
    // The default change is 0.01, up then down.
    EXPECT_NE(l[1].find(",0.010000,"), std::string::npos) << l[1];
    EXPECT_NE(l[2].find(",-0.010000,"), std::string::npos) << l[2];
    // The valve stem moves the events, the driver diameter nothing: it ranks second.
    EXPECT_EQ(l[1].substr(0, 18), "1,ValveCtrToJoint,");
    EXPECT_EQ(l[2].substr(0, 18), "1,ValveCtrToJoint,");
    EXPECT_EQ(l[3].substr(0, 12), "2,DriverDia,");
    EXPECT_NE(l[3].find(",0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0"),
              std::string::npos) << l[3];
}

// The precise solver has no grain: its default change is 0.001 and its ranking the
// central difference per change. The classic one keeps 0.01 and warns below 0.005.
TEST(SensitivityCommand, ChangeAndRankingFollowTheSolver) {
    struct Row {
        std::vector<std::string> options;
        const char* said;  // the change, and for the precise solver how it ranks
        bool centralDifference, grainWarning;
    };
    const Row rows[] = {
        {{}, "+0.001 and -0.001 of each dimension", true, false},
        {{"--delta", "0.002"}, "the effect per 0.002 of the dimension, the central difference (up - down) / 2",
         true, false},
        {{"--solver", "classic"}, "+0.010000 and -0.010000 of each dimension", false, false},
        {{"--solver", "classic", "--delta", "0.001"}, "+0.001000 and -0.001000 of each dimension", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        std::vector<std::string> args{"sensitivity", "--dims", "ValveCtrToJoint"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliRun r = runCommand(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(row.said), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("central difference") != std::string::npos, row.centralDifference) << r.out;
        EXPECT_EQ(r.out.find("solver's grain") != std::string::npos, row.grainWarning) << r.out;
    }
}

TEST(EqualiseCommand, ImprovesAnUnequalDesignAndWritesIt) {
    const std::string out = (std::filesystem::temp_directory_path() / "quarn_equalised.qgd").string();
    std::remove(out.c_str());
    const CliRun r = runCommand({"equalise", "--set", "ValveCtrToJoint=6.42", "--vary", "ValveCtrToJoint",
                                 "--range", "0.04", "--max-evals", "24", "--starts", "2", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("ValveCtrToJoint               6.420000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("the design improved."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" evaluations on the precise solver;"), std::string::npos) << r.out;
    const CliRun shown = runCommand({"show", out});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.find("6.420"), std::string::npos) << "the written design still has the old stem";
    std::remove(out.c_str());
}

// Every form of --limit read; a lead band no design reaches is said, exit 1, and no
// design written.
TEST(EqualiseCommand, UnmetLimitIsStatusOneAndWritesNothing) {
    const std::string out = (std::filesystem::temp_directory_path() / "quarn_unmet.qgd").string();
    std::remove(out.c_str());
    const CliRun r = runCommand({"equalise", "--set", "ValveCtrToJoint=6.42", "--vary", "ValveCtrToJoint",
                                 "--range", "0.04", "--max-evals", "2", "--limit", "lead=1:1.1", "--limit",
                                 "lap=0.001", "--limit=opening=5", "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("keeps the front lead at 25 % fwd within 1 to 1.1"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("within 1 to 1.1; steam lap and exhaust clearances within +-0.001"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("at least 95 % of the start's"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Working points, goals and a dimension's own bounds as the command line spells them,
// each shown in the report: the point's setting, every goal's miss, the bounds.
TEST(EqualiseCommand, ReportsEveryGoalAtThePointsAsked) {
    const CliRun r = runCommand({"equalise", "--set", "ValveCtrToJoint=6.42", "--vary", "ValveCtrToJoint:6.38:6.43",
                                 "--points", "75f", "--goal", "cutoff-equal=1", "--goal", "lead=0.03@25f:0.1",
                                 "--max-evals", "12", "--starts", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("75 % fwd, arm ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n25 % fwd, arm "), std::string::npos) << "the goal's own point is read";
    EXPECT_NE(r.out.find("equal cut-off at every point (75 % fwd)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("lead 0.03 at 25 % fwd, weight 0.1, rear"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(6.38 to 6.43)"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quarn::cli
