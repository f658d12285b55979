// A window's picture that is drawn on demand: kept at its reference size, pixel for
// pixel, and shown filling the pane with its proportions kept, painted from the steps
// that drew it so that lines and texts are sharp at any size and device pixel ratio.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "canvas/recording_canvas.h"
#include "platform/picture_fit.h"

namespace quarn {

class PicturePane : public QWidget {
public:
    // Both must outlive the pane: the picture as drawn, and the steps it was drawn with
    // since it was last cleared. The pane is never smaller than the picture.
    PicturePane(const QImage& reference, const RecordingCanvas& steps, QWidget* parent);

    // Pointer moves over the picture.
    std::function<void()> onMouseMove;
    // The picture's scale on the pane changed: what lies on it moves along.
    std::function<void(double)> onScaleChanged;

    const PictureFit& fit() const { return fit_; }
    // The picture or its reference size changed: shown afresh.
    void pictureChanged();
    // What the pane shows: the reference itself, or the picture painted at the pane's
    // size in device pixels.
    const QImage& shown() const { return scaled_.isNull() ? reference_ : scaled_; }

    QSize sizeHint() const override { return reference_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const QImage& reference_;
    const RecordingCanvas& steps_;
    PictureFit fit_;
    QImage scaled_;  // null while the reference is shown as it is
};

}  // namespace quarn
