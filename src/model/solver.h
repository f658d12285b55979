// The linkage solver: places every moving pivot for the current driver angle and
// reverse-arm setting, then derives the piston position and the four port openings.
#pragma once

#include "gear_model.h"

namespace quarn {

// Inner searches may take this many rounds in one search before the solve is abandoned.
constexpr int SearchRoundBudget = 1000;

// Places the pivots and derives the port-edge thresholds. Never fails: impossible
// geometry is forced through the guards below and reported through GeometryError.
void SolveLinkage(GearModel& m);
// The laps and port-edge thresholds of the valve, from the cylinder dimensions alone;
// SolveLinkage stores them in the model at every solve that completes.
PortEdges portEdgesOf(const CylDims& c);
// Piston position and port openings; reads PivotHorz[4], so runs after SolveLinkage.
void SolvePistonAndPorts(GearModel& m);

// Sets GeometryError, but only while the error beep is on.
void RaiseGeometryError(GearModel& m);
// The guards every impossible triangle is forced through. Each stores its value in the
// model's single-precision scratch real first, as the gear's numbers always were.
float ClampCosine(GearModel& m, double c);
float ClampDivisor(GearModel& m, double x);
float SqrtArgAbs(GearModel& m, double x);

}  // namespace quarn
