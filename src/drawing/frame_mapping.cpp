// The tick's mapping of the pivots to the screen and the outline points of the cylinder,
// ports, piston and valve, all rounded to the nearest pixel with halves to even.
#include <algorithm>
#include <cmath>

#include "frame_mapping.h"
#include "model/rounding.h"
#include "model/solver.h"

namespace quarn {

int roundToScreen(double v) { return roundHalfEven(v, ScreenCoordLimit); }

int screenX(const GearModel& m, double horz) {
    return roundToScreen(horz * double(m.view.ViewScale) + double(m.view.ViewOffsetX));
}

int screenY(const GearModel& m, double vert) {
    return roundToScreen(-vert * double(m.view.ViewScale) + double(m.view.ViewOffsetY));
}

void mapPivotsToScreen(GearModel& m) {
    for (int p = 0; p <= 21; ++p) {
        m.PivotScreenX[p] = screenX(m, m.PivotHorz[p]);
        m.PivotScreenY[p] = screenY(m, m.PivotVert[p]);
    }
    // Pivots 6 and 11 hold offsets from the gear mounting point (backwards and up for
    // the bell crank, backwards and down for the reverse arm); their screen slots show
    // where those pivots really are.
    const PivotPoint revArm = revArmPivot(m), bellCrank = bellCrankPivot(m);
    m.PivotScreenX[11] = screenX(m, revArm.Horz);
    m.PivotScreenY[11] = screenY(m, revArm.Vert);
    m.PivotScreenX[6] = screenX(m, bellCrank.Horz);
    m.PivotScreenY[6] = screenY(m, bellCrank.Vert);
}

OutlinePoints computeOutlinePoints(const GearModel& m) {
    const CylDims& c = m.cyl;
    const double cx = c.CylCtrToDriverCtr;
    const double vc = m.PivotVert[3], vv = m.PivotVert[4];
    const double pc = double(m.PivotHorz[3]) + c.PistonCtrToCrosshead;
    const double qc = double(m.PivotHorz[4]) + c.ValveCtrToJoint;
    const double halfVBL = double(c.ValveBoreLength) / 2, halfCBL = double(c.CylinderBoreLength) / 2;
    const double valveTop = vv + double(c.ValveBoreDia) / 2, valveBottom = vv - double(c.ValveBoreDia) / 2;
    const double cylTop = vc + double(c.CylinderBoreDia) / 2, cylBottom = vc - double(c.CylinderBoreDia) / 2;
    const double vp = c.ValveBoreCtrToPort, wr = c.ValveBorePortWidthRear, wf = c.ValveBorePortWidthFront;
    const double r = c.ValveCtrToRing, er = c.ValveEndWidthRear, ef = c.ValveEndWidthFront;
    const double halfPiston = double(c.PistonWidth) / 2;
    auto pt = [&m](double h, double v) { return ScreenPoint{screenX(m, h), screenY(m, v)}; };

    OutlinePoints o;
    o.cylinderStart = pt(cx - halfVBL, valveTop);
    o.CylinderOutlinePoints = {
        pt(cx - halfVBL, valveBottom),       pt(cx - vp - wr, valveBottom),
        pt(cx - halfCBL, cylTop),            pt(cx - halfCBL, cylBottom),
        pt(cx + halfCBL, cylBottom),         pt(cx + halfCBL, cylTop),
        pt(cx + vp + wf, valveBottom),       pt(cx + halfVBL, valveBottom),
        pt(cx + halfVBL, valveTop),          pt(cx + halfVBL - 2 * wf, valveTop),
        pt(cx + wr, valveTop),               pt(cx - halfVBL + 2 * wr, valveTop),
        pt(cx - wf, valveTop)};
    o.PortInnerPoints = {pt(cx - vp, valveBottom), pt(cx - halfCBL + c.CylSteamPortWidth, cylTop),
                         pt(cx + halfCBL - c.CylSteamPortWidth, cylTop), pt(cx + vp, valveBottom)};
    o.PistonPoints = {pt(pc - halfPiston, cylTop), pt(pc - halfPiston, cylBottom),
                      pt(pc + halfPiston, cylBottom), pt(pc + halfPiston, cylTop)};
    o.PistonRodEnd = pt(pc + halfPiston, vc);
    o.RearValveHeadPoints = {pt(qc - r - er, valveTop), pt(qc - r - er, valveBottom),
                             pt(qc - r, valveBottom), pt(qc - r, valveTop)};
    o.FrontValveHeadPoints = {pt(qc + r, valveTop), pt(qc + r, valveBottom),
                              pt(qc + r + ef, valveBottom), pt(qc + r + ef, valveTop)};
    o.ValveSpindleEnd = pt(qc + r + ef, vv);
    return o;
}

void solveAndMapFrame(GearModel& m) {
    SolveLinkage(m);
    SolvePistonAndPorts(m);
    mapPivotsToScreen(m);
}

}  // namespace quarn
