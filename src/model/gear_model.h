// The one model of the valve gear: dimensions, motion state, switches, pivots,
// the values every solve derives, and the plain data the dimension file carries.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "diagram_positions.h"
#include "dimension_graphic_state.h"
#include "dyn_var_state.h"
#include "overlay_items.h"
#include "screen_data_state.h"
#include "steam_state.h"
#include "view_state.h"

namespace quarn {

constexpr int PivotCount = 27;
constexpr int RevArmPositionSlots = 10;

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
    // The gear turns (the Run button reads "Stop") or stands ("Run"). Stopping only
    // sets StepAngle to 0; this flag says which the user chose.
    std::uint8_t Running = 1;

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

    // The program-wide records of the windows, plain data so that the files, the
    // command line and the tests reach them without a window.
    ViewState view;
    ScreenDataState screen;
    SteamState steam;
    DimensionGraphicState dimGraphic;
    DiagramPositions diagrams;
    OverlayItems overlay;

    // Dynamic-variable slots and the undo history.
    DynVarState dyn;

    float RevArmCentre() const { return RevArmPositions[0]; }
};

// A point of the gear in model units.
struct PivotPoint {
    float Horz = 0, Vert = 0;
};

// Pivot slots 6 and 11 hold offsets from the gear mounting point (pivot 16): the bell
// crank pivot lies backwards and up from it, the reverse-arm pivot backwards and down.
// These are the absolute points, pivots 22 and 23, as 4-byte reals.
inline PivotPoint bellCrankPivot(const GearModel& m) {
    return {m.PivotHorz[16] - m.PivotHorz[6], m.PivotVert[16] + m.PivotVert[6]};
}
inline PivotPoint revArmPivot(const GearModel& m) {
    return {m.PivotHorz[16] - m.PivotHorz[11], m.PivotVert[16] - m.PivotVert[11]};
}

// Fills the three nominal records from the dimension table.
void LoadNominalSets(GearModel& m);
// Copy one nominal group into the live dimensions, with the pivot write-through.
void ResetFrameGroup(GearModel& m);
void ResetAssemblyGroup(GearModel& m);
void ResetCylinder(GearModel& m);
// Start values of the motion state and switches.
void InitMotionState(GearModel& m);
// Start values of the view, the screen data, steam, the dimension graphic, the
// diagram settings and the overlay.
void initWindowState(GearModel& m);
// The whole start-up state: everything above in start-up order, then mid gear.
void InitStartupState(GearModel& m);

}  // namespace quarn
