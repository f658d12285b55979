// The tolerance study: how precisely each part must be made. Every dimension drawn at
// random within its manufacturing tolerance, many times over, and the cut-off
// difference and leads of each drawn gear read at the settings the engine runs at.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dimensions.h"
#include "gear_model.h"
#include "parallel_work.h"
#include "point_events.h"
#include "working_points.h"

namespace quarn {

// A good workshop holds a machined length to about two thousandths either way.
constexpr double DefaultTolerance = 0.002;
constexpr int DefaultToleranceSamples = 2000;
// More draws than this tell nothing the percentiles do not already show, and take long.
constexpr int MaxToleranceSamples = 200000;
constexpr std::uint64_t DefaultToleranceSeed = 1;
// No machined part is made to a whole unit either way; a larger figure is a slip (2 typed
// for 0.002), and every gear drawn would fail.
constexpr double MaxTolerance = 1.0;
// Seeds are whole numbers a double holds exactly, so a seed the window took is one the
// command line takes too, and the same study can be run again from either.
constexpr std::uint64_t MaxToleranceSeed = (std::uint64_t{1} << 53) - 1;
constexpr int DefaultHistogramBins = 24;

// Uniform: every size within the tolerance equally likely (a batch made to the limits).
// Normal: a bell with the tolerance at three standard deviations, draws beyond it made
// again (the inspector rejects those parts), so the parts still lie within tolerance.
enum class ToleranceDistribution { Uniform, Normal };
const char* distributionName(ToleranceDistribution d);  // "uniform", "normal"

// The tolerance (±, in length units) of each dimension, in the order of allDimensions().
struct ToleranceTable {
    std::vector<double> tolerance;
    static ToleranceTable allAt(double t);
    double of(const DimensionDescriptor& d) const;
    void set(const DimensionDescriptor& d, double t);
    friend bool operator==(const ToleranceTable&, const ToleranceTable&) = default;
};

// The table as the CSV kept beside a design: a header "name,tolerance", then one
// dimension a line by its field name.
std::string toleranceCsvText(const ToleranceTable& t);
// Reads such a text onto `start`: the dimensions it names take its figures, the others
// keep theirs. Blank lines and the header are passed over. Empty, and a sentence naming
// the line in `problem`, when a line does not read.
std::optional<ToleranceTable> readToleranceCsv(std::string_view text, const ToleranceTable& start,
                                               std::string* problem);

// What the user counts as a bad gear: a front–rear cut-off difference beyond
// ±cutOffDifference percentage points, a lead outside leadLow to leadHigh.
struct ToleranceLimits {
    double cutOffDifference = 1.0;
    double leadLow = 0, leadHigh = 0.05;
};

struct ToleranceOptions {
    ToleranceTable tolerances = ToleranceTable::allAt(DefaultTolerance);
    int samples = DefaultToleranceSamples;
    std::uint64_t seed = DefaultToleranceSeed;
    ToleranceDistribution distribution = ToleranceDistribution::Uniform;
    std::vector<WorkingPoint> points = defaultWorkingPoints();
    ToleranceLimits limits;
    int bins = DefaultHistogramBins;
};

// What is read at each point: front minus rear cut-off (percentage points), the leads.
enum class ToleranceOutcome { CutOffDifference, LeadFront, LeadRear };
constexpr int ToleranceOutcomeCount = 3;
const char* toleranceOutcomeName(ToleranceOutcome o);  // "cut-off difference", ...
const char* toleranceOutcomeKey(ToleranceOutcome o);   // "cutoff_diff", "lead_front", ...

struct DimensionShare {
    const DimensionDescriptor* dim = nullptr;
    double share = 0;  // of the spread the straight-line fit explains, 0..1
};

struct OutcomeStats {
    std::optional<double> nominal;  // the design as drawn
    int count = 0;                  // samples with a value
    double mean = 0, sd = 0, p5 = 0, p95 = 0;
    double outside = 0;  // share of those samples beyond the user's limit
    double histLow = 0, histHigh = 0;
    std::vector<int> histogram;  // equal bins from histLow to histHigh
    std::vector<DimensionShare> shares;  // largest first
    double explained = 0;  // share of the variance the straight-line fit explains (R²)
};

struct TolerancePointResult {
    ResolvedPoint point;
    std::array<OutcomeStats, ToleranceOutcomeCount> outcomes;
    int failures = 0;  // samples that cannot be assembled here, or lose a cut-off
};

struct ToleranceResult {
    int samples = 0;
    std::uint64_t seed = 0;
    ToleranceDistribution distribution = ToleranceDistribution::Uniform;
    ToleranceLimits limits;
    std::vector<const DimensionDescriptor*> sampled;  // the dimensions drawn, in table order
    std::vector<TolerancePointResult> points;
    int failures = 0;  // samples that fail at one point or more
    bool complete = false;  // false: cancelled, or nothing could be studied (see problem)
    std::string problem;
};

// Draws the samples on copies of the gear, each on its own seed (so the answer is the
// same on any number of cores), and reads them at the points' reverse-arm settings as
// the design as it stands has them. Only dimensions the reading depends on and with a
// tolerance above 0 are drawn. The model is only read.
ToleranceResult runToleranceStudy(const GearModel& m, const ToleranceOptions& o, const WorkControl& control = {});

// What a drawn gear is read for at each point: its leads and cut-offs, found near where
// the design as drawn has them. Between the events the gear is put together every 10
// degrees as well: a drawn gear that jams somewhere in the revolution is a failure even
// when it closes at its events. Ten degrees is finer than any of the linkage's dead
// spots of a gear within tolerance of one that runs, and costs a third of the sample's
// solves.
constexpr EventsWanted ToleranceSampleEvents{.openings = false, .assemblyStep = 10.0};

}  // namespace quarn
