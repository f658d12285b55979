// What the design windows' small plots (the cut-off plot, the tolerance histogram) draw
// alike: their labels and where a value falls along the horizontal axis.
#pragma once

#include <algorithm>

#include "canvas/canvas.h"
#include "model/rounding.h"

namespace quarn {

inline TextStyle plotLabelStyle(Color c = colors::Black) {
    TextStyle s;
    s.fontName = "Arial";
    s.pointSize = 8;
    s.color = c;
    return s;
}

// The pixel column of `value` on an axis from `low` at `left` to `high` at `right`; a
// value beyond the ends is drawn just past them rather than off the plot, and an empty
// range puts everything in the middle.
inline int plotX(int left, int right, double value, double low, double high) {
    const double span = high - low;
    const double t = span > 0 ? (value - low) / span : 0.5;
    return left + roundHalfEven(std::clamp(t, -0.05, 1.05) * (right - left));
}

}  // namespace quarn
