// The view commands of the main window: pan and zoom by the spring-back bars, the
// normal view, the seven presets, the reference points and the graphic zoom factor.
// Each function is one command; the window mirrors the flags of ViewState afterwards.
#pragma once

#include <array>
#include <string>

#include "gear_model.h"
#include "pointer.h"

namespace quarn {

// The screen point that stays put while zooming, and where "RP1"/"RP2" bring a point.
inline constexpr double ViewCentreX = 320;
inline constexpr double ViewCentreY = 240;
// A page click of the zoom bar scales by 1.01, an arrow click by 1.001.
inline constexpr double ZoomPerStep = 0.01;
inline constexpr double MinViewScale = 0.5;
inline constexpr double MaxViewScale = 3000;
inline constexpr double MinGraphicZoom = 0.5;
inline constexpr double MaxGraphicZoom = 2000;

// Ranges of the relative bars (symmetric about the rest position 0).
inline constexpr int PanBarLimit = 500;
inline constexpr int ZoomBarLimit = 200;
inline constexpr int RefVertBarLimit = 5000;
inline constexpr int RefHorzBarLimit = 10000;

// The menu item that hides and shows the pan and zoom bars while the screen data are off.
inline constexpr const char* SetPanZoomHideCaption = "SetP&anZoom Off";
inline constexpr const char* SetPanZoomShowCaption = "SetP&anZoom On";
// The caption the program starts with and the screen-data command puts back.
inline constexpr const char* SetPanZoomStartCaption = "Set&PanZoom On";

enum class RefAxis { Vert, Horz };

// Reference point 1 is pivot 19, point 2 pivot 20.
constexpr int refPointPivot(int point) { return point == 2 ? 20 : 19; }

// The three spring-back bars of the view. Each takes the bar's new position, works
// out the step, applies it and leaves the zoom anchor at the new view; the caller
// then sets the bar back to 0, which comes here again with a step of 0.
void panVertChange(GearModel& m, int position);
void panHorzChange(GearModel& m, int position);
void zoomChange(GearModel& m, int position);

// The mouse on the drawing, as the bars would move the view. The wheel: zoom by
// `pageSteps` page clicks of the zoom bar (positive zooms in) about the screen point
// (x, y), so that the model point under it stays there. A drag with the middle button:
// pan by (dx, dy) screen pixels, so that the picture follows the pointer. Both leave
// "Norm" usable and the zoom anchor at the new view, as a bar change does.
void zoomAbout(GearModel& m, double x, double y, double pageSteps);
void panBy(GearModel& m, double dx, double dy);

// "Norm": keep the current view as the saved one and return to the normal view.
void returnToNormalView(GearModel& m);
// A design came in with the view it was saved with: "Norm" is usable exactly when that
// view is not the normal one.
void followOpenedView(GearModel& m);

// "P": the current view goes to slot 0, and the next number button stores it there.
void capturePreset(GearModel& m);
// "1".."6": store the captured view under k if "P" came first, then show preset k.
void selectPreset(GearModel& m, int k);

// The pan/zoom command: hides the bars when it showed them last, else shows them.
// Returns whether the bars are now shown; the caption follows the flag.
bool togglePanZoomBars(GearModel& m);
const char* setPanZoomCaption(const ViewState& v);
// The screen data came back on: the next use of the command shows the bars.
void restartPanZoomCommand(GearModel& m);

// The reference-points command: switches them off (and the pivot data with them) when
// on, else on. Returns the new state.
bool toggleRefPoints(GearModel& m);

// A change of one of the four fine bars of reference point 1 or 2.
void nudgeRefPoint(GearModel& m, int point, RefAxis axis, int position);
// "0" beside the point's bars: the point back to (0, 0).
void zeroRefPoint(GearModel& m, int point);
// A click on the drawing placed a reference point: its zero button becomes usable.
void notePlacedRefPoints(GearModel& m, const MouseDownResult& placed);

// "RP1"/"RP2": pan so that the point lands on the view centre. Returns the positions
// the pan bars are then set to; their change handling pans once more by the step.
struct PanBarPositions {
    int horz = 0;
    int vert = 0;
};
PanBarPositions panToRefPoint(GearModel& m, int point);

// The reference-points dialog: the four fields in the order V1, H1, V2, H2 as it
// opens (the stored values and their texts), and its three buttons. OK always leaves
// the points on, the others off.
std::array<float, 4> refPointsDialogValues(const GearModel& m);
std::array<std::string, 4> refPointsDialogTexts(const GearModel& m);
void refPointsDialogOK(GearModel& m, const std::array<double, 4>& typed);
void refPointsDialogCancel(GearModel& m);
void refPointsDialogZero(GearModel& m);

// The graphic zoom dialog: its field as it opens, and its OK (clamped to the limits).
std::string graphicZoomText(const GearModel& m);
void setGraphicZoom(GearModel& m, double typed);

}  // namespace quarn
