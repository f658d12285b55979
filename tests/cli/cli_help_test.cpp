// The command table: every command's --help, the general usage, bad command lines, and
// the README's usage lines against the commands' own.
#include <gtest/gtest.h>

#include <gmock/gmock.h>

#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

TEST(CommandTable, HasEveryCommand) {
    EXPECT_THAT(commandNames(),
                ::testing::ElementsAre("centre", "convert", "cutoff", "diagram", "equalise", "events",
                                       "render", "report", "save", "sensitivity", "show", "solve", "table",
                                       "tolerance"));
}

class CommandHelp : public ::testing::TestWithParam<std::string> {};

TEST_P(CommandHelp, PrintsItsUsageAndSucceeds) {
    const std::string& command = GetParam();
    for (const char* flag : {"--help", "-h"}) {
        const CliRun r = runCommand({command, flag});
        EXPECT_EQ(r.status, 0) << flag;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_EQ(r.out.rfind("quarngear-cli " + command + " ", 0), 0u) << r.out;
        EXPECT_NE(r.out.find(std::string("quarngear-cli ") + command), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandHelp, ::testing::ValuesIn(commandNames()),
                         [](const auto& info) { return info.param; });

TEST(GeneralHelp, ListsEveryCommandsUsage) {
    const CliRun r = runCommand({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const std::string& command : commandNames())
        EXPECT_NE(r.out.find("\nquarngear-cli " + command + " "), std::string::npos) << command;
}

// Each option a command takes is named in the help, and explained.
TEST(GeneralHelp, NamesTheFrameAndTableOptions) {
    const std::string help = runCommand({"--help"}).out;
    for (const char* option : {"[--steam]", "[--ticks N | --show-dimension N [--frame F]]",
                               "[--step S]", "[--pivots A,B,C,D,E,F]", "  --steam  ",
                               "  --ticks N  ", "  --show-dimension N\n", "  --frame F  "})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

struct BadLine {
    const char* name;
    std::vector<std::string> args;
    const char* said;
};
void PrintTo(const BadLine& c, std::ostream* os) { *os << c.name; }

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, IsStatusTwoWithUsageOnStderr) {
    const CliRun r = runCommand(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadCommandLine,
    ::testing::Values(
        BadLine{"NoCommand", {}, "usage: quarngear-cli COMMAND"},
        BadLine{"UnknownCommand", {"frobnicate"}, "unknown command 'frobnicate'"},
        BadLine{"OptionForACommand", {"--file", "a.qgd"}, "unknown command '--file'"},
        BadLine{"SaveWithoutFile", {"save"}, "quarngear-cli save OUT"},
        BadLine{"ConvertWithOneFile", {"convert", "a.qgk"}, "quarngear-cli convert IN.qgk"},
        BadLine{"ShowWithoutFile", {"show"}, "quarngear-cli show FILE"},
        BadLine{"RenderWithoutPicture", {"render"}, "quarngear-cli render frame"},
        BadLine{"SetWithoutValue", {"centre", "--set"}, "--set needs a value"},
        BadLine{"TableWithAPicture", {"table", "frame"}, "quarngear-cli table [--file PATH]"}),
    [](const auto& info) { return std::string(info.param.name); });

// Usage lines are compared word for word: the README and the help wrap them apart.
std::string normalised(const std::string& text) {
    std::istringstream in(text);
    std::string word, result;
    while (in >> word) result += (result.empty() ? "" : " ") + word;
    return result;
}

// The usage entries a help text starts with: a line from "quarngear-cli", and the
// lines after it indented past the two spaces of the description.
std::vector<std::string> helpUsage(const std::string& help) {
    std::vector<std::string> entries;
    for (const std::string& line : outputLines(help)) {
        if (line.rfind("quarngear-cli ", 0) == 0)
            entries.push_back(line);
        else if (!entries.empty() && line.rfind("   ", 0) == 0)
            entries.back() += " " + line;
        else
            break;
    }
    for (auto& e : entries) e = normalised(e);
    return entries;
}

// The usage entries of the README's section on the command-line companion: code lines
// (four spaces in) from "quarngear-cli", with the lines indented further under them.
std::vector<std::string> readmeUsage(const std::string& readme) {
    std::vector<std::string> entries;
    bool inSection = false, inEntry = false;
    for (const std::string& line : outputLines(readme)) {
        if (line.rfind("## ", 0) == 0) inSection = line == "## The command-line companion";
        if (!inSection) continue;
        if (line.rfind("    quarngear-cli ", 0) == 0) {
            entries.push_back(line);
            inEntry = true;
        } else if (inEntry && line.rfind("     ", 0) == 0) {
            entries.back() += " " + line;
        } else {
            inEntry = false;
        }
    }
    for (auto& e : entries) e = normalised(e);
    return entries;
}

std::string commandOf(const std::string& entry) {
    const auto start = entry.find(' ') + 1;
    return entry.substr(start, entry.find(' ', start) - start);
}

TEST(Readme, UsageLinesAreTheCommandsOwn) {
    const std::string readme = readText(sourceFile("README.md"));
    ASSERT_FALSE(readme.empty());
    const auto readmeEntries = readmeUsage(readme);
    const auto names = commandNames();
    std::set<std::string> known(names.begin(), names.end());
    for (const std::string& entry : readmeEntries)
        EXPECT_TRUE(known.count(commandOf(entry))) << "no such command: " << entry;
    for (const std::string& command : names) {
        std::vector<std::string> inReadme;
        for (const std::string& entry : readmeEntries)
            if (commandOf(entry) == command) inReadme.push_back(entry);
        const CliRun help = runCommand({command, "--help"});
        const auto inHelp = helpUsage(help.out);
        ASSERT_FALSE(inHelp.empty()) << command;
        EXPECT_EQ(inReadme, inHelp) << command;
    }
}

}  // namespace
}  // namespace quarn::cli
