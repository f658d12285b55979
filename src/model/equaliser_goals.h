// What the equaliser aims for, where: goals at working points, each with a weight, their
// spelling on the command line and in the window, and the cost of a design under them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "point_events.h"
#include "working_points.h"

namespace quarn {

enum class GoalKind {
    CutOffEqual,  // front and rear cut-off alike (percent of stroke)
    LeadEqual,    // front and rear lead alike
    Lead,         // both leads at a chosen length
    CutOff,       // the mean of the two cut-offs at a chosen percentage
};

struct EqualiserGoal {
    GoalKind kind = GoalKind::CutOffEqual;
    double weight = 1;
    double target = 0;                // the lead or the cut-off wanted
    std::optional<WorkingPoint> at;   // empty: at every working point
    friend bool operator==(const EqualiserGoal&, const EqualiserGoal&) = default;
};

// Equal cut-offs front and rear at every working point, with weight 1.
std::vector<EqualiserGoal> defaultEqualiserGoals();

// The spelling, one goal per item of a comma-separated list:
//   cutoff-equal[=W][@POINT]   lead-equal[=W][@POINT]   (the number is the weight)
//   lead=LEAD[@POINT][:W]      cutoff=PCT@POINT[:W]      (the number is the target)
// A weight may also follow a colon on the equal goals (cutoff-equal:2). POINT is one
// working point as parseWorkingPoints spells it (25f, 25r, arm=1.2). Empty and a sentence
// in `problem` when the text does not read.
std::optional<std::vector<EqualiserGoal>> parseEqualiserGoals(std::string_view text, std::string* problem);
std::string equaliserGoalsText(const std::vector<EqualiserGoal>& goals);
// "equal cut-off at 25 % fwd", "lead 0.02 at every point": how a report names a goal.
std::string equaliserGoalName(const EqualiserGoal& goal);

// The working points to read: those given, then each point a goal names that is not
// among them.
std::vector<WorkingPoint> pointsWithGoals(std::vector<WorkingPoint> points, const std::vector<EqualiserGoal>& goals);

// One term of the cost: the goal's miss at one point (percent for cut-offs, thousandths
// of a unit for leads, so that a lead 0.001 out counts as much as a cut-off 1 % out).
struct GoalTerm {
    std::size_t goal = 0, point = 0;
    int end = -1;                // the front (0) or rear (1) lead of a chosen-lead goal, else -1
    std::optional<double> miss;  // empty: a cut-off it reads does not happen
};
// The terms of every goal at every point it names, given the events at `points`.
std::vector<GoalTerm> goalTerms(const std::vector<EqualiserGoal>& goals, const std::vector<WorkingPoint>& points,
                                const std::vector<PointEvents>& events);
// The sum of weight × miss², or empty when a term cannot be read or the gear is impossible.
std::optional<double> equaliserCost(const std::vector<EqualiserGoal>& goals, const std::vector<GoalTerm>& terms);

}  // namespace quarn
