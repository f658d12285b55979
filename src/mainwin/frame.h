// One frame of the animated gear: the tick's mapping of pivots to the screen, the
// cylinder and valve outline points, and DrawFrame, which draws it all on a Canvas.
#pragma once

#include <array>
#include <string>

#include "model/gear_model.h"
#include "platform/canvas.h"
#include "platform/text_scale.h"

namespace quarn {

struct ScreenPoint {
    int x = 0, y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Settings of the frame that live for the run and are not saved.
struct FrameSettings {
    int LineWidth = 1;
    TextScale text;  // the small or the large-font layout
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
void MapPivotsToScreen(GearModel& m);
OutlinePoints ComputeOutlinePoints(const GearModel& m);
// The tick up to the drawing: SolveLinkage, SolvePistonAndPorts, MapPivotsToScreen and
// ComputeOutlinePoints. The window advances the driver angle after it; a picture of
// one angle (the command line, the benchmark) draws straight away.
OutlinePoints SolveAndMapFrame(GearModel& m);

// Draws the whole frame in its order on a canvas of 1280 x 1024: white, [steam], driver
// and counterweight, pins, cylinder and valve bore, piston and valve, fixed-pivot
// crosses, linkage, [overlay], [screen data], [dimension graphic]. The bracketed steps
// are hooks the caller may leave empty; steam is called only while SteamDisplayOn is
// set, the others always (they know their own switches). The hooks share the pen: each
// finds it as the one before left it. The captions are the window's to set.
struct FrameHooks {
    void (*steam)(void* ctx, const GearModel&, const OutlinePoints&, Canvas&) = nullptr;
    void (*overlay)(void* ctx, const GearModel&, Canvas&) = nullptr;
    void (*screenData)(void* ctx, const GearModel&, Canvas&) = nullptr;
    void (*dimensionGraphic)(void* ctx, const GearModel&, Canvas&) = nullptr;
    void* ctx = nullptr;
};
void DrawFrame(const GearModel& m, const FrameSettings& settings, const OutlinePoints& outline,
               Canvas& canvas, const FrameHooks& hooks = {});

// The window captions, refreshed every frame: prefix, set name, date, time, version.
namespace caption {
inline constexpr char MainWindow[] = "QUARN Inside Admission            ";
inline constexpr char SineDiagram[] = "QUARN Inside Admission      Sine Diagram    ";
inline constexpr char OvalDiagram[] = "QUARN Inside Admission      Oval Diagram    ";
inline constexpr char SteamDiagram[] = "QUARN Inside Admission      Steam Diagram    ";
inline constexpr char PortDiagram[] = "QUARN Inside Admission      Port Open/Closed    ";
inline constexpr char DataTable[] = "QUARN Inside Admission  DataTable  ";
}  // namespace caption
std::string frameCaption(const std::string& prefix, const std::string& dimSetName,
                         const std::string& date, const std::string& time);
// The same with the current date and time in the platform's short date and long time.
std::string frameCaptionNow(const std::string& prefix, const std::string& dimSetName);

}  // namespace quarn
