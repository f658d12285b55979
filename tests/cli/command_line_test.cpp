// What quarngear-cli refuses on a command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"

namespace quarn::cli {
namespace {

TEST(CommandLine, RefusedLinesAreStatusTwoWithTheReasonAndTheUsage) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string said;
    } rows[] = {
        {"NaNAngle", {"solve", "--angles", "0,nan"}, "--angles takes numbers separated by commas, not 'nan'"},
        {"InfiniteSetting", {"centre", "--set", "RevArmToCentNormal=inf"}, "must be a finite decimal number"},
        {"BeyondAFloat", {"centre", "--set", "Stroke=1e39"}, "at most 3.4e38, not '1e39'"},
        {"BeyondADouble", {"events", "--settings", "1e400"}, "not '1e400'"},
        {"Hexadecimal", {"solve", "--revarm", "0x1p3"}, "--revarm takes a number, not '0x1p3'"},
        {"MinusInfiniteAngle", {"render", "frame", "--list", "--angle", "-inf"},
         "--angle takes a number, not '-inf'"},
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

}  // namespace
}  // namespace quarn::cli
