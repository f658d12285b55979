// `quarngear-cli cutoff`: the setting it finds, typed back into `events`, gives the
// cut-off asked for; a cut-off beyond the gear is refused with the range it can give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"

namespace quarn::cli {
namespace {

struct CutOffRow {
    std::vector<std::string> args;
    const char* said;       // the sentence after the setting
    const char* direction;  // the way the driver runs, as events names it
    int end;                // 0 front, 1 rear, 2 the mean of the two
    double percent;
};

TEST(CutOffCommand, TheSettingFoundGivesTheCutOffAskedFor) {
    const CutOffRow rows[] = {
        {{"cutoff", "25"}, " gives a forward mean cut-off of 25.00 %", ",fwd,", 2, 25},
        {{"cutoff", "40", "--reverse", "--end", "front"}, " gives a reverse front cut-off of 40.00 %", ",rev,", 0, 40},
        {{"cutoff", "--end", "rear", "12.5"}, " gives a forward rear cut-off of 12.50 %", ",fwd,", 1, 12.5},
    };
    for (const CutOffRow& row : rows) {
        SCOPED_TRACE(row.said);
        const CliRun found = runCommand(row.args);
        ASSERT_EQ(found.status, 0) << found.err;
        const std::string sentence = outputLines(found.out).at(1);  // "Reverse arm 10.71014 gives ..."
        const std::string setting = sentence.substr(12, sentence.find(' ', 12) - 12);
        EXPECT_GE(setting.size() - setting.find('.'), 4u) << sentence;
        EXPECT_EQ(sentence.substr(12 + setting.size()), row.said);
        EXPECT_NE(found.out.find("\nPre-admission rear %"), std::string::npos) << found.out;

        const auto l = outputLines(runCommand({"events", "--csv", "--settings", setting}).out);
        ASSERT_EQ(l.size(), 3u);
        EXPECT_NE(l[1].find(row.direction), std::string::npos) << l[1];
        const double front = csvField(l[1], 5), rear = csvField(l[2], 5);
        EXPECT_NEAR(row.end == 0 ? front : row.end == 1 ? rear : (front + rear) / 2, row.percent, 0.01);
    }
}

// The nominal gear cuts off near 79 % at normal forward and reverse, and not far
// beyond at full gear: 95 % is out of reach either way.
TEST(CutOffCommand, RefusesACutOffBeyondTheGearWithItsRange) {
    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse ? "reverse" : "forward");
        std::vector<std::string> args{"cutoff", "95"};
        if (reverse) args.push_back("--reverse");
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        const auto from = r.err.find("gives cut-offs from ");
        ASSERT_NE(from, std::string::npos) << r.err;
        EXPECT_LT(std::stod(r.err.substr(from + 20)), 25);
        const double highest = std::stod(r.err.substr(r.err.find(" to ", from) + 4));
        EXPECT_GT(highest, 78);
        EXPECT_LT(highest, 95);
        EXPECT_NE(r.err.find(reverse ? "in reverse" : "in forward gear"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace quarn::cli
