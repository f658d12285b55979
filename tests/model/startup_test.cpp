// The start-up state: nominal dimensions, pivot copies, motion state and mid gear.
#include <gtest/gtest.h>

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

TEST(Startup, EveryDimensionIsTheSingleNearestItsNominal) {
    const GearModel m = startupModel();
    for (const auto& d : allDimensions())
        EXPECT_EQ(dimensionValue(m, d), static_cast<float>(d.nominal)) << d.field;
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
