// One turn of the driver, solved finely, with the sign changes of the four openings
// interpolated to piston positions.
#include "event_report.h"

#include <cmath>

#include "rounding.h"
#include "solver.h"
#include "sweep.h"
#include "valve_events.h"

namespace quarn {
namespace {

struct Sample {
    double fso, feo, rso, reo, piston;
};

Sample solveAt(GearModel& m, float revArm, double angle) {
    SolveAt(m, revArm, static_cast<float>(angle));
    return {m.FrontSteamOpening, m.FrontExhaustOpening, m.RearSteamOpening, m.RearExhaustOpening,
            m.PistonPos640};
}

void keepFirst(std::optional<double>& slot, std::optional<double> found) {
    if (!slot && found) slot = found;
}

}  // namespace

GearSettingEvents sweepEvents(GearModel& m, float revArm) {
    const SweepGuard guard(m, SweepGuard::Error::Restore);
    GearSettingEvents out;
    out.revArm = revArm;
    m.GeometryError = 0;

    // Leads at the dead centres: front at 0°, rear at 180°.
    out.front.lead = static_cast<float>(solveAt(m, revArm, 0.0).fso);
    out.rear.lead = static_cast<float>(solveAt(m, revArm, 180.0).rso);

    const bool backwards = revArm < m.RevArmCentre();
    const double dir = backwards ? -1.0 : 1.0;
    const int steps = roundHalfEven(360.0 / EventSweepStep);
    Sample prev = solveAt(m, revArm, 0.0);
    for (int i = 1; i <= steps; ++i) {
        const Sample s = solveAt(m, revArm, std::fmod(360.0 + dir * i * EventSweepStep, 360.0));
        const double piston = s.piston;
        auto front = [](std::optional<double> p) -> std::optional<double> {
            if (p) return frontStrokePercent(*p);
            return std::nullopt;
        };
        auto rear = [](std::optional<double> p) -> std::optional<double> {
            if (p) return rearStrokePercent(*p);
            return std::nullopt;
        };
        keepFirst(out.front.cutOff, front(fallingCrossing(prev.fso, prev.piston, s.fso, piston)));
        keepFirst(out.front.release, front(risingCrossing(prev.feo, prev.piston, s.feo, piston)));
        keepFirst(out.front.compression,
                  rear(fallingCrossing(prev.feo, prev.piston, s.feo, piston)));
        keepFirst(out.rear.cutOff, rear(fallingCrossing(prev.rso, prev.piston, s.rso, piston)));
        keepFirst(out.rear.release, rear(risingCrossing(prev.reo, prev.piston, s.reo, piston)));
        keepFirst(out.rear.compression,
                  front(fallingCrossing(prev.reo, prev.piston, s.reo, piston)));
        prev = s;
        // Not-a-number openings come from dimensions no guard can catch (a NaN never
        // compares); the summary must not call such a gear possible.
        if (!std::isfinite(s.fso + s.feo + s.rso + s.reo + s.piston)) out.geometryError = true;
    }

    out.geometryError = out.geometryError || m.GeometryError != 0;
    return out;
}

}  // namespace quarn
