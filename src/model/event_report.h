// The valve-events summary an engineer pastes into a design note: leads, and the
// cut-off, release and compression points of both cylinder ends, from a fine sweep.
#pragma once

#include <optional>

#include "gear_model.h"

namespace quarn {

// Sweep resolution of the summary, in degrees of driver angle.
constexpr double EventSweepStep = 0.1;

struct CylinderEndEvents {
    float lead = 0;  // steam opening at this end's dead centre
    // In percent of this end's stroke; empty when the event never happens in a turn.
    // Cut-off and release count from the start of the working stroke, compression
    // from the start of the exhaust stroke.
    std::optional<double> cutOff, release, compression;
};

struct GearSettingEvents {
    float revArm = 0;
    CylinderEndEvents front, rear;
    bool geometryError = false;  // impossible geometry (or no numbers) anywhere in the sweep
};

// Sweeps one whole turn at the given reverse-arm setting, in the direction the engine
// runs in that gear (backwards below mid gear). Leaves DriverAngle, RevArmPosition and
// GeometryError as they were; the pivots hold the last solve of the sweep.
GearSettingEvents sweepEvents(GearModel& m, float revArm);

}  // namespace quarn
