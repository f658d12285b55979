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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const QImage& frame_;
};

}  // namespace quarn
