// The frame in its order, each feature a model step and a drawing step.
#include "run_frame.h"

#include "dimension_graphic_drawing.h"
#include "frame_mapping.h"
#include "gear_drawing.h"
#include "model/dimension_graphic.h"
#include "model/steam.h"
#include "overlay_drawing.h"
#include "screen_data.h"
#include "steam_drawing.h"

namespace quarn {
namespace {

// The steps of the features still to come take the frame as it stands; each finds the
// pen as the one before left it.
struct Frame {
    GearModel& m;
    Canvas& canvas;
    Random& random;
    const OutlinePoints& outline;
    FrameRequests& requests;
    const FrameOptions& options;
};

// The levels move first, the pixels are painted from the same colours and counts, and
// the beats follow the pixels.
void steamStep(Frame& f) {
    const SteamFrame steam = advanceSteamLevels(f.m);
    if (drawSteam(f.m, steam, f.outline, f.canvas, f.random)) f.requests.beep = true;
    for (const ExhaustBeat& beat : advanceExhaustBeats(f.m))
        f.requests.sounds.push_back({ExhaustSoundFile, beat.volume});
}

void errorFlashStep(Frame& f) {
    const ErrorFlashSignal signal = errorFlash(f.m);
    if (signal.errorItemVisible) f.requests.errorItemVisible = signal.errorItemVisible;
    if (signal.playErrorSound) f.requests.sounds.push_back({ErrorSoundFile, std::nullopt});
}

void overlayStep(Frame& f) { drawOverlay(f.m, f.canvas); }

// Nothing of the text panel, the error flash or the cut-off tracking runs while the
// screen data are off.
void screenDataStep(Frame& f) {
    if (!f.m.screen.ScreenDataOn) return;
    drawScreenDataBeforeErrorFlash(f.m, f.canvas, f.requests, !f.options.drawingOnly);
    errorFlashStep(f);
    drawScreenDataAfterErrorFlash(f.m, f.canvas, f.requests);
}
// The graphic runs whatever the screen-data setting. Its dialog is closed on every frame
// (a no-op once it is shut); the last frame asks for it to be shown again instead.
void dimensionGraphicStep(Frame& f) {
    if (f.m.dimGraphic.ShowDimension <= 0) return;
    const DimensionGraphicFrame graphic = beginDimensionGraphicFrame(f.m);
    f.requests.dialog = graphic.cylinderDialog ? DialogRequest::CloseCylinderDialog
                                               : DialogRequest::CloseFrameDialog;
    drawDimensionGraphic(f.m, graphic, f.outline, f.canvas);
    f.requests.dimensionGraphicMarks = dimensionGraphicMarks(f.m, graphic);
    const DimensionGraphicEnd end = finishDimensionGraphicFrame(f.m);
    if (end.ended) {
        f.requests.dialog = end.reopenFrameDialog ? DialogRequest::ShowFrameDialog
                                                  : DialogRequest::ShowCylinderDialog;
        f.requests.defaultPointer = true;
    }
}

void resetPen(const GearModel& m, Canvas& canvas) {
    canvas.setPenWidth(m.screen.LineWidth);
    canvas.setPenColor(colors::Black);
}

}  // namespace

FrameRequests RunFrame(GearModel& m, Canvas& canvas, Random& random,
                       const FrameOptions& options) {
    FrameRequests requests;
    const OutlinePoints outline = computeOutlinePoints(m);
    Frame frame{m, canvas, random, outline, requests, options};

    canvas.clear(colors::White);
    resetPen(m, canvas);
    // Steam first, so that the outlines lie on top of it.
    if (m.SteamDisplayOn) {
        steamStep(frame);
        resetPen(m, canvas);
    }
    drawGear(m, outline, canvas);
    overlayStep(frame);
    screenDataStep(frame);
    dimensionGraphicStep(frame);
    return requests;
}

}  // namespace quarn
