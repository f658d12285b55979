// Draws a recorded picture again on another canvas: a window that keeps the steps of
// its picture can paint them at any size without running the drawing (and its solves)
// a second time.
#pragma once

#include <vector>

#include "canvas.h"
#include "recording_canvas.h"

namespace quarn {

// Replays the items in order. A line that starts where the one before ended continues
// the pen's path, so that a canvas joining such runs into one polyline still can.
void playBack(const std::vector<DrawnItem>& items, Canvas& canvas);

}  // namespace quarn
