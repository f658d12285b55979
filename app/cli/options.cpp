// The shared options: declared on a command's line, checked, and the model they describe.
#include "options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string_view>

#include "command_line.h"
#include "dims/dimension_file.h"
#include "model/dimension_edits.h"
#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/number_text.h"
#include "nearest_names.h"

namespace quarn::cli {
namespace {

GearSetting parseGear(const std::string& text) {
    if (text == "mid") return GearSetting::Mid;
    if (text == "fwd") return GearSetting::Fwd;
    if (text == "rev") return GearSetting::Rev;
    if (text == "min") return GearSetting::Min;
    if (text == "max") return GearSetting::Max;
    throw UsageError{"--gear takes mid, fwd, rev, min or max, not '" + text + "'"};
}

SolverKind parseSolver(const std::string& text) {
    if (text == "classic") return SolverKind::Classic;
    if (text == "precise") return SolverKind::Precise;
    throw UsageError{"--solver takes classic or precise, not '" + text + "'"};
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
    // Decimal only, as a designer writes a dimension: no hexadecimal, no inf or nan,
    // and nothing beyond what a float holds, since every number taken is a dimension,
    // a setting, an angle or a count that a larger one would only turn into infinity.
    std::string_view digits = text;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) ||
        std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return value;
}

std::string fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

double wholeNumber(const std::string& option, const std::string& text, double least, double most) {
    const auto v = parseNumber(text);
    if (!v || *v != std::floor(*v) || *v < least || *v > most)
        throw UsageError{option + " takes a whole number from " + fixed(least, 0) + " to " + fixed(most, 0) +
                         ", not '" + text + "'"};
    return *v;
}

std::vector<WorkingPoint> workingPointsOption(const std::string& text) {
    std::string problem;
    const auto points = parseWorkingPoints(text, &problem);
    if (!points) throw UsageError{"--points: " + problem};
    return *points;
}

std::vector<std::string> listItems(const std::string& text, const std::string& option,
                                   std::size_t most, const std::string& what) {
    const auto count = static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
    if (count > most)
        throw UsageError{option + " takes at most " + std::to_string(most) + " " + what + ", not " +
                         std::to_string(count)};
    return listItems(text);
}

std::vector<std::string> listItems(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

const DimensionDescriptor& dimensionNamed(const std::string& name) {
    for (const DimensionDescriptor& d : allDimensions())
        if (sameIgnoringCase(d.field, name)) return d;
    std::vector<std::string> fields;
    for (const DimensionDescriptor& d : allDimensions()) fields.emplace_back(d.field);
    throw UsageError{"unknown dimension '" + name + "'" + didYouMean(name, fields)};
}

SharedOptions::SharedOptions(CommandLine& line, Accepts accepts) {
    line.value("--file", file);
    line.values("--set", sets);
    if (accepts.erieForm) line.flag("--erie", erie);
    if (accepts.solverChoice) line.value("--solver", solver);
    if (accepts.gearSetting) {
        line.value("--revarm", revArm);
        line.value("--gear", gear);
    }
}

CommonOptions SharedOptions::read() const {
    CommonOptions common;
    common.file = file;
    common.erie = erie;
    for (const std::string& assignment : sets) {
        const auto eq = assignment.find('=');
        if (eq == std::string::npos) throw UsageError{"--set takes NAME=VALUE, not '" + assignment + "'"};
        const DimensionDescriptor& d = dimensionNamed(assignment.substr(0, eq));
        const std::string text = assignment.substr(eq + 1);
        const auto value = parseNumber(text);
        if (!value)
            throw UsageError{"the value of " + std::string(d.field) +
                             " must be a finite decimal number of at most 3.4e38, not '" + text + "'"};
        common.sets.emplace_back(&d, static_cast<float>(*value));
    }
    if (solver) common.solver = parseSolver(*solver);
    if (revArm && gear) throw UsageError{"--revarm and --gear exclude each other"};
    if (revArm) {
        const auto value = parseNumber(*revArm);
        if (!value) throw UsageError{"--revarm takes a number, not '" + *revArm + "'"};
        common.revArm = static_cast<float>(*value);
    }
    if (gear) common.gear = parseGear(*gear);
    return common;
}

void loadDesign(GearModel& m, const std::string& path) {
    const FileResult r = loadDesignFile(m, path);
    if (!r.ok) throw WorkError{r.message};
}

void buildModel(GearModel& m, const CommonOptions& common, std::ostream& notes) {
    InitStartupState(m);
    if (common.file) loadDesign(m, *common.file);
    for (const auto& [dimension, value] : common.sets) {
        const DimensionDescriptor& d = *dimension;
        if (!isRevArmLimit(d)) {
            setDimensionValue(m, d, value);
            continue;
        }
        if (const DimensionDescriptor* other = takeRevArmLimit(m, d, value)) {
            const float taken = dimensionValue(m, d);
            notes << "quarngear-cli: " << d.field << " " << Str(value, 1, 3)
                  << (value > taken ? " is beyond " : " is below ") << other->field << " "
                  << Str(taken, 1, 3) << ": taken as " << Str(taken, 1, 3) << "\n";
        }
    }
    CalcCentRevArm(m);
    if (common.erie) m.ErieTriplexForm = 1;
}

float chosenRevArm(const GearModel& m, const CommonOptions& common) {
    if (common.revArm) return *common.revArm;
    const RevArmRange r = revArmRange(m);
    switch (common.gear.value_or(GearSetting::Mid)) {
        case GearSetting::Mid: return r.centre;
        case GearSetting::Fwd: return r.fwd;
        case GearSetting::Rev: return r.rev;
        case GearSetting::Min: return r.min;
        case GearSetting::Max: return r.max;
    }
    return r.centre;
}

}  // namespace quarn::cli
