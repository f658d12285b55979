// `quarngear-cli tolerance`: one toleranced part read from a file, as text and as CSV;
// and every option that does not read refused with a sentence that names it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli_run.h"

namespace quarn::cli {
namespace {

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The valve stem alone toleranced, at normal forward: it moves the valve itself, so the
// front lead spreads about its nominal by up to the tolerance.
TEST(ToleranceCommand, OnePartFromAFileAsTextAndCsv) {
    const std::string file = writeFile("stem.csv", "name,tolerance\nValveCtrToJoint,0.002\n");
    const std::vector<std::string> args{"tolerance", "--tol", "0", "--tol-file", file, "--samples", "60",
                                        "--points", "arm=11.79841"};
    const CliRun text = runCommand(args);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("60 samples, each dimension uniform within its tolerance, seed 1; 1 dimension drawn"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("arm 11.7984, reverse arm 11.79841, running forwards"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("  ValveCtrToJoint                 100.0 %      100.0 %      100.0 %"),
              std::string::npos)
        << text.out;

    auto withCsv = args;
    withCsv.push_back("--csv");
    const CliRun csv = runCommand(withCsv);
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto lines = outputLines(csv.out);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[0], "point,revarm,outcome,item,value");
    EXPECT_EQ(lines[1], "all,,,samples,60");
    std::map<std::string, double> lead;
    for (const std::string& l : lines)
        if (l.rfind("arm=11.7984,11.798410,lead_front,", 0) == 0) {
            const auto item = l.substr(33, l.find(',', 33) - 33);
            lead[item] = csvField(l, 4);
        }
    ASSERT_TRUE(lead.count("nominal") && lead.count("p5") && lead.count("p95")) << csv.out;
    EXPECT_NEAR(lead["nominal"], 0.032, 0.001);
    EXPECT_LT(lead["p5"], lead["nominal"]);
    EXPECT_GT(lead["p95"], lead["nominal"]);
    EXPECT_GT(lead["p5"], lead["nominal"] - 0.002);
    EXPECT_EQ(lead["share:ValveCtrToJoint"], 1.0);
    std::remove(file.c_str());
}

TEST(ToleranceCommand, RefusesWhatDoesNotRead) {
    const std::string bad = writeFile("bad.csv", "name,tolerance\nStroke,0.001\nStroke 0.002\n");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Row rows[] = {
        {{"--samples", "0"}, 2, "--samples takes a whole number from 1 to 200000, not '0'"},
        {{"--samples", "2.5"}, 2, "--samples takes a whole number"},
        {{"--seed", "-1"}, 2, "--seed takes a whole number from 0 to 9007199254740991"},
        {{"--tol", "nan"}, 2, "--tol takes a tolerance from 0 to 1, not 'nan'"},
        {{"--tol", "2"}, 2, "--tol takes a tolerance from 0 to 1"},
        {{"--points", "25x"}, 2, "--points: \"25x\" is no working point"},
        {{"--distribution", "cauchy"}, 2, "--distribution takes uniform or normal"},
        {{"--cutoff-limit", "-1"}, 2, "--cutoff-limit takes a number of points from 0 to 100"},
        {{"--lead-band", "0.05:0"}, 2, "--lead-band takes LOW:HIGH with LOW no higher than HIGH"},
        {{"--tol-file", "/no/such/file.csv"}, 1, "cannot read the tolerance file /no/such/file.csv"},
        {{"--tol-file", bad}, 1, "line 3: \"Stroke 0.002\" is not NAME,TOLERANCE"},
        {{"--points", "99f"}, 1, "99 % fwd"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args{"tolerance", "--samples", "4"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        if (row.args[0] == "--samples") args.erase(args.begin() + 1, args.begin() + 3);
        SCOPED_TRACE(row.says);
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
    }
    std::remove(bad.c_str());
}

}  // namespace
}  // namespace quarn::cli
