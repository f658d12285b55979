// What a click on the main window does to the model: it places the reference points,
// chooses the pivot data row that waits for a pivot, and picks that pivot.
#pragma once

#include "gear_model.h"

namespace quarn {

enum class MouseButton { Left, Right };

// What the window has to show after the click.
struct MouseDownResult {
    bool enableRefPt1Zero = false;  // reference point 1 was placed
    bool enableRefPt2Zero = false;  // reference point 2 was placed
    bool openOverlayDialog = false;  // the lines-and-circles dialog reopens after a pick
};

// Pivot numbers a pivot data row may be given: 1..23 without the reference points.
constexpr int FirstPickablePivot = 1;
constexpr int LastPickablePivot = 23;
// A pick farther than this from every pivot (|dVert| + |dHorz|, model units) finds none.
constexpr double PickSearchDistance = 10000;

// The model point under a client pixel of the main window, with the current view.
PivotPoint modelPointAt(const GearModel& m, int x, int y);

// The pivot nearest to `at` for a pivot data row. Of equally near pivots the lowest
// number wins; when none lies nearer than the search distance, the previous pick's.
int nearestPivotForRow(const GearModel& m, PivotPoint at);

// True when (x, y) lies on the red number of pivot data row k (1..6) as the current
// text layout draws it.
bool onPivotDataRowNumber(const GearModel& m, int k, int x, int y);

// The main window's mouse-down rules, in their order, for a click at client pixel
// (x, y).
MouseDownResult FormMouseDown(GearModel& m, MouseButton button, int x, int y);

}  // namespace quarn
