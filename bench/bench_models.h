// The gear the benchmarks start from: the model as the program starts.
#pragma once

#include "model/gear_model.h"

namespace quarn {

inline GearModel nominal() {
    GearModel m;
    InitStartupState(m);
    return m;
}

}  // namespace quarn
