// The spring-back step rule of the relative scroll bars.
#include "scroll_rule.h"

#include <cstdlib>

namespace quarn {

double springBackStep(int p, const SpringBackBar& bar, SpringBackScale scale) {
    const double k = scale.divisor;
    const int b = bar.PriorPosition;
    double d = 0;
    // While dragging, the bar has sprung back to 0 between changes, so the prior
    // position is the previous tracked one: compare with it for the direction.
    if (p > 0 && p > b) d = p / k;
    if (p < 0 && p > b) d = -p / k;
    if (p < 0 && p < b) d = p / k;
    if (p > 0 && p < b) d = -p / k;
    // An arrow or page click leaves 0 by exactly one small or one large step.
    const int moved = std::abs(p - bar.LastPosition);
    if (moved == 1 || moved == scale.largeStep) d = p / k;
    return d;
}

double springBackChange(SpringBackBar& bar, int p, SpringBackScale scale) {
    const double d = springBackStep(p, bar, scale);
    bar.PriorPosition = bar.LastPosition;
    bar.LastPosition = p;
    return d;
}

}  // namespace quarn
