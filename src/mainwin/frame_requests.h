// What a tick's FrameRequests do to the window: the sounds, the beep, the Error menu
// item, and the hooks of the controls that belong to panels still to come.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "drawing/run_frame.h"

class QAction;
class QRect;

namespace quarn {

class Sound;

struct FrameRequestTargets {
    Sound& sound;
    QAction& errorItem;
    // Filled by the panel that owns the UnDo button: shown with this top, hidden when empty.
    std::function<void(std::optional<int> top)> placeUndoButton;
    // Filled by the dynamic-variable panel: SBDynVar1..4 enabled (entry 0 unused).
    std::function<void(const std::array<bool, 5>& enabled)> enableDynVarBars;
    // Filled by the window that owns the dimension dialogs: close or show one again.
    std::function<void(DialogRequest)> dialog;
    // Filled by the frame's view: no control may cover this part of the frame (frame
    // pixels); an empty rectangle lets them lie on the frame again.
    std::function<void(const QRect& area)> keepControlsOff;
};

// Applies the requests in the order the frame made them; an empty hook is skipped.
void applyFrameRequests(const FrameRequests& requests, const FrameRequestTargets& targets);

}  // namespace quarn
