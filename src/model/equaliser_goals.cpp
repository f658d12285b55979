// The equaliser's goals: their spelling and what each misses by at a working point.
#include "equaliser_goals.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "text_reading.h"

namespace quarn {
namespace {

// A lead counts in thousandths of a unit against cut-offs in percent of stroke.
constexpr double LeadScale = 1000;

std::string shortNumber(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

const char* kindWord(GoalKind k) {
    switch (k) {
        case GoalKind::CutOffEqual: return "cutoff-equal";
        case GoalKind::LeadEqual: return "lead-equal";
        case GoalKind::Lead: return "lead";
        case GoalKind::CutOff: return "cutoff";
    }
    return "cutoff-equal";
}

// A goal as the spelling names it when it is given twice: its kind and its point.
std::string goalKey(const EqualiserGoal& g) {
    return std::string(kindWord(g.kind)) + (g.at ? "@" + workingPointsText({*g.at}) : "");
}

// One item of the list, or a sentence saying why it does not read.
std::optional<EqualiserGoal> parseGoal(std::string_view item, std::string& problem) {
    EqualiserGoal g;
    std::optional<double> weight;
    const std::string whole(item);
    if (const auto colon = item.rfind(':'); colon != std::string_view::npos) {
        weight = finiteNumber(trimmed(item.substr(colon + 1)));
        if (!weight || *weight < 0) {
            problem = "a goal's weight is a number of 0 or more, not '" + std::string(item.substr(colon + 1)) + "'";
            return std::nullopt;
        }
        item = trimmed(item.substr(0, colon));
    }
    if (const auto at = item.find('@'); at != std::string_view::npos) {
        std::string why;
        const auto point = parseWorkingPoints(item.substr(at + 1), &why);
        if (!point || point->size() != 1) {
            problem = "'" + whole + "': " + (why.empty() ? "a goal names one working point" : why);
            return std::nullopt;
        }
        g.at = point->front();
        item = trimmed(item.substr(0, at));
    }
    const auto eq = item.find('=');
    const std::string_view name = trimmed(item.substr(0, eq));
    const std::optional<std::string_view> value =
        eq == std::string_view::npos ? std::nullopt : std::optional(item.substr(eq + 1));
    if (name == "cutoff-equal" || name == "lead-equal") {
        g.kind = name == "cutoff-equal" ? GoalKind::CutOffEqual : GoalKind::LeadEqual;
        if (value) {
            const auto w = finiteNumber(trimmed(*value));
            if (!w || *w < 0 || weight) {
                problem = "a goal's weight is a number of 0 or more, not '" + std::string(*value) + "'";
                return std::nullopt;
            }
            weight = w;
        }
    } else if (name == "lead" && value) {
        g.kind = GoalKind::Lead;
        const auto t = finiteNumber(trimmed(*value));
        if (!t) {
            problem = "lead= takes the lead wanted, a length, not '" + std::string(*value) + "'";
            return std::nullopt;
        }
        g.target = *t;
    } else if (name == "cutoff" && value) {
        g.kind = GoalKind::CutOff;
        const auto t = finiteNumber(trimmed(*value));
        if (!t || !(*t > 0 && *t < 100)) {
            problem = "cutoff= takes a percentage between 0 and 100, not '" + std::string(*value) + "'";
            return std::nullopt;
        }
        if (!g.at) {
            problem = "cutoff=" + shortNumber(*t) + " needs the setting it is wanted at, as cutoff=" +
                      shortNumber(*t) + "@arm=1.2 or @25f";
            return std::nullopt;
        }
        g.target = *t;
    } else {
        problem = "a goal is cutoff-equal, lead-equal, lead=LEAD or cutoff=PCT@POINT, not '" + whole + "'";
        return std::nullopt;
    }
    g.weight = weight.value_or(1);
    return g;
}

}  // namespace

std::vector<EqualiserGoal> defaultEqualiserGoals() { return {EqualiserGoal{}}; }

std::optional<std::vector<EqualiserGoal>> parseEqualiserGoals(std::string_view text, std::string* problem) {
    std::vector<EqualiserGoal> goals;
    std::string why;
    while (true) {
        const auto comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        std::optional<EqualiserGoal> g;
        if (item.empty())
            why = "a goal is missing: write e.g. cutoff-equal=1,lead-equal=0.5,lead=0.02@25f";
        else
            g = parseGoal(item, why);
        if (g && std::any_of(goals.begin(), goals.end(), [&](const auto& o) { return goalKey(o) == goalKey(*g); })) {
            why = goalKey(*g) + " is given twice";
            g.reset();
        }
        if (!g) {
            if (problem) *problem = why;
            return std::nullopt;
        }
        goals.push_back(*g);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return goals;
}

std::string equaliserGoalsText(const std::vector<EqualiserGoal>& goals) {
    // An equal goal's weight follows its name, a target goal's its point.
    std::string fixed;
    for (const auto& g : goals) {
        if (!fixed.empty()) fixed += ',';
        const bool equal = g.kind == GoalKind::CutOffEqual || g.kind == GoalKind::LeadEqual;
        fixed += kindWord(g.kind);
        if (equal && g.weight != 1) fixed += "=" + shortNumber(g.weight);
        if (!equal) fixed += "=" + shortNumber(g.target);
        if (g.at) fixed += "@" + workingPointsText({*g.at});
        if (!equal && g.weight != 1) fixed += ":" + shortNumber(g.weight);
    }
    return fixed;
}

std::string equaliserGoalName(const EqualiserGoal& g) {
    std::string name;
    switch (g.kind) {
        case GoalKind::CutOffEqual: name = "equal cut-off"; break;
        case GoalKind::LeadEqual: name = "equal lead"; break;
        case GoalKind::Lead: name = "lead " + shortNumber(g.target); break;
        case GoalKind::CutOff: name = "cut-off " + shortNumber(g.target) + " %"; break;
    }
    name += g.at ? " at " + workingPointName(*g.at) : " at every point";
    if (g.weight != 1) name += ", weight " + shortNumber(g.weight);
    return name;
}

std::vector<WorkingPoint> pointsWithGoals(std::vector<WorkingPoint> points, const std::vector<EqualiserGoal>& goals) {
    for (const auto& g : goals)
        if (g.at && std::find(points.begin(), points.end(), *g.at) == points.end()) points.push_back(*g.at);
    return points;
}

std::vector<GoalTerm> goalTerms(const std::vector<EqualiserGoal>& goals, const std::vector<WorkingPoint>& points,
                                const std::vector<PointEvents>& events) {
    std::vector<GoalTerm> terms;
    for (std::size_t gi = 0; gi < goals.size(); ++gi) {
        const EqualiserGoal& g = goals[gi];
        for (std::size_t p = 0; p < points.size() && p < events.size(); ++p) {
            if (g.at && !(*g.at == points[p])) continue;
            const PointEvents& e = events[p];
            GoalTerm t{gi, p, -1, std::nullopt};
            switch (g.kind) {
                case GoalKind::CutOffEqual:
                    if (e.cutOff[0] && e.cutOff[1]) t.miss = *e.cutOff[0] - *e.cutOff[1];
                    break;
                case GoalKind::LeadEqual: t.miss = (e.lead[0] - e.lead[1]) * LeadScale; break;
                case GoalKind::Lead:
                    // Both ends aim at the lead: a term each.
                    t.end = 0;
                    t.miss = (e.lead[0] - g.target) * LeadScale;
                    if (!e.possible) t.miss.reset();
                    terms.push_back(t);
                    t.end = 1;
                    t.miss = (e.lead[1] - g.target) * LeadScale;
                    break;
                case GoalKind::CutOff:
                    if (e.cutOff[0] && e.cutOff[1]) t.miss = (*e.cutOff[0] + *e.cutOff[1]) / 2 - g.target;
                    break;
            }
            if (!e.possible) t.miss.reset();
            terms.push_back(t);
        }
    }
    return terms;
}

std::optional<double> equaliserCost(const std::vector<EqualiserGoal>& goals, const std::vector<GoalTerm>& terms) {
    double cost = 0;
    for (const GoalTerm& t : terms) {
        const double w = goals[t.goal].weight;
        if (w == 0) continue;
        if (!t.miss) return std::nullopt;
        cost += w * *t.miss * *t.miss;
    }
    if (!std::isfinite(cost)) return std::nullopt;
    return cost;
}

}  // namespace quarn
