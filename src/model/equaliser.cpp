// The compass search of the equaliser.
#include "equaliser.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "dimension_edits.h"
#include "mid_gear.h"
#include "precise_solver.h"
#include "solver.h"
#include "sweep.h"
#include "undo_history.h"

namespace quarn {
namespace {

// Watched numbers by name (see watchedNames).
enum : int { FwdCutFront, FwdCutRear, FwdLeadFront, FwdLeadRear, RevCutFront, RevCutRear, RevLeadFront, RevLeadRear };

GearModel withValues(const GearModel& m, const EqualiserOptions& o, const std::vector<double>& x) {
    GearModel copy = m;
    for (std::size_t i = 0; i < o.dims.size(); ++i) setDimensionValue(copy, *o.dims[i], static_cast<float>(x[i]));
    return copy;
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

// What the limits hold a trial to, taken from the design the search starts from.
struct Reference {
    PortEdges edges;
    std::array<std::optional<double>, 4> openings;
};

// How far a design stands outside the limits, 0 inside them, and the first limit it
// breaks. Lengths count in thousandths of a unit; geometry that fails somewhere in the
// range outweighs any of them.
struct Breach {
    double amount = 0;
    std::string first;
    void add(double excess, const std::string& limit) {
        if (!(excess > 0)) return;
        amount += excess * 1000;
        if (first.empty()) first = limit;
    }
};

// Where the search stands or a trial: rejected outright without a cost.
struct Standing {
    std::optional<double> cost;
    Breach breach;
};

bool better(const Standing& a, const Standing& b) {
    if (!a.cost) return false;
    if (!b.cost) return true;
    if (a.breach.amount != b.breach.amount) return a.breach.amount < b.breach.amount;
    return *a.cost < *b.cost;
}

// A cheap look over the whole range instead of full sweeps: the gear put together at a
// few settings from full gear reverse to full gear forward, every few degrees.
bool possibleAcrossRange(const GearModel& m, SolverKind solver) {
    GearModel copy = m;
    CalcCentRevArm(copy);
    const RevArmRange r = revArmRange(copy);
    const int angles = static_cast<int>(360 / EqualiserCheckAngle);
    for (int k = 0; k < EqualiserCheckSettings; ++k) {
        const double arm = r.min + (double(r.max) - r.min) * k / (EqualiserCheckSettings - 1);
        if (solver == SolverKind::Precise) {
            const PreciseLinkage gear(copy, arm);
            for (int a = 0; a < angles; ++a)
                if (!gear.solve(a * EqualiserCheckAngle).possible()) return false;
            continue;
        }
        // The classic solver follows the gear from its last place, so it turns the way
        // the engine runs at that setting, as the event sweeps do.
        copy.ErrorBeepOn = 1;
        copy.GeometryError = 0;
        const double dir = arm < copy.RevArmCentre() ? -1.0 : 1.0;
        for (int a = 0; a < angles; ++a) {
            SolveAt(copy, static_cast<float>(arm),
                    static_cast<float>(std::fmod(360.0 + dir * a * EqualiserCheckAngle, 360.0)));
            const double sum = double(copy.FrontSteamOpening) + copy.RearSteamOpening + copy.PistonPos640;
            if (copy.GeometryError || !std::isfinite(sum)) return false;
        }
    }
    return true;
}

Standing standingOf(const GearModel& trial, const DesignReading& r, const Reference& ref, const EqualiserOptions& o) {
    Standing s;
    s.cost = equaliserCost(r, o.goals);
    if (!s.cost) return s;
    const EqualiserLimits& l = o.limits;
    Breach& b = s.breach;
    if (!possibleAcrossRange(trial, o.solver))
        b.add(1000, "the gear free of impossible geometry between full gear forward and full gear reverse");
    static constexpr const char* places[4] = {"front lead at normal forward", "rear lead at normal forward",
                                              "front lead at normal reverse", "rear lead at normal reverse"};
    static constexpr int leads[4] = {FwdLeadFront, FwdLeadRear, RevLeadFront, RevLeadRear};
    for (int i = 0; i < 4; ++i) {
        const double v = r.values[leads[i]].value_or(0);
        b.add(std::max(l.leadLow - v, v - l.leadHigh),
              std::string("the ") + places[i] + " within " + number(l.leadLow) + " to " + number(l.leadHigh));
    }
    const PortEdges e = portEdgesOf(trial.cyl);
    const std::pair<const char*, double> edges[] = {
        {"steam lap", e.SteamLapFront - double(ref.edges.SteamLapFront)},
        {"front exhaust clearance", e.ExClFront - double(ref.edges.ExClFront)},
        {"rear exhaust clearance", e.ExClRear - double(ref.edges.ExClRear)}};
    const double starts[] = {ref.edges.SteamLapFront, ref.edges.ExClFront, ref.edges.ExClRear};
    for (int i = 0; i < 3; ++i)
        b.add(std::abs(edges[i].second) - l.lapBand, std::string("the ") + edges[i].first + " within " +
                                                          number(starts[i]) + " ± " + number(l.lapBand));
    static constexpr const char* ends[4] = {"front opening at normal forward", "rear opening at normal forward",
                                            "front opening at normal reverse", "rear opening at normal reverse"};
    for (int i = 0; i < 4; ++i) {
        if (!ref.openings[i] || !r.maxOpenings[i]) continue;
        const double floor = *ref.openings[i] * (1 - l.openingLoss / 100);
        b.add(floor - *r.maxOpenings[i], std::string("the largest ") + ends[i] + " at least " + number(floor));
    }
    return s;
}

}  // namespace

std::optional<double> equaliserCost(const DesignReading& r, const EqualiserGoals& g) {
    if (r.impossible) return std::nullopt;
    const auto& v = r.values;
    double cost = 0;
    auto gap = [&](int a, int b, double scale, double weight) -> bool {
        if (weight == 0) return true;
        if (!v[a] || !v[b]) return false;
        const double d = (*v[a] - *v[b]) * scale;
        cost += weight * d * d;
        return true;
    };
    if (!gap(FwdCutFront, FwdCutRear, 1, g.cutOffEqual) || !gap(RevCutFront, RevCutRear, 1, g.cutOffEqual))
        return std::nullopt;
    if (!gap(FwdLeadFront, FwdLeadRear, 1000, g.leadEqual) || !gap(RevLeadFront, RevLeadRear, 1000, g.leadEqual))
        return std::nullopt;
    if (g.cutOffTarget && g.cutOffTargetWeight != 0) {
        if (!v[FwdCutFront] || !v[FwdCutRear]) return std::nullopt;
        const double d = (*v[FwdCutFront] + *v[FwdCutRear]) / 2 - *g.cutOffTarget;
        cost += g.cutOffTargetWeight * d * d;
    }
    if (!std::isfinite(cost)) return std::nullopt;
    return cost;
}

std::string equaliserOptionsProblem(const EqualiserOptions& o) {
    if (o.dims.empty()) return "choose at least one dimension to vary";
    if (o.dims.size() > MaxEqualiserDimensions) return "at most four dimensions can be varied";
    for (std::size_t i = 0; i < o.dims.size(); ++i) {
        if (!o.dims[i] || o.dims[i]->dynVarCode == 0) return "only dimensions with a dynamic-variable code can be varied";
        for (std::size_t j = 0; j < i; ++j)
            if (o.dims[j] == o.dims[i]) return std::string(o.dims[i]->field) + " is chosen twice";
    }
    if (!(o.range > 0) || !std::isfinite(o.range)) return "the range must be a positive number";
    const EqualiserLimits& l = o.limits;
    if (!std::isfinite(l.leadLow) || !std::isfinite(l.leadHigh) || !(l.leadLow <= l.leadHigh))
        return "the lead band needs a low end no higher than its high end";
    if (!(l.lapBand >= 0) || !std::isfinite(l.lapBand)) return "the lap band must be a number of 0 or more";
    if (!(l.openingLoss >= 0 && l.openingLoss <= 100)) return "the opening floor must be a percentage from 0 to 100";
    if (o.maxEvaluations < 1) return "at least one evaluation is needed";
    const EqualiserGoals& g = o.goals;
    for (double w : {g.cutOffEqual, g.leadEqual, g.cutOffTargetWeight})
        if (!(w >= 0) || !std::isfinite(w)) return "goal weights must be numbers of 0 or more";
    if (g.cutOffTarget && !std::isfinite(*g.cutOffTarget)) return "the cut-off target must be a number";
    if (g.cutOffEqual == 0 && g.leadEqual == 0 && !(g.cutOffTarget && g.cutOffTargetWeight > 0))
        return "choose at least one goal";
    return {};
}

EqualiserResult runEqualiser(const GearModel& m, const EqualiserOptions& o, const WorkControl& control) {
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    EqualiserResult out;
    const std::size_t n = o.dims.size();
    std::vector<double> x(n), lo(n), hi(n);
    for (std::size_t i = 0; i < n; ++i) {
        const float v = dimensionValue(m, *o.dims[i]);
        out.before.push_back(v);
        x[i] = v;
        lo[i] = v - o.range;
        hi[i] = v + o.range;
    }
    out.beforeReading = readDesign(m, o.solver);
    const Reference ref{portEdgesOf(m.cyl), out.beforeReading.maxOpenings};
    Standing here = standingOf(m, out.beforeReading, ref, o);
    out.beforeCost = here.cost;
    out.beforeBreaks = here.breach.first;
    out.after = out.before;
    out.afterReading = out.beforeReading;
    out.afterCost = out.beforeCost;
    out.afterBreaks = out.beforeBreaks;
    if (!equaliserOptionsProblem(o).empty()) return out;

    double step = o.range / 4;
    // Counted against the evaluations still to come should no trial improve again, each
    // round halving the step: the search mostly ends on a fine step, long before its limit.
    auto report = [&] {
        if (!control.progress) return;
        long long ahead = out.evaluations;
        for (double s = step; s >= MinEqualiserStep && ahead < o.maxEvaluations; s /= 2)
            ahead += static_cast<long long>(2 * n);
        control.progress(out.evaluations, static_cast<int>(std::min<long long>(ahead, o.maxEvaluations)));
    };
    // Other threads than the caller only evaluate: progress comes between rounds.
    WorkControl inner{control.cancel, nullptr, o.threads};
    report();
    while (step >= MinEqualiserStep && out.evaluations < o.maxEvaluations) {
        if (cancelRequested(control)) {
            out.cancelled = true;
            break;
        }
        if (std::chrono::duration<double>(Clock::now() - started).count() > o.timeLimitSeconds) {
            out.timedOut = true;
            break;
        }
        // The trials of this round, up then down for each dimension, inside the range and
        // different from where the search stands once stored as 4-byte reals.
        std::vector<std::vector<double>> trials;
        for (std::size_t i = 0; i < n; ++i)
            for (const double sign : {1.0, -1.0}) {
                std::vector<double> t = x;
                t[i] = static_cast<float>(std::clamp(x[i] + sign * step, lo[i], hi[i]));
                if (static_cast<float>(t[i]) != static_cast<float>(x[i])) trials.push_back(t);
            }
        const std::size_t room = static_cast<std::size_t>(o.maxEvaluations - out.evaluations);
        if (trials.size() > room) trials.resize(room);
        std::vector<DesignReading> readings(trials.size());
        std::vector<Standing> standings(trials.size());
        const bool all = runParallel(static_cast<int>(trials.size()), inner, [&](int k) {
            const GearModel trial = withValues(m, o, trials[k]);
            readings[k] = readDesign(trial, o.solver);
            standings[k] = standingOf(trial, readings[k], ref, o);
        });
        if (!all) {
            out.cancelled = true;
            break;
        }
        out.evaluations += static_cast<int>(trials.size());
        int best = -1;
        for (std::size_t k = 0; k < trials.size(); ++k) {
            if (better(standings[k], here)) {
                best = static_cast<int>(k);
                here = standings[k];
            }
        }
        if (best >= 0) {
            x = trials[best];
            out.afterCost = here.cost;
            out.afterBreaks = here.breach.first;
            out.afterReading = readings[best];
            for (std::size_t i = 0; i < n; ++i) out.after[i] = static_cast<float>(x[i]);
        } else {
            step /= 2;
        }
        report();
    }
    // Whatever ended it, the search is done with the evaluations it made.
    if (control.progress) control.progress(out.evaluations, out.evaluations);
    return out;
}

void applyEqualiserResult(GearModel& m, const EqualiserOptions& o, const EqualiserResult& r) {
    for (std::size_t i = 0; i < o.dims.size() && i < r.after.size(); ++i) {
        if (dimensionValue(m, *o.dims[i]) == r.after[i]) continue;
        m.dyn.TypedFlag = 1;  // as though the value had been typed into its field
        takeFieldValue(m, *o.dims[i], r.after[i]);
    }
    closeDimensionDialog(m);
}

}  // namespace quarn
