// tolerance: how precisely each part must be made, from many gears drawn within the
// parts' tolerances and read at the working points.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "model/tolerance.h"
#include "options.h"

namespace quarn::cli {
namespace {

// Below this share a dimension is left out of the printed table (never out of --csv).
constexpr double ShownShare = 0.001;

std::string padded(const std::string& s, std::size_t width, bool left = false) {
    if (s.size() >= width) return s;
    return left ? s + std::string(width - s.size(), ' ') : std::string(width - s.size(), ' ') + s;
}

double numberIn(const std::string& option, const std::string& text, double least, double most,
                const std::string& what) {
    const auto v = parseNumber(text);
    if (!v || *v < least || *v > most) throw UsageError{option + " takes " + what + ", not '" + text + "'"};
    return *v;
}

ToleranceTable readTableFile(const std::string& path, const ToleranceTable& start) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw WorkError{"cannot read the tolerance file " + path};
    std::ostringstream text;
    text << in.rdbuf();
    std::string problem;
    const auto table = readToleranceCsv(text.str(), start, &problem);
    if (!table) throw WorkError{path + ": " + problem};
    return *table;
}

void parseLeadBand(const std::string& text, ToleranceLimits& l) {
    const auto colon = text.find(':');
    const auto low = colon == std::string::npos ? std::nullopt : parseNumber(text.substr(0, colon));
    const auto high = colon == std::string::npos ? std::nullopt : parseNumber(text.substr(colon + 1));
    if (!low || !high || !(*low <= *high))
        throw UsageError{"--lead-band takes LOW:HIGH with LOW no higher than HIGH, not '" + text + "'"};
    l.leadLow = *low;
    l.leadHigh = *high;
}

int decimalsOf(ToleranceOutcome o) { return o == ToleranceOutcome::CutOffDifference ? 3 : 5; }

void writeCsv(std::ostream& out, const ToleranceResult& r) {
    out << "point,revarm,outcome,item,value\n";
    out << "all,,,samples," << r.samples << "\nall,,,failures," << r.failures << '\n';
    for (const TolerancePointResult& p : r.points) {
        const std::string head = workingPointsText({p.point.point}) + ',' + fixed(*p.point.revArm, 6) + ',';
        out << head << ",failures," << p.failures << '\n';
        for (int k = 0; k < ToleranceOutcomeCount; ++k) {
            const OutcomeStats& s = p.outcomes[k];
            const std::string row = head + toleranceOutcomeKey(static_cast<ToleranceOutcome>(k)) + ',';
            if (s.nominal) out << row << "nominal," << fixed(*s.nominal, 6) << '\n';
            out << row << "count," << s.count << '\n';
            if (s.count == 0) continue;
            const std::pair<const char*, double> items[] = {{"mean", s.mean},       {"sd", s.sd},
                                                            {"p5", s.p5},           {"p95", s.p95},
                                                            {"outside", s.outside}, {"explained", s.explained},
                                                            {"hist_low", s.histLow}, {"hist_high", s.histHigh}};
            for (const auto& [name, value] : items) out << row << name << ',' << fixed(value, 6) << '\n';
            for (std::size_t b = 0; b < s.histogram.size(); ++b)
                out << row << "bin_" << b + 1 << ',' << s.histogram[b] << '\n';
            for (const DimensionShare& d : s.shares)
                out << row << "share:" << d.dim->field << ',' << fixed(d.share, 6) << '\n';
        }
    }
}

void writeShares(std::ostream& out, const TolerancePointResult& p) {
    const auto shareOf = [&](int k, const DimensionDescriptor* d) {
        for (const DimensionShare& s : p.outcomes[k].shares)
            if (s.dim == d) return s.share;
        return 0.0;
    };
    // Largest share of the cut-off difference first, then of the leads.
    std::vector<const DimensionDescriptor*> dims;
    for (int k = 0; k < ToleranceOutcomeCount; ++k)
        for (const DimensionShare& s : p.outcomes[k].shares)
            if (s.share >= ShownShare && std::find(dims.begin(), dims.end(), s.dim) == dims.end())
                dims.push_back(s.dim);
    if (dims.empty()) return;
    out << "  " << padded("share of the spread", 26, true);
    for (const char* title : {"cut-off diff", "lead front", "lead rear"}) out << padded(title, 13);
    out << '\n';
    for (const DimensionDescriptor* d : dims) {
        out << "  " << padded(std::string(d->field), 26, true);
        for (int k = 0; k < ToleranceOutcomeCount; ++k) out << padded(fixed(100 * shareOf(k, d), 1) + " %", 13);
        out << '\n';
    }
    out << "  (a straight line in the deviations explains";
    for (int k = 0; k < ToleranceOutcomeCount; ++k)
        out << (k ? ", " : " ") << fixed(100 * p.outcomes[k].explained, 1) << " %";
    out << " of each spread)\n";
}

void writeText(std::ostream& out, const GearModel& m, const ToleranceResult& r) {
    const auto percentOf = [&](int n) { return fixed(r.samples ? 100.0 * n / r.samples : 0, 2) + " %"; };
    out << "Tolerance study of " << m.DimSetName << " (" << (m.ErieTriplexForm ? "Erie Triplex form" : "standard form")
        << ")\n"
        << r.samples << " samples, each dimension " << distributionName(r.distribution)
        << (r.distribution == ToleranceDistribution::Normal ? " (tolerance at 3 sd)" : "")
        << " within its tolerance, seed " << r.seed << "; " << r.sampled.size()
        << (r.sampled.size() == 1 ? " dimension" : " dimensions") << " drawn; read on the precise solver\n"
        << "Outside: a cut-off difference beyond +-" << fixed(r.limits.cutOffDifference, 3)
        << " points, a lead outside " << fixed(r.limits.leadLow, 4) << " to " << fixed(r.limits.leadHigh, 4) << "\n"
        << "Failed samples (cannot be assembled, or a cut-off lost): " << r.failures << " of " << r.samples << " ("
        << percentOf(r.failures) << ")\n";
    for (const TolerancePointResult& p : r.points) {
        out << "\n" << workingPointName(p.point.point) << ", reverse arm " << fixed(*p.point.revArm, 5)
            << (p.point.backwards ? ", running backwards" : ", running forwards") << "\n"
            << "  outcome                   nominal       mean        5 %       95 %         sd    outside\n";
        for (int k = 0; k < ToleranceOutcomeCount; ++k) {
            const auto o = static_cast<ToleranceOutcome>(k);
            const OutcomeStats& s = p.outcomes[k];
            const int d = decimalsOf(o);
            out << "  " << padded(toleranceOutcomeName(o), 22, true)
                << padded(s.nominal ? fixed(*s.nominal, d) : "none", 11);
            if (s.count == 0) {
                out << "   (no sample has one)\n";
                continue;
            }
            for (double v : {s.mean, s.p5, s.p95, s.sd}) out << padded(fixed(v, d), 11);
            out << padded(fixed(100 * s.outside, 1) + " %", 11) << '\n';
        }
        out << "  failures: " << p.failures << " (" << percentOf(p.failures) << ")\n";
        writeShares(out, p);
    }
}

}  // namespace

const char toleranceUsage[] =
    "quarngear-cli tolerance [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                        [--tol T] [--tol-file F.csv] [--samples N] [--seed S]\n"
    "                        [--distribution uniform|normal] [--points LIST]\n"
    "                        [--cutoff-limit L] [--lead-band LOW:HIGH] [--csv]\n"
    "  How precisely each part must be made. Draws N gears (default 2000) with every\n"
    "  dimension the events depend on at random within +-T of its value (default\n"
    "  0.002): uniform, or normal with T at three standard deviations (a draw beyond T\n"
    "  is drawn again). F.csv, a header name,tolerance and one NAME,TOLERANCE a line,\n"
    "  gives dimensions their own tolerance; a tolerance of 0 holds a dimension. Each\n"
    "  gear is read on the precise solver at the working points (default 25f,75f,25r:\n"
    "  a cut-off in percent forward or reverse, or arm=X for a reverse-arm setting),\n"
    "  the arm held where the design as it stands has each point. Prints per point the\n"
    "  nominal, mean, 5 % and 95 % points and sd of the front-rear cut-off difference\n"
    "  and of each lead, the share beyond the cut-off limit L (default 1 point) or\n"
    "  outside the lead band (default 0:0.05), each dimension's share of the spread,\n"
    "  largest first (which tolerance to tighten first), and the share of gears that\n"
    "  cannot be put together or lose a cut-off. The same seed S (default 1) gives the\n"
    "  same answer on any number of cores. --csv prints point,revarm,outcome,item,value\n"
    "  rows, the histogram's bins and every share among them. Uses every core.\n";

void toleranceCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true});
    bool csv = false;
    std::optional<std::string> tol, tolFile, samples, seed, points, distribution, cutOffLimit, leadBand;
    line.flag("--csv", csv);
    line.value("--tol", tol);
    line.value("--tol-file", tolFile);
    line.value("--samples", samples);
    line.value("--seed", seed);
    line.value("--points", points);
    line.value("--distribution", distribution);
    line.value("--cutoff-limit", cutOffLimit);
    line.value("--lead-band", leadBand);
    line.parse(args);
    const CommonOptions common = shared.read();

    ToleranceOptions o;
    if (tol)
        o.tolerances = ToleranceTable::allAt(
            numberIn("--tol", *tol, 0, MaxTolerance, "a tolerance from 0 to " + fixed(MaxTolerance, 0)));
    if (samples) o.samples = wholeCount("--samples", *samples, 1, MaxToleranceSamples);
    if (seed) o.seed = static_cast<std::uint64_t>(wholeNumber("--seed", *seed, 0, static_cast<double>(MaxToleranceSeed)));
    if (points) o.points = workingPointsOption(*points);
    if (distribution) {
        if (*distribution == "uniform")
            o.distribution = ToleranceDistribution::Uniform;
        else if (*distribution == "normal")
            o.distribution = ToleranceDistribution::Normal;
        else
            throw UsageError{"--distribution takes uniform or normal, not '" + *distribution + "'"};
    }
    if (cutOffLimit)
        o.limits.cutOffDifference = numberIn("--cutoff-limit", *cutOffLimit, 0, 100, "a number of points from 0 to 100");
    if (leadBand) parseLeadBand(*leadBand, o.limits);
    if (tolFile) o.tolerances = readTableFile(*tolFile, o.tolerances);

    GearModel m;
    buildModel(m, common, err);
    const ToleranceResult r = runToleranceStudy(m, o);
    if (!r.complete) throw WorkError{"tolerance study: " + r.problem};
    if (csv)
        writeCsv(out, r);
    else
        writeText(out, m, r);
}

}  // namespace quarn::cli
