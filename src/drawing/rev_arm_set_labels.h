// The texts drawn on the reverse-arm position dialog: the range line of the reverse arm
// across the top, "Vertical Scale", a "Rev Arm Position  n" label beside each position
// field on show, and "Max of 9 Positions". Drawn, not widgets, at places laid out for
// the small font and moved out with the large one.
#pragma once

#include <array>

#include "canvas/canvas.h"
#include "model/gear_model.h"

namespace quarn {

// positionLabel[n] (1..9): the label of position n is drawn; entry 0 unused.
void drawRevArmSetLabels(const GearModel& m, Canvas& canvas,
                         const std::array<bool, 10>& positionLabel);

// "Rev Arm Position  n", two blanks before the digit: the label of field n (1..9).
std::string revArmPositionLabel(int n);

}  // namespace quarn
