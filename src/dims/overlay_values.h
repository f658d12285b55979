// Overlay values as a dimension file may hold them: floats that stand for an item
// number or a pivot number and must never index outside their arrays.
#pragma once

#include "model/overlay.h"  // overlayPivotIndex: the drawing needs it too

namespace quarn {

// The current overlay item for a stored float: rounded to the nearest item (halves to
// the even one) and kept within 1..20; a value that is not a number selects item 1.
int currentItemFromFile(float stored);

}  // namespace quarn
