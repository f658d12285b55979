// A gear model in the state the program starts in, for tests that begin there.
#pragma once

#include "model/gear_model.h"

namespace quarn {

inline GearModel startupModel() {
    GearModel m;
    InitStartupState(m);
    return m;
}

}  // namespace quarn
