// Sweeps put the gear back as the user left it, whatever they solved on the way.
#include <gtest/gtest.h>

#include "model/event_report.h"
#include "model/motion.h"
#include "model/sweep.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(Sweep, SolveAtSolvesThereAndTheGuardRestoresSettingAndAngle) {
    GearModel m = startupModel();
    m.RevArmPosition = 9.5f;
    m.DriverAngle = 123.25f;
    m.GeometryError = 1;
    {
        const SweepGuard guard(m, SweepGuard::Error::Restore);
        SolveAt(m, m.RevArmCentre(), 0);
        EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
        EXPECT_EQ(m.DriverAngle, 0.0f);
        EXPECT_NEAR(m.FrontSteamOpening, 0.0296, 5e-5);  // the nominal lead at mid gear
        m.GeometryError = 0;
    }
    EXPECT_EQ(m.RevArmPosition, 9.5f);
    EXPECT_EQ(m.DriverAngle, 123.25f);
    EXPECT_EQ(m.GeometryError, 1);
    {
        const SweepGuard guard(m);  // a sweep that reports its errors leaves the flag set
        m.GeometryError = 0;
    }
    EXPECT_EQ(m.GeometryError, 0);
}

TEST(Sweep, TheEventSweepLeavesTheGearWhereItWas) {
    GearModel m = startupModel();
    m.DriverAngle = 42.5f;
    const float setting = m.RevArmPosition;
    sweepEvents(m, m.RevArmCentre() + m.frame.RevArmToCentNormal);
    EXPECT_EQ(m.DriverAngle, 42.5f);
    EXPECT_EQ(m.RevArmPosition, setting);
}

TEST(Motion, StepButtonPositionsFollowTheBarRule) {
    EXPECT_EQ(Step1Position, 8000);    // 4000 × log10(100)
    EXPECT_EQ(Step10Position, 12000);  // 4000 × log10(1000)
    EXPECT_EQ(Step45Position, 14613);  // 4000 × log10(4500) = 14612.85
}

}  // namespace
}  // namespace quarn
