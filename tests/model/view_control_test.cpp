// Pan, zoom, presets, reference points and the graphic zoom factor, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/view_control.h"
#include "startup_model.h"

namespace quarn {
namespace {

// A bar change as the window reports it: the user's position, then the spring back.
void zoomBy(GearModel& m, int position) {
    zoomChange(m, position);
    zoomChange(m, 0);
}

struct ZoomRow {
    const char* name;
    std::vector<int> clicks;  // positions the bar leaves 0 by, each followed by 0
    double scale, offsetX, offsetY;
};

class ZoomBar : public ::testing::TestWithParam<ZoomRow> {};

// From the start view 18, 86, 280 each arrow scales by 1.001 and each page by 1.01
// about the screen point (320, 240): x = 320 − 234 f, y = 240 + 40 f.
TEST_P(ZoomBar, ScalesAboutTheViewCentre) {
    const ZoomRow& row = GetParam();
    GearModel m = startupModel();
    for (int p : row.clicks) zoomBy(m, p);
    EXPECT_NEAR(m.view.ViewScale, row.scale, 1e-4);
    EXPECT_NEAR(m.view.ViewOffsetX, row.offsetX, 1e-4);
    EXPECT_NEAR(m.view.ViewOffsetY, row.offsetY, 1e-4);
    // The model point that was under (320, 240) is still there: Horz 13, Vert 20/9.
    EXPECT_NEAR(13 * m.view.ViewScale + m.view.ViewOffsetX, 320, 1e-3);
    EXPECT_NEAR(-(20.0 / 9) * m.view.ViewScale + m.view.ViewOffsetY, 240, 1e-3);
    EXPECT_TRUE(m.view.NormVHZEnabled);
    EXPECT_FLOAT_EQ(m.view.ZoomAnchorScale, m.view.ViewScale);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ZoomBar,
    ::testing::Values(ZoomRow{"OneArrowIn", {1}, 18.018, 85.766, 280.04},
                      ZoomRow{"TwoArrowsIn", {1, 1}, 18.036018, 85.531766, 280.08004},
                      ZoomRow{"OnePageIn", {10}, 18.18, 83.66, 280.4},
                      ZoomRow{"OneArrowOut", {-1}, 17.982, 86.234, 279.96},
                      ZoomRow{"InThenOutIsNotQuiteBack", {10, -10}, 17.9982, 86.0234, 279.996}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitRow {
    const char* name;
    float startScale;
    int click;
    float limit;
    double factor;  // what the offsets are scaled by about the view centre
};

class ZoomAtLimit : public ::testing::TestWithParam<LimitRow> {};

TEST_P(ZoomAtLimit, HoldsTheScaleButStillMovesTheOffsets) {
    const LimitRow& row = GetParam();
    GearModel m = startupModel();
    m.view.ViewScale = row.startScale;
    zoomBy(m, row.click);
    EXPECT_EQ(m.view.ViewScale, row.limit);
    EXPECT_NEAR(m.view.ViewOffsetX, 320 - 234 * row.factor, 1e-4);
    EXPECT_NEAR(m.view.ViewOffsetY, 240 + 40 * row.factor, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Limits, ZoomAtLimit,
                         ::testing::Values(LimitRow{"InAtTheTop", 3000, 10, 3000, 1.01},
                                           LimitRow{"OutAtTheBottom", 0.5f, -10, 0.5f, 0.99},
                                           LimitRow{"InToJustPastTheTop", 2990, 10, 3000, 1.01}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewControl, ZoomFromAFileScaleOfZeroKeepsTheOffsets) {
    GearModel m = startupModel();
    m.view.ViewScale = 0;
    zoomBy(m, 1);
    EXPECT_EQ(m.view.ViewScale, 0.5f);
    EXPECT_EQ(m.view.ViewOffsetX, 86.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 280.0f);
}

TEST(ViewControl, PanBarsMoveTheOffsetsAndTheAnchor) {
    GearModel m = startupModel();
    panVertChange(m, 1);  // arrow: the picture goes up by a tenth of a pixel
    panVertChange(m, 0);
    panHorzChange(m, 10);  // page: right by one pixel
    panHorzChange(m, 0);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetY, 279.9f);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetX, 87.0f);
    EXPECT_EQ(m.view.ViewScale, 18.0f);
    EXPECT_FLOAT_EQ(m.view.ZoomAnchorOffsetX, 87.0f);
    EXPECT_FLOAT_EQ(m.view.ZoomAnchorOffsetY, 279.9f);
    EXPECT_TRUE(m.view.NormVHZEnabled);
    // A drag to -30 springs back and pans the other way by 3.
    panHorzChange(m, -30);
    panHorzChange(m, 0);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetX, 84.0f);
}

TEST(ViewControl, NormalViewKeepsTheViewItLeaves) {
    GearModel m = startupModel();
    zoomBy(m, 10);
    panHorzChange(m, 10);
    returnToNormalView(m);
    EXPECT_EQ(m.view.ViewScale, 18.0f);
    EXPECT_EQ(m.view.ViewOffsetX, 86.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 280.0f);
    EXPECT_FLOAT_EQ(m.view.SavedViewScale, 18.18f);
    EXPECT_FLOAT_EQ(m.view.SavedViewOffsetX, 84.66f);
    EXPECT_EQ(m.view.ZoomAnchorScale, 18.0f);
    EXPECT_FALSE(m.view.NormVHZEnabled);
}

TEST(ViewControl, PThenThreeStoresTheViewUnderThree) {
    GearModel m = startupModel();
    m.view.ViewScale = 20;
    m.view.ViewOffsetX = 100;
    m.view.ViewOffsetY = 200;
    capturePreset(m);
    EXPECT_TRUE(m.view.PresetCapturing);
    selectPreset(m, 3);
    EXPECT_FALSE(m.view.PresetCapturing);  // "P" usable again
    EXPECT_EQ(m.view.ViewPresets[9], 20.0f);
    EXPECT_EQ(m.view.ViewPresets[10], 100.0f);
    EXPECT_EQ(m.view.ViewPresets[11], 200.0f);
    // Elsewhere and back: "3" alone returns to it and leaves the other slots alone.
    selectPreset(m, 1);
    EXPECT_EQ(m.view.ViewScale, 62.0f);
    EXPECT_EQ(m.view.ViewOffsetX, 315.0f);
    returnToNormalView(m);
    selectPreset(m, 3);
    EXPECT_EQ(m.view.ViewScale, 20.0f);
    EXPECT_EQ(m.view.ViewOffsetX, 100.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 200.0f);
    EXPECT_EQ(m.view.ViewPresets[3], 62.0f);
    EXPECT_TRUE(m.view.NormVHZEnabled);
}

TEST(ViewControl, ANumberAloneOnlyRecallsItsPreset) {
    GearModel m = startupModel();
    selectPreset(m, 5);
    EXPECT_EQ(m.view.ViewScale, 427.0f);
    EXPECT_EQ(m.view.ViewOffsetX, -10200.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 1482.0f);
    EXPECT_EQ(m.view.ViewPresets[0], 0.0f);  // nothing captured
    selectPreset(m, 7);                      // no such button: nothing happens
    EXPECT_EQ(m.view.ViewScale, 427.0f);
}

struct NudgeRow {
    const char* name;
    int point;
    RefAxis axis;
    int position;
    double vert, horz;  // the point after the change and its spring back
};

class RefPointBar : public ::testing::TestWithParam<NudgeRow> {};

TEST_P(RefPointBar, MovesItsPointByThousandths) {
    const NudgeRow& row = GetParam();
    GearModel m = startupModel();
    nudgeRefPoint(m, row.point, row.axis, row.position);
    nudgeRefPoint(m, row.point, row.axis, 0);
    const int p = row.point == 1 ? 19 : 20;
    EXPECT_FLOAT_EQ(m.PivotVert[p], static_cast<float>(row.vert));
    EXPECT_FLOAT_EQ(m.PivotHorz[p], static_cast<float>(row.horz));
    EXPECT_EQ(m.view.RefPt1ZeroEnabled, row.point == 1);
    EXPECT_EQ(m.view.RefPt2ZeroEnabled, row.point == 2);
    const int other = row.point == 1 ? 20 : 19;
    EXPECT_EQ(m.PivotVert[other], 0.0f);
    EXPECT_EQ(m.PivotHorz[other], 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, RefPointBar,
    ::testing::Values(NudgeRow{"Point1VertArrowUp", 1, RefAxis::Vert, 1, 0.001, 0},
                      NudgeRow{"Point1HorzPageBack", 1, RefAxis::Horz, -25, 0, -0.025},
                      NudgeRow{"Point2VertDrag", 2, RefAxis::Vert, -300, -0.3, 0},
                      NudgeRow{"Point2HorzArrowBack", 2, RefAxis::Horz, -1, 0, -0.001}),
    [](const auto& info) { return std::string(info.param.name); });

// Point 1 at Horz 10, Vert 2 in the start view: the pan puts it at (320, 240), with
// offsets 140 and 276; the pan bars are then set to N(−54 × 100 / 86) = −63 and
// N(−4 × 200 / 280) = −3, and their change handling pans by −6.3 and +0.3 more.
TEST(ViewControl, PanToRefPointThenTheBarsPanOnceMore) {
    GearModel m = startupModel();
    m.PivotHorz[19] = 10;
    m.PivotVert[19] = 2;
    const PanBarPositions bars = panToRefPoint(m, 1);
    EXPECT_EQ(m.view.ViewOffsetX, 140.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 276.0f);
    EXPECT_EQ(bars.horz, -63);
    EXPECT_EQ(bars.vert, -3);
    panHorzChange(m, bars.horz);
    panHorzChange(m, 0);
    panVertChange(m, bars.vert);
    panVertChange(m, 0);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetX, 133.7f);
    EXPECT_FLOAT_EQ(m.view.ViewOffsetY, 276.3f);
}

TEST(ViewControl, PanToRefPointTwoUsesPivotTwenty) {
    GearModel m = startupModel();
    m.view.ViewScale = 36;
    m.PivotHorz[20] = -1;
    m.PivotVert[20] = -1;
    const PanBarPositions bars = panToRefPoint(m, 2);
    EXPECT_EQ(m.view.ViewOffsetX, 356.0f);
    EXPECT_EQ(m.view.ViewOffsetY, 204.0f);
    // (36 × 18 / 36 + 234) × 100 / 86 = 293.02; (−36 × 18 / 36 − 40) × 200 / 280 = −41.43
    EXPECT_EQ(bars.horz, -293);
    EXPECT_EQ(bars.vert, -41);
}

enum class DialogButton { OK, Cancel, Zero };

struct DialogRow {
    const char* name;
    bool onBefore;
    DialogButton button;
    bool onAfter;
};

class RefPointsDialog : public ::testing::TestWithParam<DialogRow> {};

TEST_P(RefPointsDialog, LeavesThePointsOnOnlyAfterOK) {
    const DialogRow& row = GetParam();
    GearModel m = startupModel();
    m.screen.RefPointsOn = row.onBefore;
    m.PivotVert[19] = 1.5f;
    m.view.RefPt1ZeroEnabled = 1;
    switch (row.button) {
        case DialogButton::OK: refPointsDialogOK(m, {0.25, -3, 0, 0}); break;
        case DialogButton::Cancel: refPointsDialogCancel(m); break;
        case DialogButton::Zero: refPointsDialogZero(m); break;
    }
    EXPECT_EQ(m.screen.RefPointsOn, row.onAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, RefPointsDialog,
    ::testing::Values(DialogRow{"OKWhileOff", false, DialogButton::OK, true},
                      DialogRow{"OKWhileOn", true, DialogButton::OK, true},
                      DialogRow{"CancelWhileOff", false, DialogButton::Cancel, false},
                      DialogRow{"CancelWhileOn", true, DialogButton::Cancel, false},
                      DialogRow{"ZeroWhileOff", false, DialogButton::Zero, false},
                      DialogRow{"ZeroWhileOn", true, DialogButton::Zero, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewControl, RefPointsDialogShowsAndStoresTheFourValues) {
    GearModel m = startupModel();
    m.PivotVert[19] = 1.5f;
    m.PivotHorz[19] = -12.25f;
    const auto texts = refPointsDialogTexts(m);
    EXPECT_EQ(texts[0], "1.500");
    EXPECT_EQ(texts[1], "-12.250");
    EXPECT_EQ(texts[2], "0.000");
    refPointsDialogOK(m, {0, 0, 0, 4.125});
    EXPECT_EQ(m.PivotVert[19], 0.0f);
    EXPECT_EQ(m.PivotHorz[19], 0.0f);
    EXPECT_EQ(m.PivotHorz[20], 4.125f);
    EXPECT_FALSE(m.view.RefPt1ZeroEnabled);  // both its values are 0
    EXPECT_TRUE(m.view.RefPt2ZeroEnabled);
}

TEST(ViewControl, RefPointsDialogZeroClearsBothPoints) {
    GearModel m = startupModel();
    m.PivotVert[19] = 1;
    m.PivotHorz[20] = 2;
    m.view.RefPt1ZeroEnabled = m.view.RefPt2ZeroEnabled = 1;
    refPointsDialogZero(m);
    EXPECT_EQ(m.PivotVert[19], 0.0f);
    EXPECT_EQ(m.PivotHorz[20], 0.0f);
    EXPECT_FALSE(m.view.RefPt1ZeroEnabled);
    EXPECT_FALSE(m.view.RefPt2ZeroEnabled);
}

struct ClampRow {
    const char* name;
    double typed;
    float stored;
};

class GraphicZoomField : public ::testing::TestWithParam<ClampRow> {};

TEST_P(GraphicZoomField, IsKeptWithinItsLimits) {
    GearModel m = startupModel();
    setGraphicZoom(m, GetParam().typed);
    EXPECT_EQ(m.view.GraphicZoom, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GraphicZoomField,
    ::testing::Values(ClampRow{"Zero", 0, 0.5f}, ClampRow{"JustBelow", 0.49, 0.5f},
                      ClampRow{"Bottom", 0.5, 0.5f}, ClampRow{"Gauge", 16.5, 16.5f},
                      ClampRow{"Top", 2000, 2000.0f}, ClampRow{"Above", 2500, 2000.0f},
                      ClampRow{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 0.5f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewControl, GraphicZoomFieldShowsTwoDecimals) {
    GearModel m = startupModel();
    EXPECT_EQ(graphicZoomText(m), "7.50");
    setGraphicZoom(m, 1234.567);
    EXPECT_EQ(graphicZoomText(m), "1234.57");
}

// Where a model point is on the screen under the current view, before rounding.
double screenX(const GearModel& m, double h) { return h * m.view.ViewScale + m.view.ViewOffsetX; }
double screenY(const GearModel& m, double v) { return -v * m.view.ViewScale + m.view.ViewOffsetY; }

void setViewTo(GearModel& m, float scale, float x, float y) {
    m.view.ViewScale = scale;
    m.view.ViewOffsetX = x;
    m.view.ViewOffsetY = y;
}

// One notch is one page click of the zoom bar, 1.01 (−2 notches scale by 0.98), about
// the pointer: offset' = (offset − pointer) × factor + pointer, worked out by hand.
TEST(ViewControl, ZoomAboutAPointKeepsItsModelPointUnderIt) {
    const struct {
        const char* name;
        float scale, x, y;  // the view before
        double px, py, notches;
        double wantScale, wantX, wantY;
    } rows[] = {
        {"InAtTheCentreIsThePageClick", 18, 86, 280, 320, 240, 1, 18.18, 83.66, 280.4},
        {"InAtTheTopLeftCorner", 18, 86, 280, 0, 0, 1, 18.18, 86.86, 282.8},
        {"OutTwoAtTheBottomRight", 18, 86, 280, 1279, 1023, -2, 17.64, 109.86, 294.86},
        {"HalfANotchInOnPresetFive", 427, -10200, 1482, 640, 512, 0.5, 429.135, -10254.2,
         1486.85},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GearModel m = startupModel();
        setViewTo(m, row.scale, row.x, row.y);
        const double horz = (row.px - row.x) / row.scale;
        const double vert = (row.y - row.py) / row.scale;
        zoomAbout(m, row.px, row.py, row.notches);
        EXPECT_NEAR(m.view.ViewScale, row.wantScale, 1e-3);
        EXPECT_NEAR(m.view.ViewOffsetX, row.wantX, 1e-2);
        EXPECT_NEAR(m.view.ViewOffsetY, row.wantY, 1e-2);
        EXPECT_NEAR(screenX(m, horz), row.px, 1.0);
        EXPECT_NEAR(screenY(m, vert), row.py, 1.0);
        EXPECT_TRUE(m.view.NormVHZEnabled);
        EXPECT_EQ(m.view.ZoomAnchorScale, m.view.ViewScale) << "anchored at the new view";
        EXPECT_EQ(m.view.ZoomAnchorOffsetX, m.view.ViewOffsetX);
    }
}

// The picture follows the pointer: a pivot moves on the screen by the drag.
TEST(ViewControl, PanByMovesAPivotByThePixelsDragged) {
    const struct {
        const char* name;
        float scale, x, y;
        double dx, dy;
    } rows[] = {
        {"RightTen", 18, 86, 280, 10, 0},
        {"UpSeven", 18, 86, 280, 0, -7},
        {"FarDownLeftOnPresetFive", 427, -10200, 1482, -300, 250},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GearModel m = startupModel();
        setViewTo(m, row.scale, row.x, row.y);
        const double x0 = screenX(m, m.PivotHorz[6]), y0 = screenY(m, m.PivotVert[6]);
        panBy(m, row.dx, row.dy);
        EXPECT_NEAR(screenX(m, m.PivotHorz[6]) - x0, row.dx, 1.0);
        EXPECT_NEAR(screenY(m, m.PivotVert[6]) - y0, row.dy, 1.0);
        EXPECT_EQ(m.view.ViewScale, row.scale);
        EXPECT_TRUE(m.view.NormVHZEnabled);
        EXPECT_EQ(m.view.ZoomAnchorOffsetY, m.view.ViewOffsetY);
    }
}

}  // namespace
}  // namespace quarn
