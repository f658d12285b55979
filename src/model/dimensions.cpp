// The dimension table and the stores that keep pivot copies in step.
#include "dimensions.h"

#include <array>

namespace quarn {
namespace {

using F = FrameDims;
using C = CylDims;

constexpr DimensionDescriptor frameField(int row, std::string_view label, std::string_view field,
                                         DimGroup g, int code, double nominal, float F::*member) {
    return {row, label, field, g, code, nominal, DimStorage::FrameField, member, nullptr, -1, -1};
}
constexpr DimensionDescriptor cylField(int row, std::string_view label, std::string_view field,
                                       double nominal, float C::*member) {
    return {row, label, field, DimGroup::Cylinder, 100 + row, nominal, DimStorage::CylField,
            nullptr, member, -1, -1};
}
constexpr DimensionDescriptor pivotSlot(int row, std::string_view label, std::string_view field,
                                        DimGroup g, int code, double nominal, DimStorage s,
                                        int pivot, int mirror) {
    return {row, label, field, g, code, nominal, s, nullptr, nullptr, pivot, mirror};
}

constexpr DimGroup Fr = DimGroup::Frame;
constexpr DimGroup As = DimGroup::Assembly;
constexpr DimStorage PH = DimStorage::PivotHorz;
constexpr DimStorage PV = DimStorage::PivotVert;

constexpr std::array<DimensionDescriptor, 47> table{{
    frameField(1, "Driver Dia", "DriverDia", Fr, 1, 9.0, &F::DriverDia),
    frameField(2, "Stroke", "Stroke", Fr, 2, 4.25, &F::Stroke),
    frameField(3, "Main Rod Length", "MainRodLength", Fr, 3, 16.5, &F::MainRodLength),
    frameField(4, "Drop Link to CrossH Vert", "DropLinkToCrossHVert", Fr, 4, 0.0,
               &F::DropLinkToCrossHVert),
    frameField(5, "Drop Link to CrossH BkS", "DropLinkToCrossHBkS", Fr, 5, 0.0,
               &F::DropLinkToCrossHBkS),
    frameField(6, "Union Link Length", "UnionLinkLength", Fr, 6, 3.656, &F::UnionLinkLength),
    frameField(7, "Combo Lever Upper", "ComboLeverUpper", Fr, 7, 0.492, &F::ComboLeverUpper),
    frameField(8, "Combo Lever For Set", "ComboLeverForSet", Fr, 8, 0.047, &F::ComboLeverForSet),
    frameField(9, "Combo Lever Lower", "ComboLeverLower", Fr, 9, 3.828, &F::ComboLeverLower),
    frameField(10, "Valve Rod Length", "ValveRodLength", Fr, 10, 7.406, &F::ValveRodLength),
    frameField(11, "Ecc Crank Length", "EccCrankLength", Fr, 11, 2.797, &F::EccCrankLength),
    frameField(12, "Ecc Crank Cir Dia", "EccCrankCirDia", Fr, 12, 3.125, &F::EccCrankCirDia),
    frameField(13, "Ecc Rod Length", "EccRodLength", Fr, 13, 11.094, &F::EccRodLength),
    pivotSlot(14, "Quarn Gear Mtg Vert", "QuarnGearMtgVert", Fr, 14, 5.781, PV, 16, -1),
    pivotSlot(15, "Quarn Gear Mtg Horz", "QuarnGearMtgHorz", Fr, 15, 13.75, PH, 16, -1),
    frameField(16, "Rev Arm Upper Length", "RevArmUpperLength", As, 16, 1.406,
               &F::RevArmUpperLength),
    frameField(17, "Rev Arm Lower Length", "RevArmLowerLength", As, 17, 2.188,
               &F::RevArmLowerLength),
    pivotSlot(18, "Rev Arm Pivot Vert", "RevArmPivotVert", As, 18, 1.75, PV, 11, 17),
    pivotSlot(19, "Rev Arm Pivot Horz", "RevArmPivotHorz", As, 19, 2.961, PH, 11, 17),
    frameField(20, "Radius Bar Length", "RadiusBarLength", As, 20, 2.188, &F::RadiusBarLength),
    frameField(21, "Gear Con Rod Upper", "GearConRodUpper", As, 21, 1.844, &F::GearConRodUpper),
    frameField(22, "Gear Con Rod Lower", "GearConRodLower", As, 22, 2.488, &F::GearConRodLower),
    frameField(23, "Gear Con Rod Lower BkS", "GearConRodLowerBkS", As, 23, 0.25,
               &F::GearConRodLowerBkS),
    frameField(24, "Bell Crank Vert Length", "BellCrankVertLength", As, 24, 2.916,
               &F::BellCrankVertLength),
    frameField(25, "Bell Crank Backset", "BellCrankBackset", As, 25, 0.937, &F::BellCrankBackset),
    frameField(26, "Bell Crank Horz Length", "BellCrankHorzLength", As, 26, 2.125,
               &F::BellCrankHorzLength),
    pivotSlot(27, "Bell Crank Pivot Vert", "BellCrankPivotVert", As, 27, 0.891, PV, 6, 18),
    pivotSlot(28, "Bell Crank Pivot Horz", "BellCrankPivotHorz", As, 28, 1.25, PH, 6, 18),
    frameField(29, "Rev Arm to Cent Normal", "RevArmToCentNormal", Fr, 0, 1.5,
               &F::RevArmToCentNormal),
    frameField(30, "Rev Arm to Cemt Max", "RevArmToCentMax", Fr, 0, 1.7, &F::RevArmToCentMax),

    cylField(1, "Cyl ctr to Driver ctr", "CylCtrToDriverCtr", 26.5, &C::CylCtrToDriverCtr),
    pivotSlot(2, "Cyl CL above Driver ctr", "CylCLAboveDriverCtr", DimGroup::Cylinder, 102, 0.25,
              PV, 3, -1),
    cylField(3, "Cylinder Bore Dia", "CylinderBoreDia", 2.75, &C::CylinderBoreDia),
    cylField(4, "Cylinder Bore Length", "CylinderBoreLength", 5.375, &C::CylinderBoreLength),
    cylField(5, "Cyl Steam Port Width", "CylSteamPortWidth", 0.25, &C::CylSteamPortWidth),
    cylField(6, "Piston ctr to Crosshead", "PistonCtrToCrosshead", 10.0, &C::PistonCtrToCrosshead),
    cylField(7, "Piston Width", "PistonWidth", 0.377, &C::PistonWidth),
    cylField(8, "Valve CL to Cyl CL", "ValveCLToCylCL", 3.375, &C::ValveCLToCylCL),
    cylField(9, "Valve Bore Dia", "ValveBoreDia", 1.5, &C::ValveBoreDia),
    cylField(10, "Valve Bore Length", "ValveBoreLength", 6.625, &C::ValveBoreLength),
    cylField(11, "Valve Bore ctr to Port", "ValveBoreCtrToPort", 1.789, &C::ValveBoreCtrToPort),
    cylField(12, "ValveBorePortWidthRear", "ValveBorePortWidthRear", 0.297,
             &C::ValveBorePortWidthRear),
    cylField(13, "ValveBorePortWidthFront", "ValveBorePortWidthFront", 0.297,
             &C::ValveBorePortWidthFront),
    cylField(14, "Valve ctr to Ring", "ValveCtrToRing", 1.578, &C::ValveCtrToRing),
    cylField(15, "Valve End Width  Rear", "ValveEndWidthRear", 0.5, &C::ValveEndWidthRear),
    cylField(16, "Valve End Width  Front", "ValveEndWidthFront", 0.5, &C::ValveEndWidthFront),
    cylField(17, "Valve ctr to Joint (Stem)", "ValveCtrToJoint", 6.39, &C::ValveCtrToJoint),
}};

constexpr int FrameRows = 30;

}  // namespace

std::span<const DimensionDescriptor> frameDimensions() {
    return std::span(table).first(FrameRows);
}
std::span<const DimensionDescriptor> cylinderDimensions() {
    return std::span(table).subspan(FrameRows);
}
std::span<const DimensionDescriptor> allDimensions() { return table; }

const DimensionDescriptor* findDimensionByField(std::string_view field) {
    for (const auto& d : table)
        if (d.field == field) return &d;
    return nullptr;
}

const DimensionDescriptor* findDimensionByCode(int code) {
    if (code <= 0) return nullptr;
    for (const auto& d : table)
        if (d.dynVarCode == code) return &d;
    return nullptr;
}

float dimensionValue(const GearModel& m, const DimensionDescriptor& d) {
    switch (d.storage) {
        case DimStorage::FrameField: return m.frame.*d.frameMember;
        case DimStorage::CylField: return m.cyl.*d.cylMember;
        case DimStorage::PivotHorz: return m.PivotHorz[d.pivot];
        case DimStorage::PivotVert: return m.PivotVert[d.pivot];
    }
    return 0;
}

void setDimensionValue(GearModel& m, const DimensionDescriptor& d, float value) {
    switch (d.storage) {
        case DimStorage::FrameField: m.frame.*d.frameMember = value; break;
        case DimStorage::CylField: m.cyl.*d.cylMember = value; break;
        case DimStorage::PivotHorz:
            m.PivotHorz[d.pivot] = value;
            if (d.mirror >= 0) m.PivotHorz[d.mirror] = value;
            break;
        case DimStorage::PivotVert:
            m.PivotVert[d.pivot] = value;
            if (d.mirror >= 0) m.PivotVert[d.mirror] = value;
            break;
    }
    // The valve stem joint rides on the valve centre line, which hangs off the
    // cylinder centre line: keep its height in step with either dimension.
    if (d.dynVarCode == 102 || d.dynVarCode == 108)
        m.PivotVert[4] = m.cyl.ValveCLToCylCL + m.PivotVert[3];
}

std::vector<float> designKey(const GearModel& m) {
    std::vector<float> key;
    for (const auto& d : allDimensions()) key.push_back(dimensionValue(m, d));
    key.push_back(m.ErieTriplexForm);
    return key;
}

}  // namespace quarn
