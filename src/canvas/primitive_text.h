// A drawn primitive as one line of plain text, so that a picture can be printed, read
// by a person and compared with a stored one line by line.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace quarn {

// One primitive, without a line end: its kind, its points in the canvas's pixels, then
// its pen or text style, fields parted by one space, colours in lower-case hex:
//   line X1 Y1 X2 Y2 #rrggbb WIDTH              from, to (the end pixel is not set)
//   ellipse LEFT TOP RIGHT BOTTOM #rrggbb WIDTH  the bounding box, right and bottom out
//   arc LEFT TOP RIGHT BOTTOM X3 Y3 X4 Y4 #rrggbb WIDTH
//                                               the box, then start and end radials
//   pixel X Y #rrggbb
//   text X Y #rrggbb SIZE normal|bold clear|opaque "TEXT"
// SIZE is the font's point size; a double quote inside TEXT is written twice. A box
// given corner first in another order is written left, top, right, bottom: it is the
// same ellipse. A clear of the whole surface has no line: every picture starts with
// one, and the list is what is drawn on it. So nullopt for a clear.
std::optional<std::string> primitiveText(const DrawnItem& item);

// Every primitive in drawing order, one a line.
void writePrimitiveList(std::ostream& out, const std::vector<DrawnItem>& items);

}  // namespace quarn
