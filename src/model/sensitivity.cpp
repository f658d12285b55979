// The sensitivity study: two readings per dimension, shared out over the cores.
#include "sensitivity.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "event_report.h"
#include "mid_gear.h"

namespace quarn {

const char* const watchedNames[WatchedCount] = {
    "fwd cut-off front", "fwd cut-off rear", "fwd lead front", "fwd lead rear",
    "rev cut-off front", "rev cut-off rear", "rev lead front", "rev lead rear"};

namespace {

bool isCutOff(int i) { return i % 4 < 2; }

void putEvents(WatchedValues& v, int at, const GearSettingEvents& e) {
    v[at] = e.front.cutOff;
    v[at + 1] = e.rear.cutOff;
    v[at + 2] = e.front.lead;
    v[at + 3] = e.rear.lead;
}

}  // namespace

bool readingIgnores(const DimensionDescriptor& d) {
    static constexpr std::string_view ignored[] = {
        "DriverDia",   "RevArmToCentMax",      "CylinderBoreDia", "CylinderBoreLength",
        "CylSteamPortWidth", "PistonCtrToCrosshead", "PistonWidth", "ValveBoreDia",
        "ValveBoreLength"};
    return std::find(std::begin(ignored), std::end(ignored), d.field) != std::end(ignored);
}

DesignReading readDesign(const GearModel& m, SolverKind solver) {
    GearModel copy = m;
    CalcCentRevArm(copy);
    const RevArmRange r = revArmRange(copy);
    // An impossible gear is thrown away whole: its sweeps end at the first error.
    DesignReading out;
    const GearSettingEvents fwd = settingEvents(copy, r.fwd, solver, true);
    out.impossible = fwd.geometryError;
    if (out.impossible) return out;
    const GearSettingEvents rev = settingEvents(copy, r.rev, solver, true);
    out.impossible = rev.geometryError;
    if (out.impossible) return out;
    putEvents(out.values, 0, fwd);
    putEvents(out.values, 4, rev);
    out.maxOpenings = {fwd.front.maxOpening, fwd.rear.maxOpening, rev.front.maxOpening, rev.rear.maxOpening};
    return out;
}

SensitivityResult runSensitivity(const GearModel& m, double delta, const WorkControl& control,
                                 std::span<const DimensionDescriptor* const> only, SolverKind solver) {
    SensitivityResult out;
    out.delta = delta;
    out.solver = solver;
    std::vector<const DimensionDescriptor*> dims(only.begin(), only.end());
    if (dims.empty())
        for (const auto& d : allDimensions()) dims.push_back(&d);
    const int n = static_cast<int>(dims.size());
    // Job 0 reads the design as it stands; the others read it with one dimension moved
    // up or down. A dimension the reading ignores gets the design's own reading.
    std::vector<int> swept;
    for (int k = 0; k < n; ++k)
        if (!readingIgnores(*dims[k])) swept.push_back(k);
    std::vector<DesignReading> readings(2 * n + 1);
    const int jobs = 1 + 2 * static_cast<int>(swept.size());
    const bool finished = runParallel(jobs, control, [&](int job) {
        if (job == 0) {
            readings[0] = readDesign(m, solver);
            return;
        }
        const int k = swept[(job - 1) / 2];
        const bool up = (job - 1) % 2 == 0;
        const DimensionDescriptor& d = *dims[k];
        GearModel copy = m;
        setDimensionValue(copy, d,
                          static_cast<float>(double(dimensionValue(m, d)) + (up ? delta : -delta)));
        readings[up ? 1 + 2 * k : 2 + 2 * k] = readDesign(copy, solver);
    });
    for (int k = 0; k < n; ++k)
        if (readingIgnores(*dims[k])) readings[1 + 2 * k] = readings[2 + 2 * k] = readings[0];
    out.base = readings[0];

    std::vector<SensitivityRow> ranked, marked;
    for (int k = 0; k < n; ++k) {
        SensitivityRow row;
        row.dim = dims[k];
        row.value = dimensionValue(m, *dims[k]);
        const DesignReading &plus = readings[1 + 2 * k], &minus = readings[2 + 2 * k];
        row.impossible = plus.impossible || minus.impossible;
        for (int i = 0; i < WatchedCount; ++i) {
            const auto& b = out.base.values[i];
            // An impossible gear's numbers mean nothing: its changes stay empty.
            if (b && plus.values[i] && !plus.impossible) row.plus[i] = *plus.values[i] - *b;
            if (b && minus.values[i] && !minus.impossible) row.minus[i] = *minus.values[i] - *b;
            // A cut-off that the design has and the changed one lost is no small change.
            if (b && (!plus.values[i] || !minus.values[i])) row.impossible = true;
            double& effect = isCutOff(i) ? row.cutOffEffect : row.leadEffect;
            if (solver == SolverKind::Precise) {
                if (row.plus[i] && row.minus[i] && std::isfinite(*row.plus[i] - *row.minus[i]))
                    effect = std::max(effect, std::abs(*row.plus[i] - *row.minus[i]) / 2);
                continue;
            }
            for (const auto& c : {row.plus[i], row.minus[i]})
                if (c && std::isfinite(*c)) effect = std::max(effect, std::abs(*c));
        }
        (row.impossible ? marked : ranked).push_back(row);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const SensitivityRow& a, const SensitivityRow& b) {
        if (a.cutOffEffect != b.cutOffEffect) return a.cutOffEffect > b.cutOffEffect;
        return a.leadEffect > b.leadEffect;
    });
    out.rows = std::move(ranked);
    out.rows.insert(out.rows.end(), marked.begin(), marked.end());
    out.complete = finished && !out.base.impossible;
    return out;
}

}  // namespace quarn
