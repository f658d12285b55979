// What the diagrams draw alike: their text style, the position list, the travel axis
// with its port-edge lines and the mid-gear column (sine and oval), and the closing
// dynamic-variable panel and undo line.
#pragma once

#include <string>

#include "canvas/canvas.h"
#include "diagrams.h"
#include "model/diagram_sweeps.h"
#include "model/gear_model.h"

namespace quarn::diagram {

// A computed coordinate to the nearest pixel, halves to even.
int px(double v);

// The diagrams' 8-point font, opaque on the white window.
TextStyle style(Color c = colors::Black, bool bold = false);
void put(Canvas& canvas, int x, int y, const std::string& s, const TextStyle& st = style());

// The position list's header and the row of position k, which also sets the model's
// RevArmPosition and LastDiagramRevArm as a pass does before sweeping it.
void drawPositionListHeader(const GearModel& m, Canvas& canvas);
void drawPositionRow(const GearModel& m, Canvas& canvas, int k, float revArm);

// The travel axis: a valve displacement v at y = 215 - v × 375 / TravelScale (front),
// mirrored below the zero line for the rear port.
double frontTravelY(const GearModel& m, double v);
double rearTravelY(const GearModel& m, double v);

// The percent-travel grid of the oval and steam diagrams (ticks every 5 % and 10 %),
// and its labels: the percents at labelY, "0" at the front dead centre, the captions.
void drawPercentGrid(Canvas& canvas);
void drawPercentLabels(Canvas& canvas, int labelY, int captionY);

// "Scale =" and the scale, "Units Travel", "Front", "Rear".
void drawTravelMargin(const GearModel& m, Canvas& canvas);
// Fine and main travel ticks with the main ticks' labels at x = labelX.
void drawTravelTicks(const GearModel& m, Canvas& canvas, int labelX);

// Where the six port-edge labels stand: each an x and a base y to which the edge's
// travel × 375 / TravelScale is added (rear) or from which it is taken (front).
struct PortEdgeLabels {
    int lineLeft, lineRight;
    int steamOpenX, steamOpenY, steamMaxX, steamMaxY, exhaustX, exhaustY;              // front
    int rearSteamOpenX, rearSteamOpenY, rearSteamMaxX, rearSteamMaxY, rearExhaustX,
        rearExhaustY;
};
void drawPortEdgeLines(const GearModel& m, Canvas& canvas, const PortEdges& e,
                       const PortEdgeLabels& at);

// Lead, lap and exhaust clearance of both ports at mid gear, down the right margin.
void drawMidGearColumn(Canvas& canvas, const MidGearFigures& f);

// The dynamic-variable panel and the undo line that end every drawing.
DiagramRequests drawDiagramEnd(GearModel& m, Canvas& canvas);

}  // namespace quarn::diagram
