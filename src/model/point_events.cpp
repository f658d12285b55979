// The equaliser's events at one setting: a whole revolution once, then only brackets
// about the places the design before had its events.
#include "point_events.h"

#include <cmath>
#include <vector>

#include "event_report.h"
#include "precise_solver.h"
#include "root_finder.h"
#include "valve_events.h"

namespace quarn {
namespace {

// The first bracket about an event's last place, in degrees of driver travel either
// side: a change of a few thousandths in a dimension moves an event by far less. Each
// widening makes it this many times wider, a few times before the whole revolution.
constexpr double NearHalfWidth = 1.0;
constexpr double WidenFactor = 4.0;
constexpr int Widenings = 3;
// The largest opening is narrowed to this many degrees: near its peak the opening
// changes with the square of the angle, so its value is then exact to far below 1e-9.
constexpr double PeakTravelTolerance = 1e-6;
// A peak found this close to its bracket's edge (share of the bracket) may lie outside it.
constexpr double PeakEdgeShare = 0.02;

// The gear at one setting, read by travel from the front dead centre.
class Reader {
public:
    Reader(const GearModel& m, double revArm)
        : gear_(m, revArm), dir_(revArm < m.RevArmCentre() ? -1.0 : 1.0) {}
    // Both ends' steam openings; NaN where the gear cannot be put together.
    std::array<double, 2> steamBoth(double travel) const {
        const PreciseGear g = gear_.solve(dir_ * travel);
        if (!g.possible()) return {std::nan(""), std::nan("")};
        return {g.frontSteam, g.rearSteam};
    }
    // The steam opening of one end; NaN where the gear cannot be put together.
    double steam(int end, double travel) const {
        const PreciseGear g = gear_.solve(dir_ * travel);
        if (!g.possible()) return std::nan("");
        return end == 0 ? g.frontSteam : g.rearSteam;
    }
    bool assembles(double travel) const { return gear_.solve(dir_ * travel).possible(); }
    double strokePercent(int end, double travel) const {
        const double p = gear_.piston640(dir_ * travel);
        return end == 0 ? frontStrokePercent(p) : rearStrokePercent(p);
    }

private:
    PreciseLinkage gear_;
    double dir_;
};

double deadCentre(int end) { return end == 0 ? 0.0 : 180.0; }

// The cut-off of one end narrowed inside [a, b], where the port is open at a and shut at b.
void narrowCutOff(const Reader& r, int end, double a, double b, double fa, double fb, PointEvents& out) {
    const auto at = brentRoot([&](double t) { return r.steam(end, t); }, a, b, fa, fb, EventAngleTolerance);
    const double t = at ? *at : a + (b - a) * fa / (fa - fb);
    out.cutOffTravel[end] = t;
    out.cutOff[end] = r.strokePercent(end, t);
}

void narrowPeak(const Reader& r, int end, double around, double halfWidth, double tolerance, PointEvents& out) {
    const auto [t, v] = goldenMaximum([&](double x) { return r.steam(end, x); }, around - halfWidth,
                                      around + halfWidth, tolerance);
    out.peakTravel[end] = t;
    out.maxOpening[end] = v;
}

}  // namespace

PointEvents pointEventsSwept(const GearModel& m, double revArm) {
    const Reader r(m, revArm);
    PointEvents out;
    std::vector<double> open[2];
    for (int end = 0; end < 2; ++end) open[end].resize(EventSweepSteps);
    for (int i = 0; i < EventSweepSteps; ++i) {
        const auto both = r.steamBoth(i * EventSweepStep);
        if (!std::isfinite(both[0] + both[1])) return out;
        open[0][i] = both[0];
        open[1][i] = both[1];
    }
    for (int end = 0; end < 2; ++end) {
        const std::vector<double>& o = open[end];
        const int first = static_cast<int>(deadCentre(end) / EventSweepStep);
        out.lead[end] = r.steam(end, deadCentre(end));
        // The first closing after this end's dead centre, a step at a time round the circle.
        for (int k = 1; k <= EventSweepSteps; ++k) {
            const int a = first + k - 1;
            const double oa = o[a % EventSweepSteps], ob = o[(a + 1) % EventSweepSteps];
            if (oa > 0 && ob <= 0) {
                narrowCutOff(r, end, a * EventSweepStep, (a + 1) * EventSweepStep, oa, ob, out);
                break;
            }
        }
        int top = 0;
        for (int i = 1; i < EventSweepSteps; ++i)
            if (o[i] > o[top]) top = i;
        narrowPeak(r, end, top * EventSweepStep, EventSweepStep, EventAngleTolerance, out);
    }
    out.possible = std::isfinite(out.lead[0] + out.lead[1] + out.maxOpening[0] + out.maxOpening[1]);
    return out;
}

PointEvents pointEventsNear(const GearModel& m, double revArm, const PointEvents& near, const EventsWanted& want) {
    if (!near.possible) return pointEventsSwept(m, revArm);
    const Reader r(m, revArm);
    PointEvents out;
    if (want.assemblyStep > 0)
        for (double t = 0; t < 360.0; t += want.assemblyStep)
            if (!r.assembles(t)) return out;
    for (int end = 0; end < 2; ++end) {
        out.lead[end] = r.steam(end, deadCentre(end));
        if (!std::isfinite(out.lead[end])) return pointEventsSwept(m, revArm);
        // A cut-off the design before did not have is looked for round the whole circle.
        if (!near.cutOff[end]) return pointEventsSwept(m, revArm);
        bool found = false;
        double half = NearHalfWidth;
        for (int w = 0; w <= Widenings && !found; ++w, half *= WidenFactor) {
            // Kept after the dead centre and within one turn of it.
            const double lo = std::fmax(deadCentre(end) + EventSweepStep, near.cutOffTravel[end] - half);
            const double hi = std::fmin(deadCentre(end) + 360.0, near.cutOffTravel[end] + half);
            const double fa = r.steam(end, lo), fb = r.steam(end, hi);
            if (!std::isfinite(fa) || !std::isfinite(fb)) return pointEventsSwept(m, revArm);
            if (fa > 0 && fb <= 0) {
                narrowCutOff(r, end, lo, hi, fa, fb, out);
                found = true;
            }
        }
        if (!found) return pointEventsSwept(m, revArm);
        if (!want.openings) continue;
        found = false;
        half = NearHalfWidth;
        for (int w = 0; w <= Widenings && !found; ++w, half *= WidenFactor) {
            narrowPeak(r, end, near.peakTravel[end], half, PeakTravelTolerance, out);
            found = std::isfinite(out.maxOpening[end]) &&
                    std::fabs(out.peakTravel[end] - near.peakTravel[end]) < half * (1 - PeakEdgeShare);
        }
        if (!found) return pointEventsSwept(m, revArm);
    }
    out.possible = true;
    return out;
}

}  // namespace quarn
