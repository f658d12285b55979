// The solver sweeps behind the four diagrams, as plain data: each diagram draws from
// these, and the command line prints the same numbers. Every sweep leaves
// RevArmPosition and DriverAngle as it found them; the pivots and the other solver
// outputs keep the values of its last step.
#pragma once

#include <array>
#include <vector>

#include "gear_model.h"

namespace quarn {

// A reverse-arm setting this close to mid gear draws the mid-gear column.
constexpr double MidGearColumnReach = 0.05;
bool isMidGearColumnPosition(const GearModel& m, float revArm);

// Lead, lap and exhaust clearance of both ports at mid gear, from the valve stem
// joint's travel over the sweep: the laps and clearances from the middle of that travel.
struct MidGearFigures {
    double frontLead = 0, frontLap = 0, frontExhaustClearance = 0;
    double rearExhaustClearance = 0, rearLap = 0, rearLead = 0;
};

// One solve of a travel sweep (sine or oval).
struct TravelStep {
    int j = 0;
    float angle = 0;      // DriverAngle as solved
    float valveDisp = 0;  // ValveDisp after the solve
    float jointH = 0;     // PivotHorz[4] after the solve
    double pistonU = 0;   // oval only: the piston from mid stroke in half strokes
};

struct TravelPosition {
    int k = 0;
    float revArm = 0;
    std::vector<TravelStep> steps;
    bool midGear = false;  // within reach of mid gear: the column is drawn
    MidGearFigures figures;
};

struct TravelSweep {
    PortEdges edgesBefore;  // the port edges as the drawing finds them, for its lines
    std::vector<TravelPosition> positions;
};

// The steam and port sweeps turn the driver 4 degrees a step, forwards (less 360 while
// above 360) or backwards (plus 360 while below 0), and solve the linkage, piston and ports.
void turnAndSolve(GearModel& m, bool forward);

// Sine: steps j = 7..73, DriverAngle = 8 j + 272 less 360 while above 360 (one and a
// half turns from 328 degrees).
constexpr int SineFirstStep = 7;
constexpr int SineLastStep = 73;
float sineStepAngle(int j);
TravelSweep sineSweep(GearModel& m);

// Oval: steps j = 7..52, DriverAngle = 88 - 8 j plus 360 while below 0 (one turn down
// from 32 degrees back to 32).
constexpr int OvalFirstStep = 7;
constexpr int OvalLastStep = 52;
float ovalStepAngle(int j);
// u(angle) of the oval's piston axis: +1 at the front dead centre, -1 at the back one,
// after the connecting-rod law with the main rod and stroke of the latest solve.
double ovalPistonU(GearModel& m, double angle);
TravelSweep ovalSweep(GearModel& m);

// Steam: the cylinder-pressure model, 150 steps of 4 degrees per position.
constexpr int SteamStepsPerPosition = 150;
constexpr int SteamFirstDrawnStep = 61;

struct SteamEnd {
    float startPressure = 0;  // the previous step's pressure
    float pressure = 0;       // at the end of the step, after a cut-off's correction
    char phase = '1';         // '1' exhaust, '2' compression, '3' admission, '4' expansion
    float from = 0;           // piston position where this end's part of the step starts
    bool cutOff = false;      // the steam port closed within this step
    float cutAt = 0;          // the curve's start after the cut-off (from, when none)
    bool label = false;       // the position's number is written on this end's curve
};

// One step of the pressure model. The rear end's part starts where the front's cut-off
// left the previous piston position, as the two ends share that value.
struct SteamStep {
    int n = 0;
    float angle = 0;     // DriverAngle after the advance
    float pos = 0;       // PistonPos640
    bool drawn = false;  // from the second step of the drawing on
    SteamEnd front, rear;
};

struct SteamPosition {
    int k = 0;
    float revArm = 0;
    int ordinal = 0;  // PositionOrdinal
    std::vector<SteamStep> steps;
};

struct SteamSweep {
    std::vector<SteamPosition> positions;
};
SteamSweep steamSweep(GearModel& m);

// Ports: 19 settings from mid gear to full gear, one turn of 4-degree steps at each.
constexpr int PortPositionCount = 19;  // i = 0..18
constexpr int PortStepCount = 90;      // j = 1..90 after the priming step 0
constexpr int PortEventCount = 8;

struct PortEvent {
    int event = 0;    // 1..8 in the order they are tested
    int j = 0;        // the step it was found in
    double pos = 0;   // the piston position (0..640) of the zero crossing
};

struct PortPosition {
    int i = 0;
    float revArm = 0;
    std::vector<PortEvent> events;  // in the order found
};

struct PortSweep {
    char mode = 'F';
    std::vector<PortPosition> positions;
};
// mode 'F' sweeps towards full forward gear, 'R' towards full reverse (any other value
// is taken as 'F').
PortSweep portSweep(GearModel& m, char mode);
// Events 1..4 open, 5..8 close; odd pairs (1, 2, 5, 6) belong to the front port.
bool isFrontPortEvent(int event);

}  // namespace quarn
