// The diagrams' sweeps: their angles, the state they leave, the mid-gear figures, the
// steam model's bounds and cut-offs, and the port events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <set>

#include "model/diagram_positions.h"
#include "model/diagram_sweeps.h"
#include "model/solver.h"
#include "startup_model.h"
#include "support/strange_models.h"

namespace quarn {
namespace {


struct AngleCase {
    const char* name;
    float (*angleOf)(int);
    int j;
    float angle;
};
void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }

class StepAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(StepAngle, IsAsTheSweepTurns) {
    EXPECT_EQ(GetParam().angleOf(GetParam().j), GetParam().angle);
}

INSTANTIATE_TEST_SUITE_P(
    Diagrams, StepAngle,
    ::testing::Values(AngleCase{"SineStartsAt328", sineStepAngle, 7, 328},
                      AngleCase{"SineElevenIs360NotZero", sineStepAngle, 11, 360},
                      AngleCase{"SineTwelveWrapsTo8", sineStepAngle, 12, 8},
                      AngleCase{"SineEndsAt136", sineStepAngle, 73, 136},
                      AngleCase{"OvalStartsAt32", ovalStepAngle, 7, 32},
                      AngleCase{"OvalPassesZero", ovalStepAngle, 11, 0},
                      AngleCase{"OvalWrapsTo352", ovalStepAngle, 12, 352},
                      AngleCase{"OvalClosesAt32", ovalStepAngle, 52, 32}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OvalPistonAxis, IsOneHalfStrokeEitherSideAtTheDeadCentres) {
    GearModel m = diagramOpenedModel();
    EXPECT_NEAR(ovalPistonU(m, 0), 1.0, 1e-9);
    EXPECT_NEAR(ovalPistonU(m, 180), -1.0, 1e-9);
    // At 90 degrees the crank is square and the rod's slant pulls the piston back:
    // (sqrt(16.5² - 2.125²) - 16.5) / 2.125.
    EXPECT_NEAR(ovalPistonU(m, 90), (std::sqrt(16.5 * 16.5 - 2.125 * 2.125) - 16.5) / 2.125, 1e-6);
}

struct SweepCase {
    const char* name;
    std::function<void(GearModel&)> run;
};
void PrintTo(const SweepCase& c, std::ostream* os) { *os << c.name; }

std::vector<SweepCase> everySweep() {
    return {{"Sine", [](GearModel& m) { sineSweep(m); }},
            {"Oval", [](GearModel& m) { ovalSweep(m); }},
            {"Steam", [](GearModel& m) { steamSweep(m); }},
            {"PortsForward", [](GearModel& m) { portSweep(m, 'F'); }},
            {"PortsReverse", [](GearModel& m) { portSweep(m, 'R'); }}};
}

class EverySweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(EverySweep, LeavesTheReverseArmAndDriverAsItFoundThem) {
    GearModel m = diagramOpenedModel();
    m.RevArmPosition = 11.25f;
    m.DriverAngle = 123.5f;
    GetParam().run(m);
    EXPECT_EQ(m.RevArmPosition, 11.25f);
    EXPECT_EQ(m.DriverAngle, 123.5f);
}

TEST_P(EverySweep, EndsOnEveryStrangeDesign) {
    for (const auto& strange : test::strangeModels()) {
        SCOPED_TRACE(strange.name);
        GearModel m = diagramOpenedModel();
        strange.apply(m);
        const GearModel before = m;
        GetParam().run(m);
        test::expectSettled(before, m);
    }
}

INSTANTIATE_TEST_SUITE_P(Diagrams, EverySweep, ::testing::ValuesIn(everySweep()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SineSweep, DefaultListIsThreePositionsOfSixtySevenStepsAndOneMidGear) {
    GearModel m = diagramOpenedModel();
    const TravelSweep sweep = sineSweep(m);
    ASSERT_EQ(sweep.positions.size(), 3u);
    for (const auto& p : sweep.positions) EXPECT_EQ(p.steps.size(), 67u);
    EXPECT_TRUE(sweep.positions[0].midGear);
    EXPECT_FALSE(sweep.positions[1].midGear);
    EXPECT_FALSE(sweep.positions[2].midGear);
    EXPECT_FLOAT_EQ(m.diagrams.LastDiagramRevArm, m.RevArmPositions[3]);
}

// At mid gear the valve swings about its nominal centre, so the column's laps and
// clearances lie near those of the valve drawing: lap 1.789 - 1.578 = 0.211, exhaust
// clearance 1.789 + 0.297 - 1.578 - 0.5 = 0.008 at both ends. The leads are the travel
// beyond the lap, a few hundredths.
TEST(SineSweep, MidGearFiguresNearTheValveDrawing) {
    GearModel m = diagramOpenedModel();
    const MidGearFigures f = sineSweep(m).positions[0].figures;
    EXPECT_NEAR(f.frontLap, 0.211, 0.002);
    EXPECT_NEAR(f.rearLap, 0.211, 0.002);
    EXPECT_NEAR(f.frontExhaustClearance, 0.008, 0.002);
    EXPECT_NEAR(f.rearExhaustClearance, 0.008, 0.002);
    // Lap plus lead is half the valve's travel, and the two halves make all of it.
    EXPECT_GT(f.frontLead, 0.01);
    EXPECT_LT(f.frontLead, 0.06);
    const TravelSweep again = sineSweep(m);
    const auto& steps = again.positions[0].steps;
    const auto [lo, hi] = std::minmax_element(
        steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.jointH < b.jointH; });
    const double travel = double(hi->jointH) - lo->jointH;
    EXPECT_NEAR(f.frontLap + f.frontLead + f.rearLap + f.rearLead, travel, 1e-5);
}

// A front port wider than the rings' distance from the valve's centre keeps the same
// rule: the lap is still measured from the middle of the travel (0.211), and the front
// exhaust clearance grows with the port: 1.789 + 2 - 1.578 - 0.5 = 1.711.
TEST(SineSweep, WideFrontPortKeepsTheMidGearRule) {
    GearModel m = diagramOpenedModel();
    m.cyl.ValveBorePortWidthFront = 2.0f;
    ASSERT_GT(m.cyl.ValveBorePortWidthFront, m.cyl.ValveCtrToRing);
    const MidGearFigures f = sineSweep(m).positions[0].figures;
    EXPECT_NEAR(f.frontLap, 0.211, 0.002);
    EXPECT_NEAR(f.rearLap, 0.211, 0.002);
    EXPECT_NEAR(f.frontExhaustClearance, 1.711, 0.002);
    EXPECT_NEAR(f.rearExhaustClearance, 0.008, 0.002);
}

TEST(SineSweep, NoMidGearWithoutAPositionNearIt) {
    GearModel m = diagramOpenedModel();
    m.RevArmPositions[1] = m.RevArmCentre() + 0.05f;
    m.RevArmPositions[2] = 0;
    applyRevArmSetRule(m);
    const TravelSweep sweep = sineSweep(m);
    ASSERT_EQ(sweep.positions.size(), 1u);
    EXPECT_FALSE(sweep.positions[0].midGear);
}

TEST(OvalSweep, EachLoopStartsAndEndsAt32Degrees) {
    GearModel m = diagramOpenedModel();
    const TravelSweep sweep = ovalSweep(m);
    ASSERT_EQ(sweep.positions.size(), 3u);
    for (const auto& p : sweep.positions) {
        ASSERT_EQ(p.steps.size(), 46u);
        EXPECT_EQ(p.steps.front().angle, 32);
        EXPECT_EQ(p.steps.back().angle, 32);
        EXPECT_FLOAT_EQ(p.steps.front().valveDisp, p.steps.back().valveDisp);
    }
}

// The cut-off of the nominal gear at normal forward: the front port closes at about
// 121 degrees, 78.3 % of the stroke; the rear one at about 307 degrees, 78.4 %.
TEST(SteamSweep, NormalForwardCutsOffNearSeventyEightPercent) {
    GearModel m = diagramOpenedModel();
    const SteamSweep sweep = steamSweep(m);
    ASSERT_EQ(sweep.positions.size(), 3u);
    double front = -1, rear = -1;
    for (const SteamStep& s : sweep.positions[1].steps) {
        if (s.front.cutOff) front = s.front.cutAt / 6.4;
        if (s.rear.cutOff) rear = (640 - double(s.rear.cutAt)) / 6.4;
    }
    EXPECT_NEAR(front, 78.3, 0.3);
    EXPECT_NEAR(rear, 78.4, 0.3);
}

// A step that stays in admission was an admission step, one that stays in exhaust (or
// that releases from expansion) an exhaust step. Compression and expansion have no
// bound: a compression can pass 303 and turn into admission.
TEST(SteamSweep, AdmissionAndExhaustKeepToTheirBounds) {
    GearModel m = diagramOpenedModel();
    const SteamSweep sweep = steamSweep(m);
    int admissions = 0, exhausts = 0;
    for (const auto& p : sweep.positions)
        for (std::size_t n = 1; n < p.steps.size(); ++n)
            for (const bool rear : {false, true}) {
                const SteamEnd& before = rear ? p.steps[n - 1].rear : p.steps[n - 1].front;
                const SteamEnd& e = rear ? p.steps[n].rear : p.steps[n].front;
                if (before.phase == '3' && e.phase == '3') {
                    ++admissions;
                    EXPECT_LE(e.pressure, 303.0f) << p.k << " " << n;
                }
                if ((before.phase == '1' || before.phase == '4') && e.phase == '1') {
                    ++exhausts;
                    EXPECT_GE(e.pressure, 5.0f) << p.k << " " << n;
                }
            }
    EXPECT_GT(admissions, 100);
    EXPECT_GT(exhausts, 100);
}

TEST(SteamSweep, ReversePositionTurnsTheDriverBackwards) {
    GearModel m = diagramOpenedModel();
    const SteamSweep sweep = steamSweep(m);
    const auto& rev = sweep.positions[2];
    ASSERT_LT(rev.revArm, m.RevArmCentre());
    ASSERT_EQ(rev.steps.size(), 150u);
    // It goes on from where the two positions before it stopped: 96 + 2 × 600 degrees
    // is 216, and its first step is back from there.
    EXPECT_EQ(rev.steps[0].angle, 212.0f);
    for (std::size_t n = 1; n < rev.steps.size(); ++n)
        EXPECT_EQ(std::fmod(rev.steps[n - 1].angle - rev.steps[n].angle + 360.0f, 360.0f), 4.0f);
    // Measured from each end's own dead centre, the reverse cut-off is a working one.
    double front = -1;
    for (const SteamStep& s : rev.steps)
        if (s.front.cutOff) front = s.front.cutAt / 6.4;
    EXPECT_GT(front, 60);
    EXPECT_LT(front, 95);
}

TEST(SteamSweep, APortThatNeverClosesHasNoCutOff) {
    GearModel m = diagramOpenedModel();
    // Rings this far from the valve's centre keep both ports open to steam all the time.
    m.cyl.ValveCtrToRing = 5;
    const SteamSweep sweep = steamSweep(m);
    for (const auto& p : sweep.positions)
        for (const SteamStep& s : p.steps) {
            EXPECT_FALSE(s.front.cutOff) << p.k << " " << s.n;
            EXPECT_FALSE(s.rear.cutOff) << p.k << " " << s.n;
        }
}

TEST(SteamSweep, DrawsFromTheSecondStepOn) {
    GearModel m = diagramOpenedModel();
    const SteamSweep sweep = steamSweep(m);
    EXPECT_FALSE(sweep.positions[0].steps[0].drawn);
    EXPECT_TRUE(sweep.positions[0].steps[1].drawn);
}

// A main rod shorter than the crank throws the piston outside its stroke, where the
// pressure formulas divide by zero or less: the sweep still ends, with every number
// either a number or infinite and nothing undefined done on the way.
TEST(SteamSweep, MainRodShorterThanTheCrankEnds) {
    GearModel m = diagramOpenedModel();
    m.frame.MainRodLength = 1.0f;
    const SteamSweep sweep = steamSweep(m);
    ASSERT_EQ(sweep.positions.size(), 3u);
    bool outside = false;
    for (const auto& p : sweep.positions)
        for (const SteamStep& s : p.steps) outside |= s.pos < 0 || s.pos > 640;
    EXPECT_TRUE(outside);
}

TEST(PortSweep, NineteenPositionsFromMidGearToFullGear) {
    GearModel m = diagramOpenedModel();
    for (char mode : {'F', 'R'}) {
        const PortSweep sweep = portSweep(m, mode);
        ASSERT_EQ(sweep.positions.size(), 19u);
        EXPECT_FLOAT_EQ(sweep.positions[0].revArm, m.RevArmCentre());
        const float full = mode == 'F' ? m.RevArmCentre() + 1.7f : m.RevArmCentre() - 1.7f;
        EXPECT_NEAR(sweep.positions[18].revArm, full, 1e-5);
    }
}

// At normal forward gear each of the eight events happens once in a turn, in order of
// the turn, each at a piston position inside the stroke; the front cut-off (event 5)
// sits near 78 % of it.
TEST(PortSweep, EveryEventOnceATurnInWorkingGear) {
    GearModel m = diagramOpenedModel();
    const PortSweep sweep = portSweep(m, 'F');
    const PortPosition& p = sweep.positions[16];  // 16/18 × 1.7 ≈ 1.51 ahead of mid gear
    std::multiset<int> events;
    for (const PortEvent& e : p.events) {
        events.insert(e.event);
        EXPECT_GE(e.pos, 0);
        EXPECT_LE(e.pos, 640);
    }
    for (int event = 1; event <= 8; ++event) EXPECT_EQ(events.count(event), 1u) << event;
    for (const PortEvent& e : p.events)
        if (e.event == 5) {
            EXPECT_NEAR(e.pos / 6.4, 78.3, 2.0);
        }
}

}  // namespace
}  // namespace quarn
