// Bringing stored overlay numbers into the ranges their arrays allow.
#include "overlay_values.h"

#include <algorithm>
#include <cmath>

#include "model/gear_model.h"
#include "model/rounding.h"

namespace quarn {

int currentItemFromFile(float stored) {
    if (std::isnan(stored)) return 1;
    // Clamp before rounding so that no float, however large, overflows the int.
    const double kept = std::clamp(double(stored), 1.0, double(OverlayItemCount));
    return roundHalfEven(kept);
}

}  // namespace quarn
