// The window's side of the frame contract.
#include "frame_requests.h"

#include <QAction>

#include "platform/sound.h"

namespace quarn {

void applyFrameRequests(const FrameRequests& r, const FrameRequestTargets& t) {
    for (const SoundRequest& s : r.sounds) {
        if (s.volume) t.sound.setVolume(*s.volume, *s.volume);
        t.sound.play(s.file);
    }
    if (r.beep) Sound::beep();
    if (r.errorItemVisible) t.errorItem.setVisible(*r.errorItemVisible);
    if (t.placeUndoButton) t.placeUndoButton(r.undoButtonTop);
    if (r.dynVarBarsEnabled && t.enableDynVarBars) t.enableDynVarBars(*r.dynVarBarsEnabled);
    if (r.dialog != DialogRequest::None && t.dialog) t.dialog(r.dialog);
}

}  // namespace quarn
