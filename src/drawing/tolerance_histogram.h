// The histogram of the tolerance study: how one outcome at one working point spreads
// over the drawn gears, with the user's limits, the design as drawn and the 5 % and
// 95 % points marked, so the builder sees how much of the batch falls outside.
#pragma once

#include <optional>
#include <string>

#include "canvas/canvas.h"
#include "model/tolerance.h"

namespace quarn {

// Where the histogram puts things, for tests and for reading a bar back.
struct HistogramArea {
    int left, top, right, bottom;  // the axes' box in pixels
    double low, high;              // the values at left and right
    int xOf(double value) const;
    // The top of a bar of `count` samples when the tallest holds `most`.
    int yOf(int count, int most) const;
};
HistogramArea toleranceHistogramArea(int width, int height, const OutcomeStats& s);

// The band beyond which a gear counts as outside: for the cut-off difference
// -limit to +limit, for a lead the lead band.
struct HistogramLimits {
    double low, high;
};

// Clears the canvas white and draws the bars (grey, outlined black), the limits in
// red where they fall inside the range shown, the design as drawn in green, the 5 %
// and 95 % points in blue, and the title, the range and the share outside as text.
void drawToleranceHistogram(Canvas& c, const OutcomeStats& s, const std::string& title,
                            const std::optional<HistogramLimits>& limits);

}  // namespace quarn
