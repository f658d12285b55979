// The sine diagram written as SVG and PDF and read back by real renderers (librsvg's
// rsvg-convert, Poppler's pdftoppm) at 300 dpi: along every step of every curve the
// ink must be unbroken, as a printed page needs; the SVG stays small, its curves single
// polylines and its words text.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/diagrams/diagrams.h"
#include "model/diagram_positions.h"
#include "model/gear_model.h"
#include "model/solver.h"
#include "platform/picture_export.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// The diagram as its window first shows it: the start-up design and positions.
void drawSine(Canvas& canvas) {
    GearModel m;
    InitStartupState(m);
    applyRevArmSetRule(m);
    SolveLinkage(m);
    SolvePistonAndPorts(m);
    canvas.clear(colors::White);
    DrawSineDiagram(m, canvas);
}

// The curves' steps: the black lines that go one step of 8 pixels across.
std::vector<DrawnItem> curveSteps() {
    RecordingCanvas canvas(DiagramWidth, DiagramHeight);
    drawSine(canvas);
    std::vector<DrawnItem> steps;
    for (const DrawnItem& item : canvas.items())
        if (item.kind == DrawnItem::Kind::Line && item.color == colors::Black &&
            std::abs(item.x2 - item.x1) == 8)
            steps.push_back(item);
    return steps;
}

bool inkNear(const QImage& page, double x, double y) {
    constexpr int Reach = 2;  // device pixels either way: a hair past the stroke's middle
    for (int dy = -Reach; dy <= Reach; ++dy)
        for (int dx = -Reach; dx <= Reach; ++dx) {
            const int px = int(x) + dx, py = int(y) + dy;
            if (page.valid(px, py) && qGray(page.pixel(px, py)) < 100) return true;
        }
    return false;
}

// Points along the curves, one a device pixel, with no dark ink close by.
int gapsAlongCurves(const QImage& page, const std::vector<DrawnItem>& steps) {
    const double scale = double(page.width()) / DiagramWidth;
    int gaps = 0;
    for (const DrawnItem& s : steps) {
        const double length = std::hypot(s.x2 - s.x1, s.y2 - s.y1) * scale;
        for (int k = 0; k <= int(length); ++k) {
            const double t = k / length;
            const double x = (s.x1 + t * (s.x2 - s.x1) + 0.5) * scale;
            const double y = (s.y1 + t * (s.y2 - s.y1) + 0.5) * scale;
            if (!inkNear(page, x, y)) ++gaps;
        }
    }
    return gaps;
}

struct RendererCase {
    const char* name;
    const char* file;
    const char* program;
    // The renderer's arguments for a 300 dpi PNG of the file at `in` written to `out`.
    QStringList (*arguments)(const QString& in, const QString& out);
    const char* written;  // the name the PNG ends up with, from `out`
};
void PrintTo(const RendererCase& c, std::ostream* os) { *os << c.name; }

class RenderedPicture : public ::testing::TestWithParam<RendererCase> {};

TEST_P(RenderedPicture, CurvesAreUnbrokenAt300Dpi) {
    const RendererCase& c = GetParam();
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(c.program));
    if (program.isEmpty())
        GTEST_SKIP() << c.program << " is not installed (scripts/install-deps.sh installs it)";
    test::ensureApplication();
    QTemporaryDir dir;
    const QString in = dir.filePath(QString::fromLatin1(c.file));
    ASSERT_EQ(savePicture(in.toStdString(), DiagramWidth, DiagramHeight, drawSine), "");
    const QString out = dir.filePath(QStringLiteral("page"));
    QProcess renderer;
    renderer.start(program, c.arguments(in, out));
    ASSERT_TRUE(renderer.waitForFinished(60000));
    ASSERT_EQ(renderer.exitCode(), 0) << renderer.readAllStandardError().toStdString();
    const QImage page(out + QString::fromLatin1(c.written));
    ASSERT_FALSE(page.isNull());
    // 300 dpi of a picture whose pixels are 1/96 inch (SVG) or a point (PDF).
    EXPECT_GT(page.width(), 3 * DiagramWidth);
    const std::vector<DrawnItem> steps = curveSteps();
    ASSERT_GE(steps.size(), 3u * 60u) << "three curves of 65 steps";
    EXPECT_EQ(gapsAlongCurves(page, steps), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Renderers, RenderedPicture,
    ::testing::Values(
        RendererCase{"Svg", "sine.svg", "rsvg-convert",
                     [](const QString& in, const QString& out) {
                         return QStringList{QStringLiteral("--zoom=3.125"), in,
                                            QStringLiteral("-o"), out + QStringLiteral(".png")};
                     },
                     ".png"},
        RendererCase{"Pdf", "sine.pdf", "pdftoppm",
                     [](const QString& in, const QString& out) {
                         return QStringList{QStringLiteral("-r"), QStringLiteral("300"),
                                            QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                            in, out};
                     },
                     ".png"}),
    [](const auto& info) { return std::string(info.param.name); });

// The SVG keeps what the picture is made of: each curve one polyline, the words text.
TEST(SvgPicture, IsSmallWithWholeCurvesAndRealText) {
    test::ensureApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sine.svg"));
    ASSERT_EQ(savePicture(path.toStdString(), DiagramWidth, DiagramHeight, drawSine), "");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(f.readAll());
    EXPECT_LT(svg.size(), 100 * 1024);
    int wholeCurves = 0;
    const QRegularExpression polyline(QStringLiteral("<polyline[^>]*points=\"([^\"]*)\""));
    for (auto it = polyline.globalMatch(svg); it.hasNext();) {
        const QString points = it.next().captured(1).trimmed();
        if (points.split(QLatin1Char(' '), Qt::SkipEmptyParts).size() >= 60) ++wholeCurves;
    }
    EXPECT_EQ(wholeCurves, 3) << "one polyline for each of the three positions' curves";
    EXPECT_TRUE(svg.contains(QStringLiteral(">Driver Clockwise Rotation")));
}

}  // namespace
}  // namespace quarn
