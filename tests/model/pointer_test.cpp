// Clicks on the main window: reference points in the drawing area, the pivot data row
// chosen on its number (under both text layouts) and the pick of its pivot.
#include <gtest/gtest.h>

#include <string>

#include "model/pointer.h"
#include "model/solver.h"
#include "startup_model.h"

namespace quarn {
namespace {

// Start-up view: 18 pixels a unit, the driver centre at (86, 280).
struct Clicks : ::testing::Test {
    GearModel m = startupModel();
    void SetUp() override {
        SolveLinkage(m);  // the pivots of the nominal gear at 0 degrees
        m.screen.RefPointsOn = 1;
    }
    MouseDownResult left(int x, int y) { return FormMouseDown(m, MouseButton::Left, x, y); }
    MouseDownResult right(int x, int y) { return FormMouseDown(m, MouseButton::Right, x, y); }
    void pivotDataOn() { m.screen.PivotDataOn = 1; }
    // Every pickable pivot far away, so that a test places the ones it needs.
    void pivotsFarAway() {
        for (int p = 1; p <= 23; ++p) {
            if (p == 19 || p == 20) continue;
            m.PivotHorz[p] = 500;
            m.PivotVert[p] = 500;
        }
    }
};

TEST_F(Clicks, LeftClickPlacesReferencePointOne) {
    const MouseDownResult r = left(104, 244);
    EXPECT_EQ(m.PivotHorz[19], 1.0f);  // (104 - 86) / 18
    EXPECT_EQ(m.PivotVert[19], 2.0f);  // -(244 - 280) / 18
    EXPECT_TRUE(r.enableRefPt1Zero);
    EXPECT_FALSE(r.enableRefPt2Zero);
    EXPECT_EQ(m.PivotHorz[20], 0.0f);
}

TEST_F(Clicks, RightClickPlacesReferencePointTwo) {
    const MouseDownResult r = right(158, 172);
    EXPECT_EQ(m.PivotHorz[20], 4.0f);
    EXPECT_EQ(m.PivotVert[20], 6.0f);
    EXPECT_TRUE(r.enableRefPt2Zero);
    EXPECT_FALSE(r.enableRefPt1Zero);
    EXPECT_EQ(m.PivotHorz[19], 0.0f);
}

TEST_F(Clicks, NothingWhileReferencePointsAreOff) {
    m.screen.RefPointsOn = 0;
    pivotDataOn();
    m.screen.PivotRowPickPending = 1;
    const MouseDownResult r = left(104, 244);
    EXPECT_FALSE(r.enableRefPt1Zero);
    EXPECT_EQ(m.PivotHorz[19], 0.0f);
    EXPECT_EQ(m.screen.PivotRowPickPending, 1);
}

TEST_F(Clicks, ViewScaleAndOffsetsMapThePoint) {
    m.view.ViewScale = 4;
    m.view.ViewOffsetX = 300;
    m.view.ViewOffsetY = 200;
    left(290, 230);
    EXPECT_EQ(m.PivotHorz[19], -2.5f);
    EXPECT_EQ(m.PivotVert[19], -7.5f);
}

struct AreaCase {
    const char* name;
    int x, y;
    bool placed;
};

class DrawingArea : public Clicks, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(DrawingArea, BelowThePanelOrRightOfTheCaptions) {
    const MouseDownResult r = left(GetParam().x, GetParam().y);
    EXPECT_EQ(r.enableRefPt1Zero, GetParam().placed);
    EXPECT_EQ(m.PivotHorz[19] != 0.0f, GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(Points, DrawingArea,
                         ::testing::Values(AreaCase{"BelowPanel", 10, 121, true},
                                           AreaCase{"OnPanelEdge", 10, 120, false},
                                           AreaCase{"RightOfCaptions", 248, 68, true},
                                           AreaCase{"AtCaptionsEdge", 247, 68, false},
                                           AreaCase{"AboveBand", 248, 67, false},
                                           AreaCase{"Controls", 100, 30, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HitCase {
    const char* name;
    bool large;
    int x, y;
    int row;  // 0: no row chosen
};

class RowNumberHit : public Clicks, public ::testing::WithParamInterface<HitCase> {};

TEST_P(RowNumberHit, OnTheDrawnRowNumber) {
    pivotDataOn();
    if (GetParam().large) m.screen.text = TextScale::large();
    left(GetParam().x, GetParam().y);
    const int row = GetParam().row;
    EXPECT_EQ(m.screen.PivotRowPickPending, row > 0 ? 1 : 0);
    if (row > 0) {
        EXPECT_EQ(m.screen.PivotDataPickRow, row);
        EXPECT_EQ(m.screen.PivotDataRowSet[row], 1);
    }
    for (int k = 1; k <= 6; ++k) {
        if (k != row) {
            EXPECT_EQ(m.screen.PivotDataRowSet[k], 0) << k;
        }
    }
}

// Small layout: row k spans 152 + 10(k - 1) < Y < 161 + 10(k - 1), 0 < X < 20.
// Large layout: N(1.22 * 152) = 185 < Y < N(1.22 * 161) = 196 for row 1,
// 246 < Y < 257 for row 6, and X < N(20 * 1.27) = 25.
INSTANTIATE_TEST_SUITE_P(
    Layouts, RowNumberHit,
    ::testing::Values(HitCase{"SmallRow1Top", false, 5, 153, 1},
                      HitCase{"SmallRow1Bottom", false, 5, 160, 1},
                      HitCase{"SmallAboveRow1", false, 5, 152, 0},
                      HitCase{"SmallBetweenRows", false, 5, 161, 0},
                      HitCase{"SmallRow6", false, 19, 205, 6},
                      HitCase{"SmallRightEdge", false, 20, 155, 0},
                      HitCase{"SmallLeftEdge", false, 0, 155, 0},
                      HitCase{"SmallWhereLargeRow1Is", false, 5, 190, 4},
                      HitCase{"LargeRow1Top", true, 5, 186, 1},
                      HitCase{"LargeRow1Bottom", true, 5, 195, 1},
                      HitCase{"LargeAboveRow1", true, 5, 185, 0},
                      HitCase{"LargeBelowRow1", true, 5, 196, 0},
                      HitCase{"LargeWhereSmallRow1Is", true, 5, 155, 0},
                      HitCase{"LargeRow6", true, 24, 250, 6},
                      HitCase{"LargeRightEdge", true, 25, 190, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Clicks, RightClickChoosesNoRow) {
    pivotDataOn();
    right(5, 155);
    EXPECT_EQ(m.screen.PivotRowPickPending, 0);
    EXPECT_EQ(m.screen.PivotDataRowSet[1], 0);
}

TEST_F(Clicks, NoRowWithoutPivotDataOrReferencePoints) {
    left(5, 155);
    EXPECT_EQ(m.screen.PivotRowPickPending, 0);
    pivotDataOn();
    m.screen.RefPointsOn = 0;
    left(5, 155);
    EXPECT_EQ(m.screen.PivotRowPickPending, 0);
}

TEST_F(Clicks, RowThenPickGivesTheRowTheDriverCentre) {
    pivotDataOn();
    left(5, 175);  // row 3
    ASSERT_EQ(m.screen.PivotRowPickPending, 1);
    left(86, 280);  // exactly on pivot 13, the driver centre
    EXPECT_EQ(m.screen.PivotRowPickPending, 0);
    EXPECT_EQ(m.screen.PivotDataRowPivot[3], 13.0f);
    EXPECT_EQ(m.screen.PivotDataRowSet[3], 1);
    EXPECT_EQ(m.screen.PivotDataRowPivot[1], 0.0f);
}

TEST_F(Clicks, PickMovesReferencePointOneAnywhere) {
    pivotDataOn();
    m.screen.PivotRowPickPending = 1;
    m.screen.PivotDataPickRow = 2;
    // Above the panel, outside the drawing area: step one leaves the point alone,
    // the pick moves it.
    const MouseDownResult r = left(122, 28);
    EXPECT_FALSE(r.enableRefPt1Zero);
    EXPECT_EQ(m.PivotHorz[19], 2.0f);   // (122 - 86) / 18
    EXPECT_EQ(m.PivotVert[19], 14.0f);  // (280 - 28) / 18
    EXPECT_EQ(m.screen.PivotRowPickPending, 0);
}

TEST_F(Clicks, PickNeedsTheLeftButton) {
    pivotDataOn();
    m.screen.PivotRowPickPending = 1;
    right(86, 280);
    EXPECT_EQ(m.screen.PivotRowPickPending, 1);
    EXPECT_EQ(m.PivotHorz[19], 0.0f);
}

// Rows are chosen after the pick in the same click, so a pick on a row number arms
// that row straight away.
TEST_F(Clicks, PickOnARowNumberArmsThatRow) {
    pivotDataOn();
    m.screen.PivotRowPickPending = 1;
    m.screen.PivotDataPickRow = 1;
    left(5, 185);  // row 4's number
    EXPECT_EQ(m.screen.PivotDataRowSet[4], 1);
    EXPECT_EQ(m.screen.PivotDataPickRow, 4);
    EXPECT_EQ(m.screen.PivotRowPickPending, 1);
}

TEST_F(Clicks, LowestNumberWinsATie) {
    pivotsFarAway();
    // Both at |dV| + |dH| = 1 from (1, 2).
    m.PivotHorz[9] = 2, m.PivotVert[9] = 2;
    m.PivotHorz[4] = 1, m.PivotVert[4] = 1;
    EXPECT_EQ(nearestPivotForRow(m, {1, 2}), 4);
    // A strictly nearer higher number wins.
    m.PivotHorz[9] = 1.5f;
    EXPECT_EQ(nearestPivotForRow(m, {1, 2}), 9);
}

TEST_F(Clicks, CopiesOfAPivotTieAndTheSlotWins) {
    // Pivot 17 copies pivot 11 (and 18 copies 6); a click on them takes the slot.
    pivotsFarAway();
    m.PivotHorz[11] = m.PivotHorz[17] = 3;
    m.PivotVert[11] = m.PivotVert[17] = -1;
    EXPECT_EQ(nearestPivotForRow(m, {3, -1}), 11);
}

TEST_F(Clicks, DistanceIsTheSumOfTheDifferences) {
    pivotsFarAway();
    // From (0, 0): pivot 5 is 3 + 3 = 6 away, pivot 8 is 5 + 0.5 = 5.5 away, though
    // pivot 5 is the nearer one in a straight line.
    m.PivotHorz[5] = 3, m.PivotVert[5] = 3;
    m.PivotHorz[8] = 5, m.PivotVert[8] = 0.5f;
    EXPECT_EQ(nearestPivotForRow(m, {0, 0}), 8);
}

TEST_F(Clicks, ReferencePointsAndPivotsBeyondTwentyThreeAreNeverPicked) {
    pivotsFarAway();
    m.PivotHorz[19] = m.PivotHorz[20] = m.PivotHorz[24] = m.PivotHorz[0] = 7;
    m.PivotVert[19] = m.PivotVert[20] = m.PivotVert[24] = m.PivotVert[0] = 7;
    m.PivotHorz[23] = 8, m.PivotVert[23] = 8;
    EXPECT_EQ(nearestPivotForRow(m, {7, 7}), 23);
}

TEST_F(Clicks, NothingNearerThanTenThousandRepeatsThePreviousPick) {
    pivotsFarAway();
    for (int p = 1; p <= 23; ++p) m.PivotHorz[p] = 10000;  // exactly 10000 from (0, 0)
    m.PivotVert.fill(0);
    EXPECT_EQ(nearestPivotForRow(m, {0, 0}), 0);  // before any pick: pivot 0
    m.screen.LastPickedPivot = 12;
    EXPECT_EQ(nearestPivotForRow(m, {0, 0}), 12);
    m.PivotHorz[15] = 9999.5f;
    EXPECT_EQ(nearestPivotForRow(m, {0, 0}), 15);
}

TEST_F(Clicks, AFarPickRepeatsThePivotOfTheLastPickOfAnyRow) {
    pivotDataOn();
    left(5, 155);   // row 1
    left(86, 280);  // pivot 13
    // A view so small that the next click lies a million units from every pivot.
    m.view.ViewScale = 0.001f;
    left(5, 165);    // row 2
    left(1086, 300);
    EXPECT_EQ(m.screen.PivotDataRowPivot[2], 13.0f);
    EXPECT_EQ(m.screen.PivotDataRowSet[2], 1);
}

TEST_F(Clicks, FirstFarPickShowsPivotZero) {
    pivotDataOn();
    m.view.ViewScale = 0.001f;
    m.screen.PivotRowPickPending = 1;
    m.screen.PivotDataPickRow = 5;
    m.screen.PivotDataRowPivot[5] = 7;
    m.screen.PivotDataRowSet[5] = 1;
    left(1086, 300);
    EXPECT_EQ(m.screen.PivotDataRowPivot[5], 0.0f);
}

}  // namespace
}  // namespace quarn
