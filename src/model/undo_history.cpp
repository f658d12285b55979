// The undo history and the recording of typed and scrolled changes.
#include "undo_history.h"

#include <algorithm>

#include "dimensions.h"
#include "dyn_vars.h"

namespace quarn {

void PushUndo(GearModel& m) {
    DynVarState& s = m.dyn;
    if (!s.TypedFlag) return;
    s.UndoEnabled = true;
    for (int i = UndoDepth - 1; i >= 0; --i) s.UndoHistory[i + 1] = s.UndoHistory[i];
    s.UndoCount = std::min(s.UndoCount + 1, UndoDepth);
}

namespace {

// After an undo every slot must show its dimension again. The value is copied as
// it stands: adding and taking away 1.0 through a single would shift small
// dimensions in their last bits, and the design would drift with every undo.
void resyncSlots(GearModel& m) {
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        DynVarEntry& slot = m.dyn.DynVarSlots[k];
        const DimensionDescriptor* d = findDimensionByCode(slot.DynVarCode);
        if (!d) continue;
        slot.DynVarValue = dimensionValue(m, *d);
        setDimensionValue(m, *d, slot.DynVarValue);
        clearCutOffTexts(m.screen);
    }
}

}  // namespace

void UndoLast(GearModel& m) {
    DynVarState& s = m.dyn;
    for (int i = 1; i <= UndoDepth; ++i) s.UndoHistory[i - 1] = s.UndoHistory[i];
    const UndoRecord& undone = s.UndoHistory[0];
    if (const DimensionDescriptor* d = findDimensionByCode(undone.DynVarCode))
        setDimensionValue(m, *d, undone.OldValue);
    resyncSlots(m);
    s.UndoHistory[UndoDepth] = UndoRecord{};
    if (s.UndoHistory[1].DynVarCode == 0) s.UndoEnabled = false;
    s.UndoCount = std::max(s.UndoCount - 1, 0);
}

void ClearUndo(GearModel& m) {
    m.dyn.UndoHistory.fill(UndoRecord{});
    m.dyn.UndoCount = 0;
    m.dyn.UndoEnabled = false;
}

void followNewDesign(GearModel& m) {
    ClearUndo(m);
    resyncSlots(m);
}

bool undoButtonClick(GearModel& m) {
    if (m.dyn.UndoHistory[1].DynVarCode > 0) {
        UndoLast(m);
        return true;
    }
    m.dyn.UndoEnabled = false;
    return false;
}

void takeFieldValue(GearModel& m, const DimensionDescriptor& d, float value) {
    if (d.dynVarCode == 0) {
        setDimensionValue(m, d, value);
        return;
    }
    DynVarState& s = m.dyn;
    UndoRecord& newest = s.UndoHistory[1];
    if (s.TypedFlag) {
        PushUndo(m);
        newest.DynVarCode = d.dynVarCode;
        newest.OldValue = dimensionValue(m, d);
    }
    setDimensionValue(m, d, value);
    selectDynVar(m, d.dynVarCode, value, d.label);
    if (s.TypedFlag) {
        newest.NewValue = value;
        newest.Name = shortName(d.label);
    }
    s.TypedFlag = 0;
}

void dynVarBarEndScroll(GearModel& m, int k) {
    // A bar without a dimension is disabled; were it ever to end a gesture, an empty
    // record on top would hide the older changes from the UnDo buttons.
    if (!dynVarSlotInUse(m, k) || !findDimensionByCode(m.dyn.DynVarSlots[k].DynVarCode)) return;
    DynVarState& s = m.dyn;
    s.UndoEnabled = true;
    s.TypedFlag = 1;
    PushUndo(m);
    const DynVarEntry& slot = s.DynVarSlots[k];
    s.UndoHistory[1] = {slot.DynVarCode, s.FocusValue, slot.DynVarValue, slot.DynVarName};
    s.TypedFlag = 0;
}

}  // namespace quarn
