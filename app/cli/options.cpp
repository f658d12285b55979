// Parsing of the shared options and building the model they describe.
#include "options.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>
#include <string_view>

#include "dims/dimension_file.h"
#include "model/dimension_edits.h"
#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/number_text.h"

namespace quarn::cli {
namespace {

const std::string& needValue(const std::vector<std::string>& args, std::size_t i) {
    if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
    return args[i + 1];
}

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

void parseOptions(const std::vector<std::string>& args, CommonOptions& common,
                  const OtherOption& other, Accepts accepts) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--set") {
            const std::string& assignment = needValue(args, i++);
            const auto eq = assignment.find('=');
            if (eq == std::string::npos)
                throw UsageError{"--set takes NAME=VALUE, not '" + assignment + "'"};
            const std::string name = assignment.substr(0, eq);
            if (!findDimensionByField(name)) throw UsageError{"unknown dimension '" + name + "'"};
            const auto value = parseNumber(assignment.substr(eq + 1));
            if (!value)
                throw UsageError{"the value of " + name +
                                 " must be a finite decimal number of at most 3.4e38, not '" +
                                 assignment.substr(eq + 1) + "'"};
            common.sets.emplace_back(name, static_cast<float>(*value));
        } else if (a == "--file") {
            common.file = needValue(args, i++);
        } else if (accepts.erieForm && a == "--erie") {
            common.erie = true;
        } else if (accepts.solverChoice && a == "--solver") {
            common.solver = parseSolver(needValue(args, i++));
        } else if (accepts.gearSetting && a == "--revarm") {
            const std::string& text = needValue(args, i++);
            const auto value = parseNumber(text);
            if (!value) throw UsageError{"--revarm takes a number, not '" + text + "'"};
            if (common.gear) throw UsageError{"--revarm and --gear exclude each other"};
            common.revArm = static_cast<float>(*value);
        } else if (accepts.gearSetting && a == "--gear") {
            if (common.revArm) throw UsageError{"--revarm and --gear exclude each other"};
            common.gear = parseGear(needValue(args, i++));
        } else {
            const std::string* next = i + 1 < args.size() ? &args[i + 1] : nullptr;
            const int taken = other ? other(a, next) : 0;
            if (taken <= 0) throw UsageError{"unknown option '" + a + "'"};
            i += static_cast<std::size_t>(taken - 1);
        }
    }
}

void loadDesign(GearModel& m, const std::string& path) {
    const FileResult r = loadDesignFile(m, path);
    if (!r.ok) throw WorkError{r.message};
}

void buildModel(GearModel& m, const CommonOptions& common, std::ostream& notes) {
    InitStartupState(m);
    if (common.file) loadDesign(m, *common.file);
    for (const auto& [name, value] : common.sets) {
        const DimensionDescriptor& d = *findDimensionByField(name);
        if (!isRevArmLimit(d)) {
            setDimensionValue(m, d, value);
            continue;
        }
        if (const DimensionDescriptor* other = takeRevArmLimit(m, d, value)) {
            const float taken = dimensionValue(m, d);
            notes << "quarngear-cli: " << name << " " << Str(value, 1, 3)
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
