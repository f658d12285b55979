// The widget that shows the frame the last tick drew; the panels' controls sit on it.
#pragma once

#include <QImage>
#include <QWidget>

namespace quarn {

class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(const QImage& frame, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& frame_;
};

}  // namespace quarn
