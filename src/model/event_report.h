// The valve events of one reverse-arm setting, the one definition that the report, the
// events table, the sensitivity study and the equaliser all read: leads, maximum
// openings, and the cut-off, release, compression and pre-admission of both ends.
#pragma once

#include <optional>
#include <vector>

#include "gear_model.h"
#include "parallel_work.h"

namespace quarn {

// Sweep resolution, in degrees of driver angle, and the steps of one revolution.
constexpr double EventSweepStep = 0.1;
constexpr int EventSweepSteps = 3600;

struct CylinderEndEvents {
    float lead = 0;        // steam opening at this end's dead centre
    float maxOpening = 0;  // the largest steam opening of the revolution
    // Empty when the event does not happen. Cut-off and release are in percent of this
    // end's working stroke (from its own dead centre), compression and pre-admission in
    // percent of its return stroke (from the other dead centre).
    std::optional<double> cutOff, release, compression, preAdmission;
};

struct GearSettingEvents {
    float revArm = 0;
    bool backwards = false;  // the driver runs backwards (below mid gear)
    CylinderEndEvents front, rear;
    bool geometryError = false;  // impossible geometry (or no numbers) at some step
};

// Which solver a design study reads the gear with: the classic one, as the animation,
// the diagrams and the pivot table do, or the precise one, the design tools' own.
enum class SolverKind { Classic, Precise };
// "classic" or "precise", as a report names the solver it read.
const char* solverName(SolverKind solver);

// Sweeps one revolution from driver angle 0 in steps of EventSweepStep, in the direction
// the engine runs at that setting (backwards below mid gear), and reads the events of
// each end from its dead centre round to it again. The solver reports impossible
// geometry during the sweep whatever the error-beep switch says. Leaves DriverAngle,
// RevArmPosition, GeometryError and ErrorBeepOn as they were; the pivots hold the last
// solve of the sweep.
// With `stopAtError` a study that throws an impossible gear away anyway ends the sweep at
// the first step that meets impossible geometry: the events are then left empty.
GearSettingEvents sweepEvents(GearModel& m, float revArm, bool stopAtError = false);

// The events of one setting on the precise solver: found on the same sweep, then each
// crossing narrowed to EventAngleTolerance with the piston where the driver then
// stands; the lead is the opening at exactly the dead centre and the largest opening is
// narrowed about the sweep's largest. A setting where the gear cannot be put together at
// some angle has no events and is marked impossible. The model is only read.
constexpr double EventAngleTolerance = 1e-9;  // degrees of driver angle
GearSettingEvents preciseEvents(const GearModel& m, double revArm);

// The events of one setting by the solver chosen (the classic sweep on a copy).
GearSettingEvents settingEvents(const GearModel& m, double revArm, SolverKind solver,
                                bool stopAtError = false);

// The reverse-arm settings of an events table: `steps` equal steps from mid gear to full
// gear reverse and as many to full gear forward, from full reverse upwards (2 × steps + 1
// settings; mid gear alone for 0 steps).
std::vector<float> eventTableSettings(const GearModel& m, int steps);

// The events of every setting, shared out over the cores, each sweep on its own copy of
// the gear. Settings not reached before a cancel are left default (revArm 0); the model
// is only read.
std::vector<GearSettingEvents> sweepEventsRange(const GearModel& m, const std::vector<float>& settings,
                                                const WorkControl& control = {},
                                                SolverKind solver = SolverKind::Classic);

}  // namespace quarn
