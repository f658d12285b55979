// The contract of `quarngear-cli render`: the pictures as their stored primitive lists,
// the PNG file, the choice of format by the file name, and the exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

std::vector<std::string> withOptions(std::vector<std::string> args,
                                     const std::vector<std::string>& options) {
    args.insert(args.end(), options.begin(), options.end());
    return args;
}

struct ListCase {
    const char* name;
    std::vector<std::string> options;
    const char* golden;
};
void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class FrameList : public ::testing::TestWithParam<ListCase> {};

TEST_P(FrameList, IsTheStoredPrimitiveList) {
    const CliRun r = runCommand(withOptions({"render", "frame", "--list"}, GetParam().options));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const std::string golden = readText(dataFile(GetParam().golden));
    ASSERT_FALSE(golden.empty());
    EXPECT_TRUE(r.out == golden) << firstDifference(r.out, golden);
}

INSTANTIATE_TEST_SUITE_P(
    NominalGear, FrameList,
    ::testing::Values(ListCase{"StandardAtZero", {}, "frame_0.list.txt"},
                      ListCase{"StandardAtNinety", {"--angle", "90"}, "frame_90.list.txt"},
                      ListCase{"ErieAtZero", {"--erie"}, "frame_erie_0.list.txt"},
                      ListCase{"ErieAtNinety", {"--erie", "--angle", "90"},
                               "frame_erie_90.list.txt"},
                      ListCase{"SteamStandingAtZero", {"--steam"}, "frame_steam_0.list.txt"},
                      // A turn and more in full forward gear: levels, events and the
                      // live cut-off of both ends have come round.
                      ListCase{"SteamAfterFortyTicksForward",
                               {"--steam", "--gear", "fwd", "--ticks", "40"},
                               "frame_steam_fwd_ticks40.list.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

// Primitives of the nominal frame worked out from the dimensions and the start view
// (x = 18 h + 86, y = -18 v + 280), so that the stored lists are known to be right.
struct PlacedCase {
    const char* name;
    const char* angle;
    const char* primitive;
};
void PrintTo(const PlacedCase& c, std::ostream* os) { *os << c.name; }

class FramePrimitive : public ::testing::TestWithParam<PlacedCase> {};

TEST_P(FramePrimitive, IsWhereTheViewPutsIt) {
    const CliRun r = runCommand({"render", "frame", "--list", "--angle", GetParam().angle});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = outputLines(r.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("ellipse ", 0), 0u) << "the driver comes first, no clear";
    EXPECT_NE(std::find(lines.begin(), lines.end(), GetParam().primitive), lines.end())
        << GetParam().primitive;
}

INSTANTIATE_TEST_SUITE_P(
    NominalGear, FramePrimitive,
    ::testing::Values(
        // The 9 in driver: radius 81 pixels about (86, 280).
        PlacedCase{"DriverCircle", "0", "ellipse 5 199 167 361 #000000 1"},
        // The red cross on the driver centre, 5 pixels each way.
        PlacedCase{"DriverCentreCross", "0", "line 91 285 80 274 #ff0000 1"},
        // The crank pin half the 4.25 stroke from the centre: 38.25 pixels ahead at 0,
        // below at 90.
        PlacedCase{"CrankPinAtZero", "0", "ellipse 116 272 132 288 #000000 1"},
        PlacedCase{"CrankPinAtNinety", "90", "ellipse 78 310 94 326 #000000 1"},
        // The value panel: plain 8-point text without background.
        PlacedCase{"DriverAngleReadOut", "90",
                   "text 459 39 #000000 8 normal clear \"Driv Ang  90.00  \""}),
    [](const auto& info) { return std::string(info.param.name); });

struct PngCase {
    const char* name;
    std::vector<std::string> options;
    const char* file;
};
void PrintTo(const PngCase& c, std::ostream* os) { *os << c.name; }

class RenderPng : public ::testing::TestWithParam<PngCase> {
protected:
    QTemporaryDir dir;
    std::string path(const char* file) const { return (dir.path() + "/" + file).toStdString(); }
};

TEST_P(RenderPng, WritesTheWholeFrame) {
    const PngCase c = GetParam();
    ASSERT_TRUE(dir.isValid());
    const CliRun r = runCommand(withOptions({"render", "frame", "--out", path(c.file)}, c.options));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const QImage written(QString::fromStdString(path(c.file)), "PNG");
    ASSERT_EQ(written.size(), QSize(1280, 1024));
    // White where nothing is drawn, and the red cross of the driver centre at
    // (86, 280) in the start-up view.
    EXPECT_EQ(written.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(written.pixel(91, 285), qRgb(255, 0, 0));
    EXPECT_EQ(written.pixel(86, 280), qRgb(255, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    States, RenderPng,
    ::testing::Values(PngCase{"StartUp", {}, "f.png"},
                      PngCase{"ErieTriplexReverseArm",
                              {"--erie", "--revarm", "9.5", "--angle", "215.5"}, "f.png"},
                      PngCase{"ChangedDimension",
                              {"--set", "Stroke=4.5", "--gear", "fwd", "--angle", "30"}, "f.png"},
                      PngCase{"EndingInCapitals", {}, "F.PNG"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenderCommand, FileAndListTogetherShowTheSameFrame) {
    QTemporaryDir dir;
    const std::string out = (dir.path() + "/both.png").toStdString();
    const CliRun r = runCommand({"render", "frame", "--out", out, "--list", "--angle", "90"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(1280, 1024));
    const std::string golden = readText(dataFile("frame_90.list.txt"));
    EXPECT_TRUE(r.out == golden) << firstDifference(r.out, golden);
}

TEST(RenderCommand, StrangeGeometryStillGivesAPicture) {
    QTemporaryDir dir;
    const std::string out = (dir.path() + "/odd.png").toStdString();
    const CliRun r = runCommand(
        {"render", "frame", "--out", out, "--set", "DriverDia=1e30", "--angle", "3e38"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
}

TEST(RenderCommand, UnwritableFileIsStatusOneWithItsNameAndNoList) {
    const CliRun r = runCommand({"render", "frame", "--out", "/nonexistent-folder/f.png", "--list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/nonexistent-folder/f.png"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* said;  // part of the message
};
void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class RenderUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(RenderUsage, IsStatusTwoAndWritesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::string> args = GetParam().args;
    for (auto& a : args)
        if (a.rfind("DIR/", 0) == 0) a = (dir.path() + a.substr(3).c_str()).toStdString();
    const CliRun r = runCommand(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("quarngear-cli render frame"), std::string::npos) << "no usage";
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, RenderUsage,
    ::testing::Values(
        UsageCase{"NoPicture", {"render"}, "needs the picture to draw: frame"},
        UsageCase{"UnknownPicture", {"render", "picture", "--out", "DIR/x.png"},
                  "draws frame, not 'picture'"},
        UsageCase{"NeitherFileNorList", {"render", "frame"}, "needs --out FILE, --list or both"},
        UsageCase{"OutWithoutName", {"render", "frame", "--out"}, "--out needs a value"},
        UsageCase{"AngleNotANumber", {"render", "frame", "--list", "--angle", "abc"},
                  "--angle takes a number"},
        UsageCase{"RevArmAndGear", {"render", "frame", "--list", "--revarm", "1", "--gear", "fwd"},
                  "exclude each other"},
        UsageCase{"JpegEnding", {"render", "frame", "--out", "DIR/x.jpg"}, "ends in .jpg"},
        UsageCase{"GifEnding", {"render", "frame", "--list", "--out", "DIR/x.gif"},
                  "ending in .png, .svg or .pdf"},
        UsageCase{"NoEnding", {"render", "frame", "--out", "DIR/x"}, "has no ending"},
        UsageCase{"DimensionWithoutAButton", {"render", "frame", "--list", "--show-dimension", "31"},
                  "--show-dimension takes a dimension's code"},
        UsageCase{"DimensionZero", {"render", "frame", "--list", "--show-dimension", "0"},
                  "--show-dimension takes"},
        UsageCase{"GraphicFrameAlone", {"render", "frame", "--list", "--frame", "2"},
                  "--frame is a frame of the graphic"},
        UsageCase{"GraphicFramePastItsEnd",
                  {"render", "frame", "--list", "--show-dimension", "3", "--frame", "1001"},
                  "--frame takes a whole number from 1 to 1000"},
        UsageCase{"GraphicWithTicks",
                  {"render", "frame", "--list", "--show-dimension", "3", "--ticks", "2"},
                  "does not go with --ticks"},
        UsageCase{"DotOnlyInTheFolder", {"render", "frame", "--out", "DIR/v1.0/x"},
                  "has no ending"},
        UsageCase{"TicksNegative", {"render", "frame", "--list", "--ticks", "-1"},
                  "--ticks takes a whole number from 0 to 100000, not '-1'"},
        UsageCase{"TicksFraction", {"render", "frame", "--list", "--ticks", "2.5"},
                  "--ticks takes a whole number"},
        UsageCase{"TicksTooMany", {"render", "frame", "--list", "--ticks", "100001"},
                  "--ticks takes a whole number"},
        UsageCase{"TicksNotANumber", {"render", "frame", "--list", "--ticks", "ten"},
                  "--ticks takes a whole number"},
        UsageCase{"TicksWithoutValue", {"render", "frame", "--list", "--ticks"},
                  "--ticks needs a value"},
        UsageCase{"SteamTakesNoValue", {"render", "frame", "--list", "--steam", "on"},
                  "unknown option 'on'"},
        UsageCase{"ScalePastEight", {"render", "frame", "--out", "DIR/x.png", "--scale", "9"},
                  "--scale takes a whole number from 1 to 8, not '9'"},
        UsageCase{"TitleWithoutAFile", {"render", "frame", "--list", "--title"},
                  "--title is a choice of the picture written by --out FILE"},
        UsageCase{"ScaleOfAVectorPicture", {"render", "frame", "--out", "DIR/x.SVG", "--scale", "2"},
                  "--scale is a choice of a PNG picture"}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> frameLines(const std::vector<std::string>& options) {
    const CliRun r = runCommand(withOptions({"render", "frame", "--list"}, options));
    EXPECT_EQ(r.status, 0) << r.err;
    return outputLines(r.out);
}

std::string textAt(const std::vector<std::string>& lines, const std::string& position) {
    const std::string start = "text " + position + " ";
    for (const std::string& l : lines)
        if (l.rfind(start, 0) == 0) return l.substr(l.find('"'));
    return "";
}

// The driver's read-out after the ticks: the start-up step of 10 degrees per tick,
// the tick shown included, folded past 360.1; backwards on the reverse side of mid gear.
struct TickCase {
    const char* name;
    std::vector<std::string> options;
    const char* angleText;
};
void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class FrameTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(FrameTicks, DriverAngleReadOutHasAdvanced) {
    const auto lines = frameLines(GetParam().options);
    EXPECT_EQ(textAt(lines, "459 39"), std::string("\"Driv Ang ") + GetParam().angleText + "  \"");
}

INSTANTIATE_TEST_SUITE_P(
    StartUpStep, FrameTicks,
    ::testing::Values(TickCase{"Standing", {"--angle", "30"}, " 30.00"},
                      TickCase{"ZeroTicksIsTheFirstTick", {"--angle", "30", "--ticks", "0"}, " 40.00"},
                      TickCase{"ThirtyFive", {"--ticks", "35"}, "360.00"},
                      TickCase{"ThirtySixFoldsPast360", {"--ticks", "36"}, " 10.00"},
                      TickCase{"MidGearTurnsForward", {"--gear", "mid", "--ticks", "2"}, " 30.00"},
                      TickCase{"ReverseGearTurnsBackward", {"--gear", "rev", "--ticks", "0"}, "350.00"},
                      TickCase{"JustBelowMidGearTurnsBackward",
                               {"--revarm", "10.297", "--ticks", "3", "--angle", "90"}, " 50.00"}),
    [](const auto& info) { return std::string(info.param.name); });

// The tick draws the gear as solved before its advance, and what reads DriverAngle
// itself (the driver's read-out, the counterweight arc) at the advanced angle: the
// first tick from 90 degrees is the standing frame at 90 with those two of 100.
TEST(FrameTicks, GearIsDrawnAtTheAngleBeforeTheAdvance) {
    std::vector<std::string> expected = outputLines(readText(dataFile("frame_90.list.txt")));
    const auto at100 = frameLines({"--angle", "100"});
    ASSERT_EQ(at100.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (expected[i].rfind("arc ", 0) == 0 || expected[i].find("Driv Ang") != std::string::npos)
            expected[i] = at100[i];
    EXPECT_NE(expected, outputLines(readText(dataFile("frame_90.list.txt"))));
    EXPECT_EQ(frameLines({"--angle", "90", "--ticks", "0"}), expected);
}

// The live cut-off needs the frame before: a standing frame shows none, and a turn of
// ticks shows the closing of each end's admission near where the valve-event report
// puts it (nominal gear: 6.6 and 5.1 % at mid gear, 78.3 and 78.4 % in full forward,
// 78.9 and 79.3 % in full reverse), interpolated between 10-degree steps.
struct CutOffCase {
    const char* name;
    const char* gear;
    double front, rear;
};
void PrintTo(const CutOffCase& c, std::ostream* os) { *os << c.name; }

class LiveCutOff : public ::testing::TestWithParam<CutOffCase> {};

TEST_P(LiveCutOff, ShownAfterATurnNearTheReportsValue) {
    EXPECT_EQ(textAt(frameLines({"--gear", GetParam().gear}), "600 109"), "");
    const auto lines = frameLines({"--gear", GetParam().gear, "--ticks", "40"});
    const std::string front = textAt(lines, "600 109"), rear = textAt(lines, "600 121");
    ASSERT_EQ(front.size(), 6u) << front;  // "NN.N" in quotes, 4 wide
    ASSERT_EQ(rear.size(), 6u) << rear;
    EXPECT_NEAR(std::stod(front.substr(1)), GetParam().front, 0.5);
    EXPECT_NEAR(std::stod(rear.substr(1)), GetParam().rear, 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    NominalGear, LiveCutOff,
    ::testing::Values(CutOffCase{"MidGear", "mid", 6.6, 5.1},
                      CutOffCase{"FullForward", "fwd", 78.3, 78.4},
                      CutOffCase{"FullReverse", "rev", 78.9, 79.3}),
    [](const auto& info) { return std::string(info.param.name); });

// The steam display adds its pixels and legend under the gear and changes nothing else
// of the frame; the pixel colours follow each end's event.
TEST(FrameSteam, AddsPixelsAndTheLegendToTheSameFrame) {
    const auto steam = frameLines({"--steam"});
    std::vector<std::string> rest;
    std::size_t pixels = 0;
    for (const auto& l : steam) {
        if (l.rfind("pixel ", 0) == 0)
            ++pixels;
        else if (textAt({l}, "475 305").empty() && textAt({l}, "555 305").empty() &&
                 textAt({l}, "475 317").empty() && textAt({l}, "539 317").empty())
            rest.push_back(l);
    }
    EXPECT_GT(pixels, 500u);
    EXPECT_EQ(rest, outputLines(readText(dataFile("frame_0.list.txt"))));
    // The legend at the cylinder's rear bottom corner, each word in its event's colour.
    EXPECT_EQ(textAt(steam, "475 305 #ff0000"), "\"ADMISSION\"");
    EXPECT_EQ(textAt(steam, "555 305 #ff00ff"), "\"EXPANSION\"");
    EXPECT_EQ(textAt(steam, "475 317 #0000ff"), "\"EXHAUST\"");
    EXPECT_EQ(textAt(steam, "539 317 #008000"), "\"COMPRESSION\"");
}

TEST(FrameSteam, SameOptionsSamePicture) {
    const std::vector<std::string> options{"--steam", "--gear", "rev", "--ticks", "7"};
    EXPECT_EQ(frameLines(options), frameLines(options));
}

}  // namespace
}  // namespace quarn::cli

namespace quarn::cli {
namespace {

// The lines drawn three pixels wide: the dimension graphic's own.
std::vector<std::string> wideLines(const std::string& list) {
    std::vector<std::string> wide;
    std::size_t from = 0;
    while (from < list.size()) {
        const std::size_t end = std::min(list.find('\n', from), list.size());
        const std::string line = list.substr(from, end - from);
        if (line.rfind("line ", 0) == 0 && line.size() > 2 && line.compare(line.size() - 2, 2, " 3") == 0)
            wide.push_back(line);
        from = end + 1;
    }
    return wide;
}

TEST(FrameDimensionGraphic, BlinksRedThenBlackWithTheDimensionsName) {
    const CliRun first = runCommand({"render", "frame", "--list", "--show-dimension", "3"});
    ASSERT_EQ(first.status, 0) << first.err;
    const auto red = wideLines(first.out);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_NE(red[0].find("#ff0000"), std::string::npos) << red[0];
    EXPECT_NE(first.out.find("\"Main Rod Length\""), std::string::npos);

    const CliRun fourth =
        runCommand({"render", "frame", "--list", "--show-dimension", "3", "--frame", "4"});
    ASSERT_EQ(fourth.status, 0) << fourth.err;
    const auto black = wideLines(fourth.out);
    ASSERT_EQ(black.size(), 1u);
    EXPECT_NE(black[0].find("#000000"), std::string::npos) << black[0];

    // Without the graphic nothing is drawn that wide.
    const CliRun plain = runCommand({"render", "frame", "--list"});
    EXPECT_TRUE(wideLines(plain.out).empty());
}

TEST(FrameDimensionGraphic, CylinderDimensionsToo) {
    const CliRun r = runCommand({"render", "frame", "--list", "--show-dimension", "117"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(wideLines(r.out).size(), 1u);
}

}  // namespace
}  // namespace quarn::cli
