// The oval diagram: valve travel against piston position, one closed loop per
// reverse-arm position of the list, the driver turning once backwards from 32 degrees.
#include "diagram_parts.h"
#include "diagrams.h"
#include "model/number_text.h"
#include "model/sweep.h"

namespace quarn {
using namespace diagram;

namespace {

// The piston from mid stroke in half strokes, to pixels: 584 at the front dead centre,
// 44 at the back one.
int pistonX(double u) { return px(314 + 270.5 * u); }

}  // namespace

DiagramRequests DrawOvalDiagram(GearModel& m, Canvas& canvas) {
    SweepGuard guard(m);
    drawPercentGrid(canvas);
    canvas.line(44, 84, 44, 346);
    canvas.line(584, 84, 584, 346);
    drawPercentLabels(canvas, 353, 367);
    drawTravelMargin(m, canvas);
    drawTravelTicks(m, canvas, 15);
    drawPositionListHeader(m, canvas);
    const TravelSweep sweep = ovalSweep(m);
    drawPortEdgeLines(m, canvas, sweep.edgesBefore,
                      {15, 584, 430, 199, 430, 216, 75, 216, 75, 216, 75, 199, 430, 199});
    const TextStyle bold = style(colors::Black, true);
    for (const TravelPosition& p : sweep.positions) {
        drawPositionRow(m, canvas, p.k, p.revArm);
        canvas.setPenColor(colors::Black);
        for (std::size_t s = 1; s < p.steps.size(); ++s) {
            const TravelStep& before = p.steps[s - 1];
            const TravelStep& step = p.steps[s];
            // The loop's number near mid stroke, on the strokes at about 272 and 80 degrees.
            const double shift = double(before.valveDisp) * 375 / m.diagrams.TravelScale;
            if (step.j == 22) put(canvas, 300, px(213 - shift), Str(p.k, 2), bold);
            if (step.j == 46) put(canvas, 334, px(204 - shift), Str(p.k, 2), bold);
            canvas.line(pistonX(before.pistonU), px(frontTravelY(m, before.valveDisp)),
                        pistonX(step.pistonU), px(frontTravelY(m, step.valveDisp)));
        }
        if (p.midGear) drawMidGearColumn(canvas, p.figures);
    }
    return drawDiagramEnd(m, canvas);
}

}  // namespace quarn
