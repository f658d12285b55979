// The choices of a written picture on the command line: a PNG at a scale, the title
// block under a picture, and the frame's drawing alone, cut to what is drawn.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

#include "cli_run.h"

namespace quarn::cli {
namespace {

struct SizeCase {
    const char* name;
    std::vector<std::string> args;  // --out FILE.png follows
    QSize size;
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class PictureSize : public ::testing::TestWithParam<SizeCase> {};

// The diagrams are 632 x 414 and the frame 1280 x 1024; the title band is 20 high.
TEST_P(PictureSize, IsThePictureTimesTheScaleWithItsBand) {
    QTemporaryDir dir;
    std::vector<std::string> args = GetParam().args;
    const std::string out = (dir.path() + "/p.png").toStdString();
    args.insert(args.end(), {"--out", out});
    const CliRun r = runCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PictureSize,
    ::testing::Values(SizeCase{"SineAtThree", {"diagram", "sine", "--scale", "3"}, {1896, 1242}},
                      SizeCase{"SineWithTitle", {"diagram", "sine", "--title"}, {632, 434}},
                      SizeCase{"FrameAtTwoWithTitle",
                               {"render", "frame", "--scale", "2", "--title"}, {2560, 2088}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawingOnly, LeavesOutTheBarCaptionsAndTheUndoLineAndIsCut) {
    const CliRun whole = runCommand({"render", "frame", "--list"});
    const CliRun drawing = runCommand({"render", "frame", "--list", "--drawing-only"});
    ASSERT_EQ(drawing.status, 0) << drawing.err;
    EXPECT_NE(whole.out.find("\"Pan Vert\""), std::string::npos);
    EXPECT_EQ(drawing.out.find("\"Pan Vert\""), std::string::npos);
    EXPECT_EQ(drawing.out.find("\"Zoom\""), std::string::npos);
    EXPECT_NE(drawing.out.find("\"Rev Arm "), std::string::npos) << "the value panel stays";
    QTemporaryDir dir;
    const std::string out = (dir.path() + "/d.png").toStdString();
    ASSERT_EQ(runCommand({"render", "frame", "--drawing-only", "--out", out}).status, 0);
    const QImage cut(QString::fromStdString(out));
    EXPECT_LT(cut.width(), 1280);
    EXPECT_LT(cut.height(), 1024);
    EXPECT_GT(cut.width() * cut.height(), 0);
}

TEST(TitleBlock, NamesTheDesignAndTheVersionAsText) {
    QTemporaryDir dir;
    const std::string out = (dir.path() + "/t.svg").toStdString();
    const CliRun r = runCommand({"diagram", "oval", "--out", out, "--title"});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile f(QString::fromStdString(out));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray svg = f.readAll();
    EXPECT_TRUE(svg.contains(">Nominal ")) << "the start-up design's name";
    EXPECT_TRUE(svg.contains("quarngear Version 2.6<"));
}

}  // namespace
}  // namespace quarn::cli
