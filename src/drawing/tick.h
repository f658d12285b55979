// One tick of the main window's loop, the same for the window, the command line and the
// benchmarks: solve and map at the angle as it stands, advance the driver, draw.
#pragma once

#include "canvas/canvas.h"
#include "model/gear_model.h"
#include "random.h"
#include "run_frame.h"

namespace quarn {

// solveAndMapFrame, advanceDriverAngle, then RunFrame on the canvas: the frame shows
// the gear as solved before the advance and the read-outs of the advanced angle, and
// every feature's state (steam levels and beats, the error flash, the live cut-off,
// the dimension graphic) moves on by one frame.
FrameRequests runTick(GearModel& m, Canvas& canvas, Random& random,
                      const FrameOptions& options = {});

}  // namespace quarn
