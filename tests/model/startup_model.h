// A gear model in the state the program starts in, for tests that begin there.
#pragma once

#include "model/diagram_positions.h"
#include "model/gear_model.h"
#include "model/solver.h"

namespace quarn {

inline GearModel startupModel() {
    GearModel m;
    InitStartupState(m);
    return m;
}

// The state a diagram window opens on: the position dialog has drawn its list once and
// the main window has solved the gear.
inline GearModel diagramOpenedModel() {
    GearModel m = startupModel();
    applyRevArmSetRule(m);
    SolveLinkage(m);
    SolvePistonAndPorts(m);
    return m;
}

}  // namespace quarn
