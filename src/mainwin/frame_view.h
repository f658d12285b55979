// The widget that shows the frame the last tick drew; the panels' controls sit on it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

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

    // Shows the frame above the controls that lie on it within `area` (frame pixels),
    // so that what the frame draws there is seen; a press there is a press on the frame.
    // An empty area puts the controls back on top.
    void keepControlsOff(const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const QImage& frame_;
    QWidget* cover_ = nullptr;  // the piece of the frame laid over the controls
    QPoint dragFrom_;           // where the middle-button drag was at its last move
};

}  // namespace quarn
