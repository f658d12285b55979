// The four diagrams of the valve gear, each drawn on a canvas from a sweep of the
// solver: the sine diagram (valve travel against driver angle), the oval diagram
// (valve travel against piston position), the steam diagram (cylinder pressure against
// piston position) and the port events against the reverse-arm setting.
#pragma once

#include <array>

#include "canvas/canvas.h"
#include "model/gear_model.h"

namespace quarn {

constexpr int DiagramWidth = 632;       // client size of the sine, steam and port windows
constexpr int DiagramHeight = 414;
constexpr int OvalDiagramHeight = 426;  // the oval window is 632 x 426

// What the end of a drawing asks of its window.
struct DiagramRequests {
    bool barsVisible = false;           // the window's four dynamic-variable bars shown
    std::array<bool, 5> barsEnabled{};  // entry k for bar k (1..4); entry 0 unused
    bool undoButtonVisible = false;     // the window's UnDo button shown
};

// Each draws on the canvas without clearing it (the window clears to white first where
// it refreshes), leaves RevArmPosition and DriverAngle as it found them, and ends with
// the dynamic-variable panel and the undo line.
DiagramRequests DrawSineDiagram(GearModel& m, Canvas& canvas);
DiagramRequests DrawOvalDiagram(GearModel& m, Canvas& canvas);
DiagramRequests DrawSteamDiagram(GearModel& m, Canvas& canvas);
// One pass in m.diagrams.PortDiaMode ('F' forward or 'R' reverse graph).
DiagramRequests DrawPortDiagram(GearModel& m, Canvas& canvas);

// The port window's drawing for its mode: in mode 'B' the forward pass, the reverse
// pass over it without its legend, and the mode back at 'B'; otherwise one pass.
// Never clears.
DiagramRequests drawPortDiagramForMode(GearModel& m, Canvas& canvas);

}  // namespace quarn
