// The two reverse-arm limits that hold each other in check, the dialogs' resets and
// close, and the reset-all menu item.
#include <gtest/gtest.h>

#include "model/dimension_edits.h"
#include "model/dyn_vars.h"
#include "model/mid_gear.h"
#include "model/undo_history.h"
#include "startup_model.h"

namespace quarn {
namespace {

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

void typeValue(GearModel& m, std::string_view field, float value) {
    m.dyn.TypedFlag = 1;
    takeFieldValue(m, dim(field), value);
}

TEST(RevArmLimits, NormalAboveMaxIsPulledDownAndPositionsInUseComeInside) {
    GearModel m = startupModel();
    const float c = m.RevArmCentre();
    m.RevArmPositions[4] = c + 1.9f;
    m.RevArmPositions[5] = c - 2.5f;
    m.RevArmPositions[6] = c + 0.3f;
    m.RevArmPositions[7] = 0;  // not in use
    takeRevArmNormal(m, 2.0f);
    EXPECT_EQ(m.frame.RevArmToCentNormal, 1.7f);
    EXPECT_EQ(m.RevArmPositions[4], static_cast<float>(double(c) + 1.7f));
    EXPECT_EQ(m.RevArmPositions[5], static_cast<float>(double(c) - 1.7f));
    EXPECT_EQ(m.RevArmPositions[6], c + 0.3f);
    EXPECT_EQ(m.RevArmPositions[7], 0.0f);
}

TEST(RevArmLimits, MaxBelowNormalIsPulledUpAndWithinLeavesPositionsAlone) {
    GearModel m = startupModel();
    const float c = m.RevArmCentre();
    m.RevArmPositions[4] = c + 1.6f;
    takeRevArmMax(m, 1.2f);
    EXPECT_EQ(m.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(m.RevArmPositions[4], static_cast<float>(double(c) + 1.5f));

    m.RevArmPositions[4] = c + 1.6f;
    takeRevArmMax(m, 1.8f);  // no clash: stored, nothing else moves
    EXPECT_EQ(m.frame.RevArmToCentMax, 1.8f);
    EXPECT_EQ(m.RevArmPositions[4], c + 1.6f);
    takeRevArmNormal(m, 1.0f);
    EXPECT_EQ(m.frame.RevArmToCentNormal, 1.0f);
    EXPECT_EQ(m.RevArmPositions[4], c + 1.6f);
}

struct GroupCase {
    const char* name;
    DimGroup group;
    const char* field;    // a dimension of the group, changed before the reset
    const char* outside;  // one of another group, which the reset leaves alone
};

class GroupReset : public ::testing::TestWithParam<GroupCase> {};

TEST_P(GroupReset, ClickRestoresGroupEmptiesSlotsAndHistory) {
    const GroupCase& c = GetParam();
    GearModel m = startupModel();
    typeValue(m, c.field, 0.125f);
    typeValue(m, c.outside, 0.375f);
    resetDimensionGroup(m, c.group, true);
    EXPECT_EQ(dimensionValue(m, dim(c.field)), static_cast<float>(dim(c.field).nominal));
    EXPECT_EQ(dimensionValue(m, dim(c.outside)), 0.375f);
    for (int k = 1; k <= DynVarSlotCount; ++k) EXPECT_FALSE(dynVarSlotInUse(m, k)) << k;
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_FALSE(m.dyn.UndoEnabled);
}

TEST_P(GroupReset, PressKeepsHistoryUntilTheClick) {
    const GroupCase& c = GetParam();
    GearModel m = startupModel();
    typeValue(m, c.field, 0.125f);
    resetDimensionGroup(m, c.group, false);
    EXPECT_EQ(m.dyn.UndoCount, 1);
    EXPECT_FALSE(dynVarSlotInUse(m, 1));
    resetDimensionGroup(m, c.group, true);
    EXPECT_EQ(m.dyn.UndoCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupReset,
                         ::testing::Values(GroupCase{"Frame", DimGroup::Frame, "Stroke", "PistonWidth"},
                                           GroupCase{"Assembly", DimGroup::Assembly,
                                                     "RevArmPivotVert", "MainRodLength"},
                                           GroupCase{"Cylinder", DimGroup::Cylinder,
                                                     "CylCLAboveDriverCtr", "RadiusBarLength"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GroupResetCopies, AssemblyRestoresTheMirrorPivotsAndCylinderTheValveStemHeight) {
    GearModel m = startupModel();
    typeValue(m, "RevArmPivotVert", 2.0f);
    typeValue(m, "BellCrankPivotHorz", 1.5f);
    typeValue(m, "CylCLAboveDriverCtr", 0.5f);
    resetDimensionGroup(m, DimGroup::Assembly, true);
    resetDimensionGroup(m, DimGroup::Cylinder, true);
    EXPECT_EQ(m.PivotVert[17], m.PivotVert[11]);
    EXPECT_EQ(m.PivotHorz[18], m.PivotHorz[6]);
    EXPECT_EQ(m.PivotVert[3], 0.25f);
    EXPECT_EQ(m.PivotVert[4], 3.625f);
}

TEST(DimensionDialogClose, ReturnsToMidGearWithTheNewDimensionsAndEmptiesCutOffs) {
    GearModel m = startupModel();
    typeValue(m, "RevArmUpperLength", 1.5f);
    m.RevArmPosition = 11.0f;
    m.screen.FrontCutOffText = "45%";
    m.screen.RearCutOffText = "44%";
    closeDimensionDialog(m);
    GearModel expected = m;
    CalcCentRevArm(expected);
    EXPECT_EQ(m.RevArmCentre(), expected.RevArmCentre());
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
    EXPECT_EQ(m.screen.FrontCutOffText, "");
    EXPECT_EQ(m.screen.RearCutOffText, "");
}

TEST(ResetAll, EveryDimensionNominalNamedNominalAtMidGearWithPanelsOff) {
    GearModel m = startupModel();
    const GearModel start = m;
    for (const DimensionDescriptor& d : allDimensions()) setDimensionValue(m, d, 0.5f);
    typeValue(m, "Stroke", 4.0f);
    m.DimSetName = "Test";
    m.diagrams.TravelScale = 3.0f;
    m.dyn.DynVarsShown = 1;
    m.dyn.UndoShown = 1;
    m.view.ViewScale = 200;
    m.RevArmPosition = 12.0f;
    resetAllDimensions(m);
    for (const DimensionDescriptor& d : allDimensions())
        EXPECT_EQ(dimensionValue(m, d), dimensionValue(start, d)) << d.field;
    EXPECT_EQ(m.PivotVert[4], 3.625f);
    EXPECT_EQ(m.RevArmCentre(), start.RevArmCentre());
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
    EXPECT_EQ(m.DimSetName, "Nominal");
    EXPECT_EQ(m.diagrams.TravelScale, 1.5f);
    EXPECT_EQ(m.view.ViewScale, start.view.ViewScale);
    EXPECT_EQ(m.dyn.DynVarsShown, 0);
    EXPECT_EQ(m.dyn.UndoShown, 0);
    EXPECT_EQ(m.dyn.UndoCount, 0);
    EXPECT_FALSE(dynVarSlotInUse(m, 1));
}

}  // namespace
}  // namespace quarn
