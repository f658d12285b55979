// The sine diagram: valve travel against driver angle, one curve per reverse-arm
// position of the list, one pixel per degree over one and a half turns.
#include "diagram_parts.h"
#include "diagrams.h"
#include "model/number_text.h"
#include "model/sweep.h"

namespace quarn {
using namespace diagram;

namespace {

void drawSineGrid(Canvas& canvas) {
    canvas.setPenColor(colors::Black);
    for (int i = 1; i <= 9; ++i) {
        for (int j = 6; j <= 58; ++j) canvas.line(10 * j, 32 * i + 53, 10 * j, 32 * i + 57);
        for (int k = 1; k <= 6; ++k) canvas.line(90 * k, 32 * i + 50, 90 * k, 32 * i + 60);
    }
}

void drawAngleLabels(Canvas& canvas) {
    put(canvas, 86, 353, "0");
    put(canvas, 173, 353, "90");
    put(canvas, 260, 353, "180");
    put(canvas, 350, 353, "270");
    put(canvas, 446, 353, "0");
    put(canvas, 533, 353, "90");
    put(canvas, 86, 367, "Driver Clockwise Rotation --->");
}

// Step j's point stands at x = 8 j + 2: one pixel per degree of the driver's turn.
int stepX(int j) { return 8 * j + 2; }

}  // namespace

DiagramRequests DrawSineDiagram(GearModel& m, Canvas& canvas) {
    SweepGuard guard(m);
    drawSineGrid(canvas);
    drawAngleLabels(canvas);
    drawTravelMargin(m, canvas);
    drawTravelTicks(m, canvas, 14);
    drawPositionListHeader(m, canvas);
    // The edge lines come before the sweep, from the thresholds of the latest solve.
    const TravelSweep sweep = sineSweep(m);
    drawPortEdgeLines(m, canvas, sweep.edgesBefore,
                      {15, 583, 60, 199, 60, 216, 230, 216, 230, 216, 230, 199, 60, 199});
    for (const TravelPosition& p : sweep.positions) {
        drawPositionRow(m, canvas, p.k, p.revArm);
        canvas.setPenColor(colors::Black);
        for (std::size_t s = 1; s < p.steps.size(); ++s) {
            const TravelStep& before = p.steps[s - 1];
            const TravelStep& step = p.steps[s];
            const int yBefore = px(frontTravelY(m, before.valveDisp));
            if (step.j == SineFirstStep + 1) put(canvas, 45, yBefore, Str(p.k, 2), style(colors::Black, true));
            canvas.line(stepX(step.j - 1), yBefore, stepX(step.j), px(frontTravelY(m, step.valveDisp)));
        }
        if (p.midGear) drawMidGearColumn(canvas, p.figures);
    }
    return drawDiagramEnd(m, canvas);
}

}  // namespace quarn
