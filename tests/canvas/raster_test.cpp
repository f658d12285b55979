// The pixel rules without any toolkit: which pixels a line, an ellipse and an arc set.
// Every canvas that sets pixels itself draws through these functions; the Qt canvas test
// only checks that it gives the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/raster.h"
#include "canvas/recording_canvas.h"

namespace quarn {
namespace {

using PixelSet = std::set<std::pair<int, int>>;
constexpr raster::Area Area64{64, 64};

PixelSet asSet(const std::vector<raster::Pixel>& v) {
    PixelSet s;
    for (const auto& p : v) s.insert({p.x, p.y});
    return s;
}

PixelSet line(int x0, int y0, int x1, int y1, int width = 1, raster::Area a = Area64) {
    std::vector<raster::Pixel> out;
    raster::line(out, a, x0, y0, x1, y1, width);
    return asSet(out);
}

PixelSet ellipse(int x1, int y1, int x2, int y2, int width = 1, raster::Area a = Area64) {
    std::vector<raster::Pixel> out;
    raster::ellipse(out, a, x1, y1, x2, y2, width);
    return asSet(out);
}

PixelSet arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int width = 1) {
    std::vector<raster::Pixel> out;
    raster::arc(out, Area64, x1, y1, x2, y2, x3, y3, x4, y4, width);
    return asSet(out);
}

// Every pixel of the rectangle from (x1, y1) to (x2, y2), right and bottom exclusive.
PixelSet block(int x1, int y1, int x2, int y2) {
    PixelSet s;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) s.insert({x, y});
    return s;
}

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class RasterLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(RasterLine, StartSetEndLeftOutOnePixelPerMajorStep) {
    const LineCase l = GetParam();
    const PixelSet s = line(l.x0, l.y0, l.x1, l.y1);
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
    Directions, RasterLine,
    ::testing::Values(LineCase{"Right", 5, 10, 40, 10}, LineCase{"Left", 40, 10, 5, 10},
                      LineCase{"Down", 7, 3, 7, 50}, LineCase{"Up", 7, 50, 7, 3},
                      LineCase{"ShallowDownRight", 2, 2, 60, 21},
                      LineCase{"ShallowUpLeft", 60, 21, 2, 2},
                      LineCase{"SteepUpRight", 10, 60, 23, 1},
                      LineCase{"SteepDownLeft", 23, 1, 10, 60},
                      LineCase{"DiagonalUpLeft", 40, 40, 29, 29},
                      LineCase{"OneStep", 30, 30, 31, 31}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RasterLine, AZeroLengthLineSetsNothing) { EXPECT_TRUE(line(30, 30, 30, 30).empty()); }

TEST(RasterLine, TheFixedPivotCrossArmIsElevenDiagonalPixels) {
    const PixelSet s = line(35, 35, 24, 24);
    PixelSet expected;
    for (int i = 0; i < 11; ++i) expected.insert({35 - i, 35 - i});
    EXPECT_EQ(s, expected);
}

// A pen two pixels wide: the line's own pixels and the row below (a flat line) or the
// column to the right (an upright one), still without the end pixel.
struct WideLineCase {
    const char* name;
    int x0, y0, x1, y1;
    int bx1, by1, bx2, by2;  // the pixels set, right and bottom exclusive
};
void PrintTo(const WideLineCase& c, std::ostream* os) { *os << c.name; }

class RasterWideLine : public ::testing::TestWithParam<WideLineCase> {};

TEST_P(RasterWideLine, WidthTwoIsTwoRowsOrTwoColumns) {
    const WideLineCase l = GetParam();
    EXPECT_EQ(line(l.x0, l.y0, l.x1, l.y1, 2), block(l.bx1, l.by1, l.bx2, l.by2));
}

INSTANTIATE_TEST_SUITE_P(
    WidthTwo, RasterWideLine,
    ::testing::Values(WideLineCase{"FlatRightwards", 10, 20, 20, 20, 10, 20, 20, 22},
                      WideLineCase{"ShortFlatRightwards", 5, 10, 15, 10, 5, 10, 15, 12},
                      WideLineCase{"UprightUpwards", 30, 40, 30, 30, 30, 31, 32, 41}),
    [](const auto& info) { return std::string(info.param.name); });

// Lines whose ends lie far outside the area: exactly the visible stretch is set, one pixel
// for each of the 64 columns, (x, y0 + slope * x), and the work stays bounded.
struct FarLineCase {
    const char* name;
    int x0, y0, x1, y1;
    int visibleY0, slope;
};
void PrintTo(const FarLineCase& c, std::ostream* os) { *os << c.name; }

class RasterFarLine : public ::testing::TestWithParam<FarLineCase> {};

TEST_P(RasterFarLine, CostsOnlyWhatIsVisible) {
    const FarLineCase l = GetParam();
    std::vector<raster::Pixel> out;
    raster::line(out, Area64, l.x0, l.y0, l.x1, l.y1, 1);
    PixelSet expected;
    for (int x = 0; x < 64; ++x) expected.insert({x, l.visibleY0 + l.slope * x});
    EXPECT_EQ(asSet(out), expected);
    EXPECT_LE(out.size(), 64u * 2);
}

INSTANTIATE_TEST_SUITE_P(
    FarOffEnds, RasterFarLine,
    ::testing::Values(FarLineCase{"BillionOutRightwards", -1000000000, 32, 1000000000, 32, 32, 0},
                      FarLineCase{"BillionOutNearTheTop", -1000000000, 5, 1000000000, 5, 5, 0},
                      FarLineCase{"TwoBillionOutLeftwards", 2000000000, 9, -2000000000, 9, 9, 0},
                      FarLineCase{"IntLimitsDiagonal", -2147483647, -2147483647, 2147483647,
                                  2147483647, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoxCase {
    const char* name;
    int x1, y1, x2, y2;
    int width;
    bool hollow;  // the pixel at the middle of the box stays clear
};
void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class EllipseBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(EllipseBox, StaysInsideTouchesEverySideAndIsSymmetric) {
    const BoxCase b = GetParam();
    const PixelSet s = ellipse(b.x1, b.y1, b.x2, b.y2, b.width);
    const int lx = std::min(b.x1, b.x2), hx = std::max(b.x1, b.x2), ly = std::min(b.y1, b.y2),
              hy = std::max(b.y1, b.y2);
    ASSERT_FALSE(s.empty());
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
    for (const auto& [x, y] : s) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, lx);
    EXPECT_EQ(maxX, hx - 1);  // right and bottom are exclusive
    EXPECT_EQ(minY, ly);
    EXPECT_EQ(maxY, hy - 1);
    // Mirror-symmetric about both middle lines of the box.
    for (const auto& [x, y] : s) {
        EXPECT_TRUE(s.count({lx + hx - 1 - x, y})) << x << ", " << y;
        EXPECT_TRUE(s.count({x, ly + hy - 1 - y})) << x << ", " << y;
    }
    EXPECT_EQ(!s.count({(lx + hx - 1) / 2, (ly + hy - 1) / 2}), b.hollow);
}

INSTANTIATE_TEST_SUITE_P(RasterEllipse, EllipseBox,
                         ::testing::Values(BoxCase{"Wide", 10, 10, 30, 20, 1, true},
                                           BoxCase{"CornersSwapped", 30, 20, 10, 10, 1, true},
                                           BoxCase{"OnePixel", 5, 5, 6, 6, 1, false},
                                           BoxCase{"WholeArea", 0, 0, 63, 63, 1, true},
                                           BoxCase{"OddSidesWidthOne", 10, 12, 31, 25, 1, true},
                                           BoxCase{"OddSidesWidthTwo", 10, 12, 31, 25, 2, true},
                                           BoxCase{"WholeAreaWidthTwo", 0, 0, 63, 63, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class EmptyBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(EmptyBox, DrawsNothing) {
    const BoxCase b = GetParam();
    EXPECT_TRUE(ellipse(b.x1, b.y1, b.x2, b.y2, b.width).empty());
    EXPECT_TRUE(arc(b.x1, b.y1, b.x2, b.y2, 60, 30, 60, 30, b.width).empty());
}

INSTANTIATE_TEST_SUITE_P(RasterEllipse, EmptyBox,
                         ::testing::Values(BoxCase{"NoWidth", 10, 10, 10, 30, 1, false},
                                           BoxCase{"NoHeight", 10, 10, 30, 10, 1, false},
                                           BoxCase{"NoWidthWidePen", 10, 10, 10, 30, 2, false},
                                           BoxCase{"OnePoint", 20, 20, 20, 20, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RasterEllipse, EveryCornerOrderGivesTheSamePixels) {
    const PixelSet s = ellipse(5, 5, 40, 30);
    EXPECT_EQ(ellipse(40, 30, 5, 5), s);
    EXPECT_EQ(ellipse(5, 30, 40, 5), s);
    EXPECT_EQ(ellipse(40, 5, 5, 30), s);
}

TEST(RasterEllipse, WidthTwoDoublesTheRingInwards) {
    const PixelSet thin = ellipse(10, 10, 41, 41, 1), wide = ellipse(10, 10, 41, 41, 2);
    EXPECT_GT(wide.size(), thin.size());
    for (const auto& p : thin) EXPECT_TRUE(wide.count(p)) << p.first << ", " << p.second;
    // Two deep at the top and at the left, on the middle column and row.
    EXPECT_TRUE(wide.count({25, 10}) && wide.count({25, 11}) && !wide.count({25, 12}));
    EXPECT_TRUE(wide.count({10, 25}) && wide.count({11, 25}) && !wide.count({12, 25}));
}

TEST(RasterEllipse, AHugeCircleShowsOnlyItsVisibleEdge) {
    // A circle of radius a million whose left edge passes through x = 20.
    const PixelSet s = ellipse(20, -1000000, 2000021, 1000001);
    EXPECT_EQ(s, block(20, 0, 21, 64));
}

TEST(RasterArc, CounterClockwiseHalvesMakeTheWholeRing) {
    // From the right-hand radial counter-clockwise (as seen on the screen) to the left
    // one is the upper half; back again the lower half.
    const PixelSet u = arc(10, 10, 50, 50, 60, 30, 0, 30), l = arc(10, 10, 50, 50, 0, 30, 60, 30),
                   w = arc(10, 10, 50, 50, 60, 30, 60, 30);
    for (const auto& [x, y] : u) EXPECT_LE(y, 30) << x;
    for (const auto& [x, y] : l) EXPECT_GE(y, 29) << x;
    PixelSet both = u;
    both.insert(l.begin(), l.end());
    EXPECT_EQ(both, w);
    EXPECT_EQ(w, ellipse(10, 10, 50, 50));
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
    const PixelSet s = arc(0, 0, 41, 41, a.x3, a.y3, a.x4, a.y4);
    const PixelSet circle = ellipse(0, 0, 41, 41);
    ASSERT_FALSE(s.empty());
    for (const auto& p : s) EXPECT_TRUE(circle.count(p)) << p.first << ", " << p.second;
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

TEST(RecordingCanvas, KeepsThePenAndRecordsLinesWithTheirColourAndWidth) {
    RecordingCanvas c(100, 50);
    c.setPenColor(colors::Red);
    c.setPenWidth(2);
    c.moveTo(1, 2);
    c.lineTo(10, 20);
    c.lineTo(30, 5);
    ASSERT_EQ(c.items().size(), 2u);
    EXPECT_EQ(c.items()[1].kind, DrawnItem::Kind::Line);
    EXPECT_EQ(c.items()[1].x1, 10);
    EXPECT_EQ(c.items()[1].y2, 5);
    EXPECT_EQ(c.items()[1].color, colors::Red);
    EXPECT_EQ(c.items()[1].width, 2);
    EXPECT_EQ(c.penX(), 30);
    EXPECT_EQ(c.penY(), 5);
}

}  // namespace
}  // namespace quarn
