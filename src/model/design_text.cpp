// Text of the sensitivity ranking and of the equaliser's before/after table.
#include "design_text.h"

#include <cstdio>

#include "number_text.h"

namespace quarn {
namespace {

std::string padded(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string left(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

std::string csvNumber(const std::optional<double>& v) {
    if (!v) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", *v);
    return buf;
}

bool isLead(int index) { return index % 4 >= 2; }

// A change as a person types it: 0.001, not 0.001000.
std::string shortNumber(double v) {
    std::string text = Str(v, 0, 6);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
        const bool dot = text.back() == '.';
        text.pop_back();
        if (dot) break;
    }
    return text;
}

}  // namespace

std::string watchedText(int index, const std::optional<double>& v, int width) {
    return v ? Str(*v, width, isLead(index) ? 5 : 3) : padded("none", width);
}

std::string sensitivityText(const SensitivityResult& r) {
    const std::string delta = r.solver == SolverKind::Precise ? shortNumber(r.delta) : Str(r.delta, 0, 6);
    std::string out = "Changes for +" + delta + " and -" + delta +
                      " of each dimension, at normal forward (fwd) and normal reverse (rev):\n";
    switch (r.solver) {
        case SolverKind::Classic:
            out += "cut-off (CO) in percent of stroke, lead in units. Largest cut-off change first.\n";
            break;
        case SolverKind::Precise:
            // Up and down taken together cancel the curvature: the effect is the slope at
            // the design itself, times the change.
            out += "cut-off (CO) in percent of stroke, lead in units, on the precise solver. Ranked by\n"
                   "the effect per " + delta + " of the dimension, the central difference (up - down) / 2;\n"
                   "largest cut-off effect first.\n";
            break;
    }
    // The precise solver has no grain to warn of.
    if (r.solver == SolverKind::Classic && r.delta < SensitivityGrainDelta)
        out += "A change this small moves cut-offs little more than the solver's grain (about\n"
               "0.06 % of stroke): the cut-off columns are mostly that grain.\n";
    if (r.base.impossible) out += "The design as it stands meets impossible geometry: no ranking.\n";
    out += "\nRank Dimension                   Value    ";
    const char* heads[WatchedCount] = {"fwd CO F", "fwd CO R", "fwdLeadF", "fwdLeadR",
                                       "rev CO F", "rev CO R", "revLeadF", "revLeadR"};
    for (const char* h : heads) out += padded(h, 10);
    out += "\n";
    int rank = 0;
    for (const SensitivityRow& row : r.rows) {
        const std::string place = row.impossible ? "   -" : Str(++rank, 4);
        for (const bool plus : {true, false}) {
            std::string line = plus ? place + " " + left(std::string(row.dim->field), 24) + Str(row.value, 9, 4)
                                    : std::string(38, ' ');
            line += plus ? "  +D" : "  -D";
            for (int i = 0; i < WatchedCount; ++i)
                line += watchedText(i, plus ? row.plus[i] : row.minus[i], 10);
            out += line + "\n";
        }
        if (row.impossible) out += "     (impossible geometry or a lost cut-off: not ranked)\n";
    }
    return out;
}

const char sensitivityCsvHeader[] =
    "rank,dimension,value,change,fwd_cutoff_front,fwd_cutoff_rear,fwd_lead_front,fwd_lead_rear,"
    "rev_cutoff_front,rev_cutoff_rear,rev_lead_front,rev_lead_rear,impossible\n";

std::string sensitivityCsvRows(const SensitivityResult& r) {
    std::string out;
    int rank = 0;
    for (const SensitivityRow& row : r.rows) {
        const std::string place = row.impossible ? "" : std::to_string(++rank);
        for (const bool plus : {true, false}) {
            out += place + ',' + std::string(row.dim->field) + ',' + csvNumber(row.value) + ',' +
                   (plus ? csvNumber(r.delta) : csvNumber(-r.delta));
            for (int i = 0; i < WatchedCount; ++i) out += ',' + csvNumber(plus ? row.plus[i] : row.minus[i]);
            out += row.impossible ? ",1\n" : ",0\n";
        }
    }
    return out;
}

namespace {

std::string maybe(const std::optional<double>& v, int decimals) {
    return v ? Str(*v, 12, decimals) : padded("none", 12);
}

// The events of one working point before and after, each on its own line.
std::string pointLines(const PointEvents* b, const PointEvents* a) {
    struct Row {
        const char* name;
        int decimals;
        std::optional<double> (*of)(const PointEvents&);
    };
    static constexpr Row rows[] = {
        {"cut-off front", 3, [](const PointEvents& e) { return e.cutOff[0]; }},
        {"cut-off rear", 3, [](const PointEvents& e) { return e.cutOff[1]; }},
        {"cut-off front-rear", 3,
         [](const PointEvents& e) -> std::optional<double> {
             if (!e.cutOff[0] || !e.cutOff[1]) return std::nullopt;
             return *e.cutOff[0] - *e.cutOff[1];
         }},
        {"lead front", 5, [](const PointEvents& e) -> std::optional<double> { return e.lead[0]; }},
        {"lead rear", 5, [](const PointEvents& e) -> std::optional<double> { return e.lead[1]; }},
        {"lead front-rear", 5, [](const PointEvents& e) -> std::optional<double> { return e.lead[0] - e.lead[1]; }},
        {"largest open front", 5, [](const PointEvents& e) -> std::optional<double> { return e.maxOpening[0]; }},
        {"largest open rear", 5, [](const PointEvents& e) -> std::optional<double> { return e.maxOpening[1]; }},
    };
    std::string out;
    for (const Row& r : rows) {
        const auto value = [&](const PointEvents* e) {
            return e && e->possible ? maybe(r.of(*e), r.decimals) : padded("impossible", 12);
        };
        out += "  " + left(r.name, 24) + value(b) + value(a) + "\n";
    }
    return out;
}

}  // namespace

std::string equaliserText(const EqualiserOptions& o, const EqualiserResult& r) {
    std::string out;
    if (!r.problem.empty()) return "Not searched: " + r.problem + ".\n";
    const auto at = [](const EqualiserReading& reading, std::size_t p) {
        return p < reading.events.size() ? &reading.events[p] : nullptr;
    };
    for (std::size_t p = 0; p < r.points.size(); ++p) {
        out += left(workingPointName(r.points[p]) + ", arm " + Str(r.settings[p], 0, 4), 26) +
               "      Before       After\n";
        out += pointLines(at(r.beforeReading, p), at(r.afterReading, p));
    }
    out += "\n" + left("Goals (miss)", 26) + "      Before       After\n";
    for (std::size_t g = 0; g < o.goals.size(); ++g) {
        for (std::size_t t = 0; t < r.beforeReading.terms.size(); ++t) {
            const GoalTerm& term = r.beforeReading.terms[t];
            if (term.goal != g) continue;
            std::string name = equaliserGoalName(o.goals[g]);
            if (!o.goals[g].at) name += " (" + workingPointName(r.points[term.point]) + ")";
            if (term.end >= 0) name += term.end == 0 ? ", front" : ", rear";
            const std::optional<double> after =
                t < r.afterReading.terms.size() ? r.afterReading.terms[t].miss : std::nullopt;
            out += "  " + name + "\n" + left("", 26) + maybe(term.miss, 3) + maybe(after, 3) + "\n";
        }
    }
    auto cost = [](const std::optional<double>& c) { return c ? Str(*c, 12, 6) : padded("rejected", 12); };
    out += left("cost", 26) + cost(r.beforeCost) + cost(r.afterCost) + "\n\n";
    const std::vector<DimensionBounds> bounds = [&] {
        std::vector<DimensionBounds> b;
        for (std::size_t i = 0; i < o.dims.size() && i < r.before.size(); ++i) {
            DimensionBounds d{o.dims[i], r.before[i] - o.range, r.before[i] + o.range};
            for (const DimensionBounds& own : o.bounds)
                if (own.dim == o.dims[i]) d = own;
            b.push_back(d);
        }
        return b;
    }();
    for (std::size_t i = 0; i < bounds.size() && i < r.after.size(); ++i)
        out += left(std::string(o.dims[i]->field), 26) + Str(r.before[i], 12, 6) + Str(r.after[i], 12, 6) +
               "   (" + shortNumber(bounds[i].low) + " to " + shortNumber(bounds[i].high) + ")\n";
    if (r.stageCosts.size() > 1) {
        out += "Best cost with the first dimension alone";
        for (std::size_t k = 0; k < r.stageCosts.size(); ++k)
            out += (k == 0 ? ": " : ", with the first " + std::to_string(k + 1) + ": ") + Str(r.stageCosts[k], 0, 6);
        out += "\n";
    }
    const EqualiserLimits& l = o.limits;
    out += "\nLimits: leads of both ends at every working point within " + shortNumber(l.leadLow) + " to " +
           shortNumber(l.leadHigh) + "; steam lap and exhaust clearances within +-" + shortNumber(l.lapBand) +
           " of the start's" + (r.variesPort ? "" : " (unchanged: no valve or port dimension is varied)") +
           ";\nlargest steam opening (mean of both ends) at least " + shortNumber(100 - l.openingLoss) +
           " % of the start's at every working point; no impossible geometry from full gear\nforward to full gear reverse.\n";
    if (!r.beforeBreaks.empty()) out += "The design as it stands does not keep " + r.beforeBreaks + ".\n";
    out += r.afterBreaks.empty() ? "The design after keeps every limit.\n" : "Unmet: " + r.limitProblem() + ".\n";
    out += '\n';
    out += std::to_string(r.evaluations);
    out += " evaluations on the precise solver";
    if (r.cancelled) out += ", cancelled";
    if (r.timedOut) out += ", stopped at the time limit";
    out += r.improved() ? "; the design improved.\n" : "; no better design found.\n";
    return out;
}

}  // namespace quarn
