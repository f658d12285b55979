// The gear itself on the frame: driver and counterweight, pins, cylinder and valve
// bore, piston and valve, the fixed-pivot crosses and the linkage, in that order.
#pragma once

#include "canvas/canvas.h"
#include "frame_mapping.h"
#include "model/gear_model.h"

namespace quarn {

// Draws with the pen width the frame set; leaves the pen black.
void drawGear(const GearModel& m, const OutlinePoints& outline, Canvas& canvas);

}  // namespace quarn
