// The canvas at a scale, seen through a paint engine that keeps the painter's calls:
// each drawing step must reach Qt as one shape (a line, a polyline, an ellipse, a text),
// drawn in the picture's own pixels under the scale, never as a heap of dots.
#include <gtest/gtest.h>

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTextItem>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/qt_canvas.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// Every shape the painter hands over, as "kind count" or "text TEXT", with the pen's
// width and the transform's scale at the time.
class KeepingEngine final : public QPaintEngine {
public:
    KeepingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    std::vector<std::string> calls;
    std::vector<double> penWidths, scales;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& s) override {
        if (s.state() & DirtyPen) penWidth = s.pen().widthF();
        if (s.state() & DirtyTransform) scale = s.transform().m11();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { keep("pixmap"); }
    void drawLines(const QLineF*, int n) override { keep("line " + std::to_string(n)); }
    void drawRects(const QRectF*, int n) override { keep("rect " + std::to_string(n)); }
    void drawEllipse(const QRectF&) override { keep("ellipse"); }
    void drawPath(const QPainterPath&) override { keep("path"); }
    void drawPoints(const QPointF*, int n) override { keep("points " + std::to_string(n)); }
    void drawPolygon(const QPointF*, int n, PolygonDrawMode mode) override {
        keep((mode == PolylineMode ? "polyline " : "polygon ") + std::to_string(n));
    }
    void drawTextItem(const QPointF&, const QTextItem& item) override {
        keep("text " + item.text().toStdString());
    }

private:
    double penWidth = 0, scale = 1;
    void keep(std::string call) {
        calls.push_back(std::move(call));
        penWidths.push_back(penWidth);
        scales.push_back(scale);
    }
};

class KeepingDevice final : public QPaintDevice {
public:
    mutable KeepingEngine engine;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth: case PdmHeight: return 400;
            case PdmWidthMM: case PdmHeightMM: return 100;
            case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
            case PdmNumColors: return 1 << 24;
            case PdmDepth: return 32;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
            default: return 0;
        }
    }
};

// A gentle wave set dot by dot, each dot touching the one before, as a curve drawn
// pixel by pixel is: dots first .. last of it.
void wave(Canvas& c, int first, int last, Color colour) {
    for (int x = first; x <= last; ++x)
        c.setPixel(x, static_cast<int>(std::lround(40 + 6 * std::sin(x / 8.0))), colour);
}

struct ScaledCase {
    const char* name;
    std::function<void(Canvas&)> draw;
    std::vector<std::string> calls;
};
void PrintTo(const ScaledCase& c, std::ostream* os) { *os << c.name; }

class ScaledCanvas : public ::testing::TestWithParam<ScaledCase> {};

TEST_P(ScaledCanvas, PaintsEachStepAsOneShape) {
    test::ensureApplication();
    KeepingDevice device;
    {
        QPainter painter(&device);
        QtCanvas canvas(painter, 200, 100, 2.0);
        GetParam().draw(canvas);
    }
    EXPECT_EQ(device.engine.calls, GetParam().calls);
    for (double s : device.engine.scales) EXPECT_EQ(s, 2.0) << "drawn in the picture's pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ScaledCanvas,
    ::testing::Values(
        ScaledCase{"ALineIsOneLine", [](Canvas& c) { c.line(2, 3, 150, 60); }, {"line 1"}},
        ScaledCase{"APenPathIsOnePolylineUntilThePenChanges",
                   [](Canvas& c) {
                       c.moveTo(10, 10);
                       c.lineTo(60, 10);
                       c.lineTo(60, 50);
                       c.lineTo(10, 50);
                       c.setPenColor(colors::Red);
                       c.lineTo(10, 10);
                   },
                   {"polyline 4", "line 1"}},
        ScaledCase{"LinesOfOnePenApartAreOnePath",
                   [](Canvas& c) {
                       c.line(0, 0, 30, 0);
                       c.line(0, 10, 30, 10);
                       c.line(0, 20, 30, 20);
                   },
                   {"path"}},
        ScaledCase{"ADottedCurveIsOnePolyline", [](Canvas& c) { wave(c, 0, 120, colors::Blue); },
                   {"polyline 121"}},
        ScaledCase{"DotsPartAtAColourAndAGap",
                   [](Canvas& c) {
                       wave(c, 0, 59, colors::Blue);
                       wave(c, 60, 120, colors::Red);
                       c.setPixel(190, 5, colors::Red);
                   },
                   {"polyline 60", "polyline 61", "rect 1"}},
        ScaledCase{"CirclesAndArcsStayCurves",
                   [](Canvas& c) {
                       c.ellipse(10, 10, 50, 50);
                       c.arc(60, 10, 100, 50, 100, 30, 60, 30);
                   },
                   {"ellipse", "path"}},
        ScaledCase{"TextStaysTextBetweenLines",
                   [](Canvas& c) {
                       c.line(0, 0, 30, 0);
                       c.text(4, 4, "Lead", TextStyle{});
                       c.line(0, 30, 30, 30);
                   },
                   {"line 1", "text Lead", "line 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The pen keeps its width in the picture's pixels; the scale widens it on the device.
TEST(ScaledCanvasPen, WidthStaysInPicturePixels) {
    test::ensureApplication();
    KeepingDevice device;
    {
        QPainter painter(&device);
        QtCanvas canvas(painter, 200, 100, 3.0);
        canvas.line(0, 0, 50, 0);
        canvas.setPenWidth(2);
        canvas.line(0, 10, 50, 10);
    }
    EXPECT_EQ(device.engine.penWidths, (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(device.engine.scales, (std::vector<double>{3.0, 3.0}));
}

// A window that draws every tick at a scale clears only the squares the tick before
// drew on: the old drawing goes, and what lies elsewhere is left for the clear.
TEST(ScaledCanvasClear, KnownColourClearsWhatTheLastTickDrew) {
    test::ensureApplication();
    QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QRegion drawn;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 200, 100, 2.0);
        canvas.line(10, 10, 60, 10);
        drawn = canvas.inkedRegion();
    }
    image.setPixel(380, 180, qRgb(0, 0, 255));  // outside what the canvas drew
    ASSERT_NE(image.pixel(60, 21), qRgb(255, 255, 255)) << "the line at twice the size";
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 200, 100, 2.0);
        canvas.assumeCleared(colors::White, drawn);
        canvas.clear(colors::White);
        EXPECT_EQ(canvas.changedRegion(), drawn);
    }
    EXPECT_EQ(image.pixel(60, 21), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(380, 180), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace quarn
