// The lines-and-circles rules: the refusals, the pick of the pivots, the conversion of an
// item to its reference, the moves of the current item and the row texts.
#include <gtest/gtest.h>

#include <string>

#include "model/overlay.h"
#include "model/pointer.h"
#include "startup_model.h"

namespace quarn {
namespace {

constexpr int Line = 0, Circle = 1;
constexpr int Black = 0, Red = 1, Blue = 4;

struct Overlay : ::testing::Test {
    GearModel m = startupModel();
    OverlayItems& o = m.overlay;
    void SetUp() override {
        // Every pivot far away; a test places the ones it needs.
        for (int p = 1; p < PivotCount; ++p) {
            m.PivotHorz[p] = 500;
            m.PivotVert[p] = 500;
        }
        refPoints(1, 2, 4, 6);
    }
    void refPoints(float h1, float v1, float h2, float v2) {
        m.PivotHorz[19] = h1, m.PivotVert[19] = v1;
        m.PivotHorz[20] = h2, m.PivotVert[20] = v2;
    }
    void pivot(int p, float h, float v) { m.PivotHorz[p] = h, m.PivotVert[p] = v; }
    // Type and colour, as the user picks them first.
    void typeAndColour(int type, int colour) {
        EXPECT_FALSE(chooseOverlayType(m, type).beep);
        EXPECT_FALSE(chooseOverlayColor(m, colour).beep);
    }
    const OverlayItems::RowText& row(int k) const { return o.rows[std::size_t(k)]; }
};

TEST_F(Overlay, TypeIsRefusedWhileBothReferencePointsAreAtTheCentre) {
    refPoints(0, 0, 0, 0);
    EXPECT_TRUE(referencePointsUnset(m));
    const OverlayOutcome out = chooseOverlayType(m, Line);
    EXPECT_TRUE(out.beep);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(o.TypeChoice, -1);
    EXPECT_EQ(row(1).type, "");
    // One point away from the centre is enough.
    refPoints(0, 0, 0, 0.001f);
    EXPECT_FALSE(chooseOverlayType(m, Circle).beep);
    EXPECT_EQ(row(1).type, "Circle");
}

TEST_F(Overlay, ChoicesOutOfOrderBeepAndAreCleared) {
    // Colour before a type.
    EXPECT_TRUE(chooseOverlayColor(m, Red).beep);
    EXPECT_EQ(o.ColorChoice, -1);
    EXPECT_EQ(row(1).color, "");
    // Reference before a type.
    EXPECT_TRUE(chooseOverlayReference(m, RefFixed).beep);
    EXPECT_EQ(o.ReferenceChoice, -1);
    // Reference with a type but no colour.
    chooseOverlayType(m, Line);
    EXPECT_TRUE(chooseOverlayReference(m, RefPivot1).beep);
    EXPECT_EQ(o.ReferenceChoice, -1);
    EXPECT_EQ(m.screen.PickPending, 0);
    EXPECT_EQ(o.ItemRef[1], -1.0f);
    EXPECT_EQ(o.Vert1[1], 0.0f);  // the reference points were not copied
    EXPECT_FALSE(o.DrawButEnabled);
}

class CircleReference : public Overlay, public ::testing::WithParamInterface<int> {};

TEST_P(CircleReference, TiedAtBothEndsIsRefusedAndCleared) {
    o.Pivot1[1] = 7;
    o.Pivot2[1] = 9;
    typeAndColour(Circle, Blue);
    const OverlayOutcome out = chooseOverlayReference(m, GetParam());
    EXPECT_TRUE(out.beep);
    EXPECT_FALSE(out.close);
    EXPECT_EQ(o.ItemType[1], -1.0f);
    EXPECT_EQ(o.ItemColor[1], -1.0f);
    EXPECT_EQ(o.ItemRef[1], -1.0f);
    for (const auto* c : {&o.Vert1, &o.Horz1, &o.Vert2, &o.Horz2}) EXPECT_EQ((*c)[1], 0.0f);
    EXPECT_EQ(row(1).type, "");
    EXPECT_EQ(row(1).color, "");
    EXPECT_EQ(row(1).ref, "");
    EXPECT_EQ(o.TypeChoice, -1);
    EXPECT_EQ(o.ColorChoice, -1);
    EXPECT_EQ(o.ReferenceChoice, -1);
    EXPECT_FALSE(o.DrawButEnabled);
    EXPECT_EQ(m.screen.PickPending, 0);
    EXPECT_EQ(o.CurrentItem, 1);  // not shut for a pick
    EXPECT_EQ(o.Pivot1[1], 7.0f);  // Clear Line keeps the pivots
    EXPECT_EQ(o.Pivot2[1], 9.0f);
}

INSTANTIATE_TEST_SUITE_P(Overlay, CircleReference, ::testing::Values(RefPiv1Fixed, RefPiv1Piv2),
                         [](const auto& info) {
                             return std::string(info.param == RefPiv1Fixed ? "Piv1Fixed"
                                                                           : "Piv1Piv2");
                         });

TEST_F(Overlay, FixedCircleIsCentredOnPointOneThroughPointTwo) {
    overlayDialogActivated(m);
    typeAndColour(Circle, Red);
    EXPECT_FALSE(o.DrawButEnabled);
    const OverlayOutcome chosen = chooseOverlayReference(m, RefFixed);
    EXPECT_FALSE(chosen.beep);
    EXPECT_FALSE(chosen.close);  // nothing to pick
    EXPECT_EQ(m.screen.PickPending, 0);
    EXPECT_TRUE(o.DrawButEnabled);
    EXPECT_EQ(row(1).ref, "0 , 0");
    const OverlayOutcome out = drawCloseOverlayItem(m);
    EXPECT_TRUE(out.close);
    EXPECT_FALSE(out.beep);
    EXPECT_EQ(o.ItemType[1], 1.0f);
    EXPECT_EQ(o.ItemColor[1], 255.0f);
    EXPECT_EQ(o.ItemRef[1], 0.0f);
    EXPECT_EQ(o.Horz1[1], 1.0f);
    EXPECT_EQ(o.Vert1[1], 2.0f);
    EXPECT_EQ(o.Horz2[1], 5.0f);  // the 3-4-5 triangle from (1, 2) to (4, 6)
    EXPECT_EQ(row(1).fields[0], "  2.000");
    EXPECT_EQ(row(1).fields[1], "  1.000");
    EXPECT_EQ(row(1).fields[2], "");  // a circle has no second point
    EXPECT_EQ(row(1).fields[3], "  5.000");
    EXPECT_EQ(o.CurrentItem, 2);
    EXPECT_EQ(o.HighlightedItem, 2);
    EXPECT_EQ(o.TypeChoice, -1);
    EXPECT_FALSE(o.DrawButEnabled);
}

TEST_F(Overlay, ConvertedValuesKeepThreeDecimals) {
    refPoints(1.23456f, -2.0004f, 10.0005f, 0.1f);
    typeAndColour(Line, Black);
    chooseOverlayReference(m, RefFixed);
    drawCloseOverlayItem(m);
    EXPECT_EQ(row(1).fields[0], " -2.000");
    EXPECT_EQ(row(1).fields[1], "  1.235");
    EXPECT_EQ(row(1).fields[2], "  0.100");
    EXPECT_EQ(row(1).fields[3], " 10.000");  // 10.0005 as a float lies just below the half
    EXPECT_EQ(o.Vert1[1], -2.0f);
    EXPECT_EQ(o.Horz1[1], 1.235f);
    EXPECT_EQ(o.Horz2[1], 10.0f);
}

// A line tied to one pivot: both points become offsets from where the pivot was when it
// was picked, and the dialog shuts for the pick with the item stepped back.
TEST_F(Overlay, PivotOneLineIsPickedAndMadeRelative) {
    pivot(12, 3, -1);
    refPoints(3.5f, -0.25f, 5, 1);
    o.CurrentItem = 4;
    o.HighlightedItem = 4;
    typeAndColour(Line, Blue);
    const OverlayOutcome out = chooseOverlayReference(m, RefPivot1);
    EXPECT_TRUE(out.close);
    EXPECT_EQ(m.screen.PickPending, 1);
    EXPECT_EQ(o.CurrentItem, 3);
    EXPECT_EQ(row(4).ref, "Pivot1");
    overlayDialogActivated(m);  // reopened by the click on the pivot
    EXPECT_EQ(o.CurrentItem, 4);
    EXPECT_EQ(o.HighlightedItem, 4);
    EXPECT_EQ(o.Pivot1[4], 12.0f);
    EXPECT_EQ(o.Pivot1HorzAtPick[4], 3.0f);
    EXPECT_EQ(o.Pivot1VertAtPick[4], -1.0f);
    drawCloseOverlayItem(m);
    EXPECT_EQ(o.Vert1[4], 0.75f);
    EXPECT_EQ(o.Horz1[4], 0.5f);
    EXPECT_EQ(o.Vert2[4], 2.0f);
    EXPECT_EQ(o.Horz2[4], 2.0f);
    EXPECT_EQ(o.ItemRef[4], 1.0f);
    EXPECT_EQ(m.screen.PickPending, 0);
    EXPECT_EQ(o.CurrentItem, 5);
}

TEST_F(Overlay, TwoPivotLineTakesEachEndFromItsOwnPivot) {
    pivot(5, 1, 1);    // nearest to point 1 (1, 2)
    pivot(14, 4, 7);   // nearest to point 2 (4, 6)
    typeAndColour(Line, Red);
    EXPECT_TRUE(chooseOverlayReference(m, RefPiv1Piv2).close);
    EXPECT_EQ(row(1).ref, "Piv1/P2");
    overlayDialogActivated(m);
    EXPECT_EQ(o.Pivot1[1], 5.0f);
    EXPECT_EQ(o.Pivot2[1], 14.0f);
    drawCloseOverlayItem(m);
    EXPECT_EQ(o.Vert1[1], 1.0f);
    EXPECT_EQ(o.Horz1[1], 0.0f);
    EXPECT_EQ(o.Vert2[1], -1.0f);
    EXPECT_EQ(o.Horz2[1], 0.0f);
}

TEST_F(Overlay, LineFromAPivotToAFixedPointKeepsTheFixedEnd) {
    pivot(3, 2, 2);
    typeAndColour(Line, Red);
    EXPECT_TRUE(chooseOverlayReference(m, RefPiv1Fixed).close);
    overlayDialogActivated(m);
    drawCloseOverlayItem(m);
    EXPECT_EQ(o.Pivot1[1], 3.0f);
    EXPECT_EQ(o.Vert1[1], 0.0f);
    EXPECT_EQ(o.Horz1[1], -1.0f);
    EXPECT_EQ(o.Vert2[1], 6.0f);
    EXPECT_EQ(o.Horz2[1], 4.0f);
}

// The radius of a tied circle runs from reference point 1 as it stood when the dialog
// opened, not from where the pick click moved it.
TEST_F(Overlay, TiedCircleMeasuresItsRadiusFromThePointKeptAtOpening) {
    pivot(8, 10, 10);
    overlayDialogActivated(m);  // keeps (Horz 1, Vert 2)
    typeAndColour(Circle, Red);
    chooseOverlayReference(m, RefPivot1);
    refPoints(10.2f, 10.1f, 4, 6);  // the pick click lands beside pivot 8
    overlayDialogActivated(m);
    drawCloseOverlayItem(m);
    EXPECT_EQ(o.Pivot1[1], 8.0f);
    EXPECT_EQ(o.Vert1[1], -8.0f);  // point 1 copied before the pick, less the pivot
    EXPECT_EQ(o.Horz1[1], -9.0f);
    EXPECT_EQ(o.Horz2[1], 5.0f);
}

struct PickCase {
    const char* name;
    float h, v;  // reference point 1
    int expected;
};

class NearestPivot : public Overlay, public ::testing::WithParamInterface<PickCase> {};

TEST_P(NearestPivot, LowestNumberWinsATieAndReferencePointsAreNeverTaken) {
    pivot(7, 0, 0);
    pivot(21, 2, 0);
    pivot(26, 10, 10);
    const PickCase& c = GetParam();
    refPoints(c.h, c.v, c.h, c.v);  // both reference points sit on the clicked spot
    EXPECT_EQ(nearestOverlayPivot(m, {c.h, c.v}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Overlay, NearestPivot,
    ::testing::Values(PickCase{"MidwayTakesTheLower", 1, 0, 7},
                      PickCase{"NearerToTheHigher", 1.5f, 0, 21},
                      PickCase{"LastPivotCounts", 9, 9, 26},
                      PickCase{"DiagonalTieAtTheSameSum", 1, 1, 7},
                      PickCase{"NothingWithinTenThousand", 20000, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overlay, DrawCloseOnTheLastItemStaysThereAndBeeps) {
    chooseOverlayItem(m, 20);
    typeAndColour(Line, Red);
    chooseOverlayReference(m, RefFixed);
    const OverlayOutcome out = drawCloseOverlayItem(m);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(o.CurrentItem, 20);
    EXPECT_EQ(o.ItemType[20], 0.0f);
    EXPECT_EQ(o.HighlightedItem, 20);
}

TEST_F(Overlay, ChoosingAnItemDropsTheChoices) {
    typeAndColour(Line, Red);
    chooseOverlayReference(m, RefFixed);
    chooseOverlayItem(m, 9);
    EXPECT_EQ(o.CurrentItem, 9);
    EXPECT_EQ(o.HighlightedItem, 9);
    EXPECT_EQ(o.TypeChoice, -1);
    EXPECT_EQ(o.ColorChoice, -1);
    EXPECT_EQ(o.ReferenceChoice, -1);
    EXPECT_FALSE(o.DrawButEnabled);
}

// A file read while the dialog was shut for a pick may leave the last item current;
// reopening must not step past it.
TEST_F(Overlay, ReopeningNeverStepsPastTheLastItem) {
    typeAndColour(Line, Red);
    chooseOverlayReference(m, RefPivot1);
    o.CurrentItem = 20;
    overlayDialogActivated(m);
    EXPECT_EQ(o.CurrentItem, 20);
    EXPECT_EQ(o.Pivot1[20], 1.0f);  // every pivot equally far: the lowest number
}

TEST_F(Overlay, TypedValuesAreStoredOnLeavingTheField) {
    storeOverlayField(m, 3, 0, "-1.5");
    storeOverlayField(m, 3, 1, "12.");
    storeOverlayField(m, 3, 2, "");
    storeOverlayField(m, 3, 3, "-");
    EXPECT_EQ(o.Vert1[3], -1.5f);
    EXPECT_EQ(o.Horz1[3], 12.0f);
    EXPECT_EQ(o.Vert2[3], 0.0f);
    EXPECT_EQ(o.Horz2[3], 0.0f);
    EXPECT_EQ(row(3).fields[0], "-1.5");
    storeOverlayField(m, 21, 0, "5");  // no such row: nothing changes
    storeOverlayField(m, 3, 4, "5");
    EXPECT_EQ(o.Vert1[0], 0.0f);
}

TEST_F(Overlay, RefreshShowsItemsInUseAndLeavesUnknownLabels) {
    o.ItemType[2] = 0, o.ItemColor[2] = 65535, o.ItemRef[2] = 3;
    o.Vert1[2] = 1.5f, o.Horz1[2] = -2, o.Vert2[2] = 0.0004f, o.Horz2[2] = 100;
    o.ItemType[5] = 7, o.ItemColor[5] = 12345, o.ItemRef[5] = 9;  // from a strange file
    o.rows[5].type = "Line", o.rows[5].color = "Red", o.rows[5].ref = "Pivot1";
    o.ItemType[6] = -1, o.Vert1[6] = 3;  // empty: no values shown
    o.rows[6].fields[0] = "  9.000";
    refreshOverlayRows(m);
    EXPECT_EQ(row(2).type, "Line");
    EXPECT_EQ(row(2).color, "Yellow");
    EXPECT_EQ(row(2).ref, "Piv1/P2");
    EXPECT_EQ(row(2).fields, (std::array<std::string, 4>{"  1.500", " -2.000", "  0.000",
                                                         "100.000"}));
    EXPECT_EQ(row(5).type, "Line");
    EXPECT_EQ(row(5).color, "Red");
    EXPECT_EQ(row(5).ref, "Pivot1");
    EXPECT_EQ(row(6).fields[0], "");
    EXPECT_EQ(row(6).type, "");
}

TEST_F(Overlay, LoadedDesignEmptiesTheLabelsAndHighlightsItsItem) {
    o.rows[3].type = "Circle";
    o.rows[3].fields[1] = "  4.000";
    o.CurrentItem = 12;
    overlayFollowLoadedDesign(m);
    EXPECT_EQ(row(3).type, "");
    EXPECT_EQ(row(3).fields[1], "");  // item 3 is empty
    EXPECT_EQ(o.HighlightedItem, 12);
}

// The main window's clicks while the dialog waits for its pivots.
struct PickClicks : Overlay {
    void SetUp() override {
        Overlay::SetUp();
        m.screen.RefPointsOn = 1;
        typeAndColour(Line, Red);
    }
    bool click(MouseButton b) { return FormMouseDown(m, b, 300, 300).openOverlayDialog; }
};

TEST_F(PickClicks, OnePivotReopensOnTheLeftClick) {
    for (int ref : {RefFixed, RefPivot1, RefPiv1Fixed}) {
        o.ReferenceChoice = ref;
        EXPECT_FALSE(click(MouseButton::Right)) << ref;
        EXPECT_TRUE(click(MouseButton::Left)) << ref;
    }
}

TEST_F(PickClicks, TwoPivotsReopenOnTheRightClickAfterALeftOne) {
    o.ReferenceChoice = RefPiv1Piv2;
    EXPECT_FALSE(click(MouseButton::Right));  // not armed
    EXPECT_FALSE(click(MouseButton::Left));
    EXPECT_TRUE(click(MouseButton::Right));
    EXPECT_FALSE(click(MouseButton::Right));  // the flag went with the reopening
}

TEST_F(PickClicks, NothingReopensWithoutReferencePointsOrChoices) {
    o.ReferenceChoice = RefPiv1Piv2;
    m.screen.RefPointsOn = 0;
    EXPECT_FALSE(click(MouseButton::Left));  // arms all the same
    m.screen.RefPointsOn = 1;
    EXPECT_TRUE(click(MouseButton::Right));
    o.ReferenceChoice = RefPivot1;
    o.ColorChoice = -1;
    EXPECT_FALSE(click(MouseButton::Left));
    o.ColorChoice = Red;
    o.ReferenceChoice = -1;
    EXPECT_FALSE(click(MouseButton::Left));
}

}  // namespace
}  // namespace quarn
