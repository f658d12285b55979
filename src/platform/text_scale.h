// Where text stands on the main frame and in the diagrams: every position is given in
// the small-font layout and moved by two factors for the large-font one.
#pragma once

#include <algorithm>
#include <cmath>

namespace quarn {

struct TextScale {
    double TextScaleX = 1.0;
    double TextScaleY = 1.0;

    // Base position times the factor, to the nearest pixel (halves to even).
    int x(double base) const { return scaled(base * TextScaleX); }
    int y(double base) const { return scaled(base * TextScaleY); }

    static constexpr TextScale small() { return {1.0, 1.0}; }
    static constexpr TextScale large() { return {1.27, 1.22}; }
    bool isLarge() const { return TextScaleX != 1.0 || TextScaleY != 1.0; }

private:
    static int scaled(double v) {
        // Text positions are a few thousand pixels at most; keep any stray value in range.
        if (std::isnan(v)) return 0;
        return static_cast<int>(std::nearbyint(std::clamp(v, -1e6, 1e6)));
    }
};

}  // namespace quarn
