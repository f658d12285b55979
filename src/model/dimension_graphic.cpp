// The dimension graphic's counters, blink and view.
#include "dimension_graphic.h"

#include <array>

#include "view_control.h"

namespace quarn {
namespace {

using C = DimensionGraphicCase;
// Where the user's view is kept ("unchanged"): the main rod and the cylinder-to-driver
// distance span the whole gear, so only the scale changes.
constexpr C keep(int code, std::string_view label, float K) { return {code, label, K, false, 0, 0}; }
constexpr C at(int code, std::string_view label, float K, float x, float y) {
    return {code, label, K, true, x, y};
}

constexpr std::array<C, 47> Cases{{
    at(1, "Driver Dia", 30, 290, 212),
    at(2, "Stroke", 30, 290, 212),
    keep(3, "Main Rod Length", 18),
    at(4, "Drop Link to CrossH Vert", 62, -780, 212),
    at(5, "Drop Link to CrossH BkS", 62, -780, 212),
    at(6, "Union Link Length", 62, -780, 212),
    at(7, "Combo Lever Upper", 62, -872, 335),
    at(8, "Combo Lever For Set", 62, -872, 335),
    at(9, "Combo Lever Lower", 62, -872, 335),
    at(10, "Valve Rod Length", 33, -100, 320),
    at(11, "Ecc Crank Length", 33, 200, 220),
    at(12, "Ecc Crank Cir Dia", 33, 200, 220),
    at(13, "Ecc Rod Length", 33, 100, 220),
    at(14, "Quarn Gear Mtg Vert", 30, 100, 300),
    at(15, "Quarn Gear Mtg Horz", 30, 100, 300),
    at(16, "Rev Arm Upper Length", 40, -100, 400),
    at(17, "Rev Arm Lower Length", 40, -100, 400),
    at(18, "Rev Arm Pivot Vert", 40, -100, 400),
    at(19, "Rev Arm Pivot Horz", 40, -100, 400),
    at(20, "Radius Bar Length", 40, -100, 400),
    at(21, "Gear Con Rod Upper", 40, -100, 400),
    at(22, "Gear Con Rod Lower", 40, -100, 400),
    at(23, "Gear Con Rod Lower BkS", 40, -100, 400),
    at(24, "Bell Crank Vert Length", 40, -100, 400),
    at(25, "Bell Crank Backset", 40, -100, 400),
    at(26, "Bell Crank Horz Length", 40, -100, 400),
    at(27, "Bell Crank Pivot Vert", 40, -100, 400),
    at(28, "Bell Crank Pivot Horz", 40, -100, 400),
    at(29, "Rev Arm to Cent Normal", 40, -100, 400),
    at(30, "Rev Arm to Cemt Max", 40, -100, 400),  // the program's own spelling
    keep(101, "Cyl ctr to Driver ctr", 18),
    at(102, "Cyl CL above Driver ctr", 55, -1100, 295),
    at(103, "Cylinder Bore Dia", 55, -1100, 295),
    at(104, "Cylinder Bore Length", 55, -1100, 295),
    at(105, "Cyl Steam Port Width", 55, -1100, 295),
    at(106, "Piston ctr to Crosshead", 40, -500, 260),
    at(107, "Piston Width", 55, -1100, 295),
    at(108, "Valve CL to Cyl CL", 55, -1100, 295),
    at(109, "Valve Bore Dia", 55, -1100, 400),
    at(110, "Valve Bore Length", 55, -1100, 405),
    at(111, "Valve Bore ctr to Port", 55, -1100, 295),
    at(112, "ValveBorePortWidthRear", 55, -1100, 295),
    at(113, "ValveBorePortWidthFront", 55, -1100, 295),
    at(114, "Valve ctr to Ring", 55, -1100, 295),
    at(115, "Valve End Width  Rear", 55, -1100, 295),
    at(116, "Valve End Width  Front", 55, -1100, 295),
    at(117, "Valve ctr to Joint (Stem)", 55, -950, 375),
}};

// The combination lever and the valve rod are not where the standard form has them in
// the Erie Triplex form, so their graphics show only the hourglass.
bool absentInErieTriplex(int code) { return code >= 7 && code <= 10; }

}  // namespace

const DimensionGraphicCase* dimensionGraphicCase(int code) {
    for (const C& c : Cases)
        if (c.code == code) return &c;
    return nullptr;
}

bool startDimensionGraphic(GearModel& m, int code) {
    if (dimensionGraphicCase(code) == nullptr) return false;
    m.dimGraphic.ShowDimension = code;
    return true;
}

void endDimensionGraphicOnClick(GearModel& m) {
    if (m.dimGraphic.ShowDimension > 0)
        m.dimGraphic.DimensionGraphicFrames = DimensionGraphicClickFrames;
}

double dimensionGraphicScale(const GearModel& m, double K) {
    double zoom = m.view.GraphicZoom;
    if (!(zoom >= MinGraphicZoom)) zoom = MinGraphicZoom;
    if (zoom > MaxGraphicZoom) zoom = MaxGraphicZoom;
    return K * 7.5 / zoom;
}

DimensionGraphicFrame beginDimensionGraphicFrame(GearModel& m) {
    DimensionGraphicState& g = m.dimGraphic;
    ViewState& v = m.view;
    DimensionGraphicFrame f;
    f.cylinderDialog = g.ShowDimension > 99;
    g.ReopenFrameDialog = f.cylinderDialog ? 0 : 1;

    if (g.DimensionGraphicFrames == 0) {
        v.SavedViewScale = v.ViewScale;
        v.SavedViewOffsetX = v.ViewOffsetX;
        v.SavedViewOffsetY = v.ViewOffsetY;
    }
    ++g.DimensionGraphicFrames;
    ++g.DimensionGraphicBlink;
    f.red = g.DimensionGraphicBlink <= DimensionGraphicRedFrames;

    const DimensionGraphicCase* c = dimensionGraphicCase(g.ShowDimension);
    if (c != nullptr && !(m.ErieTriplexForm && absentInErieTriplex(c->code))) {
        v.ViewScale = static_cast<float>(dimensionGraphicScale(m, c->K));
        if (c->setsOffsets) {
            v.ViewOffsetX = c->offsetX;
            v.ViewOffsetY = c->offsetY;
        }
        f.drawn = c;
    }
    return f;
}

DimensionGraphicEnd finishDimensionGraphicFrame(GearModel& m) {
    DimensionGraphicState& g = m.dimGraphic;
    ViewState& v = m.view;
    if (g.DimensionGraphicBlink >= DimensionGraphicBlinkPeriod) g.DimensionGraphicBlink = 0;
    DimensionGraphicEnd e;
    if (g.DimensionGraphicFrames > DimensionGraphicLength) {
        e.ended = true;
        e.reopenFrameDialog = g.ReopenFrameDialog != 0;
        g.DimensionGraphicFrames = 0;
        g.DimensionGraphicBlink = 0;
        g.ShowDimension = 0;
        v.ViewScale = v.SavedViewScale;
        v.ViewOffsetX = v.SavedViewOffsetX;
        v.ViewOffsetY = v.SavedViewOffsetY;
    }
    return e;
}

}  // namespace quarn
