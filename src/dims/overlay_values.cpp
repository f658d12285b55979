// Bringing stored overlay numbers into the ranges their arrays allow.
#include "overlay_values.h"

#include <algorithm>
#include <cmath>

#include "model/gear_model.h"

namespace quarn {

// Rounding as everywhere in the program: to the nearest integer, halves to the even one.

int currentItemFromFile(float stored) {
    if (std::isnan(stored)) return 1;
    // Clamp before rounding so that no float, however large, overflows the int.
    const double kept = std::clamp(double(stored), 1.0, double(OverlayItemCount));
    return static_cast<int>(std::nearbyint(kept));
}

bool overlayPivotIndex(float stored, int& index) {
    if (!(stored >= -0.5f && stored <= float(PivotCount - 1) + 0.5f)) return false;
    index = static_cast<int>(std::nearbyint(stored));
    return true;
}

}  // namespace quarn
