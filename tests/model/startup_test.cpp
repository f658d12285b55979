// The start-up state: nominal dimensions, pivot copies, motion state and mid gear.
#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(Startup, ValveStemJointHeightIsCylinderLinePlusValveOffset) {
    const GearModel m = startupModel();
    EXPECT_FLOAT_EQ(m.PivotVert[4], 3.625f);
    EXPECT_EQ(m.cyl.ValveCLToCylCL, 3.375f);
    EXPECT_EQ(m.PivotVert[3], 0.25f);
    EXPECT_EQ(m.PivotVert[4], 3.625f);  // 3.375 + 0.25, exact in a single
}

TEST(Startup, MirrorPivotsEqualTheirOriginals) {
    const GearModel m = startupModel();
    EXPECT_EQ(m.PivotHorz[17], m.PivotHorz[11]);
    EXPECT_EQ(m.PivotVert[17], m.PivotVert[11]);
    EXPECT_EQ(m.PivotHorz[18], m.PivotHorz[6]);
    EXPECT_EQ(m.PivotVert[18], m.PivotVert[6]);
}

// The nominal gear as its drawing gives it, written out here rather than read from the
// table the start-up itself reads, so a slip in that table shows.
constexpr std::pair<const char*, float> nominalGear[] = {
    {"DriverDia", 9.0f}, {"Stroke", 4.25f}, {"MainRodLength", 16.5f},
    {"DropLinkToCrossHVert", 0.0f}, {"DropLinkToCrossHBkS", 0.0f}, {"UnionLinkLength", 3.656f},
    {"ComboLeverUpper", 0.492f}, {"ComboLeverForSet", 0.047f}, {"ComboLeverLower", 3.828f},
    {"ValveRodLength", 7.406f}, {"EccCrankLength", 2.797f}, {"EccCrankCirDia", 3.125f},
    {"EccRodLength", 11.094f}, {"QuarnGearMtgVert", 5.781f}, {"QuarnGearMtgHorz", 13.75f},
    {"RevArmUpperLength", 1.406f}, {"RevArmLowerLength", 2.188f}, {"RevArmPivotVert", 1.75f},
    {"RevArmPivotHorz", 2.961f}, {"RadiusBarLength", 2.188f}, {"GearConRodUpper", 1.844f},
    {"GearConRodLower", 2.488f}, {"GearConRodLowerBkS", 0.25f}, {"BellCrankVertLength", 2.916f},
    {"BellCrankBackset", 0.937f}, {"BellCrankHorzLength", 2.125f}, {"BellCrankPivotVert", 0.891f},
    {"BellCrankPivotHorz", 1.25f}, {"RevArmToCentNormal", 1.5f}, {"RevArmToCentMax", 1.7f},
    {"CylCtrToDriverCtr", 26.5f}, {"CylCLAboveDriverCtr", 0.25f}, {"CylinderBoreDia", 2.75f},
    {"CylinderBoreLength", 5.375f}, {"CylSteamPortWidth", 0.25f}, {"PistonCtrToCrosshead", 10.0f},
    {"PistonWidth", 0.377f}, {"ValveCLToCylCL", 3.375f}, {"ValveBoreDia", 1.5f},
    {"ValveBoreLength", 6.625f}, {"ValveBoreCtrToPort", 1.789f}, {"ValveBorePortWidthRear", 0.297f},
    {"ValveBorePortWidthFront", 0.297f}, {"ValveCtrToRing", 1.578f}, {"ValveEndWidthRear", 0.5f},
    {"ValveEndWidthFront", 0.5f}, {"ValveCtrToJoint", 6.39f},
};

TEST(Startup, EveryDimensionIsTheSingleNearestItsNominal) {
    const GearModel m = startupModel();
    ASSERT_EQ(std::size(nominalGear), allDimensions().size());
    for (const auto& [field, value] : nominalGear) {
        const DimensionDescriptor* d = findDimensionByField(field);
        ASSERT_NE(d, nullptr) << field;
        EXPECT_EQ(dimensionValue(m, *d), value) << field;
        EXPECT_EQ(static_cast<float>(d->nominal), value) << field;
    }
    EXPECT_EQ(m.cyl.CylSpare, 0.0f);
    // 1.406 is held as the single 1.406000018...
    EXPECT_EQ(m.frame.RevArmUpperLength, 1.406f);
    EXPECT_NE(double(m.frame.RevArmUpperLength), 1.406);
}

TEST(Startup, MotionStateAndSwitchesStartAsTheProgramAlways) {
    const GearModel m = startupModel();
    EXPECT_EQ(m.DriverAngle, 0.0f);
    EXPECT_EQ(m.StepAngle, 10.0f);
    EXPECT_EQ(m.StepAngleSetting, 10.0f);
    EXPECT_EQ(m.Direction, "Fwd");
    EXPECT_EQ(m.DimSetName, "Nominal");
    EXPECT_EQ(m.GeometryError, 0);
    EXPECT_EQ(m.ErrorBeepOn, 1);
    EXPECT_EQ(m.SteamDisplayOn, 0);
    EXPECT_EQ(m.ErieTriplexForm, 0);
    EXPECT_EQ(m.SolverTolerance, 0.0001f);
    for (int p : {0, 13, 19, 20}) {
        EXPECT_EQ(m.PivotHorz[p], 0.0f);
        EXPECT_EQ(m.PivotVert[p], 0.0f);
    }
}

TEST(Startup, ReverseArmStandsAtMidGear) {
    const GearModel m = startupModel();
    EXPECT_NEAR(m.RevArmCentre(), 10.298, 0.0005);
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
    EXPECT_EQ(m.PivotHorz[1], m.RevArmCentre());
    EXPECT_EQ(m.RevArmPositions[1], m.RevArmCentre());
    EXPECT_EQ(m.RevArmPositions[2], m.RevArmCentre() + 1.5f);
    EXPECT_EQ(m.RevArmPositions[3], m.RevArmCentre() - 1.5f);
    for (int k = 4; k < RevArmPositionSlots; ++k) EXPECT_EQ(m.RevArmPositions[k], 0.0f);
}

}  // namespace
}  // namespace quarn
