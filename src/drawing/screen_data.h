// The text of the main frame while the screen data are on: the undo line, the bar
// captions and the value panel, then (after the error flash) the pivot data block, the
// pick prompts, the live cut-off, the reference points and the dynamic variables.
#pragma once

#include "canvas/canvas.h"
#include "model/gear_model.h"
#include "run_frame.h"

namespace quarn {

// Where the undo line and the UnDo button's top stand. Both coordinates scale with
// the horizontal text factor, as the button's top always has.
struct UndoLinePlace {
    int x = 0, y = 0, buttonTop = 0;
};
UndoLinePlace undoLinePlace(const GearModel& m);

// The undo line and the UnDo button's place, the pan and zoom captions, the value
// panel. The frame calls it only while the screen data are on. Without `windowNotes`
// the undo line and the captions are left out (a picture of the drawing alone); the
// button's place is still asked for, as the window shows it.
void drawScreenDataBeforeErrorFlash(const GearModel& m, Canvas& canvas,
                                    FrameRequests& requests, bool windowNotes = true);

// The pivot data block, the pick prompts, the live cut-off (which advances its
// read-out), the reference points and the dynamic-variable panel with its bars.
// Called right after the error flash, only while the screen data are on.
void drawScreenDataAfterErrorFlash(GearModel& m, Canvas& canvas, FrameRequests& requests);

}  // namespace quarn
