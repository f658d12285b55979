// Selecting dimensions into the four slots and changing them live with the bars.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/dyn_var_text.h"
#include "model/dyn_vars.h"
#include "model/gear_model.h"

namespace quarn {
namespace {

GearModel startup() {
    GearModel m;
    InitStartupState(m);
    return m;
}

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

void select(GearModel& m, std::string_view field, float value) {
    const DimensionDescriptor& d = dim(field);
    SelectDynVar(m, d.dynVarCode, value, d.label);
}

std::array<int, 4> slotCodes(const GearModel& m) {
    const auto& s = m.dyn.DynVarSlots;
    return {s[1].DynVarCode, s[2].DynVarCode, s[3].DynVarCode, s[4].DynVarCode};
}

TEST(DynVarSlots, SameFieldTwiceKeepsOneSlot) {
    GearModel m = startup();
    select(m, "DriverDia", 9.0f);
    select(m, "Stroke", 4.25f);
    select(m, "DriverDia", 9.5f);
    EXPECT_EQ(slotCodes(m), (std::array<int, 4>{2, 1, 0, 0}));
    EXPECT_EQ(m.dyn.DynVarSlots[2].DynVarValue, 9.5f);
    EXPECT_EQ(m.dyn.DynVarSlots[2].DynVarName, "Driver Dia");
    EXPECT_EQ(m.dyn.DynVarSlots[3].DynVarName, EmptySlotName);
}

TEST(DynVarSlots, FiveDimensionsKeepTheLastFour) {
    GearModel m = startup();
    for (auto field : {"DriverDia", "Stroke", "MainRodLength", "CylinderBoreDia", "ValveCtrToJoint"})
        select(m, field, 1.0f);
    EXPECT_EQ(slotCodes(m), (std::array<int, 4>{117, 103, 3, 2}));
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarName, "Valve ctr to Joint (Stem)");
}

struct BarClickRow {
    const char* name;
    int position;
    float expected;
};

class DynVarBarClick : public ::testing::TestWithParam<BarClickRow> {};

TEST_P(DynVarBarClick, ChangesDriverDiaAndSpringsBack) {
    GearModel m = startup();
    select(m, "DriverDia", m.frame.DriverDia);
    DynVarBarChange(m, 1, GetParam().position);
    EXPECT_EQ(m.frame.DriverDia, GetParam().expected);
    DynVarBarChange(m, 1, 0);  // the bar set back to 0 runs the handler again
    EXPECT_EQ(m.frame.DriverDia, GetParam().expected);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, DynVarBarClick,
                         ::testing::Values(BarClickRow{"RightArrow", 1, 9.001f},
                                           BarClickRow{"LeftArrow", -1, 8.999f},
                                           BarClickRow{"RightTrough", 10, 9.010f},
                                           BarClickRow{"LeftTrough", -10, 8.990f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DynVarApply, KeepsPivotCopiesInStep) {
    GearModel m = startup();
    select(m, "RevArmPivotHorz", m.PivotHorz[11]);
    select(m, "ValveCLToCylCL", m.cyl.ValveCLToCylCL);
    const float pivot11 = m.PivotHorz[11];
    DynVarBarChange(m, 2, 10);
    DynVarBarChange(m, 1, -10);
    EXPECT_EQ(m.PivotHorz[11], static_cast<float>(pivot11 + 0.01));
    EXPECT_EQ(m.PivotHorz[17], m.PivotHorz[11]);
    EXPECT_EQ(m.cyl.ValveCLToCylCL, static_cast<float>(3.375 - 0.01));
    EXPECT_EQ(m.PivotVert[4], m.cyl.ValveCLToCylCL + m.PivotVert[3]);
}

TEST(DynVarApply, EmptySlotChangesNothingAndItsBarIsDisabled) {
    GearModel m = startup();
    select(m, "DriverDia", 9.0f);
    const GearModel before = m;
    DynVarBarChange(m, 2, 10);
    EXPECT_EQ(m.dyn.CutOffTextResets, before.dyn.CutOffTextResets);
    EXPECT_EQ(m.dyn.DynVarSlots[2].DynVarValue, 0.0f);
    EXPECT_TRUE(dynVarSlotInUse(m, 1));
    EXPECT_FALSE(dynVarSlotInUse(m, 2));
}

TEST(DynVarApply, EmptiesTheCutOffTexts) {
    GearModel m = startup();
    select(m, "Stroke", 4.25f);
    const unsigned seen = m.dyn.CutOffTextResets;
    DynVarBarChange(m, 1, 1);
    EXPECT_GT(m.dyn.CutOffTextResets, seen);
}

TEST(DynVarPanel, ShowsTheBannerUntilADimensionIsSelected) {
    GearModel m = startup();
    DynVarPanel panel = dynVarPanelText(m);
    ASSERT_TRUE(panel.banner);
    ASSERT_EQ(panel.rowCount, 3);
    EXPECT_EQ(panel.rows[1].name, "* First Select Dimensions *");
    EXPECT_EQ(panel.rows[2].rowOffset, 24);

    select(m, "DriverDia", 9.0f);
    panel = dynVarPanelText(m);
    ASSERT_FALSE(panel.banner);
    ASSERT_EQ(panel.rowCount, 4);
    EXPECT_EQ(panel.rows[0].name, "Driver Dia");
    EXPECT_EQ(panel.rows[0].value, " 9.000");
    EXPECT_EQ(panel.rows[3].name, EmptySlotName);
    EXPECT_EQ(panel.rows[3].value, " 0.000");
    EXPECT_EQ(panel.rows[3].rowOffset, 36);
}

}  // namespace
}  // namespace quarn
