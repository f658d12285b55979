// No value of any dimension may hang or crash the solver or the mid-gear search.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/solver.h"

namespace quarn {
namespace {

struct Hostile {
    const char* name;
    float value;
};

constexpr Hostile hostileValues[] = {
    {"Zero", 0.0f},
    {"Negative", -3.5f},
    {"Huge", 1e30f},
    {"MinusHuge", -1e30f},
    {"Infinity", std::numeric_limits<float>::infinity()},
    {"MinusInfinity", -std::numeric_limits<float>::infinity()},
    {"NaN", std::numeric_limits<float>::quiet_NaN()},
    {"Tiny", 1e-30f},
};

// Every value in every dimension, in both forms of the gear: one process runs them all
// (a case a process cost twenty times the cases' own time), and a failure names its case.
TEST(HostileDimension, SolverAndMidGearFinishForEveryValue) {
    for (const auto& d : allDimensions())
        for (const auto& h : hostileValues)
            for (int form = 0; form < 2; ++form) {
                SCOPED_TRACE(std::string(d.field) + " = " + h.name + (form ? ", Erie Triplex" : ", standard"));
                GearModel m;
                InitStartupState(m);
                m.ErieTriplexForm = static_cast<std::uint8_t>(form);
                setDimensionValue(m, d, h.value);

                // Mid gear first, as a dialog's Close does; it must end whatever the value.
                CalcCentRevArm(m);
                for (float angle : {0.0f, 95.0f, 180.0f, 271.0f}) {
                    for (float revArm : {m.RevArmCentre(), 10.298f, m.RevArmCentre() + 1.5f}) {
                        m.DriverAngle = angle;
                        m.RevArmPosition = revArm;
                        SolveLinkage(m);
                        SolvePistonAndPorts(m);
                    }
                }
                // The solver's own working step never escapes its two legal values.
                EXPECT_TRUE(m.SearchStep <= m.SolverTolerance || std::isnan(m.SearchStep) ||
                            m.SearchStep == 0.1f)
                    << m.SearchStep;
            }
}

TEST(MidGear, EnormousBellCrankArmStopsAtTheRoundLimit) {
    GearModel m;
    InitStartupState(m);
    const float before = m.RevArmCentre();
    m.frame.BellCrankHorzLength = 1e30f;
    m.GeometryError = 0;
    CalcCentRevArm(m);
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_NE(m.RevArmCentre(), before);
    EXPECT_TRUE(std::isfinite(m.RevArmCentre()));
}

TEST(MidGear, ZeroUpperGearRodIsGuarded) {
    GearModel m;
    InitStartupState(m);
    m.frame.GearConRodUpper = 0;
    m.GeometryError = 0;
    CalcCentRevArm(m);
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_TRUE(std::isfinite(m.RevArmCentre()));
}

TEST(MidGear, RunningTwiceGivesTheSameCentreAndKeepsTheAngle) {
    GearModel m;
    InitStartupState(m);
    m.DriverAngle = 123.5f;
    CalcCentRevArm(m);
    const float first = m.RevArmCentre();
    CalcCentRevArm(m);
    EXPECT_EQ(m.RevArmCentre(), first);
    EXPECT_EQ(m.DriverAngle, 123.5f);
    const RevArmRange r = revArmRange(m);
    EXPECT_NEAR(r.min, 8.598, 0.0005);
    EXPECT_NEAR(r.max, 11.998, 0.0005);
    EXPECT_NEAR(r.rev, 8.798, 0.0005);
    EXPECT_NEAR(r.fwd, 11.798, 0.0005);
}

TEST(MidGear, LeavesTheLaterDiagramPositionsAlone) {
    GearModel m;
    InitStartupState(m);
    m.RevArmPositions[4] = 11.1f;
    m.RevArmPositions[9] = 9.9f;
    m.frame.RevArmToCentNormal = 1.0f;
    CalcCentRevArm(m);
    EXPECT_EQ(m.RevArmPositions[2], m.RevArmCentre() + 1.0f);
    EXPECT_EQ(m.RevArmPositions[4], 11.1f);
    EXPECT_EQ(m.RevArmPositions[9], 9.9f);
}

}  // namespace
}  // namespace quarn
