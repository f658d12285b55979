// Selecting dimensions into the four slots and changing them live with the bars.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/dyn_var_text.h"
#include "model/dyn_vars.h"
#include "startup_model.h"

namespace quarn {
namespace {

void select(GearModel& m, std::string_view field) {
    const DimensionDescriptor& d = *findDimensionByField(field);
    selectDynVar(m, d.dynVarCode, dimensionValue(m, d), d.label);
}

std::array<int, 4> slotCodes(const GearModel& m) {
    const auto& s = m.dyn.DynVarSlots;
    return {s[1].DynVarCode, s[2].DynVarCode, s[3].DynVarCode, s[4].DynVarCode};
}

TEST(DynVarSlots, SameFieldTwiceKeepsOneSlot) {
    GearModel m = startupModel();
    select(m, "DriverDia");
    select(m, "Stroke");
    selectDynVar(m, 1, 9.5f, "Driver Dia");
    EXPECT_EQ(slotCodes(m), (std::array<int, 4>{2, 1, 0, 0}));
    EXPECT_EQ(m.dyn.DynVarSlots[2].DynVarValue, 9.5f);
}

TEST(DynVarSlots, FiveDimensionsKeepTheLastFour) {
    GearModel m = startupModel();
    for (auto f : {"DriverDia", "Stroke", "MainRodLength", "CylinderBoreDia", "ValveCtrToJoint"})
        select(m, f);
    EXPECT_EQ(slotCodes(m), (std::array<int, 4>{117, 103, 3, 2}));
}

struct BarClickRow {
    const char* name;
    int position;
    float expected;
};

class DynVarBarClick : public ::testing::TestWithParam<BarClickRow> {};

TEST_P(DynVarBarClick, ChangesDriverDiaAndSpringsBack) {
    GearModel m = startupModel();
    select(m, "DriverDia");
    dynVarBarChange(m, 1, GetParam().position);
    dynVarBarChange(m, 1, 0);  // the bar set back to 0 runs the handler again
    EXPECT_EQ(m.frame.DriverDia, GetParam().expected);
    EXPECT_EQ(m.dyn.DynVarSlots[1].DynVarValue, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, DynVarBarClick,
                         ::testing::Values(BarClickRow{"RightArrow", 1, 9.001f},
                                           BarClickRow{"LeftArrow", -1, 8.999f},
                                           BarClickRow{"RightTrough", 10, 9.010f},
                                           BarClickRow{"LeftTrough", -10, 8.990f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DynVarApply, KeepsPivotCopiesInStepAndStalesTheCutOff) {
    GearModel m = startupModel();
    select(m, "RevArmPivotHorz");
    select(m, "ValveCLToCylCL");
    m.screen.FrontCutOffText = "78.3";
    m.screen.RearCutOffText = "78.4";
    dynVarBarChange(m, 2, 10);
    EXPECT_EQ(m.screen.FrontCutOffText, "");
    EXPECT_EQ(m.screen.RearCutOffText, "");
    m.screen.FrontCutOffText = "78.3";
    dynVarBarChange(m, 1, -10);
    EXPECT_EQ(m.PivotHorz[11], 2.971f);  // nominal 2.961 + 0.010
    EXPECT_EQ(m.PivotHorz[17], m.PivotHorz[11]);
    EXPECT_EQ(m.cyl.ValveCLToCylCL, 3.365f);  // nominal 3.375 - 0.010
    // The stem joint follows: 3.365 + 0.25, exact in a single (one binade, one spacing).
    EXPECT_EQ(m.PivotVert[4], 3.615f);
    EXPECT_EQ(m.screen.FrontCutOffText, "");
    m.screen.FrontCutOffText = "78.3";
    dynVarBarChange(m, 3, 10);  // an empty slot: its bar is disabled and changes nothing
    EXPECT_EQ(m.screen.FrontCutOffText, "78.3");
    EXPECT_FALSE(dynVarSlotInUse(m, 3));
}

TEST(DynVarPanel, ShowsTheBannerUntilADimensionIsSelected) {
    GearModel m = startupModel();
    DynVarPanelText panel = dynVarPanelText(m);
    EXPECT_TRUE(panel.banner);
    EXPECT_EQ(panel.rows[1].name, "* First Select Dimensions *");
    select(m, "DriverDia");
    panel = dynVarPanelText(m);
    EXPECT_FALSE(panel.banner);
    EXPECT_EQ(panel.rows[0].value, " 9.000");
    EXPECT_EQ(panel.rows[3].name, EmptySlotName);
}

}  // namespace
}  // namespace quarn
