// The view of the drawing: scale and offsets, the normal, saved and zoom-anchor views,
// the seven presets, the dimension graphic's zoom and the pan/zoom bars' memory.
#pragma once

#include <array>
#include <cstdint>

#include "scroll_rule.h"

namespace quarn {

constexpr int ViewPresetSlots = 7;  // slot 0 is the one "P" captures
constexpr int ViewPresetCount = ViewPresetSlots * 3;

// The start view: the whole gear fits the window at this scale.
inline constexpr float StartViewScale = 18;
inline constexpr float StartViewOffsetX = 86;
inline constexpr float StartViewOffsetY = 280;

struct ViewState {
    // Screen x = N(Horz × ViewScale + ViewOffsetX), y = N(−Vert × ViewScale + ViewOffsetY).
    float ViewScale = StartViewScale;
    float ViewOffsetX = StartViewOffsetX;
    float ViewOffsetY = StartViewOffsetY;
    // Restored by "Norm"; never changed after start-up.
    float NormalViewScale = StartViewScale;
    float NormalViewOffsetX = StartViewOffsetX;
    float NormalViewOffsetY = StartViewOffsetY;
    // The view a dimension graphic returns to.
    float SavedViewScale = StartViewScale;
    float SavedViewOffsetX = StartViewOffsetX;
    float SavedViewOffsetY = StartViewOffsetY;
    // The view at the start of a zoom step.
    float ZoomAnchorScale = StartViewScale;
    float ZoomAnchorOffsetX = StartViewOffsetX;
    float ZoomAnchorOffsetY = StartViewOffsetY;
    // Scale, x offset, y offset of presets 0..6, in that order; the file stores them so.
    std::array<float, ViewPresetCount> ViewPresets{
        0,  0,   0,   62, 315,   237, 45,  -220,   395,  55,  -800,
        335, 59, -1200, 322, 427, -10200, 1482, 427, -11800, 1482};
    float GraphicZoom = 7.5f;  // kept within 0.5..2000

    // What the view buttons show, kept here so that no rule reads a button.
    std::uint8_t NormVHZEnabled = 0;     // "Norm" usable: the view has been moved
    std::uint8_t PresetCapturing = 0;    // "P" pressed: the next number stores the view
    std::uint8_t RefPt1ZeroEnabled = 0;  // reference point 1 is away from (0, 0)
    std::uint8_t RefPt2ZeroEnabled = 0;
    std::uint8_t PanZoomBarsOn = 0;      // the pan/zoom command last showed the bars

    // The remembered positions of the relative bars of the view band.
    SpringBackBar PanVertBar, PanHorzBar, ZoomBar;
    SpringBackBar Ref1VertBar, Ref1HorzBar, Ref2VertBar, Ref2HorzBar;
};

}  // namespace quarn
