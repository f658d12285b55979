// The one model of the valve gear: dimensions, motion state, switches, pivots,
// the values every solve derives, and the plain data the dimension file carries.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dyn_var_state.h"

namespace quarn {

constexpr int PivotCount = 27;
constexpr int OverlayItemCount = 20;
constexpr int RevArmPositionSlots = 10;
constexpr int ViewPresetCount = 21;

// The 24 frame dimensions kept as fields. The other six (the gear mounting point,
// the reverse-arm pivot offset and the bell crank pivot offset) live in pivot slots.
struct FrameDims {
    float DriverDia = 0;
    float Stroke = 0;
    float MainRodLength = 0;
    float DropLinkToCrossHVert = 0;
    float DropLinkToCrossHBkS = 0;
    float UnionLinkLength = 0;
    float ComboLeverUpper = 0;
    float ComboLeverForSet = 0;
    float ComboLeverLower = 0;
    float ValveRodLength = 0;
    float EccCrankLength = 0;
    float EccCrankCirDia = 0;
    float EccRodLength = 0;
    float RevArmUpperLength = 0;
    float RevArmLowerLength = 0;
    float RadiusBarLength = 0;
    float GearConRodUpper = 0;
    float GearConRodLower = 0;
    float GearConRodLowerBkS = 0;
    float BellCrankVertLength = 0;
    float BellCrankBackset = 0;
    float BellCrankHorzLength = 0;
    float RevArmToCentNormal = 0;
    float RevArmToCentMax = 0;
};

// The cylinder record, in its storage order (the dimension file and the cylinder
// reset copy it as one block). The cylinder centre-line height lives in PivotVert[3].
struct CylDims {
    float CylCtrToDriverCtr = 0;
    float CylinderBoreDia = 0;
    float CylinderBoreLength = 0;
    float CylSpare = 0;  // carried by the file, shown nowhere
    float CylSteamPortWidth = 0;
    float PistonCtrToCrosshead = 0;
    float PistonWidth = 0;
    float ValveBoreDia = 0;
    float ValveBoreLength = 0;
    float ValveBoreCtrToPort = 0;
    float ValveBorePortWidthRear = 0;
    float ValveCtrToRing = 0;
    float ValveEndWidthRear = 0;
    float ValveCtrToJoint = 0;
    float ValveCLToCylCL = 0;
    float ValveBorePortWidthFront = 0;
    float ValveEndWidthFront = 0;
};

constexpr int FrameGroupSize = 17;
constexpr int AssemblyGroupSize = 13;

// Written once by LoadNominalSets; the resets copy from here.
struct NominalSets {
    std::array<float, FrameGroupSize> frameGroup{};        // frame dims 1..15, 29, 30
    std::array<float, AssemblyGroupSize> assemblyGroup{};  // frame dims 16..28
    CylDims cylinder;
    float cylCLAboveDriverCtr = 0;
};

// Lap and port-edge values, fixed for a dimension set, refreshed by every solve.
struct PortEdges {
    float SteamLapFront = 0;
    float SteamLapPortFront = 0;
    float ExClFront = 0;
    float SteamLapRear = 0;
    float SteamLapPortRear = 0;
    float ExClRear = 0;
    float FrontSteamEdgeNeg = 0;
    float RearSteamEdge = 0;
    float FrontSteamEdge = 0;
    float RearSteamEdgeNeg = 0;
    float FrontExhaustEdge = 0;
    float RearExhaustEdgeNeg = 0;
};

// Lines and circles laid over the drawing; index 0 is working space, items are 1..20.
struct OverlayItems {
    using Column = std::array<float, OverlayItemCount + 1>;
    Column Horz1{}, Vert1{}, Horz2{}, Vert2{};
    Column Pivot1HorzAtPick{}, Pivot1VertAtPick{}, Pivot2HorzAtPick{}, Pivot2VertAtPick{};
    Column ItemType{}, ItemColor{}, ItemRef{}, Pivot1{}, Pivot2{};
};

struct GearModel {
    FrameDims frame;
    CylDims cyl;
    NominalSets nominal;

    std::array<float, PivotCount> PivotHorz{};
    std::array<float, PivotCount> PivotVert{};
    std::array<std::int32_t, PivotCount> PivotScreenX{};
    std::array<std::int32_t, PivotCount> PivotScreenY{};

    // Motion state.
    float DriverAngle = 0;
    float StepAngle = 10;
    float StepAngleSetting = 10;
    std::string Direction = "Fwd";
    float RevArmPosition = 10.3f;
    std::array<float, RevArmPositionSlots> RevArmPositions{};  // [0] is mid gear
    std::string DimSetName = "Nominal";

    // Switches.
    std::uint8_t GeometryError = 0;
    std::uint8_t ErrorBeepOn = 1;
    std::uint8_t SteamDisplayOn = 0;
    std::uint8_t ErieTriplexForm = 0;
    float SolverTolerance = 0.0001f;

    // Derived on every solve.
    float EccLeadAngle = 0;
    float GearConRodAngle = 0;  // radians, from the vertical
    float PistonPos640 = 0;
    float ValveDisp = 0;
    float FrontSteamOpening = 0;
    float FrontExhaustOpening = 0;
    float RearSteamOpening = 0;
    float RearExhaustOpening = 0;
    PortEdges edges;
    float SolvedMainRodLength = 0;  // as last solved, for the oval diagram
    float SolvedStroke = 0;

    // Solver working values. SearchStep is shared with the mid-gear search and tells
    // an iteration failure apart: it is SolverTolerance - 1 after one.
    float SearchStep = 0;
    float OuterStep = 0;
    float ScratchReal = 0;     // every square-root argument and cosine before its guard
    float ScratchDivisor = 0;  // every divisor before its guard

    // View, diagrams and overlay: plain data the dimension file carries.
    float ViewScale = 18;
    float ViewOffsetX = 86;
    float ViewOffsetY = 280;
    std::array<float, ViewPresetCount> ViewPresets{};
    float GraphicZoom = 7.5f;
    float TravelScale = 1.5f;
    float LastDiagramRevArm = 0;
    OverlayItems overlay;
    int CurrentItem = 1;

    // Dynamic-variable slots and the undo history.
    DynVarState dyn;

    float RevArmCentre() const { return RevArmPositions[0]; }
};

// Fills the three nominal records from the dimension table.
void LoadNominalSets(GearModel& m);
// Copy one nominal group into the live dimensions, with the pivot write-through.
void ResetFrameGroup(GearModel& m);
void ResetAssemblyGroup(GearModel& m);
void ResetCylinder(GearModel& m);
// Start values of the motion state and switches.
void InitMotionState(GearModel& m);
// Start values of the view, presets, diagram settings and overlay.
void InitViewAndOverlay(GearModel& m);
// The whole start-up state: everything above in start-up order, then mid gear.
void InitStartupState(GearModel& m);

}  // namespace quarn
