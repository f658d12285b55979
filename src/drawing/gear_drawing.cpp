// The gear itself: driver, pins, cylinder, valve, fixed pivots and the linkage.
#include "gear_drawing.h"

#include <cmath>
#include <numbers>

namespace quarn {
namespace {

// Helpers that draw between the screen points of the tick's pivot mapping.
struct PivotPen {
    const GearModel& m;
    Canvas& canvas;

    ScreenPoint at(int p) const { return {m.PivotScreenX[p], m.PivotScreenY[p]}; }
    void moveTo(ScreenPoint s) const { canvas.moveTo(s.x, s.y); }
    void lineTo(ScreenPoint s) const { canvas.lineTo(s.x, s.y); }
    void moveTo(int p) const { moveTo(at(p)); }
    void lineTo(int p) const { lineTo(at(p)); }
    void line(int a, int b) const {
        moveTo(a);
        lineTo(b);
    }
    void colour(Color c) const { canvas.setPenColor(c); }
};

// A circle about a model point, through its bounding box; each side of the box is
// mapped and rounded on its own, as the pins always were.
void circle(const GearModel& m, Canvas& canvas, double h, double v, double radius) {
    canvas.ellipse(screenX(m, h - radius), screenY(m, v + radius), screenX(m, h + radius),
                   screenY(m, v - radius));
}

void closedQuad(Canvas& canvas, const std::array<ScreenPoint, 4>& p) {
    canvas.moveTo(p[3].x, p[3].y);
    for (const auto& q : p) canvas.lineTo(q.x, q.y);
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

void drawDriver(const GearModel& m, Canvas& canvas) {
    const double dia = m.frame.DriverDia;
    circle(m, canvas, 0, 0, 0.5 * dia);
    // The counterweight: 140 degrees of a smaller circle, centred opposite the crank.
    // The radials are taken a driver diameter out from the centre, in screen terms.
    const double d = dia * double(m.view.ViewScale);
    const double theta = m.DriverAngle;
    const double ox = m.view.ViewOffsetX, oy = m.view.ViewOffsetY;
    const double r = 0.35 * dia;
    canvas.arc(screenX(m, -r), screenY(m, r), screenX(m, r), screenY(m, -r),
               roundToScreen(ox + d * std::cos(radians(theta - 110))),
               roundToScreen(oy + d * std::sin(radians(theta - 110))),
               roundToScreen(ox + d * std::cos(radians(theta + 110))),
               roundToScreen(oy + d * std::sin(radians(theta + 110))));
    circle(m, canvas, 0, 0, 0.08 * dia);
}

void drawPins(const GearModel& m, Canvas& canvas) {
    const double dia = m.frame.DriverDia;
    auto pin = [&](int p, double fraction) {
        circle(m, canvas, m.PivotHorz[p], m.PivotVert[p], fraction * dia);
    };
    pin(12, 0.05);
    pin(14, 0.04);
    pin(1, 0.02);
    pin(2, 0.02);
    pin(3, 0.04);
    pin(4, 0.02);
    pin(5, 0.02);
    const PivotPoint bellCrank = bellCrankPivot(m), revArm = revArmPivot(m);
    circle(m, canvas, bellCrank.Horz, bellCrank.Vert, 0.02 * dia);
    for (int p : {7, 8, 9, 10}) pin(p, 0.02);
    circle(m, canvas, revArm.Horz, revArm.Vert, 0.02 * dia);
    pin(15, 0.02);
    pin(21, 0.02);
}

void drawCylinderAndValveBore(const OutlinePoints& o, Canvas& canvas) {
    canvas.setPenColor(colors::Grey);
    const auto& c = o.CylinderOutlinePoints;
    canvas.moveTo(o.cylinderStart.x, o.cylinderStart.y);
    for (int i = 0; i <= 8; ++i) canvas.lineTo(c[i].x, c[i].y);
    canvas.line(c[9].x, c[9].y, c[10].x, c[10].y);
    canvas.line(c[11].x, c[11].y, c[12].x, c[12].y);
    closedQuad(canvas, o.PortInnerPoints);
}

void drawPistonAndValve(const GearModel& m, const OutlinePoints& o, Canvas& canvas) {
    canvas.setPenColor(colors::Black);
    canvas.line(m.PivotScreenX[3], m.PivotScreenY[3], o.PistonRodEnd.x, o.PistonRodEnd.y);
    closedQuad(canvas, o.PistonPoints);
    canvas.line(m.PivotScreenX[4], m.PivotScreenY[4], o.ValveSpindleEnd.x, o.ValveSpindleEnd.y);
    closedQuad(canvas, o.RearValveHeadPoints);
    closedQuad(canvas, o.FrontValveHeadPoints);
}

void drawFixedPivots(const GearModel& m, Canvas& canvas) {
    canvas.setPenColor(colors::Red);
    for (int p : {6, 11, 16, 0}) {
        const int x = m.PivotScreenX[p], y = m.PivotScreenY[p];
        // Each arm runs 11 pixels, the end pixel being left out.
        canvas.line(x + 5, y + 5, x - 6, y - 6);
        canvas.line(x + 5, y - 5, x - 6, y + 6);
    }
}

void drawLinkage(const GearModel& m, Canvas& canvas) {
    const PivotPen pen{m, canvas};
    pen.colour(colors::Lime);  // reverse arm
    pen.line(11, 1);
    pen.colour(colors::Black);  // reach rod, level back to the driver centre's x
    pen.lineTo(ScreenPoint{m.PivotScreenX[0], m.PivotScreenY[1]});
    pen.colour(colors::Maroon);  // radius bar
    pen.line(2, 9);

    // The gear connecting rod is drawn bent, so that it reads apart from the radius bar
    // and the bell crank arm that meet it at pivot 9.
    pen.colour(colors::Magenta);
    const ScreenPoint p9 = pen.at(9), p15 = pen.at(15);
    const ScreenPoint bend{roundToScreen((double(p9.x) + p15.x) / 2 + (double(p9.y) - p15.y) / 5),
                           roundToScreen((double(p9.y) + p15.y) / 2)};
    pen.moveTo(9);
    pen.lineTo(bend);
    pen.lineTo(15);
    pen.line(9, 5);

    pen.colour(colors::Cyan);  // the bell crank's two arms through its pivot
    pen.line(5, 6);
    pen.lineTo(7);

    if (m.ErieTriplexForm) {
        pen.colour(colors::Blue);  // valve rod
        pen.line(8, 4);
        pen.colour(colors::Magenta);  // combination lever
        pen.line(7, 8);
        pen.lineTo(10);
    } else {
        pen.colour(colors::Blue);  // valve rod
        pen.line(7, 8);
        pen.colour(colors::Magenta);  // combination lever
        pen.lineTo(4);
        pen.lineTo(10);
    }
    pen.colour(colors::Lime);  // union link
    pen.lineTo(21);

    pen.colour(colors::Cyan);  // crosshead drop link
    pen.lineTo(3);
    pen.colour(colors::Red);  // main rod
    pen.lineTo(12);
    pen.colour(colors::Lime);  // eccentric crank
    pen.lineTo(14);
    pen.colour(colors::Blue);  // eccentric rod
    pen.lineTo(15);
    pen.colour(colors::Black);
}

}  // namespace

void drawGear(const GearModel& m, const OutlinePoints& outline, Canvas& canvas) {
    drawDriver(m, canvas);
    drawPins(m, canvas);
    drawCylinderAndValveBore(outline, canvas);
    drawPistonAndValve(m, outline, canvas);
    drawFixedPivots(m, canvas);
    drawLinkage(m, canvas);
}

}  // namespace quarn
