// The dimension graphic: a dimension dialog's small button shows where that dimension
// lies on the gear. For 1000 frames (or until the next click on the main window) the
// main window zooms and pans to the part concerned and draws the dimension as a thick
// blinking line with its name; then the view comes back and the dialog opens again.
// This is the counting and the view; the line itself is drawn from the screen points.
#pragma once

#include <string_view>

#include "gear_model.h"

namespace quarn {

// The graphic runs for this many frames; a click on the main window pushes the counter
// past it so that the next frame is the last.
inline constexpr int DimensionGraphicLength = 1000;
inline constexpr int DimensionGraphicClickFrames = 1005;
// Three frames red, three black.
inline constexpr int DimensionGraphicRedFrames = 3;
inline constexpr int DimensionGraphicBlinkPeriod = 6;
inline constexpr int DimensionGraphicPenWidth = 3;
inline constexpr int DimensionGraphicFontSize = 14;

// The fixed facts of one dimension's graphic.
struct DimensionGraphicCase {
    int code = 0;            // 1..30 frame dimension, 101..117 cylinder dimension
    std::string_view label;  // drawn in large type beside the hourglass
    float K = 0;             // the scale at the default graphic zoom of 7.5
    bool setsOffsets = false;  // false: the graphic keeps the user's offsets
    float offsetX = 0, offsetY = 0;
};

// The case of a dimension code, or nullptr for a code no button gives.
const DimensionGraphicCase* dimensionGraphicCase(int code);

// A dimension dialog's small button: start the graphic of dimension code N (the frame
// dialog's button k gives k, the cylinder dialog's 100 + k). A code no button gives is
// ignored, so a graphic that could draw nothing never starts. Returns whether it started.
bool startDimensionGraphic(GearModel& m, int code);

// A click anywhere on the main window while a graphic is showing: the next frame ends it.
void endDimensionGraphicOnClick(GearModel& m);

// The graphic's scale for a K: K × 7.5 / GraphicZoom. A zoom from a file outside the
// limits the zoom dialog keeps (0.5..2000), or NaN, is taken at the nearest limit, so
// the view never becomes infinite or NaN.
double dimensionGraphicScale(const GearModel& m, double K);

// What this frame of the graphic draws, decided before the drawing.
struct DimensionGraphicFrame {
    bool cylinderDialog = false;  // the button was one of the cylinder dialog's
    bool red = false;             // the line's pen: red, else black
    // The dimension's case when it is drawn this frame (its view is set); nullptr when
    // nothing but the hourglass is drawn (the combination lever and valve rod in the
    // Erie Triplex form, where those dimensions are not on the gear).
    const DimensionGraphicCase* drawn = nullptr;
};

// The frame's first half, run while ShowDimension > 0: the dialog flag, the saved view
// on the first frame, the counters and the graphic's view.
DimensionGraphicFrame beginDimensionGraphicFrame(GearModel& m);

// The frame's second half, after the drawing: the blink wraps, and after the last frame
// the counters and selector clear and the saved view comes back.
struct DimensionGraphicEnd {
    bool ended = false;
    bool reopenFrameDialog = false;  // else the cylinder dialog, when ended
};
DimensionGraphicEnd finishDimensionGraphicFrame(GearModel& m);

}  // namespace quarn
