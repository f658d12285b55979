// The precise solver against the classic one: the same branch of the linkage wherever
// the classic solve closes, no steps in the valve's travel, and impossible gears reported.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "model/dimensions.h"
#include "model/mid_gear.h"
#include "model/precise_solver.h"
#include "model/sweep.h"
#include "startup_model.h"

namespace quarn {
namespace {

// The classic searches stop at a step of 0.0001; what they place is off the exactly
// closed linkage by about 0.0013 at most, far less than the other branch of any loop.
constexpr double ClassicGrain = 0.005;

struct Design {
    const char* name;
    std::function<void(GearModel&)> change;
};

void set(GearModel& m, const char* field, float value) { setDimensionValue(m, *findDimensionByField(field), value); }

const Design designs[] = {
    {"nominal", [](GearModel&) {}},
    {"Erie Triplex", [](GearModel& m) { m.ErieTriplexForm = 1; }},
    {"short main rod", [](GearModel& m) { set(m, "MainRodLength", 16.0f); }},
    {"long valve stem", [](GearModel& m) { set(m, "ValveCtrToJoint", 6.46f); }},
    {"off the nominal", [](GearModel& m) {
         set(m, "DropLinkToCrossHBkS", 0.3f);
         set(m, "DropLinkToCrossHVert", 0.2f);
         set(m, "ComboLeverForSet", 0.1f);
         set(m, "QuarnGearMtgHorz", 13.8f);
         set(m, "QuarnGearMtgVert", 5.75f);
         set(m, "ValveCtrToJoint", 6.42f);
     }},
    {"long radius bar", [](GearModel& m) { set(m, "RadiusBarLength", 2.4f); }},
    {"short eccentric rod", [](GearModel& m) { set(m, "EccRodLength", 10.8f); }},
    {"long stroke", [](GearModel& m) { set(m, "Stroke", 4.75f); }},
    {"Erie, long union link", [](GearModel& m) {
         m.ErieTriplexForm = 1;
         set(m, "UnionLinkLength", 3.9f);
     }},
};

TEST(PreciseSolver, FindsTheClassicBranchWhereverTheClassicCloses) {
    for (const Design& design : designs) {
        SCOPED_TRACE(design.name);
        GearModel m = startupModel();
        design.change(m);
        CalcCentRevArm(m);
        const RevArmRange range = revArmRange(m);
        int compared = 0;
        for (double revArm : {double(range.min), double(range.rev), double(range.centre), 10.7,
                              double(range.fwd), double(range.max)}) {
            const PreciseLinkage precise(m, revArm);
            for (int angle = 0; angle < 360; angle += 5) {
                m.GeometryError = 0;
                SolveAt(m, float(revArm), float(angle));
                if (m.GeometryError) continue;
                const PreciseGear g = precise.solve(angle);
                ASSERT_TRUE(g.possible()) << revArm << " at " << angle << ": " << preciseFailureText(g.failure);
                double worst = 0;
                for (int p : {1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 14, 15, 21}) {
                    worst = std::max(worst, std::fabs(g.horz[p] - m.PivotHorz[p]));
                    if (p != 4) worst = std::max(worst, std::fabs(g.vert[p] - m.PivotVert[p]));
                }
                EXPECT_LT(worst, ClassicGrain) << revArm << " at " << angle;
                EXPECT_NEAR(g.frontSteam, m.FrontSteamOpening, ClassicGrain) << revArm << " at " << angle;
                EXPECT_NEAR(g.piston640, m.PistonPos640, 1e-3) << revArm << " at " << angle;
                ++compared;
            }
        }
        EXPECT_GT(compared, 300);
    }
}

// No grain: a ten-millionth of a turn of the reverse arm moves the valve a tenth as far as
// a millionth does (the classic solver would stand still or jump by 0.0013), and the
// smallest change of any dimension moves it by no more than the levers multiply it.
TEST(PreciseSolver, ValveTravelHasNoSteps) {
    const GearModel m = startupModel();
    const double fwd = revArmRange(m).fwd;
    for (double angle : {0.0, 37.5, 121.3, 180.0, 299.9}) {
        SCOPED_TRACE(angle);
        const double v = solvePrecise(m, fwd, angle).valveDisp;
        const double small = solvePrecise(m, fwd + 1e-7, angle).valveDisp - v;
        const double larger = solvePrecise(m, fwd + 1e-6, angle).valveDisp - v;
        EXPECT_LT(std::fabs(small), 1e-7);
        EXPECT_NEAR(small, larger / 10, 1e-10);
        for (const DimensionDescriptor& d : allDimensions()) {
            GearModel changed = m;
            setDimensionValue(changed, d, std::nextafter(dimensionValue(m, d), 1e30f));
            const double step = double(dimensionValue(changed, d)) - dimensionValue(m, d);
            const double moved = std::fabs(solvePrecise(changed, fwd, angle).valveDisp - v);
            EXPECT_LT(moved, 10 * step + 1e-12) << d.field;  // at most a lever ratio of 10
        }
    }
}

TEST(PreciseSolver, ImpossibleGearIsReportedNotForced) {
    struct Row {
        const char* name;
        std::function<void(GearModel&)> change;
        double revArm;
        PreciseFailure failure;
    };
    const Row rows[] = {
        {"radius bar out of reach", [](GearModel& m) { set(m, "RadiusBarLength", 9.0f); }, 10.3,
         PreciseFailure::RadiusBar},
        {"arm beyond its pivot", [](GearModel&) {}, 30.0, PreciseFailure::ReverseArm},
        {"eccentric crank too long", [](GearModel& m) { set(m, "EccCrankLength", 9.0f); }, 10.3,
         PreciseFailure::EccentricCrank},
        {"main rod shorter than the crank", [](GearModel& m) { set(m, "MainRodLength", 1.0f); }, 10.3,
         PreciseFailure::MainRod},
        {"union link too short", [](GearModel& m) { set(m, "UnionLinkLength", 0.5f); }, 10.3,
         PreciseFailure::CombinationLever},
        {"no number", [](GearModel& m) { set(m, "Stroke", std::numeric_limits<float>::quiet_NaN()); }, 10.3,
         PreciseFailure::NotANumber},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GearModel m = startupModel();
        row.change(m);
        const GearModel before = m;
        EXPECT_EQ(solvePrecise(m, row.revArm, 90.0).failure, row.failure);
        EXPECT_EQ(m.PivotHorz, before.PivotHorz);  // the classic state is never touched
    }
}

}  // namespace
}  // namespace quarn
