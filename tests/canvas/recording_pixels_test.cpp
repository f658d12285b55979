// The recording canvas keeps a single pixel only when it lands on its surface: the
// steam display at the closest zoom sets about a million a frame, mostly far off it.
#include <gtest/gtest.h>

#include <string>

#include "canvas/recording_canvas.h"

namespace quarn {
namespace {

struct PixelCase {
    const char* name;
    int x, y;
    bool kept;
};
void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }

class RecordedPixel : public ::testing::TestWithParam<PixelCase> {};

TEST_P(RecordedPixel, KeptOnlyOnTheSurface) {
    RecordingCanvas c(100, 50);
    c.setPixel(GetParam().x, GetParam().y, colors::Blue);
    ASSERT_EQ(c.items().size(), GetParam().kept ? 1u : 0u);
    if (GetParam().kept) {
        EXPECT_EQ(c.items()[0].kind, DrawnItem::Kind::Pixel);
        EXPECT_EQ(c.items()[0].color, colors::Blue);
        EXPECT_EQ(c.items()[0].x1, GetParam().x);
        EXPECT_EQ(c.items()[0].y1, GetParam().y);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordedPixel,
                         ::testing::Values(PixelCase{"TopLeftCorner", 0, 0, true},
                                           PixelCase{"BottomRightCorner", 99, 49, true},
                                           PixelCase{"LeftOfTheSurface", -1, 10, false},
                                           PixelCase{"AboveTheSurface", 10, -1, false},
                                           PixelCase{"RightOfTheSurface", 100, 10, false},
                                           PixelCase{"BelowTheSurface", 10, 50, false},
                                           PixelCase{"FarOff", -1000000, 2000000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Lines are kept as asked, wherever they lie: only pixels are trimmed.
TEST(RecordedPixel, LinesOffTheSurfaceAreStillKept) {
    RecordingCanvas c(100, 50);
    c.line(-500, -500, -400, -400);
    EXPECT_EQ(c.items().size(), 1u);
}

}  // namespace
}  // namespace quarn
