// The view commands: spring-back pan and zoom, normal view, presets, reference points.
#include "view_control.h"

#include "number_text.h"
#include "rounding.h"

namespace quarn {
namespace {

struct View {
    float scale, x, y;
};

View currentView(const ViewState& v) { return {v.ViewScale, v.ViewOffsetX, v.ViewOffsetY}; }

void setView(ViewState& v, View to) {
    v.ViewScale = to.scale;
    v.ViewOffsetX = to.x;
    v.ViewOffsetY = to.y;
}

void anchorZoom(ViewState& v) {
    v.ZoomAnchorScale = v.ViewScale;
    v.ZoomAnchorOffsetX = v.ViewOffsetX;
    v.ZoomAnchorOffsetY = v.ViewOffsetY;
}

View presetSlot(const ViewState& v, int k) {
    return {v.ViewPresets[3 * k], v.ViewPresets[3 * k + 1], v.ViewPresets[3 * k + 2]};
}

void storePresetSlot(ViewState& v, int k, View view) {
    v.ViewPresets[3 * k] = view.scale;
    v.ViewPresets[3 * k + 1] = view.x;
    v.ViewPresets[3 * k + 2] = view.y;
}

SpringBackBar& refBar(ViewState& v, int point, RefAxis axis) {
    if (point == 2) return axis == RefAxis::Vert ? v.Ref2VertBar : v.Ref2HorzBar;
    return axis == RefAxis::Vert ? v.Ref1VertBar : v.Ref1HorzBar;
}

std::uint8_t& zeroEnabled(ViewState& v, int point) {
    return point == 2 ? v.RefPt2ZeroEnabled : v.RefPt1ZeroEnabled;
}

void placeRefPoint(GearModel& m, int point, double vert, double horz) {
    m.PivotVert[refPointPivot(point)] = static_cast<float>(vert);
    m.PivotHorz[refPointPivot(point)] = static_cast<float>(horz);
}

// A pan bar's step d moves the picture by d screen pixels: right for the horizontal
// bar, up for the vertical one.
void panPixels(ViewState& v, double dx, double dy) {
    v.NormVHZEnabled = 1;
    v.ViewOffsetX = static_cast<float>(v.ViewOffsetX + dx);
    v.ViewOffsetY = static_cast<float>(v.ViewOffsetY + dy);
    anchorZoom(v);
}

// A zoom bar's step d scales by (1 + d / 100) about the screen point (cx, cy).
void zoomStep(ViewState& v, double d, double cx, double cy) {
    v.NormVHZEnabled = 1;
    anchorZoom(v);
    const double s = v.ViewScale * (1 + d * ZoomPerStep);
    v.ViewScale = static_cast<float>(s);
    // A scale of 0 or less can only come from a file; it keeps its offsets rather than
    // turning them into NaN that no pan could mend.
    if (v.ZoomAnchorScale > 0) {
        const double ratio = s / v.ZoomAnchorScale;
        v.ViewOffsetX = static_cast<float>((v.ZoomAnchorOffsetX - cx) * ratio + cx);
        v.ViewOffsetY = static_cast<float>((v.ZoomAnchorOffsetY - cy) * ratio + cy);
    }
    // Only the scale is limited: at a limit the offsets still move as if it had
    // changed, as the program always did.
    if (v.ViewScale > MaxViewScale) v.ViewScale = static_cast<float>(MaxViewScale);
    if (v.ViewScale < MinViewScale) v.ViewScale = static_cast<float>(MinViewScale);
}

}  // namespace

void panVertChange(GearModel& m, int position) {
    ViewState& v = m.view;
    panPixels(v, 0, -springBackChange(v.PanVertBar, position, PanZoomBarScale));
}

void panHorzChange(GearModel& m, int position) {
    ViewState& v = m.view;
    panPixels(v, springBackChange(v.PanHorzBar, position, PanZoomBarScale), 0);
}

void zoomChange(GearModel& m, int position) {
    ViewState& v = m.view;
    zoomStep(v, springBackChange(v.ZoomBar, position, PanZoomBarScale), ViewCentreX, ViewCentreY);
}

void zoomAbout(GearModel& m, double x, double y, double pageSteps) {
    // One page click of the bar is its large step in positions.
    const double d = pageSteps * PanZoomBarScale.largeStep / PanZoomBarScale.divisor;
    zoomStep(m.view, d, x, y);
    // The bar's spring back re-anchors at the new view; the wheel has none.
    anchorZoom(m.view);
}

void panBy(GearModel& m, double dx, double dy) {
    // A pan bar's step is in screen pixels, so a drag of N pixels is a step of N.
    panPixels(m.view, dx, dy);
}

void returnToNormalView(GearModel& m) {
    ViewState& v = m.view;
    v.SavedViewScale = v.ViewScale;
    v.SavedViewOffsetX = v.ViewOffsetX;
    v.SavedViewOffsetY = v.ViewOffsetY;
    setView(v, {v.NormalViewScale, v.NormalViewOffsetX, v.NormalViewOffsetY});
    v.NormVHZEnabled = 0;
    v.PresetCapturing = 0;
    anchorZoom(v);
}

void followOpenedView(GearModel& m) {
    ViewState& v = m.view;
    const bool normal = v.ViewScale == v.NormalViewScale &&
                        v.ViewOffsetX == v.NormalViewOffsetX &&
                        v.ViewOffsetY == v.NormalViewOffsetY;
    v.NormVHZEnabled = normal ? 0 : 1;
}

void capturePreset(GearModel& m) {
    ViewState& v = m.view;
    storePresetSlot(v, 0, currentView(v));
    v.PresetCapturing = 1;
    v.NormVHZEnabled = 1;
}

void selectPreset(GearModel& m, int k) {
    if (k < 1 || k >= ViewPresetSlots) return;
    ViewState& v = m.view;
    if (v.PresetCapturing) storePresetSlot(v, k, presetSlot(v, 0));
    setView(v, presetSlot(v, k));
    v.NormVHZEnabled = 1;
    v.PresetCapturing = 0;
}

bool togglePanZoomBars(GearModel& m) {
    m.view.PanZoomBarsOn = m.view.PanZoomBarsOn ? 0 : 1;
    return m.view.PanZoomBarsOn != 0;
}

const char* setPanZoomCaption(const ViewState& v) {
    return v.PanZoomBarsOn ? SetPanZoomHideCaption : SetPanZoomShowCaption;
}

void restartPanZoomCommand(GearModel& m) { m.view.PanZoomBarsOn = 0; }

bool toggleRefPoints(GearModel& m) {
    ScreenDataState& s = m.screen;
    if (s.RefPointsOn) {
        s.RefPointsOn = 0;
        s.PivotDataOn = 0;  // the pivot data pick works through reference point 1
        return false;
    }
    s.RefPointsOn = 1;
    return true;
}

void nudgeRefPoint(GearModel& m, int point, RefAxis axis, int position) {
    zeroEnabled(m.view, point) = 1;
    const double d = springBackChange(refBar(m.view, point, axis), position, RefPointBarScale);
    const int p = refPointPivot(point);
    if (axis == RefAxis::Vert)
        m.PivotVert[p] = static_cast<float>(m.PivotVert[p] + d);
    else
        m.PivotHorz[p] = static_cast<float>(m.PivotHorz[p] + d);
}

void zeroRefPoint(GearModel& m, int point) {
    placeRefPoint(m, point, 0, 0);
    zeroEnabled(m.view, point) = 0;
}

void notePlacedRefPoints(GearModel& m, const MouseDownResult& placed) {
    if (placed.enableRefPt1Zero) m.view.RefPt1ZeroEnabled = 1;
    if (placed.enableRefPt2Zero) m.view.RefPt2ZeroEnabled = 1;
}

PanBarPositions panToRefPoint(GearModel& m, int point) {
    ViewState& v = m.view;
    const int p = refPointPivot(point);
    const double s = v.ViewScale;
    v.ViewOffsetX = static_cast<float>(ViewCentreX - m.PivotHorz[p] * s);
    v.ViewOffsetY = static_cast<float>(s * m.PivotVert[p] + ViewCentreY);
    // Where the bars would stand if they were absolute pans of the normal view.
    const double ns = v.NormalViewScale, nx = v.NormalViewOffsetX, ny = v.NormalViewOffsetY;
    PanBarPositions bars;
    bars.horz = roundHalfEven(-((v.ViewOffsetX - ViewCentreX) * ns / s + ViewCentreX - nx) *
                              100 / nx);
    bars.vert = roundHalfEven(((v.ViewOffsetY - ViewCentreY) * ns / s + ViewCentreY - ny) *
                              200 / ny);
    return bars;
}

std::array<float, 4> refPointsDialogValues(const GearModel& m) {
    return {m.PivotVert[19], m.PivotHorz[19], m.PivotVert[20], m.PivotHorz[20]};
}

std::array<std::string, 4> refPointsDialogTexts(const GearModel& m) {
    std::array<std::string, 4> texts;
    const auto values = refPointsDialogValues(m);
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = Str(values[i], 5, 3);
    return texts;
}

void refPointsDialogOK(GearModel& m, const std::array<double, 4>& typed) {
    placeRefPoint(m, 1, typed[0], typed[1]);
    placeRefPoint(m, 2, typed[2], typed[3]);
    for (int point = 1; point <= 2; ++point) {
        const int p = refPointPivot(point);
        if (m.PivotVert[p] != 0 || m.PivotHorz[p] != 0) zeroEnabled(m.view, point) = 1;
    }
    m.screen.RefPointsOn = 0;
    toggleRefPoints(m);
}

void refPointsDialogCancel(GearModel& m) {
    m.screen.RefPointsOn = 1;
    toggleRefPoints(m);
}

void refPointsDialogZero(GearModel& m) {
    zeroRefPoint(m, 1);
    zeroRefPoint(m, 2);
    m.screen.RefPointsOn = 1;
    toggleRefPoints(m);
}

std::string graphicZoomText(const GearModel& m) { return Str(m.view.GraphicZoom, 4, 2); }

void setGraphicZoom(GearModel& m, double typed) {
    double z = typed;
    if (!(z >= MinGraphicZoom)) z = MinGraphicZoom;  // NaN too: the graphic's scale divides by it
    if (z > MaxGraphicZoom) z = MaxGraphicZoom;
    m.view.GraphicZoom = static_cast<float>(z);
}

}  // namespace quarn
