// The reference points, the pivot pick and the row choice of the pivot data block.
#include "pointer.h"

#include <cmath>

#include "screen_data_state.h"

namespace quarn {
namespace {

// Above the panel of controls only the part right of the bar captions is drawing.
bool inDrawingArea(int x, int y) { return y > 120 || (y > 67 && x > 247); }

void placePivot(GearModel& m, int pivot, PivotPoint at) {
    m.PivotHorz[pivot] = at.Horz;
    m.PivotVert[pivot] = at.Vert;
}

// The pivot pick that a row selection armed: the click also moves reference point 1.
void pickRowPivot(GearModel& m, PivotPoint at) {
    placePivot(m, 19, at);
    const int pivot = nearestPivotForRow(m, at);
    ScreenDataState& s = m.screen;
    s.LastPickedPivot = pivot;
    s.PivotRowPickPending = 0;
    if (s.PivotDataPickRow >= 1 && s.PivotDataPickRow <= PivotDataRows)
        s.PivotDataRowPivot[s.PivotDataPickRow] = static_cast<float>(pivot);
}

void selectRow(GearModel& m, int x, int y) {
    ScreenDataState& s = m.screen;
    for (int k = 1; k <= PivotDataRows; ++k) {
        if (!onPivotDataRowNumber(m, k, x, y)) continue;
        s.PivotDataPickRow = k;
        s.PivotDataRowSet[k] = 1;
        s.PivotRowPickPending = 1;
    }
}

// The lines-and-circles dialog waits, shut, for its pivots: one left click for one
// pivot, or a left click and then a right one for two.
void pickOverlayPivots(GearModel& m, bool left, MouseDownResult& result) {
    OverlayItems& o = m.overlay;
    const bool typeAndColour = o.TypeChoice >= 0 && o.ColorChoice >= 0;
    const int ref = o.ReferenceChoice;
    if (m.screen.RefPointsOn && left && typeAndColour && ref >= 0 && ref <= 2)
        result.openOverlayDialog = true;
    if (left) {
        o.PickArmed = true;
    } else if (m.screen.RefPointsOn && typeAndColour && ref == 3 && o.PickArmed) {
        o.PickArmed = false;
        result.openOverlayDialog = true;
    }
}

}  // namespace

PivotPoint modelPointAt(const GearModel& m, int x, int y) {
    const double scale = m.view.ViewScale;
    return {static_cast<float>((x - double(m.view.ViewOffsetX)) / scale),
            static_cast<float>(-(y - double(m.view.ViewOffsetY)) / scale)};
}

int nearestPivotForRow(const GearModel& m, PivotPoint at) {
    double best = PickSearchDistance;
    int chosen = m.screen.LastPickedPivot;
    for (int p = FirstPickablePivot; p <= LastPickablePivot; ++p) {
        if (p == 19 || p == 20) continue;
        const double d = std::fabs(double(m.PivotVert[p]) - at.Vert) +
                         std::fabs(double(m.PivotHorz[p]) - at.Horz);
        if (d < best) {
            best = d;
            chosen = p;
        }
    }
    return chosen;
}

bool onPivotDataRowNumber(const GearModel& m, int k, int x, int y) {
    const TextScale& t = m.screen.text;
    const int top = 152 + 10 * (k - 1);
    return t.y(top) < y && y < t.y(top + 9) && 0 < x && x < t.x(20);
}

MouseDownResult FormMouseDown(GearModel& m, MouseButton button, int x, int y) {
    MouseDownResult result;
    ScreenDataState& s = m.screen;
    const bool left = button == MouseButton::Left;
    const PivotPoint at = modelPointAt(m, x, y);
    if (s.RefPointsOn && inDrawingArea(x, y)) {
        placePivot(m, left ? 19 : 20, at);
        (left ? result.enableRefPt1Zero : result.enableRefPt2Zero) = true;
    }
    pickOverlayPivots(m, left, result);
    if (s.PivotDataOn && s.PivotRowPickPending && s.RefPointsOn && left) pickRowPivot(m, at);
    // Runs after the pick in the same click, so a pick that lands on a row number
    // arms that row at once.
    if (s.PivotDataOn && !s.PivotRowPickPending && s.RefPointsOn && left) selectRow(m, x, y);
    // A click ends a dimension graphic at its next frame: that goes here, last.
    return result;
}

}  // namespace quarn
