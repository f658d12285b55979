// The port events diagram: where in the stroke each port opens and closes to steam and
// to exhaust, against the reverse-arm setting from mid gear (bottom) to full gear (top).
#include <array>
#include <optional>

#include "diagram_parts.h"
#include "diagrams.h"
#include "model/number_text.h"
#include "model/sweep.h"

namespace quarn {
using namespace diagram;

namespace {

constexpr Color Teal{0, 128, 128};

int rowY(int i) { return 343 - 16 * i; }

// A front event at piston position c counts from the front dead centre, a rear one from
// the back dead centre; the percent is rounded before the frame's left edge is added.
int eventX(int event, double c) {
    return 9 + (isFrontPortEvent(event) ? px(0.84375 * c) : px(540 - 0.84375 * c));
}

void drawPortFrame(const GearModel& m, Canvas& canvas) {
    canvas.setPenColor(colors::Black);
    canvas.line(9, 42, 9, 353);
    canvas.line(9, 343, 549, 343);
    canvas.line(549, 353, 549, 42);
    for (int i = 0; i <= 9; ++i) {
        const int y0 = 32 * i;
        for (int j = 2; j <= 20; ++j) canvas.line(27 * j - 18, y0 + 52, 27 * j - 18, y0 + 58);
        for (int k = 2; k <= 10; ++k) canvas.line(54 * k - 45, y0 + 45, 54 * k - 45, y0 + 65);
        for (int l = 2; l <= 22; ++l) canvas.line(27 * l - 49, y0 + 55, 27 * l - 40, y0 + 55);
    }
    put(canvas, 420, 47, "Maximum", style(colors::Red));
    canvas.setPenColor(colors::Blue);
    const double normalY =
        343 - double(m.frame.RevArmToCentNormal) * 288 / m.frame.RevArmToCentMax;
    canvas.line(59, px(normalY), 650, px(normalY));
    put(canvas, 345, px(normalY - 7), "Normal", style(colors::Blue));
    canvas.setPenColor(colors::Black);

    const int xs[] = {10, 56, 110, 164, 218, 272, 326, 380, 434, 488};
    for (int p = 0; p < 10; ++p) put(canvas, xs[p], 353, std::to_string(10 * p));
    put(canvas, 529, 350, "100");
    put(canvas, 200, 367, "Percent Piston Travel");
    put(canvas, 568, 350, "Center");
    const std::array<std::pair<const char*, int>, 18> words{{
        {"R", 76}, {"E", 90}, {"V", 104}, {"E", 118}, {"R", 132}, {"S", 146}, {"E", 160},
        {"A", 178}, {"R", 192}, {"M", 206},
        {"P", 224}, {"O", 238}, {"S", 252}, {"I", 266}, {"T", 280}, {"I", 294}, {"O", 308},
        {"N", 322}}};
    for (const auto& [letter, y] : words) put(canvas, letter[0] == 'I' ? 537 : 535, y, letter);
}

void drawKey(Canvas& canvas, bool forward) {
    if (forward) {
        put(canvas, 415, 290, "Fwd.");
        put(canvas, 446, 284, "Front Port", style(Teal));
        put(canvas, 446, 296, "Rear Port", style(colors::Red));
    } else {
        put(canvas, 415, 321, "Rev.");
        put(canvas, 446, 315, "Front Port", style(colors::DarkGreen));
        put(canvas, 446, 327, "Rear Port", style(colors::Maroon));
    }
}

// The legend's four x positions on the front port's events at position 13.
struct Legend {
    int A = 0, P = 0, Q = 0, R = 0;  // admission, cut-off, release, compression
};

void polyline(Canvas& canvas, std::initializer_list<std::pair<int, int>> points) {
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first) canvas.moveTo(x, y);
        else canvas.lineTo(x, y);
        first = false;
    }
}

// The cycle admission, expansion, exhaust, compression as arrows between the events,
// in the pen the last event line left.
void drawLegend(Canvas& canvas, const Legend& l) {
    const TextStyle bold = style(colors::Black, true);
    const int A = l.A, P = l.P, Q = l.Q, R = l.R;
    polyline(canvas, {{P - 110, 101}, {P - 70, 101}, {P - 20, 135}, {P, 135},
                      {P - 12, 131}, {P - 12, 139}, {P, 135}});
    put(canvas, P + 10, 129, "Exp", bold);
    polyline(canvas, {{P + 40, 135}, {Q, 135}, {Q - 12, 131}, {Q - 12, 139}, {Q, 135}});
    polyline(canvas, {{Q + 8, 135}, {549, 135}, {529, 169}, {Q - 160, 169}});
    put(canvas, Q - 190, 163, "Exh", bold);
    polyline(canvas, {{Q - 200, 169}, {R + 100, 169}, {R + 50, 135}, {R, 135},
                      {R + 12, 131}, {R + 12, 139}, {R, 135}});
    put(canvas, R - 25, 129, "Com", bold);
    polyline(canvas, {{R - 30, 135}, {A, 135}, {A + 12, 139}, {A + 12, 131}, {A, 135},
                      {9, 135}, {27, 101}, {P - 150, 101}});
    put(canvas, P - 140, 95, "Adm", bold);
}

Color eventColor(bool forward, int event) {
    if (isFrontPortEvent(event)) return forward ? Teal : colors::DarkGreen;
    return forward ? colors::Red : colors::Maroon;
}

}  // namespace

DiagramRequests DrawPortDiagram(GearModel& m, Canvas& canvas) {
    SweepGuard guard(m);
    const bool forward = m.diagrams.PortDiaMode != 'R';
    drawPortFrame(m, canvas);
    drawKey(canvas, forward);
    const PortSweep sweep = portSweep(m, forward ? 'F' : 'R');
    // Each event's latest point, joined to its next as if from the row just below.
    std::array<std::optional<double>, PortEventCount + 1> latest{};
    Legend legend;
    for (const PortPosition& p : sweep.positions) {
        const int i = p.i;
        if (forward) put(canvas, 554, 32, "Forward");
        else put(canvas, 605, 32, "Rev.");
        put(canvas, forward ? 556 : 596, 336 - 16 * i, Str(p.revArm, 7, 3));
        for (const PortEvent& e : p.events) {
            const int x = eventX(e.event, e.pos);
            if (latest[e.event]) {
                canvas.setPenColor(eventColor(forward, e.event));
                canvas.line(eventX(e.event, *latest[e.event]), rowY(i) + 16, x, rowY(i));
            }
            latest[e.event] = e.pos;
            if (i == 13) {
                const int front = 9 + px(0.84375 * e.pos);
                if (e.event == 1) legend.A = front;
                if (e.event == 5) legend.P = front;
                if (e.event == 2) legend.Q = front;
                if (e.event == 6) legend.R = front;
            }
        }
    }
    if (m.diagrams.PortLegendOn) drawLegend(canvas, legend);
    return drawDiagramEnd(m, canvas);
}

DiagramRequests drawPortDiagramForMode(GearModel& m, Canvas& canvas) {
    if (m.diagrams.PortDiaMode != 'B') return DrawPortDiagram(m, canvas);
    m.diagrams.PortDiaMode = 'F';
    DrawPortDiagram(m, canvas);
    m.diagrams.PortDiaMode = 'R';
    m.diagrams.PortLegendOn = 0;
    const DiagramRequests requests = DrawPortDiagram(m, canvas);
    m.diagrams.PortLegendOn = 1;
    m.diagrams.PortDiaMode = 'B';
    return requests;
}

}  // namespace quarn
