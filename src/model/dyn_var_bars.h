// The switches and the fixed settings of the dynamic-variable bars, the same for the
// main window's four bars and for the four bars of every diagram window.
#pragma once

#include "gear_model.h"
#include "scroll_rule.h"

namespace quarn {

// A bar reaches ±0.200 of its dimension per tracked position; an arrow is one
// position (0.001), a page DynVarBarScale.largeStep positions (0.010).
constexpr int DynVarBarMin = -200;
constexpr int DynVarBarMax = 200;
constexpr int DynVarBarSmallStep = 1;
constexpr int DynVarBarLargeStep = DynVarBarScale.largeStep;

// The dynamic-variable command: the four bars and the slot panel appear or go.
// Returns whether they are shown now.
bool toggleDynVarsShown(GearModel& m);
// The undo command: the UnDo button and the undo line appear or go.
bool toggleUndoShown(GearModel& m);
// Resetting every dimension, or turning the screen data off, hides both.
void switchOffDynVarsAndUndo(GearModel& m);

}  // namespace quarn
