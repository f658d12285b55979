// A drawn primitive as one line of plain text, so that a picture can be printed, read
// by a person and compared with a stored one line by line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace quarn {

// One primitive, without a line end. The kind comes first, then the pen or text style,
// then the points, each as x,y:
//   clear #FFFFFF
//   line WIDTH #RRGGBB x1,y1 x2,y2                  from, to (the end pixel is not set)
//   ellipse WIDTH #RRGGBB x1,y1 x2,y2               the bounding box
//   arc WIDTH #RRGGBB x1,y1 x2,y2 x3,y3 x4,y4       the box, then start and end radials
//   pixel #RRGGBB x,y
//   text "TEXT" #RRGGBB "FONT" 8pt bold|normal opaque #RRGGBB|transparent x,y
// In the quoted texts a quote and a backslash are escaped with a backslash, and a
// control character is written \xHH, so that every primitive stays on its own line.
std::string primitiveText(const DrawnItem& item);

// Every primitive in drawing order, one a line.
void writePrimitiveList(std::ostream& out, const std::vector<DrawnItem>& items);

}  // namespace quarn
