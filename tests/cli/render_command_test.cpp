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
                               "frame_erie_90.list.txt"}),
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
    EXPECT_EQ(lines.front(), "clear #FFFFFF");
    EXPECT_NE(std::find(lines.begin(), lines.end(), GetParam().primitive), lines.end())
        << GetParam().primitive;
}

INSTANTIATE_TEST_SUITE_P(
    NominalGear, FramePrimitive,
    ::testing::Values(
        // The 9 in driver: radius 81 pixels about (86, 280).
        PlacedCase{"DriverCircle", "0", "ellipse 1 #000000 5,199 167,361"},
        // The red cross on the driver centre, 5 pixels each way.
        PlacedCase{"DriverCentreCross", "0", "line 1 #FF0000 91,285 80,274"},
        // The crank pin half the 4.25 stroke from the centre: 38.25 pixels ahead at 0,
        // below at 90.
        PlacedCase{"CrankPinAtZero", "0", "ellipse 1 #000000 116,272 132,288"},
        PlacedCase{"CrankPinAtNinety", "90", "ellipse 1 #000000 78,310 94,326"}),
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
        {"render", "frame", "--out", out, "--set", "DriverDia=1e30", "--angle", "nan"});
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
        UsageCase{"SvgEndingNotYet", {"render", "frame", "--out", "DIR/x.svg"}, "ending in .png"},
        UsageCase{"PdfEndingNotYet", {"render", "frame", "--list", "--out", "DIR/x.pdf"},
                  "ending in .png"},
        UsageCase{"NoEnding", {"render", "frame", "--out", "DIR/x"}, "has no ending"},
        UsageCase{"DotOnlyInTheFolder", {"render", "frame", "--out", "DIR/v1.0/x"},
                  "has no ending"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn::cli
