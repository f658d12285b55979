// How quarngear-cli reads a command line: "--name=value", dimension names in any case,
// numbers that must be finite decimals, options a command has no use for, long lists,
// and an output that cannot be written.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_run.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

TEST(CommandLine, ValueAfterAnEqualsSignIsTheSameAsAfterASpace) {
    const struct {
        const char* name;
        std::vector<std::string> spaced, joined;
    } rows[] = {
        {"Angles", {"solve", "--angles", "0,90"}, {"solve", "--angles=0,90"}},
        {"ListStartingWithAMinus",
         {"diagram", "sine", "--csv", "--positions", "-1,10.3"},
         {"diagram", "sine", "--csv", "--positions=-1,10.3"}},
        {"SetAndGear", {"table", "--set", "Stroke=4.5", "--gear", "fwd", "--step", "45"},
         {"table", "--set=Stroke=4.5", "--gear=fwd", "--step=45"}},
        {"FileAndSolver", {"report", "--csv", "--file", dataFile("nominal.qgd"), "--solver", "classic"},
         {"report", "--csv", "--file=" + dataFile("nominal.qgd"), "--solver=classic"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun joined = runCommand(row.joined);
        EXPECT_EQ(joined.status, 0) << joined.err;
        // The first line of a table is dated to the second.
        const auto afterFirstLine = [](const std::string& out) {
            return out.substr(std::min(out.find('\n'), out.size()));
        };
        EXPECT_EQ(afterFirstLine(joined.out), afterFirstLine(runCommand(row.spaced).out));
    }
}

TEST(CommandLine, DimensionNamesAreTakenInAnyCase) {
    const struct {
        const char* name;
        std::vector<std::string> typed, exact;
    } rows[] = {
        {"Set", {"centre", "--set", "stroke=4.5"}, {"centre", "--set", "Stroke=4.5"}},
        {"Studied", {"sensitivity", "--csv", "--dims", "VALVECTRTOJOINT", "--solver", "classic"},
         {"sensitivity", "--csv", "--dims", "ValveCtrToJoint", "--solver", "classic"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun typed = runCommand(row.typed);
        EXPECT_EQ(typed.status, 0) << typed.err;
        EXPECT_EQ(typed.out, runCommand(row.exact).out);
    }
    // A note on a pulled limit names the dimension as the program spells it.
    const CliRun pulled = runCommand({"centre", "--set", "revarmtocentnormal=13"});
    EXPECT_NE(pulled.err.find("RevArmToCentNormal 13.000 is beyond"), std::string::npos) << pulled.err;
}

TEST(CommandLine, RefusedLinesAreStatusTwoWithTheReasonAndTheUsage) {
    std::string manySettings = "10";
    for (int k = 0; k < 1001; ++k) manySettings += ",10";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string said;
    } rows[] = {
        {"MistypedDimension", {"centre", "--set", "Strok=4"},
         "unknown dimension 'Strok'; did you mean Stroke?\n"},
        {"MistypedInAnyCase", {"sensitivity", "--dims", "valverodlenght"},
         "unknown dimension 'valverodlenght'; did you mean ValveRodLength?\n"},
        {"NothingNear", {"centre", "--set", "Nope=1"}, "unknown dimension 'Nope'\n"},
        {"MistypedOption", {"solve", "--angel", "90"}, "unknown option '--angel'; did you mean --angles?\n"},
        {"NaNAngle", {"solve", "--angles", "0,nan"}, "--angles takes numbers separated by commas, not 'nan'"},
        {"InfiniteSetting", {"centre", "--set", "RevArmToCentNormal=inf"}, "must be a finite decimal number"},
        {"BeyondAFloat", {"centre", "--set", "Stroke=1e39"}, "at most 3.4e38, not '1e39'"},
        {"BeyondADouble", {"events", "--settings", "1e400"}, "not '1e400'"},
        {"Hexadecimal", {"solve", "--revarm", "0x1p3"}, "--revarm takes a number, not '0x1p3'"},
        {"MinusInfiniteAngle", {"render", "frame", "--list", "--angle", "-inf"},
         "--angle takes a number, not '-inf'"},
        {"PortsHaveNoPositions", {"diagram", "ports", "--csv", "--positions", "11", "--travel-scale", "3"},
         "--positions does not apply to the ports diagram"},
        {"PortsHaveNoTravelScale", {"diagram", "ports", "--csv", "--travel-scale", "3"},
         "--travel-scale does not apply to the ports diagram"},
        {"SteamHasNoTravelScale", {"diagram", "steam", "--csv", "--travel-scale", "3"},
         "--travel-scale does not apply to the steam diagram"},
        {"SwitchGivenAValue", {"events", "--csv=0"}, "--csv takes no value"},
        {"OptionGivenTwice", {"table", "--step", "10", "--step", "20"}, "--step is given more than once"},
        {"TwoAssignmentsToOneSet", {"centre", "--set", "Stroke=4", "Stroke=5"}, "unknown option 'Stroke=5'"},
        {"TooManySettings", {"events", "--settings", manySettings},
         "--settings takes at most 1001 settings, not 1002"},
        {"DimensionStudiedTwice", {"sensitivity", "--dims", "Stroke,DriverDia,stroke"},
         "--dims names Stroke twice"},
        {"DimensionVariedTwice", {"equalise", "--vary", "ValveCtrToJoint,valvectrtojoint"}, "chosen twice"},
        {"GoalGivenTwice", {"equalise", "--vary", "Stroke", "--goal", "lead-equal,lead-equal:2"},
         "lead-equal is given twice"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun r = runCommand(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(row.said), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("\nquarngear-cli " + row.args[0] + " "), std::string::npos) << "no usage";
    }
}

// The program itself, its standard output sent where nothing can be written.
TEST(CommandLine, OutputThatCannotBeWrittenIsAFailureSaidOnStderr) {
    QTemporaryDir dir;
    const std::string saved = (dir.path() + "/saved.qgd").toStdString();
    const struct {
        const char* name;
        std::string line;  // for sh -c, the program as $0
        int status;
        const char* said;
    } rows[] = {
        {"FullDevice", "exec \"$0\" report >/dev/full", 1,
         "the output could not be written: No space left on device\n"},
        {"ClosedOutput", "exec \"$0\" solve >&-", 1, "the output could not be written: Bad file descriptor\n"},
        {"NothingToWrite", "exec \"$0\" save '" + saved + "' >&-", 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QProcess program;
        program.start("/bin/sh", {"-c", QString::fromStdString(row.line), QUARN_CLI_PROGRAM});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), row.status);
        const std::string err = program.readAllStandardError().toStdString();
        EXPECT_EQ(err, row.said[0] ? std::string("quarngear-cli: ") + row.said : "");
    }
}

}  // namespace
}  // namespace quarn::cli
