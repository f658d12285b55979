// The steam diagram: a simulated indicator diagram, the pressure of each cylinder end
// against piston travel, one pair of curves per reverse-arm position with its cut-offs.
#include <cmath>

#include "diagram_parts.h"
#include "diagrams.h"
#include "model/number_text.h"
#include "model/sweep.h"

namespace quarn {
using namespace diagram;

namespace {

// Percent travel from the front dead centre across, pressure up.
double pistonX(double pos) { return 584 - pos * 0.84375; }
double pressureY(double p) { return 343 - p * 0.9; }

// A pressure model driven outside the stroke can reach infinity and then NaN; such a
// segment is not drawn (an infinite one goes through the rounding and off the window).
void segment(Canvas& canvas, double x1, double y1, double x2, double y2) {
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return;
    canvas.line(px(x1), px(y1), px(x2), px(y2));
}

void drawSteamFrame(const GearModel& m, Canvas& canvas) {
    drawPercentGrid(canvas);
    canvas.line(44, 70, 44, 346);
    canvas.line(584, 70, 584, 346);
    put(canvas, 24, 77, "/");
    put(canvas, 29, 77, "\\");
    put(canvas, 28, 81, "|");
    put(canvas, 28, 94, "|");
    const char* cylinder[] = {"C", "Y", "L", "I", "N", "D", "E", "R"};
    const char* pressure[] = {"P", "R", "E", "S", "S", "U", "R", "E"};
    for (int r = 0; r < 8; ++r) {
        const int y = r == 0 ? 108 : 123 + 13 * (r - 1);
        put(canvas, r == 3 ? 22 : 20, y, cylinder[r]);
    }
    for (int r = 0; r < 8; ++r) put(canvas, 32, r == 0 ? 108 : 123 + 13 * (r - 1), pressure[r]);
    drawPercentLabels(canvas, 350, 364);
    canvas.line(45, 343, 585, 343);
    drawPositionListHeader(m, canvas);
}

struct EndLook {
    Color pen;
    int cutOffX, numberX, percentX;  // "%CutOff", the position's number, the percent
    int labelX, labelY;              // the curve's number: labelX - prev × 0.84
    bool rear;
};

constexpr EndLook FrontLook{colors::DarkGreen, 587, 588, 600, 568, 122, false};
constexpr EndLook RearLook{colors::Red, 2, 3, 15, 600, 135, true};

void drawEnd(Canvas& canvas, const SteamStep& step, const SteamEnd& e, const EndLook& look,
             int k, int ordinal) {
    canvas.setPenColor(look.pen);
    const bool curve = step.n >= SteamFirstDrawnStep;
    const double y0 = pressureY(e.startPressure);
    if (e.cutOff) {
        // Admission runs on at its pressure to the point where the port closed.
        if (curve) segment(canvas, pistonX(e.from), y0, pistonX(e.cutAt), y0);
        put(canvas, look.cutOffX, 231, "%CutOff", style(look.pen));
        put(canvas, look.numberX, 13 * k + 233, Str(k, 1));
        const double percent = look.rear ? (640 - double(e.cutAt)) / 6.4 : e.cutAt / 6.4;
        put(canvas, look.percentX, 13 * k + 233, Str(percent, 4, 1));
    }
    if (curve) segment(canvas, pistonX(e.cutAt), y0, pistonX(step.pos), pressureY(e.pressure));
    if (e.label)
        put(canvas, px(look.labelX - e.cutAt * 0.84), look.labelY, Str(ordinal, 1),
            style(colors::Black, true));
}

}  // namespace

DiagramRequests DrawSteamDiagram(GearModel& m, Canvas& canvas) {
    SweepGuard guard(m);
    drawSteamFrame(m, canvas);
    const SteamSweep sweep = steamSweep(m);
    for (const SteamPosition& p : sweep.positions) {
        drawPositionRow(m, canvas, p.k, p.revArm);
        for (const SteamStep& step : p.steps) {
            if (!step.drawn) continue;
            drawEnd(canvas, step, step.front, FrontLook, p.k, p.ordinal);
            drawEnd(canvas, step, step.rear, RearLook, p.k, p.ordinal);
        }
    }
    canvas.setPenColor(colors::Black);
    return drawDiagramEnd(m, canvas);
}

}  // namespace quarn
