// The undo history of dimension changes: the last 20 typed changes and finished
// scroll gestures, taken back one step at a time by the UnDo buttons.
#pragma once

#include "gear_model.h"

namespace quarn {

struct DimensionDescriptor;

// Makes room for a new record 1, when a key was typed (TypedFlag); the oldest of
// 20 records drops out. Enables the UnDo buttons.
void PushUndo(GearModel& m);
// Takes back record 1: its old value returns to its dimension (with the pivot
// copies) and the four slots are brought back in step with their dimensions.
// Disables the UnDo buttons when nothing is left.
void UndoLast(GearModel& m);
// Empties every record and disables the UnDo buttons.
void ClearUndo(GearModel& m);
// A whole design came in (opened or imported): the old design's history must not reach
// into it, so it is emptied; the slots keep their dimensions, a choice and not values,
// and show the new design's values.
void followNewDesign(GearModel& m);

// A click on any of the five UnDo buttons: undoes record 1 if it holds a change,
// otherwise disables the buttons. Returns true when something was undone, so a
// diagram window knows to redraw.
bool undoButtonClick(GearModel& m);

// A dimension field is left with the number its text converts to. The value is
// stored (with its pivot copies) and the dimension becomes the newest dynamic
// variable; when a key was typed in the field the change is recorded for undo.
// The two reverse-arm limits, which have no code, are only stored: the dialog
// applies their clamps.
void takeFieldValue(GearModel& m, const DimensionDescriptor& d, float value);

// The end of a scroll gesture on dynamic-variable bar k (1..4): records the change
// from the value at focus time to the slot's value now. The window then moves the
// focus off the bar so the next gesture captures its own starting value.
void dynVarBarEndScroll(GearModel& m, int k);

}  // namespace quarn
