// Texts of the dynamic-variable panel and the undo line.
#include "dyn_var_text.h"

#include "dyn_vars.h"
#include "number_text.h"

namespace quarn {

DynVarPanelText dynVarPanelText(const GearModel& m) {
    DynVarPanelText panel;
    if (!dynVarSlotInUse(m, 1)) {
        panel.banner = true;
        panel.rows[0] = {0, std::string(DynVarBannerStars), {}};
        panel.rows[1] = {10, std::string(DynVarBannerText), {}};
        panel.rows[2] = {24, std::string(DynVarBannerStars), {}};
        panel.rowCount = 3;
        return panel;
    }
    constexpr int RowHeight = 12;
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        const DynVarEntry& slot = m.dyn.DynVarSlots[k];
        panel.rows[k - 1] = {RowHeight * (k - 1), slot.DynVarName, Str(slot.DynVarValue, 6, 3)};
    }
    panel.rowCount = DynVarSlotCount;
    return panel;
}

std::string undoLineText(const GearModel& m) {
    const UndoRecord& r = m.dyn.UndoHistory[1];
    return Str(m.dyn.UndoCount, 2) + "- " + r.Name + " " + Str(r.NewValue, 6, 3) + " to " +
           Str(r.OldValue, 6, 3);
}

}  // namespace quarn
