// Copies the frame to the screen; a window larger than the frame shows its own colour
// around it.
#include "frame_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace quarn {

FrameView::FrameView(const QImage& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    // Every pixel is painted below, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void FrameView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // A tick asks for the few squares that changed; copying only those keeps the whole
    // frame from crossing memory 64 times a second.
    const QRegion inside = event->region() & frame_.rect();
    for (const QRect& r : inside) p.drawImage(r.topLeft(), frame_, r);
    // An opaque widget shows whatever was there before where it does not paint: black
    // on most systems. Only the part outside the frame is cleared, to keep the tick cheap.
    const QRegion outside = event->region() - QRegion(frame_.rect());
    for (const QRect& r : outside) p.fillRect(r, palette().window());
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    if (onPress) onPress(event->button(), event->position().toPoint());
    QWidget::mousePressEvent(event);
}

}  // namespace quarn
