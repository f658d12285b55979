// The dimension graphic on the frame: the hourglass mark, the dimension as a thick
// blinking line in the graphic's view, and the dimension's name in large type.
#pragma once

#include <string>

#include "canvas/canvas.h"
#include "frame_mapping.h"
#include "model/dimension_graphic.h"
#include "model/gear_model.h"

namespace quarn {

// The line's two ends for the dimension being drawn (a case of selector 29 or 30 has a
// second stroke, the tick across the centre). The pivots and outline points are the
// ones the tick mapped; points built from model values use the view the graphic set.
struct DimensionLine {
    ScreenPoint from, to;
    bool hasTick = false;
    ScreenPoint tickFrom, tickTo;
};
DimensionLine dimensionLine(const GearModel& m, const OutlinePoints& o, int code);

// What the graphic marks in the frame's top-left corner: the hourglass, and the name of
// the dimension in its large type. The window keeps its controls off them while the
// graphic shows, or the user could not tell which dimension is shown.
struct DimensionGraphicMarks {
    // The box of the hourglass's lines, their pen's width included.
    ScreenPoint hourglassTopLeft, hourglassBottomRight;
    ScreenPoint labelAt;  // the name's top-left corner
    std::string label;    // empty when the frame draws the hourglass alone
    TextStyle labelStyle;
};
DimensionGraphicMarks dimensionGraphicMarks(const GearModel& m, const DimensionGraphicFrame& frame);

// Draws the hourglass, and the line and the label when the frame draws its dimension.
// Leaves the pen at the line's width and colour.
void drawDimensionGraphic(const GearModel& m, const DimensionGraphicFrame& frame,
                          const OutlinePoints& outline, Canvas& canvas);

}  // namespace quarn
