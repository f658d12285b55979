// Where text stands on the main frame and in the diagrams: every position is given in
// the small-font layout and moved by two factors for the large-font one.
#pragma once

#include "rounding.h"

namespace quarn {

struct TextScale {
    // Stored as 4-byte reals like every real of the model; the product is formed in
    // double from the stored single, so 25 × 1.22f lands on 31 (30.5000007), as the
    // large-font layout was drawn.
    float TextScaleX = 1.0f;
    float TextScaleY = 1.0f;

    // Base position times the factor, to the nearest pixel (halves to even).
    int x(double base) const { return scaled(base * double(TextScaleX)); }
    int y(double base) const { return scaled(base * double(TextScaleY)); }

    static constexpr TextScale small() { return {1.0f, 1.0f}; }
    static constexpr TextScale large() { return {1.27f, 1.22f}; }
    bool isLarge() const { return TextScaleX != 1.0f || TextScaleY != 1.0f; }

private:
    // Text positions are a few thousand pixels at most; keep any stray value in range.
    static int scaled(double v) { return roundHalfEven(v, 1e6); }
};

}  // namespace quarn
