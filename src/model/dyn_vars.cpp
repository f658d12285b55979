// The dynamic-variable slots and the live change of a dimension.
#include "dyn_vars.h"

#include "dimensions.h"

namespace quarn {
namespace {

bool validSlot(int k) { return k >= 1 && k <= DynVarSlotCount; }

}  // namespace

std::string shortName(std::string_view name) {
    return std::string(name.substr(0, ShortNameLength));
}

void RegisterDynVar(GearModel& m) {
    auto& slots = m.dyn.DynVarSlots;
    const DynVarEntry& incoming = slots[0];
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        if (slots[k].DynVarCode == incoming.DynVarCode) {
            slots[k].DynVarValue = incoming.DynVarValue;
            slots[k].DynVarName = incoming.DynVarName;
            return;
        }
    }
    for (int k = DynVarSlotCount; k > 1; --k) slots[k] = slots[k - 1];
    slots[1] = incoming;
}

void selectDynVar(GearModel& m, int code, float value, std::string_view name) {
    m.dyn.DynVarSlots[0] = {code, value, shortName(name)};
    RegisterDynVar(m);
}

void ClearDynVars(GearModel& m) {
    for (auto& entry : m.dyn.DynVarSlots) entry = DynVarEntry{};
}

void ApplyDynVar(GearModel& m) {
    const int s = m.dyn.DynVarSel;
    if (!validSlot(s)) return;
    DynVarEntry& slot = m.dyn.DynVarSlots[s];
    const DimensionDescriptor* d = findDimensionByCode(slot.DynVarCode);
    if (!d) return;
    slot.DynVarValue =
        static_cast<float>(double(dimensionValue(m, *d)) + double(m.dyn.DynVarStep));
    clearCutOffTexts(m.screen);  // a cut-off shown belongs to the old geometry
    setDimensionValue(m, *d, slot.DynVarValue);
}

bool dynVarSlotInUse(const GearModel& m, int k) {
    return validSlot(k) && m.dyn.DynVarSlots[k].DynVarName != EmptySlotName;
}

void dynVarBarChange(GearModel& m, int k, int position) {
    if (!validSlot(k)) return;
    const double step = springBackChange(m.dyn.bars[k], position, DynVarBarScale);
    m.dyn.DynVarStep = static_cast<float>(step);
    m.dyn.DynVarSel = k;
    ApplyDynVar(m);
}

void dynVarBarEnter(GearModel& m, int k) {
    if (validSlot(k)) m.dyn.FocusValue = m.dyn.DynVarSlots[k].DynVarValue;
}

}  // namespace quarn
