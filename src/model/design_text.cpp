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

std::string equaliserText(const EqualiserOptions& o, const EqualiserResult& r) {
    std::string out = "                          Before       After\n";
    for (int i = 0; i < WatchedCount; ++i)
        out += left(watchedNames[i], 18) + watchedText(i, r.beforeReading.values[i], 12) +
               watchedText(i, r.afterReading.values[i], 12) + "\n";
    auto cost = [](const std::optional<double>& c) { return c ? Str(*c, 12, 6) : padded("rejected", 12); };
    out += left("cost", 18) + cost(r.beforeCost) + cost(r.afterCost) + "\n\n";
    for (std::size_t i = 0; i < o.dims.size() && i < r.after.size(); ++i)
        out += left(std::string(o.dims[i]->field), 26) + Str(r.before[i], 12, 6) + Str(r.after[i], 12, 6) + "\n";
    const EqualiserLimits& l = o.limits;
    out += "\nLimits: leads of both ends at normal forward and reverse within " + shortNumber(l.leadLow) + " to " +
           shortNumber(l.leadHigh) + "; steam lap and exhaust clearances within +-" + shortNumber(l.lapBand) +
           " of the start's;\nlargest steam openings at least " + shortNumber(100 - l.openingLoss) +
           " % of the start's; no impossible geometry from full gear forward to full gear reverse.\n";
    if (!r.beforeBreaks.empty()) out += "The design as it stands does not keep " + r.beforeBreaks + ".\n";
    out += r.afterBreaks.empty() ? "The design after keeps every limit.\n" : "Unmet: " + r.limitProblem() + ".\n";
    out += '\n';
    out += std::to_string(r.evaluations);
    out += " evaluations on the " + std::string(solverName(o.solver)) + " solver";
    if (r.cancelled) out += ", cancelled";
    if (r.timedOut) out += ", stopped at the time limit";
    out += r.improved() ? "; the design improved.\n" : "; no better design found.\n";
    return out;
}

}  // namespace quarn
