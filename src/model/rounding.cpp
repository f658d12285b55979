// Nearest-integer rounding with halves to even, independent of the rounding mode.
#include "rounding.h"

#include <algorithm>
#include <cmath>

namespace quarn {

int roundHalfEven(double v, double limit) {
    if (std::isnan(v)) return 0;
    v = std::clamp(v, -limit, limit);
    // Written out rather than left to the floating-point rounding mode, which any
    // library may have changed.
    const double below = std::floor(v);
    auto n = static_cast<long long>(below);
    const double fraction = v - below;
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0)) ++n;
    return static_cast<int>(n);
}

}  // namespace quarn
