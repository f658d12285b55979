// What the frame and cylinder dialogs and the reset-all menu item do to the design,
// apart from their fields and buttons: the two reverse-arm limits that hold each other
// in check, the group resets, closing a dialog and resetting everything.
#pragma once

#include "dimensions.h"
#include "gear_model.h"

namespace quarn {

// The normal reverse-arm travel (field 29) was left with `value`. It never exceeds the
// maximum: when it would, it is pulled down to it and the diagram positions in use are
// brought inside the new travel either side of mid gear. True when it was pulled.
bool takeRevArmNormal(GearModel& m, float value);
// The maximum travel (field 30) was left with `value`. It never falls below the
// normal travel: when it would, it is pulled up to it, and the diagram positions are
// brought inside as above. The window then spans its reverse-arm bar over the maximum.
// True when it was pulled.
bool takeRevArmMax(GearModel& m, float value);
// Whether `d` is one of those two limits, which every edit takes by takeRevArmLimit.
bool isRevArmLimit(const DimensionDescriptor& d);
// Either limit left with `value`, by the rule above. Returns the other limit when the
// value was pulled to it, else nullptr.
const DimensionDescriptor* takeRevArmLimit(GearModel& m, const DimensionDescriptor& d, float value);
// Brings every diagram reverse-arm position that is in use (not 0) inside mid gear
// plus or minus the normal travel.
void clampDiagramPositions(GearModel& m);

// A reset button of a dimension dialog: the group's nominal values, no dynamic
// variables left, and with `clearHistory` (the click, not the press) no undo steps.
void resetDimensionGroup(GearModel& m, DimGroup group, bool clearHistory);

// "Close" of a dimension dialog: the gear back to mid gear with the new dimensions and
// the live cut-off read-outs emptied. The window puts its reverse-arm bar at 0.
void closeDimensionDialog(GearModel& m);

// The reset-all menu item, in its order: the three group resets, mid gear, the reverse
// arm at mid gear, the normal view, the set name "Nominal", the travel scale of the
// diagrams, and the dynamic variables and undo switched off with an empty history.
// The window then brings its bars and panels into line.
void resetAllDimensions(GearModel& m);

}  // namespace quarn
