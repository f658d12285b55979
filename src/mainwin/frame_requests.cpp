// The window's side of the frame contract.
#include "frame_requests.h"

#include <QAction>
#include <QFontMetrics>
#include <QRect>

#include "platform/qt_canvas.h"
#include "platform/sound.h"

namespace quarn {
namespace {

// The frame pixels the dimension graphic's marks take: its name measured in the font the
// canvas draws it in, with a pixel to spare for a glyph that reaches past its advance.
QRect marksArea(const DimensionGraphicMarks& k) {
    QRect area(QPoint(k.hourglassTopLeft.x, k.hourglassTopLeft.y),
               QPoint(k.hourglassBottomRight.x, k.hourglassBottomRight.y));
    if (!k.label.empty()) {
        const QFontMetrics metrics(fontFor(k.labelStyle));
        const QString label = QString::fromStdString(k.label);
        area |= QRect(k.labelAt.x, k.labelAt.y, metrics.horizontalAdvance(label), metrics.height())
                    .adjusted(-1, 0, 1, 0);
    }
    return area;
}

}  // namespace

void applyFrameRequests(const FrameRequests& r, const FrameRequestTargets& t) {
    for (const SoundRequest& s : r.sounds) {
        if (s.volume) t.sound.setVolume(*s.volume, *s.volume);
        t.sound.play(s.file);
    }
    if (r.beep) Sound::beep();
    if (r.errorItemVisible) t.errorItem.setVisible(*r.errorItemVisible);
    if (t.placeUndoButton) t.placeUndoButton(r.undoButtonTop);
    if (r.dynVarBarsEnabled && t.enableDynVarBars) t.enableDynVarBars(*r.dynVarBarsEnabled);
    if (t.keepControlsOff)
        t.keepControlsOff(r.dimensionGraphicMarks ? marksArea(*r.dimensionGraphicMarks) : QRect());
    if (r.dialog != DialogRequest::None && t.dialog) t.dialog(r.dialog);
}

}  // namespace quarn
