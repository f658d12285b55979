// cutoff: the reverse-arm setting that gives a chosen cut-off, and the events there.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "event_columns.h"
#include "model/cut_off_finder.h"
#include "model/number_text.h"
#include "options.h"

namespace quarn::cli {
namespace {

CutOffEnd parseEnd(const std::string& text) {
    if (text == "front") return CutOffEnd::Front;
    if (text == "rear") return CutOffEnd::Rear;
    if (text == "mean") return CutOffEnd::Mean;
    throw UsageError{"--end takes front, rear or mean, not '" + text + "'"};
}

const char* endName(CutOffEnd end) {
    switch (end) {
        case CutOffEnd::Front: return "front";
        case CutOffEnd::Rear: return "rear";
        case CutOffEnd::Mean: return "mean";
    }
    return "mean";
}

// "a forward mean cut-off of 25.00 %"
std::string askedText(const CutOffAsk& ask, double percent) {
    return std::string("a ") + (ask.reverse ? "reverse " : "forward ") + endName(ask.end) + " cut-off of " +
           Str(percent, 0, 2) + " %";
}

// A thousandth of the reverse arm moves a cut-off by some hundredths of a percent, more
// than the finder's tolerance: the setting is printed finer, so that it can be typed
// back and give the cut-off asked for.
constexpr int SettingDecimals = 5;

}  // namespace

const char cutoffUsage[] =
    "quarngear-cli cutoff PCT [--reverse] [--end front|rear|mean] [--file PATH]\n"
    "                     [--set NAME=VALUE]... [--erie]\n"
    "  Finds the reverse-arm setting between mid gear and full gear forward (or, with\n"
    "  --reverse, full gear reverse) whose cut-off is PCT percent of stroke: the mean of\n"
    "  the two ends (the default), or the front or rear end's own. Prints the setting\n"
    "  and the valve events there, read on the precise solver: the lead, cut-off,\n"
    "  release, compression and pre-admission of each end. A cut-off the gear cannot\n"
    "  give that way is an error that names the cut-offs it can give.\n";

void cutoffCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true});
    CutOffAsk ask;
    std::optional<std::string> end;
    std::vector<std::string> words;
    line.flag("--reverse", ask.reverse);
    line.value("--end", end);
    line.words(words);
    line.parse(args);
    const CommonOptions common = shared.read();
    if (end) ask.end = parseEnd(*end);
    if (words.empty()) throw UsageError{"needs the cut-off PCT, in percent of stroke"};
    if (words.size() > 1) throw UsageError{"takes one cut-off, not '" + words[1] + "' as well"};
    const auto percent = parseNumber(words[0]);
    if (!percent) throw UsageError{"PCT must be a number, not '" + words[0] + "'"};
    ask.percent = *percent;
    GearModel m;
    buildModel(m, common, err);
    const CutOffFound found = findCutOff(m, ask);
    if (!found.revArm)
        throw WorkError{"no reverse-arm setting gives " + askedText(ask, ask.percent) + ": " + found.problem};
    out << "Cut-off of " << m.DimSetName << " (" << (m.ErieTriplexForm ? "Erie Triplex form" : "standard form")
        << ")\n"
        << "Reverse arm " << Str(*found.revArm, 0, SettingDecimals) << " gives "
        << askedText(ask, cutOffOf(found.events, ask.end).value_or(ask.percent)) << "\n\n";
    const EventColumn column[1] = {{"found", ask.reverse ? "Reverse" : "Forward", found.events}};
    writeEventColumns(out, column, true);
}

}  // namespace quarn::cli
