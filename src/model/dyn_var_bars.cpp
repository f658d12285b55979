// The switches of the dynamic-variable bars and of the undo line.
#include "dyn_var_bars.h"

namespace quarn {

bool toggleDynVarsShown(GearModel& m) {
    m.dyn.DynVarsShown = m.dyn.DynVarsShown ? 0 : 1;
    return m.dyn.DynVarsShown != 0;
}

bool toggleUndoShown(GearModel& m) {
    m.dyn.UndoShown = m.dyn.UndoShown ? 0 : 1;
    return m.dyn.UndoShown != 0;
}

void switchOffDynVarsAndUndo(GearModel& m) {
    m.dyn.DynVarsShown = 0;
    m.dyn.UndoShown = 0;
}

}  // namespace quarn
