// Overlay values as a dimension file may hold them: floats that stand for an item
// number or a pivot number and must never index outside their arrays.
#pragma once

namespace quarn {

// The current overlay item for a stored float: rounded to the nearest item (halves to
// the even one) and kept within 1..20; a value that is not a number selects item 1.
int currentItemFromFile(float stored);

// The pivot an overlay item is tied to. False for a value that is not a number or
// that does not round to a pivot 0..26: such an item is kept as it is but not drawn.
bool overlayPivotIndex(float stored, int& index);

}  // namespace quarn
