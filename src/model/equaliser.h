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
//
// Limits bound every answer, whatever the goals gain by breaking them (see
// EqualiserLimits). A trial that breaks one is never offered. While the design where the
// search stands breaks one (only the start can), the search moves to the trial that
// breaks them least, so that a start outside the limits can still be brought inside.
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

// What no offered design may break. The lap, the clearances and the openings are held
// against the design the search starts from.
struct EqualiserLimits {
    double leadLow = 0, leadHigh = 0.05;  // both ends at normal forward and reverse
    // The steam lap and both exhaust clearances within ± this of the start's. They
    // follow from the valve and port dimensions alone, so they only move when one of
    // those is varied.
    double lapBand = 0.005;
    // The largest steam opening of each end at normal forward and reverse no less than
    // the start's less this percentage.
    double openingLoss = 10;
};
// The coarse check of the whole range: this many settings from full gear reverse to
// full gear forward, each solved every EqualiserCheckAngle degrees of driver angle.
constexpr int EqualiserCheckSettings = 9;
constexpr double EqualiserCheckAngle = 10;

struct EqualiserOptions {
    std::vector<const DimensionDescriptor*> dims;  // 1 to 4, each with a dynamic-variable code
    double range = 0.05;                            // each dimension within ± this of its value
    EqualiserGoals goals;
    EqualiserLimits limits;
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
    // The limit each design breaks, as "the front lead at normal forward within 0 to
    // 0.05"; empty when it meets them all.
    std::string beforeBreaks, afterBreaks;
    // Offered: it meets every limit, and the start did not or costs more.
    bool improved() const {
        return afterCost && afterBreaks.empty() &&
               (!beforeBreaks.empty() || !beforeCost || *afterCost < *beforeCost);
    }
    // What to tell the user when no design within the range meets every limit, or empty.
    std::string limitProblem() const {
        return afterBreaks.empty() ? std::string{} : "no design within the range keeps " + afterBreaks;
    }
};

// Runs the search on copies of the model; the model is only read. Progress counts
// evaluations out of those still to come should no trial improve again (at most the
// limit), and ends with the evaluations made out of themselves.
EqualiserResult runEqualiser(const GearModel& m, const EqualiserOptions& options, const WorkControl& control = {});

// The chosen values as the user would type them into the dimension dialogs, one undo
// step each, then the dialog's Close: the gear back at the (new) mid gear.
void applyEqualiserResult(GearModel& m, const EqualiserOptions& options, const EqualiserResult& result);

// Why the options cannot run, or empty.
std::string equaliserOptionsProblem(const EqualiserOptions& options);

}  // namespace quarn
