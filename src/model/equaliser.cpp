// The equaliser's search: NLopt runs from spread starts, in stages of dimensions.
#include "equaliser.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <nlopt.hpp>

#include "dimension_edits.h"
#include "equaliser_reading.h"
#include "mid_gear.h"
#include "solver.h"
#include "undo_history.h"

namespace quarn {
namespace {

using Clock = std::chrono::steady_clock;

// A limit broken by one thousandth of a unit (or one percent of opening floor's length
// unit) costs this much: far more than any goal gains by breaking it, so the search
// turns back inside the limits, and smooth enough for the optimiser to follow.
constexpr double PenaltyPerThousandth = 100;
// What a design costs whose gear cannot be put together, or that loses a cut-off a goal
// reads: worse than any design that can be read.
constexpr double RejectedCost = 1e12;
// Dimensions are stored as 4-byte reals: steps finer than this (a few units in the last
// place of a dimension near 10) change nothing, and the search stops there.
constexpr double FinestStep = 2e-6;
// The first trust region of a run, as a share of the half range: wide enough to leave
// a poor start, narrow enough to stay near a good one.
constexpr double FirstStepShare = 0.25;
// A cost this small is met: below what the precise solver's closure can tell apart, so
// the stages with more dimensions have nothing left to gain.
constexpr double MetCost = 1e-9;

double objectiveOf(const EqualiserReading& r) {
    if (!r.cost) return RejectedCost;
    return *r.cost + PenaltyPerThousandth * r.breach;
}

// The i-th point of the Halton sequence in base `base`: starts spread evenly over a
// range without chance, so the same options always start from the same places.
double halton(int i, int base) {
    double f = 1, v = 0;
    for (; i > 0; i /= base) {
        f /= base;
        v += f * (i % base);
    }
    return v;
}

// One stage: the first `n` of the chosen dimensions, the others at their design values.
struct Stage {
    std::vector<const DimensionDescriptor*> dims;
    std::vector<DimensionBounds> bounds;
    std::vector<std::vector<double>> starts;  // real values of each run's start
};

struct RunOutcome {
    std::vector<double> x;
    EqualiserReading best;
    int evaluations = 0;
    bool found = false;
};

// What every run shares: the stop flags and the counts progress is reported from.
struct Shared {
    const WorkControl* control = nullptr;
    Clock::time_point started;
    double timeLimit = 0;
    std::atomic<int> evaluations{0};
    std::atomic<int> unused{0};  // budget the runs that ended early will not spend
    std::atomic<bool> timedOut{false};
};

struct RunData {
    const GearModel* design;
    const EqualiserFrame* frame;
    const Stage* stage;
    Shared* shared;
    std::vector<PointEvents> hints;
    RunOutcome* out;
};

std::vector<double> realOf(const Stage& s, const std::vector<double>& u) {
    std::vector<double> x(u.size());
    for (std::size_t i = 0; i < u.size(); ++i) {
        const double lo = s.bounds[i].low, hi = s.bounds[i].high;
        // Rounded as the dimension will be stored, so the design read is the one offered.
        x[i] = static_cast<float>(lo + (u[i] + 1) / 2 * (hi - lo));
    }
    return x;
}

double runObjective(const std::vector<double>& u, std::vector<double>& /*grad*/, void* data) {
    RunData& d = *static_cast<RunData*>(data);
    if (cancelRequested(*d.shared->control)) throw nlopt::forced_stop();
    if (std::chrono::duration<double>(Clock::now() - d.shared->started).count() > d.shared->timeLimit) {
        d.shared->timedOut = true;
        throw nlopt::forced_stop();
    }
    const std::vector<double> x = realOf(*d.stage, u);
    GearModel trial = *d.design;
    for (std::size_t i = 0; i < x.size(); ++i) setDimensionValue(trial, *d.stage->dims[i], static_cast<float>(x[i]));
    EqualiserReading r = readEqualiserDesign(std::move(trial), *d.frame, &d.hints);
    ++d.out->evaluations;
    ++d.shared->evaluations;
    const double value = objectiveOf(r);
    if (!d.out->found || betterReading(r, d.out->best)) {
        d.out->found = true;
        d.out->best = std::move(r);
        d.out->x = x;
    }
    return value;
}

RunOutcome runOnce(const GearModel& design, const EqualiserFrame& frame, const Stage& stage, const std::vector<double>& start,
                   const std::vector<PointEvents>& hints, int budget, Shared& shared) {
    RunOutcome out;
    const unsigned n = static_cast<unsigned>(stage.dims.size());
    RunData data{&design, &frame, &stage, &shared, hints, &out};
    // Powell's BOBYQA needs two dimensions at least; COBYLA serves a single one.
    nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_COBYLA, n);
    opt.set_lower_bounds(std::vector<double>(n, -1.0));
    opt.set_upper_bounds(std::vector<double>(n, 1.0));
    std::vector<double> u(n), finest(n);
    for (unsigned i = 0; i < n; ++i) {
        const double lo = stage.bounds[i].low, hi = stage.bounds[i].high;
        u[i] = std::clamp(2 * (start[i] - lo) / (hi - lo) - 1, -1.0, 1.0);
        finest[i] = FinestStep * 2 / (hi - lo);
    }
    opt.set_min_objective(runObjective, &data);
    opt.set_maxeval(budget);
    opt.set_xtol_abs(finest);
    opt.set_initial_step(std::vector<double>(n, FirstStepShare));
    double value = 0;
    try {
        opt.optimize(u, value);
    } catch (const std::exception&) {
        // Stopped (cancel, time, round-off): the best design read so far stands.
    }
    shared.unused += std::max(0, budget - out.evaluations);
    return out;
}

// The starts of a stage: its seed, the design as it stands, then points spread over
// the ranges.
std::vector<std::vector<double>> startsOf(const std::vector<DimensionBounds>& bounds, const std::vector<double>& seed,
                                          const std::vector<double>& design, int count) {
    static constexpr int bases[MaxEqualiserDimensions] = {2, 3, 5, 7};
    std::vector<std::vector<double>> starts{seed};
    if (design != seed && count > 1) starts.push_back(design);
    for (int k = 2; static_cast<int>(starts.size()) < count; ++k) {
        std::vector<double> x(bounds.size());
        for (std::size_t i = 0; i < bounds.size(); ++i)
            x[i] = bounds[i].low + halton(k, bases[i]) * (bounds[i].high - bounds[i].low);
        starts.push_back(x);
    }
    return starts;
}

}  // namespace

std::vector<DimensionBounds> equaliserBounds(const GearModel& m, const EqualiserOptions& o) {
    std::vector<DimensionBounds> out;
    for (const DimensionDescriptor* d : o.dims) {
        const double v = dimensionValue(m, *d);
        DimensionBounds b{d, v - o.range, v + o.range};
        for (const DimensionBounds& own : o.bounds)
            if (own.dim == d) b = own;
        out.push_back(b);
    }
    return out;
}

bool isValveOrPortDimension(const GearModel& m, const DimensionDescriptor& d) {
    GearModel copy = m;
    const PortEdges before = portEdgesOf(copy.cyl);
    setDimensionValue(copy, d, dimensionValue(m, d) + 0.01f);
    const PortEdges after = portEdgesOf(copy.cyl);
    return before.SteamLapFront != after.SteamLapFront || before.SteamLapRear != after.SteamLapRear ||
           before.ExClFront != after.ExClFront || before.ExClRear != after.ExClRear ||
           before.FrontSteamEdge != after.FrontSteamEdge || before.RearSteamEdge != after.RearSteamEdge;
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
    for (const DimensionBounds& b : o.bounds)
        if (!b.dim || !std::isfinite(b.low) || !std::isfinite(b.high) || !(b.low < b.high))
            return std::string(b.dim ? b.dim->field : "a dimension") + " needs a low bound below its high bound";
    if (o.points.empty()) return "choose at least one working point";
    const EqualiserLimits& l = o.limits;
    if (!std::isfinite(l.leadLow) || !std::isfinite(l.leadHigh) || !(l.leadLow <= l.leadHigh))
        return "the lead band needs a low end no higher than its high end";
    if (!(l.lapBand >= 0) || !std::isfinite(l.lapBand)) return "the lap band must be a number of 0 or more";
    if (!(l.openingLoss >= 0 && l.openingLoss <= 100)) return "the opening floor must be a percentage from 0 to 100";
    if (o.maxEvaluations < 1) return "at least one evaluation is needed";
    if (o.starts < 1) return "at least one start is needed";
    return equaliserGoalsProblem(o.goals);
}

std::string equaliserGoalsProblem(const std::vector<EqualiserGoal>& goals) {
    bool any = false;
    for (const EqualiserGoal& g : goals) {
        if (!(g.weight >= 0) || !std::isfinite(g.weight)) return "goal weights must be numbers of 0 or more";
        if (!std::isfinite(g.target)) return "a goal's target must be a number";
        any = any || g.weight > 0;
    }
    if (!any) return "choose at least one goal";
    return {};
}

EqualiserResult runEqualiser(const GearModel& m, const EqualiserOptions& o, const WorkControl& control) {
    EqualiserResult out;
    const std::size_t n = o.dims.size();
    for (const DimensionDescriptor* d : o.dims)
        if (d) out.before.push_back(dimensionValue(m, *d));
    out.after = out.before;
    if (std::string p = equaliserOptionsProblem(o); !p.empty()) {
        out.problem = p;
        return out;
    }
    GearModel design = m;
    CalcCentRevArm(design);
    EqualiserFrame frame;
    frame.goals = &o.goals;
    frame.limits = o.limits;
    frame.points = pointsWithGoals(o.points, o.goals);
    for (const ResolvedPoint& p : resolveWorkingPoints(design, frame.points)) {
        if (!p.revArm) {
            out.problem = "the working point " + p.problem;
            return out;
        }
        frame.settings.push_back(*p.revArm);
    }
    out.points = frame.points;
    out.settings = frame.settings;
    frame.edges = portEdgesOf(design.cyl);
    for (const DimensionDescriptor* d : o.dims) frame.variesPort = frame.variesPort || isValveOrPortDimension(m, *d);
    out.variesPort = frame.variesPort;

    // The start read whole, before there are floors to hold it to; then the floors.
    out.beforeReading = readEqualiserDesign(design, frame, nullptr);
    for (const PointEvents& e : out.beforeReading.events)
        frame.floors.push_back((e.maxOpening[0] + e.maxOpening[1]) / 2 * (1 - o.limits.openingLoss / 100));
    out.beforeReading = readEqualiserDesign(design, frame, nullptr);
    out.beforeCost = out.beforeReading.cost;
    out.beforeBreaks = out.beforeReading.breaks;
    out.afterReading = out.beforeReading;
    out.afterCost = out.beforeCost;
    out.afterBreaks = out.beforeBreaks;
    if (!out.beforeReading.cost) {
        out.problem = out.beforeReading.breaks.empty() ? "the design as it stands loses a cut-off a goal reads"
                                                       : "the design as it stands does not keep " + out.beforeReading.breaks;
        return out;
    }

    const std::vector<DimensionBounds> bounds = equaliserBounds(m, o);
    std::vector<double> best(n), designValues(n), earlier(n);
    for (std::size_t i = 0; i < n; ++i) {
        designValues[i] = best[i] = earlier[i] = out.before[i];
        for (const DimensionValue& v : o.startFrom)
            if (v.dim == o.dims[i]) earlier[i] = static_cast<float>(std::clamp<double>(v.value, bounds[i].low, bounds[i].high));
    }
    EqualiserReading bestReading = out.beforeReading;
    if (earlier != designValues) {
        // An earlier answer is where the search stands if it beats the design as it stands.
        GearModel answer = design;
        for (std::size_t i = 0; i < n; ++i) setDimensionValue(answer, *o.dims[i], static_cast<float>(earlier[i]));
        EqualiserReading r = readEqualiserDesign(answer, frame, nullptr);
        if (betterReading(r, bestReading)) {
            best = earlier;
            bestReading = std::move(r);
        }
    }

    Shared shared;
    shared.control = &control;
    shared.started = Clock::now();
    shared.timeLimit = o.timeLimitSeconds;
    const int runs = o.starts;
    const int budget = std::max(1, o.maxEvaluations / runs);
    const int total = static_cast<int>(n) * runs * budget;
    auto report = [&] {
        if (control.progress) control.progress(shared.evaluations, std::max(shared.evaluations.load(), total - shared.unused));
    };
    WorkControl inner{control.cancel, nullptr, o.threads};
    report();
    for (std::size_t k = 1; k <= n; ++k) {
        Stage stage;
        stage.dims.assign(o.dims.begin(), o.dims.begin() + static_cast<long>(k));
        stage.bounds.assign(bounds.begin(), bounds.begin() + static_cast<long>(k));
        const std::vector<double> seed(best.begin(), best.begin() + static_cast<long>(k));
        const std::vector<double> here(designValues.begin(), designValues.begin() + static_cast<long>(k));
        stage.starts = startsOf(stage.bounds, seed, here, runs);
        // The dimensions not yet varied stand where the seed has them.
        GearModel base = design;
        for (std::size_t i = k; i < n; ++i) setDimensionValue(base, *o.dims[i], static_cast<float>(best[i]));
        std::vector<RunOutcome> outcomes(stage.starts.size());
        const bool finished = runParallelPolled(
            static_cast<int>(stage.starts.size()), inner,
            [&](int r) {
                outcomes[r] = runOnce(base, frame, stage, stage.starts[r], out.beforeReading.events, budget, shared);
            },
            report);
        // Ties go to the earlier run: the same options give the same answer.
        for (RunOutcome& r : outcomes) {
            if (!r.found || !betterReading(r.best, bestReading)) continue;
            bestReading = std::move(r.best);
            for (std::size_t i = 0; i < k; ++i) best[i] = r.x[i];
        }
        if (bestReading.cost) out.stageCosts.push_back(*bestReading.cost);
        if (!finished || cancelRequested(control)) {
            out.cancelled = true;
            break;
        }
        if (shared.timedOut || (bestReading.keepsLimits() && *bestReading.cost < MetCost)) break;
    }
    out.evaluations = shared.evaluations;
    out.timedOut = shared.timedOut;
    for (std::size_t i = 0; i < n; ++i) out.after[i] = static_cast<float>(best[i]);
    if (out.after != out.before) {
        // Read whole at the answer, so the report does not hang on where the runs looked.
        GearModel answer = design;
        for (std::size_t i = 0; i < n; ++i) setDimensionValue(answer, *o.dims[i], out.after[i]);
        out.afterReading = readEqualiserDesign(answer, frame, nullptr);
    }
    out.afterCost = out.afterReading.cost;
    out.afterBreaks = out.afterReading.breaks;
    if (!out.afterReading.keepsLimits() && out.beforeReading.keepsLimits()) {
        // Only a design that keeps every limit is offered: never one worse than the start.
        out.after = out.before;
        out.afterReading = out.beforeReading;
        out.afterCost = out.beforeCost;
        out.afterBreaks = out.beforeBreaks;
    }
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
