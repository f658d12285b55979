// The equaliser: a bounded, deterministic search over up to four dimensions for a gear
// whose front and rear get the same steam.
//
// Method: compass (pattern) search. From the design as it stands it tries each chosen
// dimension a step up and a step down (the 2 × n trials of a round run in parallel, on
// copies of the model), moves to the best trial that lowers the cost, and halves the
// step when none does. The first step is a quarter of the allowed range; the search
// ends when the step falls below MinEqualiserStep, the evaluations reach their limit,
// the time limit passes, or it is cancelled. Ties go to the earlier trial, so the same
// design and goals always give the same answer (unless the time limit cuts it short).
// A trial whose sweeps meet impossible geometry, or that loses a cut-off a goal reads,
// is rejected outright; the best design so far is always kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dimensions.h"
#include "gear_model.h"
#include "parallel_work.h"
#include "sensitivity.h"

namespace quarn {

constexpr int MaxEqualiserDimensions = 4;
constexpr double MinEqualiserStep = 0.00001;

// Each goal counts with its weight (0: not a goal). The cost adds the squares of:
// the front-rear cut-off differences at normal forward and normal reverse (percent);
// the front-rear lead differences at both, in thousandths of a unit (so a lead 0.001
// apart counts as much as cut-offs 1 % apart); and the distance of the mean forward
// cut-off from the target (percent).
struct EqualiserGoals {
    double cutOffEqual = 1;
    double leadEqual = 0;
    std::optional<double> cutOffTarget;  // percent at normal forward
    double cutOffTargetWeight = 1;
};

struct EqualiserOptions {
    std::vector<const DimensionDescriptor*> dims;  // 1 to 4, each with a dynamic-variable code
    double range = 0.05;                            // each dimension within ± this of its value
    EqualiserGoals goals;
    int maxEvaluations = 200;
    double timeLimitSeconds = 60;
    int threads = 0;  // 0: one per core
    SolverKind solver = SolverKind::Classic;  // the design tools choose the precise one
};

// The cost of a reading under the goals; nullopt when the reading must be rejected.
std::optional<double> equaliserCost(const DesignReading& r, const EqualiserGoals& goals);

struct EqualiserResult {
    std::vector<float> before, after;  // the chosen dimensions, in the order given
    DesignReading beforeReading, afterReading;
    std::optional<double> beforeCost, afterCost;
    int evaluations = 0;
    bool cancelled = false, timedOut = false;
    bool improved() const { return afterCost && (!beforeCost || *afterCost < *beforeCost); }
};

// Runs the search on copies of the model; the model is only read. Progress counts
// evaluations out of the limit.
EqualiserResult runEqualiser(const GearModel& m, const EqualiserOptions& options, const WorkControl& control = {});

// The chosen values as the user would type them into the dimension dialogs, one undo
// step each, then the dialog's Close: the gear back at the (new) mid gear.
void applyEqualiserResult(GearModel& m, const EqualiserOptions& options, const EqualiserResult& result);

// Why the options cannot run, or empty.
std::string equaliserOptionsProblem(const EqualiserOptions& options);

}  // namespace quarn
