#include "dimension_edits.h"

#include <algorithm>

#include "dyn_vars.h"
#include "mid_gear.h"
#include "undo_history.h"
#include "view_control.h"

namespace quarn {

void clampDiagramPositions(GearModel& m) {
    const double centre = m.RevArmCentre();
    const double travel = m.frame.RevArmToCentNormal;
    const float low = static_cast<float>(centre - travel);
    const float high = static_cast<float>(centre + travel);
    for (int i = 1; i < RevArmPositionSlots; ++i) {
        float& p = m.RevArmPositions[i];
        if (p == 0) continue;  // a position not in use
        // Raised to the lower bound first, then lowered to the upper one: with the two
        // crossed (a negative travel) the upper bound wins, as it always has.
        if (p < low) p = low;
        if (p > high) p = high;
    }
}

bool takeRevArmNormal(GearModel& m, float value) {
    FrameDims& f = m.frame;
    f.RevArmToCentNormal = value;
    if (!(f.RevArmToCentNormal > f.RevArmToCentMax)) return false;
    f.RevArmToCentNormal = f.RevArmToCentMax;
    clampDiagramPositions(m);
    return true;
}

bool takeRevArmMax(GearModel& m, float value) {
    FrameDims& f = m.frame;
    f.RevArmToCentMax = value;
    if (!(f.RevArmToCentMax < f.RevArmToCentNormal)) return false;
    f.RevArmToCentMax = f.RevArmToCentNormal;
    clampDiagramPositions(m);
    return true;
}

bool isRevArmLimit(const DimensionDescriptor& d) {
    return d.storage == DimStorage::FrameField && (d.frameMember == &FrameDims::RevArmToCentNormal ||
                                                   d.frameMember == &FrameDims::RevArmToCentMax);
}

const DimensionDescriptor* takeRevArmLimit(GearModel& m, const DimensionDescriptor& d, float value) {
    if (d.frameMember == &FrameDims::RevArmToCentNormal)
        return takeRevArmNormal(m, value) ? findDimensionByField("RevArmToCentMax") : nullptr;
    return takeRevArmMax(m, value) ? findDimensionByField("RevArmToCentNormal") : nullptr;
}

void resetDimensionGroup(GearModel& m, DimGroup group, bool clearHistory) {
    switch (group) {
        case DimGroup::Frame: ResetFrameGroup(m); break;
        case DimGroup::Assembly: ResetAssemblyGroup(m); break;
        case DimGroup::Cylinder: ResetCylinder(m); break;
    }
    ClearDynVars(m);
    // Re-applying the emptied slots changes nothing; it is kept so a slot that still
    // held a dimension would be brought back in step with it.
    m.dyn.DynVarStep = 0;
    for (int s = 1; s <= DynVarSlotCount; ++s) {
        m.dyn.DynVarSel = s;
        ApplyDynVar(m);
    }
    if (clearHistory) ClearUndo(m);
}

void closeDimensionDialog(GearModel& m) {
    CalcCentRevArm(m);
    clearCutOffTexts(m.screen);
}

void resetAllDimensions(GearModel& m) {
    resetDimensionGroup(m, DimGroup::Frame, true);
    resetDimensionGroup(m, DimGroup::Assembly, true);
    resetDimensionGroup(m, DimGroup::Cylinder, true);
    CalcCentRevArm(m);
    m.RevArmPosition = m.RevArmCentre();
    clearCutOffTexts(m.screen);
    returnToNormalView(m);
    m.DimSetName = "Nominal";
    m.diagrams.TravelScale = 1.5f;
    m.dyn.DynVarsShown = 0;
    ClearUndo(m);
    m.dyn.UndoShown = 0;
}

}  // namespace quarn
