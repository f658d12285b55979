// The one rounding of the program: every real that becomes a whole number (a pixel, a
// scroll-bar position, an item number, a volume) goes through here.
#pragma once

namespace quarn {

// Nearest integer, halves to the even neighbour. Values beyond ±limit are brought to it
// first and NaN becomes 0, so that no strange dimension can make the conversion
// undefined or overflow later arithmetic.
int roundHalfEven(double v, double limit = 1e9);

}  // namespace quarn
