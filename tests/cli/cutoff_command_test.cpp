// `quarngear-cli cutoff`: the setting found gives the cut-off asked for when it is typed
// back into `events`, and a cut-off beyond the gear is refused with what it can give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"

namespace quarn::cli {
namespace {

struct CutOffRow {
    const char* name;
    std::vector<std::string> args;
    const char* said;       // the sentence's end after the setting
    const char* direction;  // as events names the way the driver runs
    int end;                // 0 front, 1 rear, 2 the mean of the two
    double percent;
};

const CutOffRow CutOffs[] = {
    {"forward mean", {"cutoff", "25"}, " gives a forward mean cut-off of 25.00 %", "fwd", 2, 25},
    {"reverse front", {"cutoff", "40", "--reverse", "--end", "front"}, " gives a reverse front cut-off of 40.00 %",
     "rev", 0, 40},
    {"forward rear", {"cutoff", "--end", "rear", "12.5"}, " gives a forward rear cut-off of 12.50 %", "fwd", 1,
     12.5},
};

// The cut-off field (the sixth) of the events CSV line of one end.
double cutOffField(const std::string& line) {
    std::size_t at = 0;
    for (int k = 0; k < 5; ++k) at = line.find(',', at) + 1;
    return std::stod(line.substr(at, line.find(',', at) - at));
}

TEST(CutOffCommand, TheSettingFoundGivesTheCutOffAskedFor) {
    for (const CutOffRow& row : CutOffs) {
        SCOPED_TRACE(row.name);
        const CliRun found = runCommand(row.args);
        ASSERT_EQ(found.status, 0) << found.err;
        const auto lines = outputLines(found.out);
        ASSERT_GE(lines.size(), 16u) << found.out;
        // "Reverse arm 10.71014 gives ...": the setting with at least three decimals.
        const std::string& sentence = lines[1];
        ASSERT_EQ(sentence.rfind("Reverse arm ", 0), 0u) << sentence;
        const std::string setting = sentence.substr(12, sentence.find(' ', 12) - 12);
        EXPECT_GE(setting.size() - setting.find('.'), 4u) << setting;
        EXPECT_EQ(sentence.substr(12 + setting.size()), row.said);
        for (const char* event : {"Lead front", "Cut-off rear %", "Release front %", "Compression rear %",
                                  "Pre-admission front %", "Pre-admission rear %"})
            EXPECT_NE(found.out.find(std::string("\n") + event + " "), std::string::npos) << event;

        const CliRun events = runCommand({"events", "--csv", "--settings", setting});
        ASSERT_EQ(events.status, 0) << events.err;
        const auto rows = outputLines(events.out);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_NE(rows[1].find(std::string(",") + row.direction + ",front,"), std::string::npos) << rows[1];
        const double front = cutOffField(rows[1]), rear = cutOffField(rows[2]);
        const double got = row.end == 0 ? front : row.end == 1 ? rear : (front + rear) / 2;
        EXPECT_NEAR(got, row.percent, 0.01);
    }
}

// The nominal gear cuts off near 78 % at normal forward and reverse, and above that
// only to full gear: 95 % is beyond it either way.
TEST(CutOffCommand, RefusesACutOffBeyondTheGearWithItsRange) {
    for (const auto& [args, way] : {std::pair<std::vector<std::string>, const char*>{{"cutoff", "95"}, "in forward gear"},
                                    {{"cutoff", "95", "--reverse"}, "in reverse"}}) {
        SCOPED_TRACE(way);
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        const auto from = r.err.find("gives cut-offs from ");
        ASSERT_NE(from, std::string::npos) << r.err;
        const double lowest = std::stod(r.err.substr(from + 20));
        const double highest = std::stod(r.err.substr(r.err.find(" to ", from) + 4));
        EXPECT_LT(lowest, 25);
        EXPECT_GT(highest, 78);
        EXPECT_LT(highest, 95);
        EXPECT_NE(r.err.find(way), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace quarn::cli
