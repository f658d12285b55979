// The widget that shows the frame the last tick drew; the panels' controls sit on it.
// It shows the frame pixel for pixel, or scaled to fill the window ("Fit to Window"),
// painted afresh from the tick's drawing steps so that lines and texts stay sharp; the
// same happens at 1:1 on a screen with more device pixels than frame pixels.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "canvas/recording_canvas.h"
#include "platform/picture_fit.h"

namespace quarn {

class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(const QImage& frame, QWidget* parent);

    // Told of every button press on the frame, in frame pixels.
    std::function<void(Qt::MouseButton, QPoint)> onPress;
    // Told of the wheel over the frame, not over a control on it: where, in frame pixels,
    // and by how many notches (positive turned away from the user).
    std::function<void(QPoint, double)> onWheel;
    // Told of each move of a drag with the middle button, in frame pixels since the last.
    std::function<void(QPoint)> onMiddleDrag;
    // Told when the frame's scale on the window changes (fit switched, window resized):
    // the controls lying on the frame move with it.
    std::function<void(double)> onFitChanged;

    // Fit to Window on or off; off shows the frame at 1:1 from the top left.
    void setFitToWindow(bool on);
    bool fitsToWindow() const { return fitOn_; }
    const PictureFit& fit() const { return fit_; }
    // Whether the frame is painted from its drawing steps (scaled, or at a device pixel
    // ratio other than 1): the tick then hands them to showTick.
    bool paintsFromSteps() const { return fit_.scale * dpr_ != 1.0; }
    // A tick drew the frame: `changed` are the frame pixels that differ from the frame
    // before (what the 1:1 picture repaints), `steps` how it was drawn (only while
    // painting from steps: what differs from the last tick's is painted again).
    void showTick(const QRegion& changed, const std::vector<DrawnItem>& steps);
    // The frame as painted from its steps, at device pixels, and the steps of the last tick.
    const QImage& scaledPicture() const { return scaled_; }
    const std::vector<DrawnItem>& lastSteps() const { return steps_; }

    // Shows the frame above the controls that lie on it within `area` (frame pixels),
    // so that what the frame draws there is seen; a press there is a press on the frame.
    // An empty area puts the controls back on top.
    void keepControlsOff(const QRect& area);

    // Paints the frame's pixels within `area` (widget pixels) with `painter`.
    void paintFrame(QPainter& painter, const QRegion& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The scale and device pixel ratio follow the window; a change paints afresh.
    void followSize();
    // Paints the steps of the last frame within `area` (widget pixels) of scaled_.
    void paintSteps(const QRegion& area);
    QRect pictureArea() const;

    const QImage& frame_;
    QWidget* cover_ = nullptr;  // the piece of the frame laid over the controls
    QRect coverFrameArea_;      // where it lies, in frame pixels
    QPoint dragFrom_;           // the frame pixel under the middle-button drag at its last move
    bool fitOn_ = false;
    PictureFit fit_;
    double dpr_ = 1.0;
    QImage scaled_;                   // device pixels, for paintsFromSteps
    std::vector<DrawnItem> steps_;    // of the last frame
    bool wholeDue_ = true;            // scaled_ does not yet show steps_ throughout
};

}  // namespace quarn
