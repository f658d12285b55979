// The user's lines and circles on the frame: fixed, carried by one pivot, stretched
// between two; the circle's box; the pen each item leaves; pivots a file got wrong.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/frame_mapping.h"
#include "drawing/overlay_drawing.h"
#include "drawing/run_frame.h"
#include "model/gear_model.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

// Start-up view: 18 pixels a unit, the driver centre at (86, 280).
struct OverlayFrame : ::testing::Test {
    GearModel m;
    RecordingCanvas canvas;
    void SetUp() override { InitStartupState(m); }
    void item(int k, float type, float colour, float ref, float v1, float h1, float v2, float h2,
              float p1 = 0, float p2 = 0) {
        OverlayItems& o = m.overlay;
        const auto i = std::size_t(k);
        o.ItemType[i] = type, o.ItemColor[i] = colour, o.ItemRef[i] = ref;
        o.Vert1[i] = v1, o.Horz1[i] = h1, o.Vert2[i] = v2, o.Horz2[i] = h2;
        o.Pivot1[i] = p1, o.Pivot2[i] = p2;
    }
    void pivot(int p, float h, float v) { m.PivotHorz[std::size_t(p)] = h, m.PivotVert[std::size_t(p)] = v; }
    std::vector<DrawnItem> draw() {
        canvas = RecordingCanvas();
        drawOverlay(m, canvas);
        return canvas.items();
    }
};

DrawnItem lineOf(Color c, int x1, int y1, int x2, int y2) {
    DrawnItem d;
    d.kind = Kind::Line;
    d.color = c;
    d.x1 = x1, d.y1 = y1, d.x2 = x2, d.y2 = y2;
    return d;
}

DrawnItem ellipseOf(Color c, int x1, int y1, int x2, int y2) {
    DrawnItem d = lineOf(c, x1, y1, x2, y2);
    d.kind = Kind::Ellipse;
    return d;
}

TEST_F(OverlayFrame, FixedLineAndCircleSitOnTheDrawing) {
    item(1, 0, 255, 0, 2, 1, 6, 4);      // red line from (H1, V2) to (H4, V6)
    item(2, 1, 16711680, 0, 2, 1, 0, 5);  // blue circle about (H1, V2), radius 5
    const auto drawn = draw();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], lineOf(colors::Red, 104, 244, 158, 172));
    // (1 - 5, 2 + 5) .. (1 + 5, 2 - 5) maps to (14, 154) .. (194, 334); the right and
    // lower edges one pixel further out.
    EXPECT_EQ(drawn[1], ellipseOf(colors::Blue, 14, 154, 195, 335));
}

TEST_F(OverlayFrame, PivotOneLineMovesWithItsPivotAndKeepsItsShape) {
    pivot(12, 3, -1);
    item(1, 0, 32768, 1, 0.75f, 0.5f, 2, 2, 12);
    // (3.5, -0.25) is 284.5 down: halves go to the even pixel.
    EXPECT_EQ(draw(), std::vector{lineOf(colors::DarkGreen, 149, 284, 176, 262)});
    pivot(12, 4, -1);
    EXPECT_EQ(draw(), std::vector{lineOf(colors::DarkGreen, 167, 284, 194, 262)});
}

TEST_F(OverlayFrame, TwoPivotLineStretchesBetweenThem) {
    pivot(5, 1, 1);
    pivot(14, 4, 7);
    item(1, 0, 0, 3, 0, 0, -1, 0, 5, 14);
    EXPECT_EQ(draw(), std::vector{lineOf(colors::Black, 104, 262, 158, 172)});
    pivot(14, 6, 7);
    EXPECT_EQ(draw(), std::vector{lineOf(colors::Black, 104, 262, 194, 172)});
}

TEST_F(OverlayFrame, PivotToFixedLineAndTiedCircle) {
    pivot(3, 2, 2);
    item(1, 0, 65535, 2, 0, -1, 6, 4, 3);  // from pivot 3 less one unit, to (H4, V6)
    item(2, 1, 8421504, 1, 0, 1, 0, 1, 3);  // radius 1 about pivot 3 plus one unit
    const auto drawn = draw();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], lineOf(colors::Yellow, 104, 244, 158, 172));
    EXPECT_EQ(drawn[1], ellipseOf(colors::Grey, 122, 226, 159, 263));
}

// Empty items draw nothing, but every item sets the pen: the last one decides what the
// reference-point crosses are drawn with.
TEST_F(OverlayFrame, EmptyItemsDrawNothingAndTheLastItemLeavesThePen) {
    item(19, 0, 255, 0, 0, 0, 1, 1);
    draw();
    EXPECT_EQ(canvas.items().size(), 1u);
    EXPECT_EQ(canvas.penColor(), colors::Black);
    item(20, 1, 16711680, 0, 0, 0, 0, 1);
    draw();
    EXPECT_EQ(canvas.penColor(), colors::Blue);
    item(20, -1, 16711680, 0, 0, 0, 0, 1);  // cleared type: nothing drawn, black pen
    EXPECT_EQ(draw().size(), 1u);
    EXPECT_EQ(canvas.penColor(), colors::Black);
}

struct StrangeItem {
    const char* name;
    float type, ref, pivot1, pivot2;
};

class StrangeOverlayItem : public OverlayFrame,
                           public ::testing::WithParamInterface<StrangeItem> {};

// Values that only a damaged or foreign file holds: nothing is drawn and no pivot array
// is read outside 0..26.
TEST_P(StrangeOverlayItem, IsNotDrawn) {
    const StrangeItem& s = GetParam();
    item(1, s.type, 255, s.ref, 1, 1, 2, 2, s.pivot1, s.pivot2);
    EXPECT_TRUE(draw().empty());
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Overlay, StrangeOverlayItem,
    ::testing::Values(StrangeItem{"PivotTwentySeven", 0, 1, 27, 0},
                      StrangeItem{"PivotMinusOne", 1, 1, -1, 0},
                      StrangeItem{"PivotNaN", 0, 2, NaN, 0},
                      StrangeItem{"PivotHuge", 0, 1, 3e38f, 0},
                      StrangeItem{"SecondPivotOutside", 0, 3, 5, 40},
                      StrangeItem{"TypeTwo", 2, 0, 0, 0},
                      StrangeItem{"HalfAType", 0.5f, 0, 0, 0},
                      StrangeItem{"CircleTiedAtBothEnds", 1, 3, 5, 5},
                      StrangeItem{"ReferenceFour", 0, 4, 5, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OverlayFrame, FrameDrawsTheOverlayAfterTheGearBeforeTheText) {
    item(1, 0, 255, 0, 2, 1, 6, 4);
    solveAndMapFrame(m);
    Random random{1};
    RunFrame(m, canvas, random);
    const auto& drawn = canvas.items();
    std::size_t overlayAt = drawn.size(), firstText = drawn.size();
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i] == lineOf(colors::Red, 104, 244, 158, 172)) overlayAt = i;
        if (drawn[i].kind == Kind::Text && firstText == drawn.size()) firstText = i;
    }
    ASSERT_LT(overlayAt, drawn.size());
    EXPECT_GT(overlayAt, 10u);  // the gear came first
    EXPECT_LT(overlayAt, firstText);
}

}  // namespace
}  // namespace quarn
