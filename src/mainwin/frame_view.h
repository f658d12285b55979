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

    // Shows the frame above the controls that lie on it within `area` (frame pixels),
    // so that what the frame draws there is seen; a press there is a press on the frame.
    // An empty area puts the controls back on top.
    void keepControlsOff(const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const QImage& frame_;
    QWidget* cover_ = nullptr;  // the piece of the frame laid over the controls
};

}  // namespace quarn
