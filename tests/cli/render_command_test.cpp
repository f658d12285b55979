// The contract of `quarngear-cli render frame`: the window's picture as PNG, and its
// exit statuses.
#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli_run.h"
#include "drawing/run_frame.h"
#include "drawing/frame_mapping.h"
#include "platform/qt_canvas.h"

namespace quarn::cli {
namespace {

// The frame drawn in-process for the state the same options describe.
QImage expectedFrame(const std::vector<std::string>& options, float angle) {
    CommonOptions common;
    parseOptions(options, common, nullptr, {.gearSetting = true, .erieForm = true});
    GearModel m;
    buildModel(m, common);
    m.RevArmPosition = chosenRevArm(m, common);
    m.DriverAngle = angle;
    SolveAndMapFrame(m);
    QImage image(FrameWidth, FrameHeight, QImage::Format_RGB32);
    {
        QtCanvas canvas(image);
        Random random(1);
        RunFrame(m, canvas, random);
    }
    return image;
}

struct RenderCase {
    const char* name;
    std::vector<std::string> options;
    const char* angle;  // nullptr: no --angle
};
void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name; }

class RenderFrame : public ::testing::TestWithParam<RenderCase> {
protected:
    QTemporaryDir dir;
    std::string path(const char* file) const { return (dir.path() + "/" + file).toStdString(); }
};

TEST_P(RenderFrame, WritesTheWindowsPictureForThatState) {
    const RenderCase c = GetParam();
    ASSERT_TRUE(dir.isValid());
    std::vector<std::string> args{"render", "frame", "--out", path("f.png")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    if (c.angle) {
        args.push_back("--angle");
        args.push_back(c.angle);
    }
    const CliRun r = runCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage written(QString::fromStdString(path("f.png")));
    ASSERT_EQ(written.size(), QSize(1280, 1024));
    const QImage expected = expectedFrame(c.options, c.angle ? std::stof(c.angle) : 0.0f);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected);
    // The red cross of the driver centre, (86, 280) in the start-up view.
    EXPECT_EQ(written.pixel(91, 285), qRgb(255, 0, 0));
    EXPECT_EQ(written.pixel(86, 280), qRgb(255, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    States, RenderFrame,
    ::testing::Values(RenderCase{"StartUp", {}, nullptr},
                      RenderCase{"ErieTriplexReverseArm", {"--erie", "--revarm", "9.5"}, "215.5"},
                      RenderCase{"ChangedDimension", {"--set", "Stroke=4.5", "--gear", "fwd"}, "30"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenderCommand, StrangeGeometryStillGivesAPicture) {
    QTemporaryDir dir;
    const std::string out = (dir.path() + "/odd.png").toStdString();
    const CliRun r = runCommand(
        {"render", "frame", "--out", out, "--set", "DriverDia=1e30", "--angle", "nan"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
}

TEST(RenderCommand, UnwritableFileIsStatusOneWithItsName) {
    const CliRun r = runCommand({"render", "frame", "--out", "/nonexistent-folder/f.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/nonexistent-folder/f.png"), std::string::npos) << r.err;
}

TEST(RenderCommand, BadUsageIsStatusTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render"},
             {"render", "picture", "--out", "x.png"},
             {"render", "frame"},
             {"render", "frame", "--out"},
             {"render", "frame", "--out", "x.png", "--angle", "abc"},
             {"render", "frame", "--out", "x.png", "--revarm", "1", "--gear", "fwd"}}) {
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
}  // namespace quarn::cli
