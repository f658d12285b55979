// Copies the frame to the screen; a window larger than the frame shows its own colour
// around it.
#include "frame_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

namespace quarn {
namespace {

// A piece of the frame laid over the controls: it paints the frame's pixels beneath it,
// and leaves the mouse to the frame (an ignored event goes on to the parent).
class FrameCover : public QWidget {
public:
    FrameCover(const QImage& frame, FrameView* view) : QWidget(view), frame_(frame) {
        setObjectName(QStringLiteral("FrameCover"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        for (const QRect& r : event->region()) p.drawImage(r.topLeft(), frame_, r.translated(pos()));
    }
    void mousePressEvent(QMouseEvent* event) override { event->ignore(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->ignore(); }

private:
    const QImage& frame_;
};

}  // namespace

FrameView::FrameView(const QImage& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    // Every pixel is painted below, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    cover_ = new FrameCover(frame_, this);
}

void FrameView::keepControlsOff(const QRect& area) {
    if (area.isEmpty()) {
        cover_->hide();
        return;
    }
    if (cover_->isHidden() || cover_->geometry() != area) {
        cover_->setGeometry(area);
        // Above every control, also one made or raised since.
        cover_->raise();
        cover_->show();
    }
    // The frame beneath changes every tick.
    cover_->update();
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
    if (event->button() == Qt::MiddleButton) dragFrom_ = event->position().toPoint();
    if (onPress) onPress(event->button(), event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::MiddleButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (onMiddleDrag && at != dragFrom_) onMiddleDrag(at - dragFrom_);
    dragFrom_ = at;
}

void FrameView::wheelEvent(QWheelEvent* event) {
    // Over a control the wheel is the control's: a bar takes it, and what one leaves
    // (a bar at its end, a button) must not zoom the drawing behind it.
    const QPoint at = event->position().toPoint();
    QWidget* const under = childAt(at);
    const int delta = event->angleDelta().y();
    if ((under && under != cover_) || !onWheel || delta == 0) {
        event->ignore();
        return;
    }
    const int perNotch = QWheelEvent::DefaultDeltasPerStep;
    onWheel(at, static_cast<double>(delta) / perNotch);
}

}  // namespace quarn
