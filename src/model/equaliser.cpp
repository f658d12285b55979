// The compass search of the equaliser.
#include "equaliser.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "dimension_edits.h"
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
    out.beforeCost = equaliserCost(out.beforeReading, o.goals);
    out.after = out.before;
    out.afterReading = out.beforeReading;
    out.afterCost = out.beforeCost;
    if (!equaliserOptionsProblem(o).empty()) return out;

    auto report = [&] {
        if (control.progress) control.progress(out.evaluations, o.maxEvaluations);
    };
    // Other threads than the caller only evaluate: progress comes between rounds.
    WorkControl inner{control.cancel, nullptr, o.threads};
    double step = o.range / 4;
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
        const bool all = runParallel(static_cast<int>(trials.size()), inner, [&](int k) {
            readings[k] = readDesign(withValues(m, o, trials[k]), o.solver);
        });
        if (!all) {
            out.cancelled = true;
            break;
        }
        out.evaluations += static_cast<int>(trials.size());
        int best = -1;
        std::optional<double> bestCost = out.afterCost;
        for (std::size_t k = 0; k < trials.size(); ++k) {
            const auto c = equaliserCost(readings[k], o.goals);
            if (c && (!bestCost || *c < *bestCost)) {
                best = static_cast<int>(k);
                bestCost = c;
            }
        }
        if (best >= 0) {
            x = trials[best];
            out.afterCost = bestCost;
            out.afterReading = readings[best];
            for (std::size_t i = 0; i < n; ++i) out.after[i] = static_cast<float>(x[i]);
        } else {
            step /= 2;
        }
        report();
    }
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
