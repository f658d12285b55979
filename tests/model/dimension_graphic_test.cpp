// The dimension graphic's counting: starting from a dialog button, the saved and set
// views, the blink, the end after 1000 frames or a click, and the dialog to reopen.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/dimension_graphic.h"
#include "startup_model.h"

namespace quarn {
namespace {

// One frame of the graphic without its drawing.
DimensionGraphicEnd runFrame(GearModel& m, DimensionGraphicFrame* seen = nullptr) {
    const DimensionGraphicFrame f = beginDimensionGraphicFrame(m);
    if (seen) *seen = f;
    return finishDimensionGraphicFrame(m);
}

GearModel userView() {
    GearModel m = startupModel();
    m.view.ViewScale = 21.5f;
    m.view.ViewOffsetX = 123;
    m.view.ViewOffsetY = 456;
    return m;
}

struct StartRow {
    std::string name;
    int code;
    bool starts;
};

class StartGraphic : public ::testing::TestWithParam<StartRow> {};

TEST_P(StartGraphic, TakesOnlyCodesADialogButtonGives) {
    GearModel m = startupModel();
    EXPECT_EQ(startDimensionGraphic(m, GetParam().code), GetParam().starts);
    EXPECT_EQ(m.dimGraphic.ShowDimension, GetParam().starts ? GetParam().code : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StartGraphic,
    ::testing::Values(StartRow{"FirstFrame", 1, true}, StartRow{"RevArmToCentMax", 30, true},
                      StartRow{"FirstCylinder", 101, true}, StartRow{"LastCylinder", 117, true},
                      StartRow{"None", 0, false}, StartRow{"Negative", -3, false},
                      StartRow{"PastFrame", 31, false}, StartRow{"Between", 100, false},
                      StartRow{"PastCylinder", 118, false}),
    [](const auto& info) { return info.param.name; });

struct ScaleRow {
    std::string name;
    int code;
    float zoom;
    float scale;
};

class GraphicScale : public ::testing::TestWithParam<ScaleRow> {};

TEST_P(GraphicScale, IsKTimesTheDefaultZoomOverTheZoom) {
    GearModel m = userView();
    m.view.GraphicZoom = GetParam().zoom;
    ASSERT_TRUE(startDimensionGraphic(m, GetParam().code));
    runFrame(m);
    EXPECT_FLOAT_EQ(m.view.ViewScale, GetParam().scale);
}

// A zoom from a file is not kept by the zoom dialog: outside its limits it is taken at
// the nearest one, so the view stays finite.
INSTANTIATE_TEST_SUITE_P(
    Zooms, GraphicScale,
    ::testing::Values(ScaleRow{"DriverDiaDefault", 1, 7.5f, 30},
                      ScaleRow{"DriverDiaDoubleZoom", 1, 15, 15},
                      ScaleRow{"MainRodDefault", 3, 7.5f, 18},
                      ScaleRow{"LowestZoom", 1, 0.5f, 450},
                      ScaleRow{"HighestZoom", 1, 2000, 30 * 0.00375f},
                      ScaleRow{"ZeroZoomFromFile", 1, 0, 450},
                      ScaleRow{"NaNZoomFromFile", 1, std::numeric_limits<float>::quiet_NaN(), 450},
                      ScaleRow{"HugeZoomFromFile", 1, 1e30f, 30 * 0.00375f}),
    [](const auto& info) { return info.param.name; });

struct OffsetRow {
    std::string name;
    int code;
    bool erie;
    float scale, x, y;  // the view after the first frame
};

class GraphicView : public ::testing::TestWithParam<OffsetRow> {};

TEST_P(GraphicView, SetsTheOffsetsOfItsCaseOrKeepsTheUsers) {
    GearModel m = userView();
    m.ErieTriplexForm = GetParam().erie;
    startDimensionGraphic(m, GetParam().code);
    DimensionGraphicFrame f;
    runFrame(m, &f);
    EXPECT_FLOAT_EQ(m.view.ViewScale, GetParam().scale);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetX, GetParam().x);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetY, GetParam().y);
    const bool viewKept = GetParam().scale == 21.5f;
    EXPECT_EQ(f.drawn == nullptr, viewKept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphicView,
    ::testing::Values(OffsetRow{"DriverDia", 1, false, 30, 290, 212},
                      OffsetRow{"MainRodKeepsOffsets", 3, false, 18, 123, 456},
                      OffsetRow{"CylCtrKeepsOffsets", 101, false, 18, 123, 456},
                      OffsetRow{"ValveRod", 10, false, 33, -100, 320},
                      OffsetRow{"ErieComboLeverUpperLeavesView", 7, true, 21.5f, 123, 456},
                      OffsetRow{"ErieValveRodLeavesView", 10, true, 21.5f, 123, 456},
                      OffsetRow{"ErieUnionLinkStillShown", 6, true, 62, -780, 212},
                      OffsetRow{"ValveStem", 117, false, 55, -950, 375}),
    [](const auto& info) { return info.param.name; });

TEST(DimensionGraphic, EveryButtonHasItsLabel) {
    EXPECT_EQ(dimensionGraphicCase(30)->label, "Rev Arm to Cemt Max");
    EXPECT_EQ(dimensionGraphicCase(115)->label, "Valve End Width  Rear");
    EXPECT_EQ(dimensionGraphicCase(116)->label, "Valve End Width  Front");
    for (int code = 1; code <= 117; ++code) {
        const bool button = (code <= 30) || code >= 101;
        const DimensionGraphicCase* c = dimensionGraphicCase(code);
        ASSERT_EQ(c != nullptr, button) << code;
        if (c) {
            EXPECT_EQ(c->code, code);
            EXPECT_FALSE(c->label.empty()) << code;
        }
    }
}

TEST(DimensionGraphic, BlinksThreeRedThenThreeBlackFrames) {
    GearModel m = startupModel();
    startDimensionGraphic(m, 2);
    std::string pens;
    for (int i = 0; i < 13; ++i) {
        DimensionGraphicFrame f;
        runFrame(m, &f);
        pens += f.red ? 'R' : 'B';
    }
    EXPECT_EQ(pens, "RRRBBBRRRBBBR");
}

TEST(DimensionGraphic, SavesTheViewOnTheFirstFrameOnlyAndRestoresItAfter1000Frames) {
    GearModel m = userView();
    startDimensionGraphic(m, 1);
    EXPECT_FALSE(runFrame(m).ended);
    // The user pans while the graphic shows: it lasts only until the next frame.
    m.view.ViewOffsetX = 999;
    for (int frame = 2; frame < DimensionGraphicLength; ++frame) ASSERT_FALSE(runFrame(m).ended);
    EXPECT_FLOAT_EQ(m.view.SavedViewOffsetX, 123);
    EXPECT_EQ(m.dimGraphic.DimensionGraphicFrames, 999);
    EXPECT_FALSE(runFrame(m).ended);  // frame 1000 still shows
    const DimensionGraphicEnd e = runFrame(m);
    ASSERT_TRUE(e.ended);
    EXPECT_TRUE(e.reopenFrameDialog);
    EXPECT_EQ(m.dimGraphic.ShowDimension, 0);
    EXPECT_EQ(m.dimGraphic.DimensionGraphicFrames, 0);
    EXPECT_EQ(m.dimGraphic.DimensionGraphicBlink, 0);
    EXPECT_FLOAT_EQ(m.view.ViewScale, 21.5f);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetX, 123);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetY, 456);
}

TEST(DimensionGraphic, ACylinderButtonReopensTheCylinderDialog) {
    GearModel m = startupModel();
    m.dimGraphic.ReopenFrameDialog = 1;
    startDimensionGraphic(m, 104);
    DimensionGraphicFrame f;
    runFrame(m, &f);
    EXPECT_TRUE(f.cylinderDialog);
    EXPECT_EQ(m.dimGraphic.ReopenFrameDialog, 0);
    endDimensionGraphicOnClick(m);
    const DimensionGraphicEnd e = runFrame(m);
    EXPECT_TRUE(e.ended);
    EXPECT_FALSE(e.reopenFrameDialog);
}

TEST(DimensionGraphic, AClickEndsItAtTheNextFrame) {
    GearModel m = userView();
    startDimensionGraphic(m, 20);
    for (int i = 0; i < 7; ++i) runFrame(m);
    endDimensionGraphicOnClick(m);
    EXPECT_EQ(m.dimGraphic.DimensionGraphicFrames, DimensionGraphicClickFrames);
    const DimensionGraphicEnd e = runFrame(m);
    EXPECT_TRUE(e.ended);
    EXPECT_TRUE(e.reopenFrameDialog);
    EXPECT_FLOAT_EQ(m.view.ViewScale, 21.5f);
}

TEST(DimensionGraphic, AClickWithoutAGraphicChangesNothing) {
    GearModel m = startupModel();
    endDimensionGraphicOnClick(m);
    EXPECT_EQ(m.dimGraphic.DimensionGraphicFrames, 0);
}

}  // namespace
}  // namespace quarn
