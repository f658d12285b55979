// The few events a tolerance sample needs — both leads and both cut-offs — found near
// where the design as drawn has them, on the precise solver.
#include <algorithm>
#include <cmath>

#include "event_report.h"
#include "precise_solver.h"
#include "root_finder.h"
#include "tolerance.h"
#include "valve_events.h"

namespace quarn {
namespace {

// A part made within tolerance moves a cut-off by a fraction of a degree of crank; the
// first bracket, half a degree either way, holds it, and four doublings reach 8 degrees
// before the whole revolution is read instead.
constexpr double FirstBracket = 0.5;   // degrees of driver angle either side
constexpr double WidestBracket = 8.0;  // degrees
// Between the events the gear is put together every 10 degrees as well: a drawn gear
// that jams somewhere in the revolution is a failure even when it closes at its events.
// Ten degrees is finer than any of the linkage's dead spots of a gear within tolerance
// of one that runs, and costs a third of the sample's solves.
constexpr double AssemblyCheckStep = 10.0;  // degrees

// The linkage read at sweep position t: degrees past the front dead centre in the way
// the engine runs (backwards below mid gear).
struct Sweep {
    const PreciseLinkage& gear;
    double dir;
    double steam(bool front, double t) const {
        const PreciseGear g = gear.solve(dir * t);
        if (!g.possible()) return std::nan("");
        return front ? g.frontSteam : g.rearSteam;
    }
    double percent(bool front, double t) const {
        const double piston = gear.piston640(dir * t);
        return front ? frontStrokePercent(piston) : rearStrokePercent(piston);
    }
};

double deadCentre(bool front) { return front ? 0.0 : 180.0; }

// Where the port of one end first closes after its dead centre, over the whole turn in
// the events sweep's steps, then narrowed: the same crossing the events report reads.
std::optional<double> firstClosing(const Sweep& s, bool front) {
    const double from = deadCentre(front);
    double before = s.steam(front, from);
    for (int k = 1; k <= EventSweepSteps; ++k) {
        const double t = from + k * EventSweepStep;
        const double now = s.steam(front, t);
        if (before > 0 && now <= 0)
            return brentRoot([&](double x) { return s.steam(front, x); }, t - EventSweepStep, t, before, now,
                             EventAngleTolerance);
        before = now;
    }
    return std::nullopt;
}

// The closing inside a bracket about `near`, widened while the port is not open at
// its start and shut at its end. Empty when it is not found so.
std::optional<double> closingNear(const Sweep& s, bool front, double near) {
    const double first = deadCentre(front), last = first + 360.0;
    for (double w = FirstBracket; w <= WidestBracket; w *= 2) {
        const double lo = std::max(first, near - w), hi = std::min(last, near + w);
        const double open = s.steam(front, lo), shut = s.steam(front, hi);
        if (open > 0 && shut <= 0)
            return brentRoot([&](double x) { return s.steam(front, x); }, lo, hi, open, shut, EventAngleTolerance);
    }
    return std::nullopt;
}

}  // namespace

CutOffAngles cutOffAngles(const GearModel& m, double revArm, bool backwards) {
    const PreciseLinkage gear(m, revArm);
    const Sweep s{gear, backwards ? -1.0 : 1.0};
    return {firstClosing(s, true), firstClosing(s, false)};
}

NearEvents nearEvents(const GearModel& m, double revArm, bool backwards, const CutOffAngles& near) {
    NearEvents out;
    const PreciseLinkage gear(m, revArm);
    const Sweep s{gear, backwards ? -1.0 : 1.0};
    for (double t = 0; t < 360.0; t += AssemblyCheckStep)
        if (!gear.solve(s.dir * t).possible()) return out;
    out.leadFront = s.steam(true, deadCentre(true));
    out.leadRear = s.steam(false, deadCentre(false));
    bool found = true;
    for (const bool front : {true, false}) {
        const std::optional<double>& at = front ? near.front : near.rear;
        if (!at) continue;
        const auto closing = closingNear(s, front, *at);
        if (!closing) {
            found = false;
            break;
        }
        (front ? out.cutOffFront : out.cutOffRear) = s.percent(front, *closing);
    }
    out.possible = true;
    if (found) return out;
    // The port closes far from where it did, or the gear jams on the way: the whole
    // revolution decides, as the events report reads it.
    const GearSettingEvents e = preciseEvents(m, revArm);
    if (e.geometryError) return NearEvents{};
    return {true, e.front.lead, e.rear.lead, e.front.cutOff, e.rear.cutOff};
}

}  // namespace quarn
