// The pixel rules without any toolkit: which pixels a line, an ellipse and an arc set.
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
    std::set<int> steps;
    for (const auto& [x, y] : s) steps.insert(std::max(std::abs(x - l.x0), std::abs(y - l.y0)));
    EXPECT_EQ(int(steps.size()), n);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, RasterLine,
    ::testing::Values(LineCase{"Right", 5, 10, 40, 10}, LineCase{"Left", 40, 10, 5, 10},
                      LineCase{"Down", 7, 3, 7, 50}, LineCase{"Up", 7, 50, 7, 3},
                      LineCase{"ShallowDownRight", 2, 2, 60, 21},
                      LineCase{"SteepUpRight", 10, 60, 23, 1},
                      LineCase{"DiagonalUpLeft", 40, 40, 29, 29}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RasterLine, AZeroLengthLineSetsNothing) { EXPECT_TRUE(line(30, 30, 30, 30).empty()); }

TEST(RasterLine, TheFixedPivotCrossArmIsElevenDiagonalPixels) {
    const PixelSet s = line(35, 35, 24, 24);
    PixelSet expected;
    for (int i = 0; i < 11; ++i) expected.insert({35 - i, 35 - i});
    EXPECT_EQ(s, expected);
}

TEST(RasterLine, WidthTwoAddsOneRowAcrossAShallowLine) {
    const PixelSet s = line(10, 20, 20, 20, 2);
    EXPECT_EQ(s.size(), 20u);
    for (int x = 10; x < 20; ++x) {
        EXPECT_TRUE(s.count({x, 20}));
        EXPECT_TRUE(s.count({x, 21}) || s.count({x, 19}));
    }
}

TEST(RasterLine, FarOffEndsCostOnlyTheVisiblePart) {
    std::vector<raster::Pixel> out;
    raster::line(out, Area64, -1000000000, 32, 1000000000, 32, 1);
    const PixelSet s = asSet(out);
    EXPECT_EQ(s.size(), 64u);
    EXPECT_LE(out.size(), 64u * 2);
}

struct BoxCase {
    const char* name;
    int x1, y1, x2, y2;
};
void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class EllipseBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(EllipseBox, StaysInsideAndTouchesEverySide) {
    const auto [name, x1, y1, x2, y2] = GetParam();
    const PixelSet s = ellipse(x1, y1, x2, y2);
    const int lx = std::min(x1, x2), hx = std::max(x1, x2), ly = std::min(y1, y2),
              hy = std::max(y1, y2);
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
}

INSTANTIATE_TEST_SUITE_P(RasterEllipse, EllipseBox,
                         ::testing::Values(BoxCase{"Wide", 10, 10, 30, 20},
                                           BoxCase{"CornersSwapped", 30, 20, 10, 10},
                                           BoxCase{"OnePixel", 5, 5, 6, 6},
                                           BoxCase{"WholeArea", 0, 0, 63, 63}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RasterEllipse, AnEmptyBoxDrawsNothing) { EXPECT_TRUE(ellipse(10, 10, 10, 30).empty()); }

TEST(RasterEllipse, WiderPenThickensInwards) {
    const PixelSet thin = ellipse(10, 10, 40, 30, 1), wide = ellipse(10, 10, 40, 30, 2);
    EXPECT_GT(wide.size(), thin.size());
    for (const auto& [x, y] : wide) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 40);
        EXPECT_GE(y, 10);
        EXPECT_LT(y, 30);
    }
}

TEST(RasterArc, CounterClockwiseHalvesMakeTheWholeRing) {
    // From the right-hand radial counter-clockwise (as seen on the screen) to the left
    // one is the upper half; back again the lower half.
    std::vector<raster::Pixel> upper, lower, whole;
    raster::arc(upper, Area64, 10, 10, 50, 50, 60, 30, 0, 30, 1);
    raster::arc(lower, Area64, 10, 10, 50, 50, 0, 30, 60, 30, 1);
    raster::arc(whole, Area64, 10, 10, 50, 50, 60, 30, 60, 30, 1);
    const PixelSet u = asSet(upper), l = asSet(lower), w = asSet(whole);
    for (const auto& [x, y] : u) EXPECT_LE(y, 30) << x;
    for (const auto& [x, y] : l) EXPECT_GE(y, 29) << x;
    PixelSet both = u;
    both.insert(l.begin(), l.end());
    EXPECT_EQ(both, w);
    EXPECT_EQ(w, ellipse(10, 10, 50, 50));
}

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
