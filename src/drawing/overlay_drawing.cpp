// Lines and circles, fixed on the drawing or carried along by their pivots.
#include "overlay_drawing.h"

#include <optional>

#include "frame_mapping.h"
#include "model/overlay.h"
#include "model/rounding.h"

namespace quarn {
namespace {

struct ModelPoint {
    double horz = 0, vert = 0;
};

// Pivot p + (h, v) at the pivot's current position. A pivot number that a file brought
// in from outside 0..26 indexes nothing: the item is not drawn.
std::optional<ModelPoint> fromPivot(const GearModel& m, float pivot, double h, double v) {
    int p = 0;
    if (!overlayPivotIndex(pivot, p)) return std::nullopt;
    return ModelPoint{double(m.PivotHorz[std::size_t(p)]) + h,
                      double(m.PivotVert[std::size_t(p)]) + v};
}

void line(const GearModel& m, Canvas& canvas, std::optional<ModelPoint> a,
          std::optional<ModelPoint> b) {
    if (!a || !b) return;
    canvas.line(screenX(m, a->horz), screenY(m, a->vert), screenX(m, b->horz),
                screenY(m, b->vert));
}

// The box is mapped corner by corner; its right and lower edges lie one pixel further
// out, so the circle reaches the pixel the mapping gives on every side.
void circle(const GearModel& m, Canvas& canvas, std::optional<ModelPoint> c, double r) {
    if (!c) return;
    canvas.ellipse(screenX(m, c->horz - r), screenY(m, c->vert + r),
                   screenX(m, c->horz + r) + 1, screenY(m, c->vert - r) + 1);
}

void drawItem(const GearModel& m, Canvas& canvas, int k) {
    const OverlayItems& o = m.overlay;
    const auto i = std::size_t(k);
    const double h1 = o.Horz1[i], v1 = o.Vert1[i], h2 = o.Horz2[i], v2 = o.Vert2[i];
    const float type = o.ItemType[i], ref = o.ItemRef[i];
    const ModelPoint first{h1, v1}, second{h2, v2};
    if (type == 0) {
        if (ref == RefFixed) line(m, canvas, first, second);
        if (ref == RefPivot1)
            line(m, canvas, fromPivot(m, o.Pivot1[i], h1, v1), fromPivot(m, o.Pivot1[i], h2, v2));
        if (ref == RefPiv1Fixed) line(m, canvas, fromPivot(m, o.Pivot1[i], h1, v1), second);
        if (ref == RefPiv1Piv2)
            line(m, canvas, fromPivot(m, o.Pivot1[i], h1, v1), fromPivot(m, o.Pivot2[i], h2, v2));
    } else if (type == 1) {
        // A circle keeps its radius in Horz2.
        if (ref == RefFixed) circle(m, canvas, first, h2);
        if (ref == RefPivot1) circle(m, canvas, fromPivot(m, o.Pivot1[i], h1, v1), h2);
    }
}

}  // namespace

Color overlayPenColor(const GearModel& m, int item) {
    const auto i = std::size_t(item);
    const float type = m.overlay.ItemType[i];
    if (type != 0 && type != 1) return colors::Black;
    const float stored = m.overlay.ItemColor[i];
    if (!(stored >= 0 && stored <= float(0xFFFFFF))) return colors::Black;
    return colorFromBgr(static_cast<std::uint32_t>(roundHalfEven(stored)));
}

void drawOverlay(const GearModel& m, Canvas& canvas) {
    for (int k = 1; k <= OverlayItemCount; ++k) {
        canvas.setPenColor(overlayPenColor(m, k));
        drawItem(m, canvas, k);
    }
}

}  // namespace quarn
