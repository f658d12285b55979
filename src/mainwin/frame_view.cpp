// Copies the frame to the screen; a window larger than the frame shows its own colour
// around it.
#include "frame_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace quarn {
namespace {

// A piece of the frame laid over the controls: it paints the frame's pixels beneath it,
// and passes a press on to the frame.
class FrameCover : public QWidget {
public:
    FrameCover(const QImage& frame, FrameView* view) : QWidget(view), frame_(frame), view_(view) {
        setObjectName(QStringLiteral("FrameCover"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        for (const QRect& r : event->region()) p.drawImage(r.topLeft(), frame_, r.translated(pos()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (view_->onPress) view_->onPress(event->button(), mapToParent(event->position().toPoint()));
    }

private:
    const QImage& frame_;
    FrameView* view_;
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
    if (onPress) onPress(event->button(), event->position().toPoint());
    QWidget::mousePressEvent(event);
}

}  // namespace quarn
