// Which dimensions move the equaliser's goals at the working points, and how strongly.
#include <algorithm>
#include <cmath>

#include "equaliser.h"
#include "equaliser_reading.h"
#include "mid_gear.h"
#include "sensitivity.h"
#include "solver.h"

namespace quarn {
namespace {

// Changing a dimension by this much, up and down, shows how it moves the goals.
constexpr double EffectDelta = 0.001;

}  // namespace

DimensionRanking rankEqualiserDimensions(const GearModel& m, const std::vector<WorkingPoint>& points,
                                         const std::vector<EqualiserGoal>& goals, const WorkControl& control) {
    DimensionRanking out;
    if (points.empty()) out.problem = "choose at least one working point";
    else out.problem = equaliserGoalsProblem(goals);
    if (!out.problem.empty()) return out;
    GearModel design = m;
    CalcCentRevArm(design);
    EqualiserFrame frame;
    frame.goals = &goals;
    frame.points = pointsWithGoals(points, goals);
    for (const ResolvedPoint& p : resolveWorkingPoints(design, frame.points)) {
        if (!p.revArm) {
            out.problem = "the working point " + p.problem;
            return out;
        }
        frame.settings.push_back(*p.revArm);
    }
    frame.edges = portEdgesOf(design.cyl);
    frame.variesPort = true;  // the limits are not read here
    const EqualiserReading base = readEqualiserDesign(design, frame, nullptr);
    if (!base.cost) {
        // Without events the geometry failed before any point was read.
        out.problem = base.events.empty() ? "the design as it stands does not keep " + base.breaks
                                          : "the design as it stands loses a cut-off a goal reads";
        return out;
    }
    std::vector<const DimensionDescriptor*> dims;
    for (const DimensionDescriptor& d : allDimensions())
        if (d.dynVarCode != 0 && !readingIgnores(d)) dims.push_back(&d);
    std::vector<double> effects(dims.size(), 0);
    runParallel(static_cast<int>(dims.size()), control, [&](int k) {
        std::vector<double> misses[2];
        for (int side = 0; side < 2; ++side) {
            GearModel copy = design;
            setDimensionValue(copy, *dims[k],
                              static_cast<float>(dimensionValue(design, *dims[k]) + (side == 0 ? EffectDelta : -EffectDelta)));
            std::vector<PointEvents> hints = base.events;
            const EqualiserReading r = readEqualiserDesign(std::move(copy), frame, &hints);
            for (const GoalTerm& t : r.terms) misses[side].push_back(t.miss.value_or(std::nan("")));
        }
        double sum = 0;
        for (std::size_t j = 0; j < misses[0].size() && j < misses[1].size() && j < base.terms.size(); ++j) {
            const double slope = (misses[0][j] - misses[1][j]) / (2 * EffectDelta);
            sum += goals[base.terms[j].goal].weight * slope * slope;
        }
        effects[k] = std::isfinite(sum) ? std::sqrt(sum) : 0;
    });
    for (std::size_t k = 0; k < dims.size(); ++k)
        if (effects[k] >= LeastGoalEffect) out.effects.push_back({dims[k], effects[k]});
    std::stable_sort(out.effects.begin(), out.effects.end(), [](const auto& a, const auto& b) { return a.effect > b.effect; });
    return out;
}

}  // namespace quarn
