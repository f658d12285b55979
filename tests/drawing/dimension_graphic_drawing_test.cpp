// The dimension graphic on the frame: the hourglass, each dimension's line from the
// tick's points and the graphic's view, the blink, the label and the dialog requests.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "canvas/recording_canvas.h"
#include "drawing/dimension_graphic_drawing.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "model/dimension_graphic.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

struct Seg {
    int x1, y1, x2, y2;
    friend bool operator==(const Seg&, const Seg&) = default;
};
std::ostream& operator<<(std::ostream& os, const Seg& s) {
    return os << "(" << s.x1 << ", " << s.y1 << ")-(" << s.x2 << ", " << s.y2 << ")";
}

// The start-up gear at 30 degrees, solved and mapped in the start view.
struct GraphicFrame : ::testing::Test {
    GearModel m;
    RecordingCanvas canvas;
    Random random{5};
    void SetUp() override {
        InitStartupState(m);
        m.DriverAngle = 30;
        solveAndMapFrame(m);
    }
    FrameRequests frame() {
        canvas = RecordingCanvas{};
        FrameRequests r = RunFrame(m, canvas, random);
        solveAndMapFrame(m);  // the next tick maps in the view the graphic set
        return r;
    }
    std::vector<Seg> thick() const {
        std::vector<Seg> out;
        for (const DrawnItem& i : canvas.items())
            if (i.kind == Kind::Line && i.width == DimensionGraphicPenWidth)
                out.push_back({i.x1, i.y1, i.x2, i.y2});
        return out;
    }
    std::vector<DrawnItem> labels() const {
        std::vector<DrawnItem> out;
        for (const DrawnItem& i : canvas.items())
            if (i.kind == Kind::Text && i.style.pointSize == DimensionGraphicFontSize) out.push_back(i);
        return out;
    }
};

TEST_F(GraphicFrame, OffDrawsNothingAndAsksNothing) {
    const FrameRequests r = frame();
    EXPECT_TRUE(thick().empty());
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(r.dialog, DialogRequest::None);
    EXPECT_FALSE(r.defaultPointer);
}

TEST_F(GraphicFrame, HourglassIsAtFixedPixelsWhateverTheView) {
    m.view.ViewOffsetX = 5000;
    startDimensionGraphic(m, 3);
    frame();
    int hourglass = 0;
    std::vector<Seg> thin;
    for (const DrawnItem& i : canvas.items()) {
        if (i.kind != Kind::Line || i.color != colors::Black) continue;
        if (i.width == 2 && i.x1 >= 20 && i.x1 <= 44 && i.y1 >= 100 && i.y1 <= 142) ++hourglass;
        if (i.width == 1 && i.x1 >= 24 && i.x1 <= 39 && i.y1 >= 111 && i.y1 <= 136)
            thin.push_back({i.x1, i.y1, i.x2, i.y2});
    }
    EXPECT_EQ(hourglass, 18);
    const std::vector<Seg> sand{{24, 136, 32, 127}, {39, 136, 31, 127}, {31, 117, 26, 111},
                                {26, 111, 37, 111}, {37, 111, 31, 118}};
    EXPECT_EQ(thin, sand);
}

// The label stands at (30, 75) moved by the text layout, halves to even: 75 × 1.22 is
// 91.5 and lands on 92.
TEST_F(GraphicFrame, LabelIn14PointBlackMovedByTheLargeLayout) {
    m.screen.text = TextScale::large();
    m.screen.ScreenDataOn = 0;  // the graphic does not depend on the screen data
    startDimensionGraphic(m, 116);
    frame();
    ASSERT_EQ(labels().size(), 1u);
    const DrawnItem t = labels()[0];
    EXPECT_EQ(t.text, "Valve End Width  Front");
    EXPECT_EQ(t.x1, 38);
    EXPECT_EQ(t.y1, 92);
    EXPECT_EQ(t.style.color, colors::Black);
}

TEST_F(GraphicFrame, LinePenBlinksRedThenBlack) {
    startDimensionGraphic(m, 13);
    std::string pens;
    for (int i = 0; i < 7; ++i) {
        frame();
        for (const DrawnItem& it : canvas.items())
            if (it.kind == Kind::Line && it.width == DimensionGraphicPenWidth)
                pens += it.color == colors::Red ? 'R' : (it.color == colors::Black ? 'B' : '?');
    }
    EXPECT_EQ(pens, "RRRBBBR");
}

TEST_F(GraphicFrame, FrameDialogClosesEachFrameAndReopensAtTheEnd) {
    startDimensionGraphic(m, 5);
    EXPECT_EQ(frame().dialog, DialogRequest::CloseFrameDialog);
    EXPECT_EQ(frame().dialog, DialogRequest::CloseFrameDialog);
    endDimensionGraphicOnClick(m);
    const FrameRequests last = frame();
    EXPECT_EQ(last.dialog, DialogRequest::ShowFrameDialog);
    EXPECT_TRUE(last.defaultPointer);
    EXPECT_FLOAT_EQ(m.view.ViewScale, StartViewScale);
    EXPECT_EQ(frame().dialog, DialogRequest::None);
}

TEST_F(GraphicFrame, CylinderDialogClosesAndReopens) {
    startDimensionGraphic(m, 109);
    EXPECT_EQ(frame().dialog, DialogRequest::CloseCylinderDialog);
    endDimensionGraphicOnClick(m);
    EXPECT_EQ(frame().dialog, DialogRequest::ShowCylinderDialog);
}

TEST_F(GraphicFrame, ErieTriplexComboLeverShowsOnlyTheHourglass) {
    m.ErieTriplexForm = 1;
    startDimensionGraphic(m, 8);
    const FrameRequests r = frame();
    EXPECT_TRUE(thick().empty());
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(r.dialog, DialogRequest::CloseFrameDialog);
    EXPECT_FLOAT_EQ(m.view.ViewScale, StartViewScale);
}

// The first frame draws the tick's pivots, mapped in the user's view, with points built
// in the graphic's view: the driver's vertical stands at the old x.
TEST_F(GraphicFrame, FirstFrameMixesTheTicksPivotsWithTheGraphicsView) {
    const int oldX = m.PivotScreenX[0];
    startDimensionGraphic(m, 1);
    frame();
    const double half = m.frame.DriverDia / 2.0;
    const std::vector<Seg> want{{oldX, roundToScreen(half * 30 + 212), oldX,
                                 roundToScreen(-half * 30 + 212)}};
    EXPECT_EQ(thick(), want);
}

// A combination lever of no lower length has no extension: the line ends on the pivot.
TEST_F(GraphicFrame, ZeroLengthLowerLeverKeepsTheExtensionOnThePivot) {
    m.frame.ComboLeverLower = 0;
    const OutlinePoints o = computeOutlinePoints(m);
    const DimensionLine d = dimensionLine(m, o, 7);
    EXPECT_EQ(d.to, (ScreenPoint{screenX(m, m.PivotHorz[4]), screenY(m, m.PivotVert[4])}));
}

// Each dimension's line in a frame after the first, where pivots and built points share
// the graphic's view; the expected ends are worked out here from the gear's values.
struct LineRow {
    std::string name;
    int code;
    float dropLink;  // the nominal gear has no drop link; some rows give it one
    std::function<std::vector<Seg>(const GearModel&, const OutlinePoints&)> want;
};

ScreenPoint P(const GearModel& m, int n) { return {m.PivotScreenX[n], m.PivotScreenY[n]}; }
Seg seg(ScreenPoint a, ScreenPoint b) { return {a.x, a.y, b.x, b.y}; }

class DimensionLines : public GraphicFrame, public ::testing::WithParamInterface<LineRow> {};

TEST_P(DimensionLines, DrawTheDimensionWhereItLies) {
    m.frame.DropLinkToCrossHVert = GetParam().dropLink;
    m.frame.DropLinkToCrossHBkS = GetParam().dropLink;
    solveAndMapFrame(m);
    startDimensionGraphic(m, GetParam().code);
    frame();  // sets the view; the tick maps in it
    frame();
    const OutlinePoints o = computeOutlinePoints(m);
    const std::vector<Seg> want = GetParam().want(m, o);
    for (const Seg& s : want) EXPECT_TRUE(s.x1 != s.x2 || s.y1 != s.y2) << "a line of no length proves little";
    EXPECT_EQ(thick(), want);
    ASSERT_EQ(labels().size(), 1u);
    EXPECT_EQ(labels()[0].text, dimensionGraphicCase(GetParam().code)->label);
}

const auto H = [](const GearModel& m, int n) { return double(m.PivotHorz[n]); };
const auto V = [](const GearModel& m, int n) { return double(m.PivotVert[n]); };

INSTANTIATE_TEST_SUITE_P(
    Table, DimensionLines,
    ::testing::Values(
        LineRow{"Stroke", 2, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    return std::vector<Seg>{seg(P(m, 12), {screenX(m, 2 * H(m, 0) - H(m, 12)),
                                                           screenY(m, 2 * V(m, 0) - V(m, 12))})};
                }},
        LineRow{"DropLinkBkS", 5, 1.5f,
                [](const GearModel& m, const OutlinePoints&) {
                    return std::vector<Seg>{seg({P(m, 3).x, P(m, 21).y}, P(m, 21))};
                }},
        LineRow{"ComboLeverForSet", 8, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const double k = m.frame.ComboLeverUpper / double(m.frame.ComboLeverLower);
                    return std::vector<Seg>{
                        seg(P(m, 8), {screenX(m, H(m, 4) + (H(m, 4) - H(m, 10)) * k),
                                      screenY(m, V(m, 4) + (V(m, 4) - V(m, 10)) * k)})};
                }},
        LineRow{"EccCrankCircleMirroredInPixels", 12, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const ScreenPoint a = P(m, 14), c = P(m, 0);
                    return std::vector<Seg>{seg(a, {2 * c.x - a.x, 2 * c.y - a.y})};
                }},
        LineRow{"GearConRodLowerBkS", 23, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const double k = m.frame.GearConRodLower / double(m.frame.GearConRodUpper);
                    return std::vector<Seg>{
                        seg(P(m, 15), {screenX(m, H(m, 9) + (H(m, 9) - H(m, 5)) * k),
                                       screenY(m, V(m, 9) + (V(m, 9) - V(m, 5)) * k)})};
                }},
        LineRow{"BellCrankVert", 24, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const double bh = H(m, 16) - H(m, 6), bv = V(m, 16) + V(m, 6);
                    const double k =
                        m.frame.BellCrankVertLength / double(m.frame.BellCrankHorzLength);
                    return std::vector<Seg>{seg(P(m, 6), {screenX(m, bh + (bv - V(m, 5)) * k),
                                                          screenY(m, bv - (bh - H(m, 5)) * k)})};
                }},
        LineRow{"RevArmToCentNormalWithTick", 29, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const double r0 = m.RevArmPositions[0], h = m.frame.RevArmToCentNormal;
                    const int y = P(m, 1).y, x = screenX(m, r0);
                    return std::vector<Seg>{{screenX(m, r0 - h), y, screenX(m, r0 + h), y},
                                            {x, y + 10, x, y - 10}};
                }},
        LineRow{"CylCtrToDriverCtr", 101, 0,
                [](const GearModel& m, const OutlinePoints&) {
                    const int x = screenX(m, H(m, 0) + m.cyl.CylCtrToDriverCtr);
                    return std::vector<Seg>{seg(P(m, 0), {x, P(m, 0).y})};
                }},
        LineRow{"CylSteamPort", 105, 0,
                [](const GearModel&, const OutlinePoints& o) {
                    return std::vector<Seg>{seg(o.CylinderOutlinePoints[2], o.PortInnerPoints[1])};
                }},
        LineRow{"PistonCtrHalvesTowardZero", 106, 0,
                [](const GearModel& m, const OutlinePoints& o) {
                    const int x0 = o.PistonPoints[0].x, x3 = o.PistonPoints[3].x;
                    return std::vector<Seg>{seg(P(m, 3), {x0 + (x3 - x0) / 2, P(m, 3).y})};
                }},
        LineRow{"ValveCLToCylCL", 108, 0,
                [](const GearModel& m, const OutlinePoints& o) {
                    const int x = o.cylinderStart.x - 5;
                    return std::vector<Seg>{{x, P(m, 3).y, x, P(m, 4).y}};
                }},
        LineRow{"ValveBoreCtrToPort", 111, 0,
                [](const GearModel& m, const OutlinePoints& o) {
                    const int x = screenX(m, H(m, 0) + m.cyl.CylCtrToDriverCtr);
                    return std::vector<Seg>{seg(o.PortInnerPoints[0], {x, o.PortInnerPoints[0].y})};
                }},
        LineRow{"ValveCtrToRing", 114, 0,
                [](const GearModel& m, const OutlinePoints& o) {
                    const int y = P(m, 4).y;
                    return std::vector<Seg>{{o.RearValveHeadPoints[2].x, y,
                                             screenX(m, H(m, 4) + m.cyl.ValveCtrToJoint), y}};
                }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quarn
