// The undo history: typed changes, scroll gestures, twenty steps and the UnDo buttons.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/dyn_var_text.h"
#include "model/dyn_vars.h"
#include "model/undo_history.h"
#include "startup_model.h"

namespace quarn {
namespace {

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

// Type into a dimension field and leave it.
void typeValue(GearModel& m, std::string_view field, float value) {
    m.dyn.TypedFlag = 1;
    takeFieldValue(m, dim(field), value);
}

TEST(Undo, TypedChangeRecordsOldAndNewValue) {
    GearModel m = startupModel();
    typeValue(m, "DriverDia", 9.5f);
    EXPECT_EQ(m.dyn.UndoHistory[1].DynVarCode, 1);
    EXPECT_TRUE(m.dyn.UndoEnabled);
    EXPECT_EQ(m.dyn.TypedFlag, 0);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, 9.5f);
    EXPECT_EQ(undoLineText(m), " 1- Driver Dia  9.500 to  9.000");
}

TEST(Undo, LeavingAFieldWithoutTypingRegistersButRecordsNothing) {
    GearModel m = startupModel();
    takeFieldValue(m, dim("Stroke"), 4.25f);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarCode, 2);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_EQ(m.dyn.UndoHistory[1].DynVarCode, 0);
    EXPECT_FALSE(m.dyn.UndoEnabled);
}

class ReverseArmLimit : public ::testing::TestWithParam<const char*> {};

TEST_P(ReverseArmLimit, NeverTouchesSlotsOrHistory) {
    const char* field = GetParam();
    GearModel m = startupModel();
    typeValue(m, field, 1.6f);
    EXPECT_EQ(dimensionValue(m, dim(field)), 1.6f);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarCode, 0);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_EQ(m.dyn.UndoHistory[1].DynVarCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Undo, ReverseArmLimit,
                         ::testing::Values("RevArmToCentNormal", "RevArmToCentMax"),
                         [](const auto& info) { return std::string(info.param); });

TEST(Undo, KeepsTwentySteps) {
    GearModel m = startupModel();
    for (int i = 1; i <= 21; ++i) typeValue(m, "DriverDia", float(i));
    EXPECT_EQ(m.dyn.UndoCount, 20);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(undoButtonClick(m));
    EXPECT_EQ(m.frame.DriverDia, 1.0f);  // the first change, from 9, was pushed out
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_FALSE(m.dyn.UndoEnabled);
    EXPECT_FALSE(undoButtonClick(m));
    UndoLast(m);
    EXPECT_EQ(m.dyn.UndoCount, 0);
}

struct PivotRow {
    const char* field;
    bool horz;
    std::vector<int> pivots;  // every pivot that must come back
};

class UndoRestoresPivots : public ::testing::TestWithParam<PivotRow> {};

TEST_P(UndoRestoresPivots, Together) {
    const PivotRow& row = GetParam();
    GearModel m = startupModel();
    const GearModel before = m;
    typeValue(m, row.field, dimensionValue(m, dim(row.field)) + 1.0f);
    const auto& now = row.horz ? m.PivotHorz : m.PivotVert;
    const auto& then = row.horz ? before.PivotHorz : before.PivotVert;
    for (int p : row.pivots) EXPECT_NE(now[p], then[p]) << "pivot " << p << " not changed";
    UndoLast(m);
    for (int p : row.pivots) EXPECT_EQ(now[p], then[p]) << "pivot " << p;
}

INSTANTIATE_TEST_SUITE_P(WriteThrough, UndoRestoresPivots,
                         ::testing::Values(PivotRow{"RevArmPivotHorz", true, {11, 17}},
                                           PivotRow{"BellCrankPivotVert", false, {6, 18}},
                                           PivotRow{"CylCLAboveDriverCtr", false, {3, 4}},
                                           PivotRow{"ValveCLToCylCL", false, {4}}),
                         [](const auto& info) { return std::string(info.param.field); });

TEST(Undo, SlotsFollowTheirDimensionsWithoutDrift) {
    GearModel m = startupModel();
    takeFieldValue(m, dim("ComboLeverForSet"), 0.047f);
    typeValue(m, "DriverDia", 10.0f);
    UndoLast(m);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, 9.0f);
    EXPECT_EQ(m.frame.ComboLeverForSet, 0.047f);  // untouched to the last bit
}

TEST(Undo, ScrollGestureRecordsFromFocusToEnd) {
    GearModel m = startupModel();
    takeFieldValue(m, dim("DriverDia"), 9.0f);
    dynVarBarEnter(m, 1);
    for (int p : {5, 0, 12, 0}) dynVarBarChange(m, 1, p);
    dynVarBarEndScroll(m, 1);
    EXPECT_EQ(m.dyn.UndoHistory[1].OldValue, 9.0f);
    EXPECT_FLOAT_EQ(m.dyn.UndoHistory[1].NewValue, 9.017f);
    EXPECT_EQ(m.dyn.UndoCount, 1);
    undoButtonClick(m);
    EXPECT_EQ(m.frame.DriverDia, 9.0f);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, 9.0f);
}

TEST(Undo, GestureOnAnEmptySlotDoesNotBuryTheHistory) {
    GearModel m = startupModel();
    typeValue(m, "Stroke", 5.0f);
    dynVarBarEndScroll(m, 3);
    EXPECT_EQ(m.dyn.UndoCount, 1);
    EXPECT_EQ(m.dyn.UndoHistory[1].DynVarCode, 2);
}

}  // namespace
}  // namespace quarn
