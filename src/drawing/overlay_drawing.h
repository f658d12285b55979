// The user's lines and circles over the linkage, drawn every frame after the gear.
#pragma once

#include "canvas/canvas.h"
#include "model/gear_model.h"

namespace quarn {

// The pen an item sets: its colour while it is a line or a circle with a colour the pen
// can take; black otherwise (an empty item holds the colour -1).
Color overlayPenColor(const GearModel& m, int item);

// Items 1..20 in order, each setting the pen to its colour first, so the pen is left with
// item 20's colour for the reference-point crosses. The pen width is the linkage's.
void drawOverlay(const GearModel& m, Canvas& canvas);

}  // namespace quarn
