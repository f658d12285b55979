// How far each dimension moves the cut-offs and leads at normal forward and normal
// reverse: the dimensions a builder must hold to the closest tolerance.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "dimensions.h"
#include "event_report.h"
#include "gear_model.h"
#include "parallel_work.h"

namespace quarn {

// The solver finds the valve to steps that move a cut-off by about 0.06 % of stroke
// either way. A change of 0.001 moves the most sensitive cut-offs by little more than
// that, so its readings would rank the grain; 0.01 moves them ten times as far, and
// up and down then agree to within a tenth.
constexpr double DefaultSensitivityDelta = 0.01;
// The precise solver has no grain: a change of 0.001, read up and down and taken as a
// central difference, gives the slope at the design itself.
constexpr double DefaultPreciseSensitivityDelta = 0.001;
// The change a study makes unless told otherwise, by the solver it reads the gear with.
constexpr double defaultSensitivityDelta(SolverKind solver) {
    return solver == SolverKind::Precise ? DefaultPreciseSensitivityDelta : DefaultSensitivityDelta;
}
// Below this the classic solver's cut-off columns are mostly its grain; the study says so.
constexpr double SensitivityGrainDelta = 0.005;

// The eight numbers a study watches, in this order: at normal forward the front and rear
// cut-off (percent) and the front and rear lead, then the same at normal reverse.
constexpr int WatchedCount = 8;
using WatchedValues = std::array<std::optional<double>, WatchedCount>;
extern const char* const watchedNames[WatchedCount];  // "fwd cut-off front", ...

// The watched numbers of a design as the gear is set after a dimension dialog's Close:
// mid gear found afresh, normal forward and reverse either side of it. Empty entries
// for a cut-off that does not happen; `impossible`, and no values, when a sweep met
// impossible geometry.
// The largest steam openings are read alongside, apart from the watched numbers, for
// the equaliser's floor on them: front and rear at normal forward, then at reverse.
struct DesignReading {
    WatchedValues values;
    std::array<std::optional<double>, 4> maxOpenings;
    bool impossible = false;
};
DesignReading readDesign(const GearModel& m, SolverKind solver = SolverKind::Classic);

// True for the dimensions readDesign never reads: those that only shape the drawing
// (the driving wheel, the cylinder and valve bores, the piston) and the reverse arm's
// full travel. Changing one leaves the reading as it is, so a study need not sweep
// the gear for it.
bool readingIgnores(const DimensionDescriptor& d);

struct SensitivityRow {
    const DimensionDescriptor* dim = nullptr;
    float value = 0;                  // the dimension as it stands
    WatchedValues plus{}, minus{};    // changes of the watched numbers for +D and -D
    bool impossible = false;          // impossible geometry, or a cut-off lost, at +D or -D
    // The largest cut-off change (percent) and lead change: on the classic solver the
    // larger of up and down, on the precise one the central difference (up − down) / 2.
    double cutOffEffect = 0;
    double leadEffect = 0;
};

struct SensitivityResult {
    double delta = DefaultSensitivityDelta;
    SolverKind solver = SolverKind::Classic;
    DesignReading base;
    // Ranked rows first, largest cut-off effect first (then the lead effect, then the
    // dimension order); the marked ones after them in dimension order.
    std::vector<SensitivityRow> rows;
    bool complete = false;  // false: cancelled, or the design itself is impossible
};

// Changes each of the dimensions (all 47 unless a list is given) by +delta and by
// -delta on copies of the model and reads the design each time; the model is only read.
SensitivityResult runSensitivity(const GearModel& m, double delta, const WorkControl& control = {},
                                 std::span<const DimensionDescriptor* const> only = {},
                                 SolverKind solver = SolverKind::Classic);

}  // namespace quarn
