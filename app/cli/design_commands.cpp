// events, sensitivity and equalise: the design studies over the whole reverse-arm range.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "model/event_report.h"
#include "model/design_text.h"
#include "model/dimensions.h"
#include "model/event_table_text.h"
#include "dims/dimension_file.h"
#include "model/equaliser.h"
#include "model/working_points.h"
#include "model/sensitivity.h"
#include "options.h"

namespace quarn::cli {
namespace {

// More settings than this would take minutes and tell nothing finer than a notch does.
constexpr int MaxEventSteps = 500;
// A list of settings is held to as many as the most steps give: each way and mid gear.
constexpr std::size_t MaxEventSettings = 2 * MaxEventSteps + 1;

std::vector<float> parseSettingList(const std::string& text) {
    std::vector<float> settings;
    for (const std::string& item : listItems(text, "--settings", MaxEventSettings, "settings")) {
        const auto value = parseNumber(item);
        if (!value) throw UsageError{"--settings takes numbers separated by commas, not '" + item + "'"};
        settings.push_back(static_cast<float>(*value));
    }
    return settings;
}

// The dimensions a list names, by field name in any case. `once`: a dimension named
// twice is refused, as the study would rank it twice (so the list holds at most every
// dimension once); without it the study itself refuses what it cannot take.
std::vector<const DimensionDescriptor*> dimensionList(const std::string& option, const std::string& text,
                                                      bool once) {
    std::vector<const DimensionDescriptor*> dims;
    for (const std::string& name : listItems(text)) {
        const DimensionDescriptor* d = &dimensionNamed(name);
        if (once && std::find(dims.begin(), dims.end(), d) != dims.end())
            throw UsageError{option + " names " + std::string(d->field) + " twice"};
        dims.push_back(d);
    }
    return dims;
}

}  // namespace

const char eventsUsage[] =
    "quarngear-cli events [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                     [--settings A,B,... | --steps N] [--solver classic|precise]\n"
    "                     [--csv]\n"
    "  Prints the valve events at each reverse-arm setting given (at most 1001), or at\n"
    "  N equal steps from mid gear to full gear forward and N to full gear reverse\n"
    "  (default 10: 21 settings): for the front and rear end the lead, the largest\n"
    "  steam opening and the cut-off, release, compression and pre-admission in percent\n"
    "  of stroke, with the front-rear difference of lead and cut-off. --csv prints one\n"
    "  row per setting and end instead; an event that does not happen is an empty\n"
    "  field. The events are read on the precise solver, each at its exact crossing;\n"
    "  --solver classic reads them on the window's solver, each between two 0.1 degree\n"
    "  steps.\n";

void eventsCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true, .solverChoice = true});
    bool csv = false;
    std::optional<std::string> settingList, stepCount;
    line.flag("--csv", csv);
    line.value("--settings", settingList);
    line.value("--steps", stepCount);
    line.parse(args);
    const CommonOptions common = shared.read();
    if (settingList && stepCount) throw UsageError{"--settings and --steps exclude each other"};
    std::optional<std::vector<float>> settings;
    if (settingList) settings = parseSettingList(*settingList);
    const int steps = stepCount ? wholeCount("--steps", *stepCount, 0, MaxEventSteps) : 10;
    GearModel m;
    buildModel(m, common, err);
    const std::vector<float> chosen = settings ? *settings : eventTableSettings(m, steps);
    const std::vector<GearSettingEvents> events = sweepEventsRange(m, chosen, {}, common.solver);
    if (csv) {
        out << eventsCsvHeader;
        for (const auto& e : events) out << eventsCsvRows(e);
        return;
    }
    out << "Valve events of " << m.DimSetName << " (" << (m.ErieTriplexForm ? "Erie Triplex form" : "standard form")
        << "), " << events.size() << (events.size() == 1 ? " setting" : " settings") << "\n";
    for (const auto& e : events) out << "\n" << eventsBlockText(e);
}

const char sensitivityUsage[] =
    "quarngear-cli sensitivity [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                          [--delta D] [--dims NAME,NAME,...]\n"
    "                          [--solver classic|precise] [--csv]\n"
    "  Changes each of the 47 dimensions by +D and by -D, finds mid gear afresh each\n"
    "  time, and prints the changes of the front and rear cut-off and lead at normal\n"
    "  forward and normal reverse, the dimension that moves a cut-off most first.\n"
    "  Dimensions that make the gear impossible, or lose a cut-off, at +D or -D are\n"
    "  marked, not ranked. --dims studies only the dimensions named (by field name,\n"
    "  each once). On the precise solver (default D 0.001) a dimension is ranked by the\n"
    "  central difference (up - down) / 2, its effect per D; --solver classic reads the\n"
    "  gear on the window's solver (default D 0.01, below its grain the study says so)\n"
    "  and ranks by the larger change. Uses every core.\n";

void sensitivityCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true, .solverChoice = true});
    bool csv = false;
    std::optional<std::string> deltaText, dimList;
    line.flag("--csv", csv);
    line.value("--delta", deltaText);
    line.value("--dims", dimList);
    line.parse(args);
    const CommonOptions common = shared.read();
    std::vector<const DimensionDescriptor*> only;
    if (dimList) only = dimensionList("--dims", *dimList, true);
    std::optional<double> delta;
    if (deltaText) {
        delta = parseNumber(*deltaText);
        if (!delta || !(*delta > 0))
            throw UsageError{"--delta takes a positive number, not '" + *deltaText + "'"};
    }
    GearModel m;
    buildModel(m, common, err);
    const SensitivityResult r =
        runSensitivity(m, delta.value_or(defaultSensitivityDelta(common.solver)), {}, only, common.solver);
    if (csv) {
        out << sensitivityCsvHeader << sensitivityCsvRows(r);
        return;
    }
    out << "Sensitivity of " << m.DimSetName << " ("
        << (m.ErieTriplexForm ? "Erie Triplex form" : "standard form") << ")\n"
        << sensitivityText(r);
}

namespace {

// Every --goal, each a comma-separated list, read as one list: a goal given twice in
// two options is as much a mistake as in one.
std::vector<EqualiserGoal> parseGoals(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& t : texts) joined += (joined.empty() ? "" : ",") + t;
    std::string problem;
    const auto goals = parseEqualiserGoals(joined, &problem);
    if (!goals) throw UsageError{"--goal: " + problem};
    return *goals;
}

// --vary NAME or NAME:LOW:HIGH, several to an option (comma-separated) or repeated.
void parseVary(const std::vector<std::string>& texts, EqualiserOptions& o) {
    for (const std::string& text : texts)
        for (const std::string& item : listItems(text)) {
            const auto colon = item.find(':');
            const DimensionDescriptor* d = &dimensionNamed(item.substr(0, colon));
            o.dims.push_back(d);
            if (colon == std::string::npos) continue;
            const std::string bounds = item.substr(colon + 1);
            const auto second = bounds.find(':');
            const auto low = parseNumber(bounds.substr(0, second));
            const auto high = second == std::string::npos ? std::nullopt : parseNumber(bounds.substr(second + 1));
            if (!low || !high || !(*low < *high))
                throw UsageError{"--vary takes NAME or NAME:LOW:HIGH with LOW below HIGH, not '" + item + "'"};
            o.bounds.push_back({d, *low, *high});
        }
}

// lead=LOW:HIGH, lap=BAND or opening=PERCENT, onto the limits as they stand.
void parseLimit(const std::string& text, EqualiserLimits& l) {
    const auto eq = text.find('=');
    const std::string name = text.substr(0, eq), value = eq == std::string::npos ? "" : text.substr(eq + 1);
    auto number = [&](const std::string& t) {
        const auto v = parseNumber(t);
        if (!v) throw UsageError{"--limit " + name + "= takes a number, not '" + t + "'"};
        return *v;
    };
    if (eq == std::string::npos || value.empty()) {
        throw UsageError{"--limit takes lead=LOW:HIGH, lap=BAND or opening=PERCENT, not '" + text + "'"};
    } else if (name == "lead") {
        const auto colon = value.find(':');
        if (colon == std::string::npos) throw UsageError{"--limit lead= takes LOW:HIGH, not '" + value + "'"};
        l.leadLow = number(value.substr(0, colon));
        l.leadHigh = number(value.substr(colon + 1));
        if (!(l.leadLow <= l.leadHigh)) throw UsageError{"--limit lead= needs LOW no higher than HIGH"};
    } else if (name == "lap") {
        l.lapBand = number(value);
        if (!(l.lapBand >= 0)) throw UsageError{"--limit lap= takes a band of 0 or more"};
    } else if (name == "opening") {
        l.openingLoss = number(value);
        if (!(l.openingLoss >= 0 && l.openingLoss <= 100))
            throw UsageError{"--limit opening= takes a percentage from 0 to 100"};
    } else {
        throw UsageError{"--limit takes lead=LOW:HIGH, lap=BAND or opening=PERCENT, not '" + text + "'"};
    }
}

}  // namespace

const char equaliseUsage[] =
    "quarngear-cli equalise [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                       --vary NAME[:LOW:HIGH][,...]... [--range R]\n"
    "                       [--points LIST] [--goal GOAL[,...]]...\n"
    "                       [--limit lead=LOW:HIGH|lap=BAND|opening=PERCENT]...\n"
    "                       [--max-evals N] [--starts N] [--out FILE.qgd]\n"
    "  Searches up to four dimensions (by field name), each within LOW to HIGH or\n"
    "  within +-R of its value (default 0.05), for a gear that meets the goals at the\n"
    "  working points. The points (default 25f,75f,25r) are cut-offs forward (25f) or\n"
    "  reverse (25r), found on the design as it stands, or reverse-arm settings\n"
    "  (arm=10.9); their settings are held while the dimensions change, as the notches\n"
    "  a driver uses. Goals, each with a weight (default 1), at every point or at one:\n"
    "    cutoff-equal[=W][@POINT]  front and rear cut-off alike (the default goal)\n"
    "    lead-equal[=W][@POINT]    front and rear lead alike\n"
    "    lead=LEAD[@POINT][:W]     both leads at LEAD\n"
    "    cutoff=PCT@POINT[:W]      the mean cut-off at PCT percent at that point\n"
    "  e.g. --goal cutoff-equal=1 --goal lead-equal=0.5 --goal lead=0.02@25f\n"
    "  --goal cutoff=30@arm=10.9:2. A point a goal names is read even when not in\n"
    "  --points. Each goal's miss (percent of stroke, or thousandths of a unit of\n"
    "  lead) is squared and weighted; the search lowers their sum.\n"
    "  Limits no offered design breaks: the leads of both ends at every point within\n"
    "  LOW to HIGH (default 0:0.05); the steam lap and exhaust clearances unchanged,\n"
    "  or within +-BAND of the start's (default 0.005) when a valve or port dimension\n"
    "  is varied; the largest steam opening at every point (mean of both ends) no\n"
    "  more than PERCENT below the start's (default 10); no impossible geometry from\n"
    "  full gear forward to full gear reverse.\n"
    "  The search (NLopt's BOBYQA, COBYLA for one dimension, from N starts spread over\n"
    "  the ranges, default 4, on every core) varies the first dimension alone, then\n"
    "  the first two, and so on, each from the best answer before: naming the\n"
    "  dimensions that matter most first, a longer list never ends worse. At most N\n"
    "  evaluations for each of those stages (default 400) and 60 s in all; the same\n"
    "  design and options give the same answer. Each design is read on the precise\n"
    "  solver. Prints every goal and the events at every point before and after and\n"
    "  the chosen values; --out writes the improved design, the gear at mid gear.\n"
    "  When no design within the ranges keeps every limit, says which and exits 1\n"
    "  without writing --out.\n";

void equaliseCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true});
    std::optional<std::string> range, points, maxEvals, starts, outFile;
    std::vector<std::string> vary, goals, limits;
    line.values("--vary", vary);
    line.values("--goal", goals);
    line.values("--limit", limits);
    line.value("--range", range);
    line.value("--points", points);
    line.value("--max-evals", maxEvals);
    line.value("--starts", starts);
    line.value("--out", outFile);
    line.parse(args);
    const CommonOptions common = shared.read();
    if (vary.empty()) throw UsageError{"--vary names the dimensions to change"};
    EqualiserOptions options;
    parseVary(vary, options);
    if (range) {
        const auto r = parseNumber(*range);
        if (!r || !(*r > 0)) throw UsageError{"--range takes a positive number, not '" + *range + "'"};
        options.range = *r;
    }
    if (points) options.points = workingPointsOption(*points);
    if (!goals.empty()) options.goals = parseGoals(goals);
    for (const std::string& l : limits) parseLimit(l, options.limits);
    if (maxEvals) options.maxEvaluations = wholeCount("--max-evals", *maxEvals, 1, 100000);
    if (starts) options.starts = wholeCount("--starts", *starts, 1, 64);
    if (const std::string problem = equaliserOptionsProblem(options); !problem.empty())
        throw UsageError{problem};
    GearModel m;
    buildModel(m, common, err);
    const EqualiserResult r = runEqualiser(m, options);
    out << equaliserText(options, r);
    if (const std::string unmet = r.limitProblem(); !unmet.empty()) throw WorkError{unmet};
    if (outFile) {
        if (r.improved()) applyEqualiserResult(m, options, r);
        const FileResult saved = saveDimensionFile(m, *outFile);
        if (!saved.ok) throw WorkError{saved.message};
    }
}

}  // namespace quarn::cli
