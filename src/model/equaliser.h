// The equaliser: a bounded, deterministic search over up to four dimensions for a gear
// that meets the user's goals at the settings the engine is run at, within limits no
// offered design may break.
//
// Method: NLopt's BOBYQA (COBYLA for a single dimension) on the weighted goals, every
// limit a steep penalty, from a few starts spread over the ranges, the starts shared
// out over the cores. The working points are set once on the design as it stands (the
// notches the driver uses) and held while the dimensions change. The dimensions are
// searched in stages: the first alone, then the first two, and so on, each stage
// starting one run from the best answer of the stage before — so adding a dimension
// never gives a worse answer than the search without it. Only designs that meet every
// limit are offered, and never one worse than the design as it stands. The same design
// and options always give the same answer (unless the time limit cuts it short).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dimensions.h"
#include "equaliser_goals.h"
#include "gear_model.h"
#include "parallel_work.h"
#include "point_events.h"
#include "working_points.h"

namespace quarn {

constexpr int MaxEqualiserDimensions = 4;

// What no offered design may break, held against the design the search starts from.
struct EqualiserLimits {
    double leadLow = 0, leadHigh = 0.05;  // both ends at every working point
    // The steam lap and both exhaust clearances within ± this of the start's. They follow
    // from the valve and port dimensions alone: while none of those is varied they stay
    // exactly as they are.
    double lapBand = 0.005;
    // The largest steam opening at every working point, the mean of the two ends, no
    // less than the start's less this percentage. The mean, not each end: a lopsided
    // start opens one end too wide, and equal steam takes some of that to the other.
    double openingLoss = 10;
};
// The check of the whole range for impossible geometry: this many settings from full
// gear reverse to full gear forward, and each working point, solved every
// EqualiserCheckAngle degrees of driver angle.
constexpr int EqualiserCheckSettings = 9;
constexpr double EqualiserCheckAngle = 10;

// A dimension's own bounds, instead of its value ± the common range.
struct DimensionBounds {
    const DimensionDescriptor* dim = nullptr;
    double low = 0, high = 0;
};
// A value from an earlier answer, where a run of the search starts.
struct DimensionValue {
    const DimensionDescriptor* dim = nullptr;
    float value = 0;
};

struct EqualiserOptions {
    std::vector<const DimensionDescriptor*> dims;  // 1 to 4, each with a dynamic-variable code
    double range = 0.05;                            // each within ± this of its value...
    std::vector<DimensionBounds> bounds;            // ...unless it has bounds of its own here
    std::vector<WorkingPoint> points = defaultWorkingPoints();
    std::vector<EqualiserGoal> goals = defaultEqualiserGoals();
    EqualiserLimits limits;
    int maxEvaluations = 400;  // for each stage (the first dimension, the first two, ...)
    int starts = 4;            // runs of each stage, shared out over the cores
    std::vector<DimensionValue> startFrom;  // an earlier answer: the first run starts there
    double timeLimitSeconds = 60;
    int threads = 0;  // 0: one per core
};

// A design read at the working points, against the goals and the limits.
struct EqualiserReading {
    std::vector<PointEvents> events;  // at each working point
    std::vector<GoalTerm> terms;
    std::optional<double> cost;  // empty: impossible, or a cut-off a goal reads is lost
    PortEdges edges{};
    double breach = 0;   // how far outside the limits, 0 inside
    std::string breaks;  // the first limit broken, as "the front lead at 25 % fwd within 0 to 0.05"
    bool keepsLimits() const { return cost && breaks.empty(); }
};

struct EqualiserResult {
    std::vector<WorkingPoint> points;  // those read: the options' and any a goal names
    std::vector<double> settings;      // each point's reverse-arm setting, held throughout
    bool variesPort = false;           // a valve or port dimension is varied: the lap band applies
    std::vector<float> before, after;  // the chosen dimensions, in the order given
    EqualiserReading beforeReading, afterReading;
    std::optional<double> beforeCost, afterCost;
    std::vector<double> stageCosts;  // the best cost of each stage that found one
    int evaluations = 0;
    bool cancelled = false, timedOut = false;
    std::string beforeBreaks, afterBreaks;
    std::string problem;  // why the search could not start (a working point the gear cannot reach)
    // Offered: it meets every limit, and the start did not or costs more.
    bool improved() const {
        return problem.empty() && afterCost && afterBreaks.empty() &&
               (!beforeBreaks.empty() || !beforeCost || *afterCost < *beforeCost);
    }
    // What to tell the user when no design within the ranges meets every limit, or empty.
    std::string limitProblem() const {
        if (!problem.empty()) return problem;
        return afterBreaks.empty() ? std::string{} : "no design within the range keeps " + afterBreaks;
    }
};

// The bounds each chosen dimension is searched within.
std::vector<DimensionBounds> equaliserBounds(const GearModel& m, const EqualiserOptions& options);

// True for a dimension that moves the valve's laps or the port edges.
bool isValveOrPortDimension(const GearModel& m, const DimensionDescriptor& d);

// Runs the search on copies of the model; the model is only read. Progress counts the
// evaluations made out of those the runs still may make, and ends with the evaluations
// made out of themselves.
EqualiserResult runEqualiser(const GearModel& m, const EqualiserOptions& options, const WorkControl& control = {});

// The chosen values as the user would type them into the dimension dialogs, one undo
// step each, then the dialog's Close: the gear back at the (new) mid gear.
void applyEqualiserResult(GearModel& m, const EqualiserOptions& options, const EqualiserResult& result);

// Why the options cannot run on this design, or empty.
std::string equaliserOptionsProblem(const EqualiserOptions& options);
// Why the goals cannot be weighed (a weight or target that is not a number, or no goal
// weighed at all), or empty.
std::string equaliserGoalsProblem(const std::vector<EqualiserGoal>& goals);

// How strongly a dimension moves the goals at the working points: the change of the
// weighted misses per unit of the dimension.
struct DimensionEffect {
    const DimensionDescriptor* dim = nullptr;
    double effect = 0;
};
// Below this a dimension leaves the goals where they are (a change of 0.01 would move
// them by less than a thousandth of a percent of cut-off or a millionth of lead).
constexpr double LeastGoalEffect = 0.1;
struct DimensionRanking {
    std::vector<DimensionEffect> effects;  // the strongest first
    // Why nothing could be ranked: goals that cannot be weighed, a working point the gear
    // cannot reach, or a design as it stands that cannot be read. Empty otherwise.
    std::string problem;
};
// The dimensions that can be varied and move the goals, the strongest first; the model
// is only read.
DimensionRanking rankEqualiserDimensions(const GearModel& m, const std::vector<WorkingPoint>& points,
                                                     const std::vector<EqualiserGoal>& goals,
                                                     const WorkControl& control = {});

}  // namespace quarn
