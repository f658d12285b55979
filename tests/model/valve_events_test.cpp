// Port openings, laps, the phase-letter rule of the steam events and the cut-off.
#include <gtest/gtest.h>

#include <limits>

#include "model/event_report.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/solver.h"
#include "model/valve_events.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(ValveEvents, NominalLapsAndClearances) {
    GearModel m = startupModel();
    SolveLinkage(m);
    EXPECT_NEAR(m.edges.SteamLapFront, 0.211, 1e-6);
    EXPECT_NEAR(m.edges.SteamLapRear, 0.211, 1e-6);
    EXPECT_NEAR(m.edges.ExClFront, 0.008, 1e-6);
    EXPECT_NEAR(m.edges.ExClRear, 0.008, 1e-6);
    EXPECT_NEAR(m.edges.SteamLapPortFront, 0.508, 1e-6);
}

TEST(ValveEvents, ValveAtMidPositionCoversSteamAndOpensExhaust) {
    GearModel m = startupModel();
    // Put the stem joint where the valve centre stands over the cylinder centre.
    m.PivotHorz[4] = m.cyl.CylCtrToDriverCtr - m.cyl.ValveCtrToJoint;
    SolvePistonAndPorts(m);
    EXPECT_NEAR(m.FrontSteamOpening, -0.211, 1e-5);
    EXPECT_NEAR(m.RearSteamOpening, -0.211, 1e-5);
    EXPECT_NEAR(m.FrontExhaustOpening, 0.008, 1e-5);
    EXPECT_NEAR(m.RearExhaustOpening, 0.008, 1e-5);
}

TEST(ValveEvents, WideFrontValveEndGivesExhaustLap) {
    GearModel m = startupModel();
    m.cyl.ValveEndWidthFront = 0.6f;  // more than o + q - r
    SolveLinkage(m);
    EXPECT_LT(m.edges.ExClFront, 0);
    EXPECT_GT(m.edges.ExClRear, 0);
}

struct PhaseStep {
    float steam, exhaust;
    SteamEvent event;
    char letter;
};

TEST(ValveEvents, PhaseLetterRemembersWhichPortClosedLast) {
    const PhaseStep steps[] = {
        {-0.1f, -0.1f, SteamEvent::None, 0},         // nothing has opened yet
        {0.05f, -0.2f, SteamEvent::Admission, 'E'},
        {-0.01f, -0.1f, SteamEvent::Expansion, 'E'},
        {-0.2f, 0.02f, SteamEvent::Exhaust, 'C'},
        {-0.1f, 0.0f, SteamEvent::Compression, 'C'},  // exactly 0 is covered
        {0.01f, 0.01f, SteamEvent::Exhaust, 'C'},     // exhaust overrides admission
        {0.01f, -0.01f, SteamEvent::Admission, 'E'},
    };
    PhaseTracker t;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(t.evaluate(steps[i].steam, steps[i].exhaust), steps[i].event) << "step " << i;
        EXPECT_EQ(t.letter(), steps[i].letter) << "step " << i;
    }
}

TEST(ValveEvents, CutOffNeedsAnOpeningBelowZero) {
    EXPECT_FALSE(fallingCrossing(0.01, 100, 0.0, 110).has_value());
    EXPECT_FALSE(fallingCrossing(-0.01, 100, -0.02, 110).has_value());
    const auto c = fallingCrossing(0.03, 100, -0.01, 120);
    ASSERT_TRUE(c.has_value());
    EXPECT_DOUBLE_EQ(*c, 115.0);
    EXPECT_DOUBLE_EQ(frontStrokePercent(*c), 17.96875);  // 115 of 640 = 1150/64
    EXPECT_DOUBLE_EQ(rearStrokePercent(*c), 82.03125);   // 525 of 640 = 5250/64
    EXPECT_DOUBLE_EQ(pistonPercent(320.0f), 50.00001);
}

TEST(ValveEvents, NormalForwardCutsOffNear78Percent) {
    GearModel m = startupModel();
    const GearSettingEvents e = sweepEvents(m, revArmRange(m).fwd);
    ASSERT_TRUE(e.front.cutOff && e.rear.cutOff);
    EXPECT_NEAR(*e.front.cutOff, 78.3, 0.05);
    EXPECT_NEAR(*e.rear.cutOff, 78.4, 0.05);
    EXPECT_FALSE(e.geometryError);
    EXPECT_NEAR(e.front.lead, 0.032, 0.0005);
}

TEST(ValveEvents, FrontPortClosesNear121DegreesRearNear307) {
    GearModel m = startupModel();
    const float fwd = revArmRange(m).fwd;
    auto openingAt = [&](float angle, bool front) {
        m.DriverAngle = angle;
        m.RevArmPosition = fwd;
        SolveLinkage(m);
        SolvePistonAndPorts(m);
        return front ? m.FrontSteamOpening : m.RearSteamOpening;
    };
    EXPECT_GT(openingAt(120, true), 0);
    EXPECT_LT(openingAt(122, true), 0);
    EXPECT_GT(openingAt(306, false), 0);
    EXPECT_LT(openingAt(308, false), 0);
}

TEST(ValveEvents, GearWithoutNumbersIsNeverReportedPossible) {
    GearModel m = startupModel();
    m.frame.Stroke = std::numeric_limits<float>::quiet_NaN();
    const GearSettingEvents e = sweepEvents(m, m.RevArmCentre());
    EXPECT_TRUE(e.geometryError);
    EXPECT_FALSE(e.front.cutOff.has_value());
}

TEST(ValveEvents, SweepLeavesTheMotionStateAlone) {
    GearModel m = startupModel();
    m.DriverAngle = 42;
    m.RevArmPosition = 11;
    m.GeometryError = 0;
    sweepEvents(m, revArmRange(m).rev);
    EXPECT_EQ(m.DriverAngle, 42.0f);
    EXPECT_EQ(m.RevArmPosition, 11.0f);
    EXPECT_EQ(m.GeometryError, 0);
}

}  // namespace
}  // namespace quarn
