// The dimension graphic's pixels.
#include "dimension_graphic_drawing.h"

#include <cmath>
#include <initializer_list>
#include <string>

namespace quarn {
namespace {

void polyline(Canvas& c, std::initializer_list<ScreenPoint> pts) {
    const ScreenPoint* p = pts.begin();
    c.moveTo(p->x, p->y);
    for (++p; p != pts.end(); ++p) c.lineTo(p->x, p->y);
}

// The hourglass's pen width, and the outermost ends of its lines.
constexpr int HourglassPenWidth = 2;
constexpr ScreenPoint HourglassTopLeft{20, 100}, HourglassBottomRight{44, 142};

// The mark in the window's top-left corner that says the window is busy showing.
void drawHourglass(Canvas& c) {
    c.setPenColor(colors::Black);
    c.setPenWidth(HourglassPenWidth);
    polyline(c, {{20, 100}, {44, 100}, {44, 104}, {20, 104}, {20, 100}});
    polyline(c, {{22, 100}, {22, 112}, {30, 120}, {30, 122}, {22, 130}, {22, 142}});
    polyline(c, {{42, 100}, {42, 112}, {34, 120}, {34, 122}, {42, 130}, {42, 142}});
    polyline(c, {{20, 142}, {44, 142}, {44, 138}, {20, 138}, {20, 142}});
    c.setPenWidth(1);
    polyline(c, {{24, 136}, {32, 127}});
    polyline(c, {{39, 136}, {31, 127}});
    polyline(c, {{31, 117}, {26, 111}, {37, 111}, {31, 118}});
}

// A ratio of two lengths of one gear part; a part of zero length has no extension to
// show, so the extension point stays on the pivot instead of flying off to infinity.
double ratio(double num, double den) {
    const double r = num / den;
    return std::isfinite(r) ? r : 0.0;
}

}  // namespace

DimensionLine dimensionLine(const GearModel& m, const OutlinePoints& o, int code) {
    const auto& H = m.PivotHorz;
    const auto& V = m.PivotVert;
    const FrameDims& f = m.frame;
    auto P = [&m](int n) { return ScreenPoint{m.PivotScreenX[n], m.PivotScreenY[n]}; };
    auto M = [&m](double h, double v) { return ScreenPoint{screenX(m, h), screenY(m, v)}; };
    auto xy = [](ScreenPoint a, ScreenPoint b) { return ScreenPoint{a.x, b.y}; };
    const auto& O = o.CylinderOutlinePoints;
    const auto& Port = o.PortInnerPoints;
    const double cx = m.cyl.CylCtrToDriverCtr;

    // The combination lever beyond its upper joint, the gear connecting rod beyond its
    // lower joint, and the bell crank's corner.
    auto E7 = [&] {
        const double k = ratio(f.ComboLeverUpper, f.ComboLeverLower);
        return M(H[4] + (double(H[4]) - H[10]) * k, V[4] + (double(V[4]) - V[10]) * k);
    };
    auto G9 = [&] {
        const double k = ratio(f.GearConRodLower, f.GearConRodUpper);
        return M(H[9] + (double(H[9]) - H[5]) * k, V[9] + (double(V[9]) - V[5]) * k);
    };
    auto C = [&] {
        const PivotPoint b = bellCrankPivot(m);
        const double k = ratio(f.BellCrankVertLength, f.BellCrankHorzLength);
        return M(b.Horz + (double(b.Vert) - V[5]) * k, b.Vert - (double(b.Horz) - H[5]) * k);
    };
    auto centreSpan = [&](double half) {
        const double r0 = m.RevArmCentre();
        const int y = P(1).y;
        DimensionLine d{{M(r0 - half, 0).x, y}, {M(r0 + half, 0).x, y}, true, {}, {}};
        const int x = M(r0, 0).x;
        d.tickFrom = {x, y + 10};
        d.tickTo = {x, y - 10};
        return d;
    };
    auto seg = [](ScreenPoint a, ScreenPoint b) { return DimensionLine{a, b, false, {}, {}}; };

    switch (code) {
        case 1: return seg({P(0).x, M(0, V[0] - f.DriverDia / 2.0).y},
                           {P(0).x, M(0, V[0] + f.DriverDia / 2.0).y});
        case 2: return seg(P(12), M(2.0 * H[0] - H[12], 2.0 * V[0] - V[12]));
        case 3: return seg(P(12), P(3));
        case 4: return seg(P(3), xy(P(3), P(21)));
        case 5: return seg(xy(P(3), P(21)), P(21));
        case 6: return seg(P(10), P(21));
        case 7: return seg(P(4), E7());
        case 8: return seg(P(8), E7());
        case 9: return seg(P(4), P(10));
        case 10: return seg(P(7), P(8));
        case 11: return seg(P(12), P(14));
        case 12: return seg(P(14), {2 * P(0).x - P(14).x, 2 * P(0).y - P(14).y});
        case 13: return seg(P(14), P(15));
        case 14: return seg(P(16), xy(P(16), P(0)));
        case 15: return seg(P(16), xy(P(0), P(16)));
        case 16: return seg(P(1), P(2));
        case 17: return seg(P(2), P(11));
        case 18: return seg(P(11), xy(P(11), P(16)));
        case 19: return seg(P(11), xy(P(16), P(11)));
        case 20: return seg(P(2), P(9));
        case 21: return seg(P(9), P(5));
        case 22: return seg(P(9), G9());
        case 23: return seg(P(15), G9());
        case 24: return seg(P(6), C());
        case 25: return seg(P(7), C());
        case 26: return seg(P(5), P(6));
        case 27: return seg(P(6), xy(P(6), P(16)));
        case 28: return seg(P(6), xy(P(16), P(6)));
        case 29: return centreSpan(f.RevArmToCentNormal);
        case 30: return centreSpan(f.RevArmToCentMax);
        // The cylinder's centre lies cx ahead of the driver's.
        case 101: return seg(P(0), {M(H[0] + cx, 0).x, P(0).y});
        case 102: {
            const int x = M(H[0] + cx, 0).x;
            return seg({x, P(0).y}, {x, P(3).y});
        }
        case 103: return seg(O[2], O[3]);
        case 104: return seg(O[2], O[5]);
        case 105: return seg(O[2], Port[1]);
        case 106: {
            const int x0 = o.PistonPoints[0].x, x3 = o.PistonPoints[3].x;
            return seg(P(3), {x0 + (x3 - x0) / 2, P(3).y});
        }
        case 107: return seg(o.PistonPoints[0], o.PistonPoints[3]);
        case 108: {
            const int x = o.cylinderStart.x - 5;
            return seg({x, P(3).y}, {x, P(4).y});
        }
        case 109: return seg(o.cylinderStart, O[0]);
        case 110: return seg(O[0], O[7]);
        // From the rear port's inner edge to the valve bore's centre.
        case 111: return seg(Port[0], {M(H[0] + cx, 0).x, Port[0].y});
        case 112: return seg(O[1], Port[0]);
        case 113: return seg(Port[3], O[6]);
        case 114: return seg({o.RearValveHeadPoints[2].x, P(4).y},
                             {M(H[4] + double(m.cyl.ValveCtrToJoint), 0).x, P(4).y});
        case 115: return seg(o.RearValveHeadPoints[1], o.RearValveHeadPoints[2]);
        case 116: return seg(o.FrontValveHeadPoints[1], o.FrontValveHeadPoints[2]);
        case 117: return seg(P(4), {M(H[4] + double(m.cyl.ValveCtrToJoint), 0).x, P(4).y});
        default: return {};
    }
}

DimensionGraphicMarks dimensionGraphicMarks(const GearModel& m, const DimensionGraphicFrame& frame) {
    DimensionGraphicMarks marks;
    // A wide pen reaches a pixel beyond each end of its line.
    marks.hourglassTopLeft = {HourglassTopLeft.x - HourglassPenWidth / 2,
                              HourglassTopLeft.y - HourglassPenWidth / 2};
    marks.hourglassBottomRight = {HourglassBottomRight.x + HourglassPenWidth / 2,
                                  HourglassBottomRight.y + HourglassPenWidth / 2};
    marks.labelAt = {m.screen.text.x(30), m.screen.text.y(75)};
    if (frame.drawn) marks.label = frame.drawn->label;
    marks.labelStyle.pointSize = DimensionGraphicFontSize;
    marks.labelStyle.color = colors::Black;
    return marks;
}

void drawDimensionGraphic(const GearModel& m, const DimensionGraphicFrame& frame,
                          const OutlinePoints& outline, Canvas& canvas) {
    drawHourglass(canvas);
    canvas.setPenWidth(DimensionGraphicPenWidth);
    canvas.setPenColor(frame.red ? colors::Red : colors::Black);
    if (frame.drawn == nullptr) return;
    const DimensionLine d = dimensionLine(m, outline, frame.drawn->code);
    canvas.line(d.from.x, d.from.y, d.to.x, d.to.y);
    if (d.hasTick) canvas.line(d.tickFrom.x, d.tickFrom.y, d.tickTo.x, d.tickTo.y);
    const DimensionGraphicMarks marks = dimensionGraphicMarks(m, frame);
    canvas.text(marks.labelAt.x, marks.labelAt.y, marks.label, marks.labelStyle);
}

}  // namespace quarn
