// Start-up state of the gear model and the three reset groups.
#include "gear_model.h"

#include "dimensions.h"
#include "mid_gear.h"

namespace quarn {

void LoadNominalSets(GearModel& m) {
    int f = 0;
    int a = 0;
    for (const auto& d : allDimensions()) {
        const auto value = static_cast<float>(d.nominal);
        switch (d.group) {
            case DimGroup::Frame: m.nominal.frameGroup[f++] = value; break;
            case DimGroup::Assembly: m.nominal.assemblyGroup[a++] = value; break;
            case DimGroup::Cylinder:
                if (d.storage == DimStorage::CylField)
                    m.nominal.cylinder.*d.cylMember = value;
                else
                    m.nominal.cylCLAboveDriverCtr = value;
                break;
        }
    }
    m.nominal.cylinder.CylSpare = 0;
}

namespace {

template <std::size_t N>
void resetGroup(GearModel& m, DimGroup group, const std::array<float, N>& values) {
    std::size_t i = 0;
    for (const auto& d : frameDimensions())
        if (d.group == group) setDimensionValue(m, d, values[i++]);
}

}  // namespace

void ResetFrameGroup(GearModel& m) { resetGroup(m, DimGroup::Frame, m.nominal.frameGroup); }

void ResetAssemblyGroup(GearModel& m) {
    resetGroup(m, DimGroup::Assembly, m.nominal.assemblyGroup);
}

void ResetCylinder(GearModel& m) {
    m.cyl = m.nominal.cylinder;
    m.PivotVert[3] = m.nominal.cylCLAboveDriverCtr;
    m.PivotVert[4] = m.cyl.ValveCLToCylCL + m.PivotVert[3];
}

void InitMotionState(GearModel& m) {
    m.DriverAngle = 0;
    m.StepAngle = 10;
    m.StepAngleSetting = 10;
    m.Direction = "Fwd";
    m.DimSetName = "Nominal";
    m.GeometryError = 0;
    m.ErrorBeepOn = 1;
    m.SteamDisplayOn = 0;
    m.ErieTriplexForm = 0;
    m.Running = 1;
    m.SolverTolerance = 0.0001f;
    for (int p : {0, 13, 19, 20}) {
        m.PivotHorz[p] = 0;
        m.PivotVert[p] = 0;
    }
    m.RevArmPositions.fill(0);
    m.PivotHorz[1] = 10.3f;
    m.RevArmPosition = 10.3f;
}

void initWindowState(GearModel& m) {
    m.view = ViewState{};
    m.screen = ScreenDataState{};
    m.steam = SteamState{};
    m.dimGraphic = DimensionGraphicState{};
    m.diagrams = DiagramPositions{};
    m.overlay = OverlayItems{};
}

void InitStartupState(GearModel& m) {
    InitMotionState(m);
    initWindowState(m);
    LoadNominalSets(m);
    ResetFrameGroup(m);
    ResetAssemblyGroup(m);
    ResetCylinder(m);
    CalcCentRevArm(m);
}

}  // namespace quarn
