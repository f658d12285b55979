// Reading a design for the equaliser: the events at the working points, the goals'
// misses, the limits.
#include "equaliser_reading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "mid_gear.h"
#include "precise_solver.h"
#include "solver.h"

namespace quarn {
namespace {

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

// How far a design stands outside the limits, 0 inside them, and the first limit broken.
// Lengths count in thousandths of a unit.
struct Breach {
    double amount = 0;
    std::string first;
    void add(double excess, const std::string& limit) {
        if (!(excess > 0)) return;
        amount += excess * 1000;
        if (first.empty()) first = limit;
    }
};

// A cheap look over the whole range: the gear put together at a few settings from full
// gear reverse to full gear forward, and at each working point, every few degrees.
bool possibleAcrossRange(const GearModel& m, const std::vector<double>& settings) {
    const RevArmRange r = revArmRange(m);
    std::vector<double> arms = settings;
    for (int k = 0; k < EqualiserCheckSettings; ++k)
        arms.push_back(r.min + (double(r.max) - r.min) * k / (EqualiserCheckSettings - 1));
    const int angles = static_cast<int>(360 / EqualiserCheckAngle);
    for (const double arm : arms) {
        const PreciseLinkage gear(m, arm);
        for (int a = 0; a < angles; ++a)
            if (!gear.solve(a * EqualiserCheckAngle).possible()) return false;
    }
    return true;
}

const char* endName(int end) { return end == 0 ? "front" : "rear"; }

}  // namespace

EqualiserReading readEqualiserDesign(GearModel design, const EqualiserFrame& f, std::vector<PointEvents>* hints) {
    CalcCentRevArm(design);
    const EqualiserLimits& l = f.limits;
    EqualiserReading r;
    Breach b;
    r.edges = portEdgesOf(design.cyl);
    const double band = f.variesPort ? l.lapBand : 0;
    const std::pair<const char*, double> edges[] = {
        {"steam lap", double(r.edges.SteamLapFront) - f.edges.SteamLapFront},
        {"front exhaust clearance", double(r.edges.ExClFront) - f.edges.ExClFront},
        {"rear exhaust clearance", double(r.edges.ExClRear) - f.edges.ExClRear}};
    const double starts[] = {f.edges.SteamLapFront, f.edges.ExClFront, f.edges.ExClRear};
    for (int i = 0; i < 3; ++i)
        b.add(std::abs(edges[i].second) - band, std::string("the ") + edges[i].first + " within " +
                                                     number(starts[i]) + " ± " + number(band));
    if (!possibleAcrossRange(design, f.settings)) {
        b.add(1000, "the gear free of impossible geometry between full gear forward and full gear reverse");
        r.breach = b.amount;
        r.breaks = b.first;
        return r;
    }
    for (std::size_t p = 0; p < f.points.size(); ++p) {
        const PointEvents e = hints && p < hints->size() ? pointEventsNear(design, f.settings[p], (*hints)[p])
                                                         : pointEventsSwept(design, f.settings[p]);
        if (hints && p < hints->size() && e.possible) (*hints)[p] = e;
        r.events.push_back(e);
    }
    r.terms = goalTerms(*f.goals, f.points, r.events);
    r.cost = equaliserCost(*f.goals, r.terms);
    for (std::size_t p = 0; p < f.points.size(); ++p) {
        const PointEvents& e = r.events[p];
        if (!e.possible) {
            r.cost.reset();
            continue;
        }
        const std::string at = " at " + workingPointName(f.points[p]);
        for (int end = 0; end < 2; ++end) {
            b.add(std::max(l.leadLow - e.lead[end], e.lead[end] - l.leadHigh),
                  std::string("the ") + endName(end) + " lead" + at + " within " + number(l.leadLow) + " to " +
                      number(l.leadHigh));
        }
        if (p < f.floors.size())
            b.add(f.floors[p] - (e.maxOpening[0] + e.maxOpening[1]) / 2,
                  "the largest steam opening" + at + " (mean of both ends) at least " + number(f.floors[p]));
    }
    r.breach = b.amount;
    r.breaks = b.first;
    return r;
}

bool betterReading(const EqualiserReading& a, const EqualiserReading& b) {
    if (!a.cost) return false;
    if (!b.cost) return true;
    if (a.breach != b.breach) return a.breach < b.breach;
    return *a.cost < *b.cost;
}

}  // namespace quarn
