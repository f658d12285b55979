// Dynamic variables: the four most recently selected dimensions, bound to scroll
// bars that change them live while the gear turns.
#pragma once

#include <string>
#include <string_view>

#include "gear_model.h"

namespace quarn {

// Cut to the 25 characters a slot or undo name holds.
std::string shortName(std::string_view name);

// Enters entry 0 into the slots: a dimension already in a slot keeps its place and
// takes the new value; otherwise the slots move down one and the oldest drops out.
void RegisterDynVar(GearModel& m);
// Fills entry 0 with a dimension's code, value and name, then registers it.
void selectDynVar(GearModel& m, int code, float value, std::string_view name);
// Empties entry 0 and the four slots.
void ClearDynVars(GearModel& m);
// Adds DynVarStep to the dimension of slot DynVarSel (with its pivot copies) and
// leaves the slot's value equal to the dimension. Empty slots change nothing.
void ApplyDynVar(GearModel& m);

// True when slot k (1..4) shows a dimension; its bar is enabled exactly then.
bool dynVarSlotInUse(const GearModel& m, int k);

// Bar k (1..4) of the main window or of a diagram window moved to `position`:
// applies the spring-back step. The window then sets the bar back to 0, which
// calls this once more with position 0.
void dynVarBarChange(GearModel& m, int k, int position);
// Bar k took the focus: remember the slot's value as the old value of the gesture.
void dynVarBarEnter(GearModel& m, int k);

}  // namespace quarn
