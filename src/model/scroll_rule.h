// The spring-back rule shared by every relative scroll bar (pan, zoom, reference
// points, dynamic variables): each change becomes a step and the bar returns to 0.
#pragma once

namespace quarn {

// The two positions a relative bar remembers between changes.
struct SpringBackBar {
    int LastPosition = 0;   // the position seen at the last change
    int PriorPosition = 0;  // the position seen at the change before that
};

// What one unit of bar position is worth, and the bar's page (trough-click) step.
struct SpringBackScale {
    double divisor;
    int largeStep;
};

// Pan and zoom: an arrow click is 0.1, a page click 1.
inline constexpr SpringBackScale PanZoomBarScale{10.0, 10};
// Reference-point nudges: an arrow click is 0.001, a page click 0.025.
inline constexpr SpringBackScale RefPointBarScale{1000.0, 25};
// Dynamic variables: an arrow click is 0.001, a page click 0.010.
inline constexpr SpringBackScale DynVarBarScale{1000.0, 10};

// The step for the new position p. A drag moves by |p| / divisor in the direction
// the thumb went since the previous tracked position; an arrow or page step always
// moves the way p points.
double springBackStep(int p, const SpringBackBar& bar, SpringBackScale scale);

// One change of the bar: the step for p, then p becomes the last position. The
// caller applies the step and sets the bar back to 0, which comes back here with
// p = 0 (a step of 0) and shifts the remembered positions once more.
double springBackChange(SpringBackBar& bar, int p, SpringBackScale scale);

}  // namespace quarn
