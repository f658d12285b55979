// The state changes of the main frame's text panel: the live cut-off read-out, which
// watches each steam port close from one frame to the next, and the pivot data rows.
#pragma once

#include <optional>
#include <string>

#include "gear_model.h"

namespace quarn {

// The cut-off texts hold at most this many characters, as the read-out always did.
constexpr std::size_t CutOffTextLength = 10;
// Above this step the read-out would flash by too fast to read, and at 0 nothing moves.
constexpr float CutOffMaxStepAngle = 23;

// What the frame draws of the cut-off this tick.
struct CutOffReadout {
    bool shown = false;                // "FrontCO% " and "RearCO% " are drawn
    std::optional<std::string> front;  // the front text, while its frames last
    std::optional<std::string> rear;
};

// Frames a cut-off stays on the frame after the port closed: about 400 degrees of
// driver turn, so 40 frames at the default step of 10.
int cutOffFrames(float stepAngle);

// The piston position (0..640) where the opening crossed zero between the previous
// frame and this one, by straight-line interpolation.
float closingPistonPos(float prevPiston, float prevOpening, float piston, float opening);

// One frame of the read-out while the screen data are on: a steam opening that fell
// from above 0 to below 0 sets its text and frame count; the read-out is counted down
// only while it is shown; then this frame's values become the previous ones.
CutOffReadout advanceCutOff(GearModel& m);

// The pivot number row k (1..6) shows, once the row is set and when the stored number
// names a pivot; nothing otherwise.
std::optional<int> pivotDataRowPivot(const GearModel& m, int k);

}  // namespace quarn

namespace quarn {

// The screen data switched off hide the text panel and every control on the frame, and
// take the features that live on it along: the dynamic-variable bars, the reference
// points, the undo line and the pivot data. Switched on again, those stay off.
void setScreenDataOn(GearModel& m, bool on);

// The pivot data switched on or off. Picking a pivot needs the reference points, so
// switching on answers whether the window must switch them on too.
bool togglePivotData(GearModel& m);

}  // namespace quarn
