// The pixel rules of the canvas on a QImage: lines without their end pixel, ellipses
// inside their box, counter-clockwise arcs between radials, wide pens, far-off shapes.
#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <set>
#include <utility>

#include "platform/qt_canvas.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

QImage whiteImage(int w = 64, int h = 64, QImage::Format f = QImage::Format_RGB32) {
    QImage img(w, h, f);
    img.fill(Qt::white);
    return img;
}

PixelSet inked(const QImage& img) {
    PixelSet s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) s.insert({x, y});
    return s;
}

template <class Draw>
PixelSet drawn(Draw draw, int w = 64, int h = 64) {
    QImage img = whiteImage(w, h);
    {
        QtCanvas c(img);
        draw(c);
    }
    return inked(img);
}

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineEnds : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineEnds, StartPixelSetEndPixelLeftOutOnePixelPerStep) {
    const LineCase l = GetParam();
    const PixelSet s = drawn([&](Canvas& c) { c.line(l.x0, l.y0, l.x1, l.y1); });
    const int n = std::max(std::abs(l.x1 - l.x0), std::abs(l.y1 - l.y0));
    EXPECT_EQ(int(s.size()), n);
    EXPECT_TRUE(s.count({l.x0, l.y0}));
    EXPECT_FALSE(s.count({l.x1, l.y1}));
    // One pixel at each step along the major axis: a connected line with no doubles.
    std::set<int> steps;
    for (const auto& [x, y] : s) steps.insert(std::max(std::abs(x - l.x0), std::abs(y - l.y0)));
    EXPECT_EQ(int(steps.size()), n);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LineEnds,
    ::testing::Values(LineCase{"Right", 5, 10, 40, 10}, LineCase{"Left", 40, 10, 5, 10},
                      LineCase{"Down", 7, 3, 7, 50}, LineCase{"Up", 7, 50, 7, 3},
                      LineCase{"ShallowDownRight", 2, 2, 60, 21},
                      LineCase{"ShallowUpLeft", 60, 21, 2, 2},
                      LineCase{"SteepUpRight", 10, 60, 23, 1},
                      LineCase{"SteepDownLeft", 23, 1, 10, 60},
                      LineCase{"DiagonalUpLeft", 40, 40, 29, 29},
                      LineCase{"OneStep", 30, 30, 31, 31}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtCanvasLine, CrossArmCoversElevenPixelsOnTheDiagonal) {
    const int x = 30, y = 30;
    const PixelSet s = drawn([&](Canvas& c) { c.line(x + 5, y + 5, x - 6, y - 6); });
    PixelSet expected;
    for (int k = 0; k < 11; ++k) expected.insert({x + 5 - k, y + 5 - k});
    EXPECT_EQ(s, expected);
}

TEST(QtCanvasLine, WidthTwoIsTwoRowsOrTwoColumns) {
    const PixelSet flat = drawn([](Canvas& c) {
        c.setPenWidth(2);
        c.line(5, 10, 15, 10);
    });
    PixelSet expected;
    for (int x = 5; x < 15; ++x) {
        expected.insert({x, 10});
        expected.insert({x, 11});
    }
    EXPECT_EQ(flat, expected);
    const PixelSet upright = drawn([](Canvas& c) {
        c.setPenWidth(2);
        c.line(30, 40, 30, 30);
    });
    expected.clear();
    for (int y = 31; y <= 40; ++y) {
        expected.insert({30, y});
        expected.insert({31, y});
    }
    EXPECT_EQ(upright, expected);
}

TEST(QtCanvasLine, FarOffEndsDrawOnlyTheVisiblePart) {
    // A line across the whole picture from ends a billion pixels out, in both senses.
    const PixelSet s = drawn([](Canvas& c) {
        c.line(-1000000000, 5, 1000000000, 5);
        c.line(2000000000, 9, -2000000000, 9);
        c.line(-2147483647, -2147483647, 2147483647, 2147483647);
    });
    for (int x = 0; x < 64; ++x) {
        EXPECT_TRUE(s.count({x, 5}));
        EXPECT_TRUE(s.count({x, 9}));
        EXPECT_TRUE(s.count({x, x}));
    }
}

PixelSet bounds(const PixelSet& s) {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
    for (const auto& [x, y] : s) {
        x1 = std::min(x1, x);
        y1 = std::min(y1, y);
        x2 = std::max(x2, x);
        y2 = std::max(y2, y);
    }
    return {{x1, y1}, {x2, y2}};
}

TEST(QtCanvasEllipse, FillsItsBoxRightAndBottomExclusive) {
    for (int width : {1, 2}) {
        const PixelSet s = drawn([&](Canvas& c) {
            c.setPenWidth(width);
            c.ellipse(10, 12, 31, 25);
        });
        EXPECT_EQ(bounds(s), (PixelSet{{10, 12}, {30, 24}})) << "width " << width;
        EXPECT_FALSE(s.count({20, 18})) << "the inside stays clear";
        // Mirror-symmetric about the box centre (20, 18).
        for (const auto& [x, y] : s) {
            EXPECT_TRUE(s.count({40 - x, y}));
            EXPECT_TRUE(s.count({x, 36 - y}));
        }
    }
}

TEST(QtCanvasEllipse, WidthTwoDoublesTheRingInwards) {
    const PixelSet thin = drawn([](Canvas& c) { c.ellipse(10, 10, 41, 41); });
    const PixelSet wide = drawn([](Canvas& c) {
        c.setPenWidth(2);
        c.ellipse(10, 10, 41, 41);
    });
    for (const auto& p : thin) EXPECT_TRUE(wide.count(p));
    EXPECT_TRUE(wide.count({25, 10}) && wide.count({25, 11}) && !wide.count({25, 12}));
    EXPECT_TRUE(wide.count({10, 25}) && wide.count({11, 25}) && !wide.count({12, 25}));
}

TEST(QtCanvasEllipse, EitherCornerOrderEmptyBoxesNothingHugeBoxesTheirVisibleEdge) {
    EXPECT_TRUE(drawn([](Canvas& c) { c.ellipse(10, 10, 10, 30); }).empty());
    EXPECT_EQ(drawn([](Canvas& c) { c.ellipse(5, 5, 40, 30); }),
              drawn([](Canvas& c) { c.ellipse(40, 30, 5, 5); }));
    // A circle of radius a million whose left edge passes through x = 20.
    const PixelSet s = drawn([](Canvas& c) { c.ellipse(20, -1000000, 2000021, 1000001); });
    for (int y = 0; y < 64; ++y) EXPECT_TRUE(s.count({20, y})) << y;
    for (const auto& p : s) EXPECT_EQ(p.first, 20);
}

// Arcs of the circle in the box (0, 0)-(41, 41), centre (20, 20).
struct ArcCase {
    const char* name;
    int x3, y3, x4, y4;
    bool left, right, top, bottom;  // which outermost points of the circle are on the arc
};
void PrintTo(const ArcCase& c, std::ostream* os) { *os << c.name; }

class ArcSweep : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcSweep, CounterClockwiseFromFirstRadialToSecond) {
    const ArcCase a = GetParam();
    const PixelSet s = drawn([&](Canvas& c) { c.arc(0, 0, 41, 41, a.x3, a.y3, a.x4, a.y4); });
    const PixelSet circle = drawn([](Canvas& c) { c.ellipse(0, 0, 41, 41); });
    for (const auto& p : s) EXPECT_TRUE(circle.count(p));
    EXPECT_EQ(bool(s.count({0, 20})), a.left);
    EXPECT_EQ(bool(s.count({40, 20})), a.right);
    EXPECT_EQ(bool(s.count({20, 0})), a.top);
    EXPECT_EQ(bool(s.count({20, 40})), a.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Radials, ArcSweep,
    ::testing::Values(
        // From the top over the left side down to the bottom.
        ArcCase{"TopToBottomIsLeftHalf", 20, -5, 20, 45, true, false, true, true},
        ArcCase{"BottomToTopIsRightHalf", 20, 45, 20, -5, false, true, true, true},
        // The counterweight at driver angle 0: 140 degrees about the left.
        ArcCase{"CounterweightAtZero", 14, 3, 14, 37, true, false, false, false},
        ArcCase{"RightToTopQuarter", 60, 20, 20, -60, false, true, true, false},
        ArcCase{"SameRadialIsWholeCircle", 60, 20, 60, 20, true, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtCanvasPixel, SetsOnePixelAndIgnoresOutside) {
    const PixelSet s = drawn([](Canvas& c) {
        c.setPixel(3, 4, colors::Blue);
        c.setPixel(-1, 4, colors::Blue);
        c.setPixel(64, 4, colors::Blue);
        c.setPixel(3, 64, colors::Blue);
    });
    EXPECT_EQ(s, (PixelSet{{3, 4}}));
}

TEST(QtCanvasText, DrawsBelowAndRightOfItsCornerAndOpaqueFillsTheBox) {
    test::ensureApplication();
    QImage img = whiteImage(200, 60);
    {
        QtCanvas c(img);
        c.text(20, 10, "Driv Ang", TextStyle{});
        TextStyle opaque;
        opaque.opaque = true;
        opaque.background = colors::Yellow;
        c.text(20, 35, "  ", opaque);
    }
    const PixelSet s = inked(img.copy(0, 0, 200, 34));
    ASSERT_FALSE(s.empty()) << "no font available";
    const PixelSet b = bounds(s);
    EXPECT_GE(b.begin()->first, 20);
    EXPECT_GE(b.begin()->second, 10);
    EXPECT_LT(b.rbegin()->second, 10 + 16);
    EXPECT_EQ(img.pixel(21, 37), qRgb(255, 255, 0));
}

TEST(QtCanvasText, FarOffTextIsNothingAndNoOverflow) {
    test::ensureApplication();
    const PixelSet s = drawn([](Canvas& c) {
        c.text(2147483647, 2147483647, "Pt1V", TextStyle{});
        c.text(-2147483647 - 1, 20, "Pt1H", TextStyle{});
    });
    EXPECT_TRUE(s.empty());
}

TEST(QtCanvasPainter, PainterTargetGivesTheSamePixelsAsTheImage) {
    auto scene = [](Canvas& c) {
        c.setPenColor(colors::Red);
        c.line(3, 60, 50, 7);
        c.setPenWidth(2);
        c.ellipse(5, 5, 30, 22);
        c.setPenColor(colors::Blue);
        c.arc(20, 20, 60, 60, 40, 0, 0, 40);
        c.setPixel(62, 62, colors::Lime);
    };
    QImage direct = whiteImage();
    {
        QtCanvas c(direct);
        scene(c);
    }
    QImage viaPainter = whiteImage(64, 64, QImage::Format_RGB888);
    {
        QPainter p(&viaPainter);
        QtCanvas c(p, 64, 64);
        scene(c);
    }
    EXPECT_EQ(direct, viaPainter.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace quarn
