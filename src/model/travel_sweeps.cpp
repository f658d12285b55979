// The sine and oval diagrams' sweeps: the valve's travel over the driver's turn at each
// reverse-arm position of the list, and the mid-gear figures.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "diagram_sweeps.h"
#include "solver.h"
#include "sweep.h"

namespace quarn {
namespace {

// The stem joint's extremes over a mid-gear sweep. Their start values lie beyond any
// joint position of a working gear, so the first step sets both.
struct JointRange {
    float max = 0, min = 1000;
    void see(float h) {
        max = std::max(max, h);
        min = std::min(min, h);
    }
};

MidGearFigures midGearFigures(const GearModel& m, const JointRange& joint) {
    const PortEdges& e = m.edges;
    const double mid = (double(joint.max) + joint.min) / 2;
    MidGearFigures f;
    f.frontLead = double(e.FrontSteamEdgeNeg) + joint.max;
    f.frontLap = e.FrontSteamEdge - mid;
    f.frontExhaustClearance = e.FrontExhaustEdge - mid;
    f.rearExhaustClearance = mid + e.RearExhaustEdgeNeg;
    f.rearLap = mid + e.RearSteamEdgeNeg;
    f.rearLead = double(e.RearSteamEdge) - joint.min;
    return f;
}

// One travel sweep: every position of the list, the steps from `first` to `last` at
// the angles `angleOf` gives, SolveLinkage alone at each.
template <typename AngleOf, typename AfterSolve>
TravelSweep travelSweep(GearModel& m, int first, int last, AngleOf angleOf, AfterSolve after) {
    SweepGuard guard(m);
    TravelSweep sweep;
    sweep.edgesBefore = m.edges;
    const int count = std::clamp(m.diagrams.RevArmPositionCount, 0, RevArmPositionSlots - 1);
    for (int k = 1; k <= count; ++k) {
        TravelPosition position;
        position.k = k;
        position.revArm = m.RevArmPositions[k];
        m.RevArmPosition = m.diagrams.LastDiagramRevArm = m.RevArmPositions[k];
        JointRange joint;
        position.steps.reserve(static_cast<std::size_t>(last - first + 1));
        for (int j = first; j <= last; ++j) {
            m.DriverAngle = angleOf(j);
            SolveLinkage(m);
            if (isMidGearColumnPosition(m, m.RevArmPosition)) joint.see(m.PivotHorz[4]);
            TravelStep step{j, m.DriverAngle, m.ValveDisp, m.PivotHorz[4], 0};
            after(step);
            position.steps.push_back(step);
        }
        position.midGear = isMidGearColumnPosition(m, m.RevArmPosition);
        if (position.midGear) position.figures = midGearFigures(m, joint);
        sweep.positions.push_back(std::move(position));
    }
    return sweep;
}

}  // namespace

bool isMidGearColumnPosition(const GearModel& m, float revArm) {
    return std::fabs(double(revArm) - m.RevArmCentre()) < MidGearColumnReach;
}

float sineStepAngle(int j) {
    float angle = static_cast<float>(8 * j + 272);
    while (angle > 360) angle -= 360;
    return angle;
}

float ovalStepAngle(int j) {
    float angle = static_cast<float>(88 - 8 * j);
    while (angle < 0) angle += 360;
    return angle;
}

TravelSweep sineSweep(GearModel& m) {
    return travelSweep(m, SineFirstStep, SineLastStep, sineStepAngle, [](TravelStep&) {});
}

double ovalPistonU(GearModel& m, double angle) {
    const double rod = ClampDivisor(m, m.SolvedMainRodLength);
    const double half = ClampDivisor(m, m.SolvedStroke) / 2;
    const double a = angle * std::numbers::pi / 180;
    const double s = half * std::sin(a);
    // The magnitude, as the solver takes it: a rod shorter than the crank still draws.
    return std::cos(a) + (std::sqrt(std::fabs(rod * rod - s * s)) - rod) / half;
}

TravelSweep ovalSweep(GearModel& m) {
    return travelSweep(m, OvalFirstStep, OvalLastStep, ovalStepAngle,
                       [&m](TravelStep& step) { step.pistonU = ovalPistonU(m, step.angle); });
}

void turnAndSolve(GearModel& m, bool forward) {
    if (forward) {
        m.DriverAngle += 4;
        while (m.DriverAngle > 360) m.DriverAngle -= 360;
    } else {
        m.DriverAngle -= 4;
        while (m.DriverAngle < 0) m.DriverAngle += 360;
    }
    SolveLinkage(m);
    SolvePistonAndPorts(m);
}

}  // namespace quarn
