// The tick's mapping of the model to the screen: pivots, and the outline points of the
// cylinder, ports, piston and valve, to the nearest pixel with halves to even.
#pragma once

#include <array>

#include "model/gear_model.h"

namespace quarn {

struct ScreenPoint {
    int x = 0, y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Screen points of the cylinder, ports, piston and valve, recomputed every tick.
struct OutlinePoints {
    ScreenPoint cylinderStart;
    std::array<ScreenPoint, 13> CylinderOutlinePoints{};
    std::array<ScreenPoint, 4> PortInnerPoints{};
    std::array<ScreenPoint, 4> PistonPoints{};
    ScreenPoint PistonRodEnd;
    std::array<ScreenPoint, 4> RearValveHeadPoints{};
    std::array<ScreenPoint, 4> FrontValveHeadPoints{};
    ScreenPoint ValveSpindleEnd;
};

// Screen coordinates stay within this many pixels of the origin: a strange dimension or
// view from a file may map a point anywhere, and pixel arithmetic on the result (a cross
// arm, a text offset, a sum of two points) must still fit an int.
constexpr double ScreenCoordLimit = 1e6;

// Model to screen with the view: nearest integer, halves to even. Values beyond the
// limit are clamped to it and NaN becomes 0, so no real-to-int conversion can overflow.
int screenX(const GearModel& m, double horz);
int screenY(const GearModel& m, double vert);
int roundToScreen(double v);

// Tick steps 2 and 3: PivotScreenX/Y of pivots 0..21, slots 6 and 11 absolute.
void mapPivotsToScreen(GearModel& m);
OutlinePoints computeOutlinePoints(const GearModel& m);
// The tick up to the drawing: SolveLinkage, SolvePistonAndPorts and mapPivotsToScreen.
// The window advances the driver angle after it and then runs the frame; a picture of
// one angle (the command line, the benchmark) runs the frame at once.
void solveAndMapFrame(GearModel& m);

}  // namespace quarn
