// Copies the frame to the screen, or paints it scaled from the tick's drawing steps; a
// window larger than the picture shows its own colour around it.
#include "frame_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>
#include <cmath>

#include "canvas/play_back.h"
#include "platform/qt_canvas.h"
#include "platform/step_changes.h"

namespace quarn {
namespace {

// A piece of the frame laid over the controls: it paints the frame's pixels beneath it,
// and leaves the mouse to the frame (an ignored event goes on to the parent).
class FrameCover : public QWidget {
public:
    explicit FrameCover(FrameView* view) : QWidget(view), view_(view) {
        setObjectName(QStringLiteral("FrameCover"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.translate(-pos());
        view_->paintFrame(p, event->region().translated(pos()));
    }
    void mousePressEvent(QMouseEvent* event) override { event->ignore(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->ignore(); }

private:
    const FrameView* view_;
};

}  // namespace

FrameView::FrameView(const QImage& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    // Every pixel is painted below, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    cover_ = new FrameCover(this);
}

void FrameView::setFitToWindow(bool on) {
    if (on == fitOn_) return;
    fitOn_ = on;
    followSize();
    update();
}

void FrameView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    followSize();
}

void FrameView::followSize() {
    const PictureFit fit = fitOn_ ? PictureFit::filling(size(), frame_.size()) : PictureFit{};
    const double dpr = devicePixelRatioF();
    const bool scaleChanged = fit.scale != fit_.scale;
    const bool fromSteps = fit.scale * dpr != 1.0;
    if (!scaleChanged && dpr == dpr_ && fromSteps == !scaled_.isNull()) return;
    fit_ = fit;
    dpr_ = dpr;
    if (!paintsFromSteps()) {
        scaled_ = QImage();
        steps_.clear();
    } else {
        // Whole logical pixels, so that every one the picture touches is painted.
        const int w = int(std::ceil(frame_.width() * fit_.scale - 1e-9));
        const int h = int(std::ceil(frame_.height() * fit_.scale - 1e-9));
        scaled_ = QImage(int(std::ceil(w * dpr_ - 1e-9)), int(std::ceil(h * dpr_ - 1e-9)),
                         QImage::Format_RGB32);
        scaled_.setDevicePixelRatio(dpr_);
        scaled_.fill(Qt::white);
        if (!steps_.empty()) paintSteps(pictureArea());
        wholeDue_ = steps_.empty();
    }
    if (cover_->isVisible()) cover_->setGeometry(fit_.areaOf(coverFrameArea_));
    update();
    if (scaleChanged && onFitChanged) onFitChanged(fit_.scale);
}

QRect FrameView::pictureArea() const {
    if (scaled_.isNull()) return frame_.rect();
    return QRectF(QPointF(0, 0), scaled_.deviceIndependentSize()).toAlignedRect();
}

void FrameView::showTick(const QRegion& changed, const std::vector<DrawnItem>& steps) {
    // Moved to a screen of another pixel ratio since the last tick?
    if (devicePixelRatioF() != dpr_) followSize();
    if (!paintsFromSteps()) {
        if (!changed.isEmpty()) update(changed);
        return;
    }
    // The scaled picture shows what the 1:1 pixels cannot: a rod a fraction of a pixel
    // steeper. So the steps that changed, not the pixels, say what to paint again.
    QRegion area;
    if (wholeDue_) {
        area = pictureArea();
        wholeDue_ = false;
    } else {
        for (const QRect& r : stepChanges(steps_, steps, frame_.size())) area += fit_.areaOf(r);
        area &= pictureArea();
    }
    steps_ = steps;
    if (area.isEmpty()) return;
    paintSteps(area);
    update(area);
}

void FrameView::paintSteps(const QRegion& area) {
    QPainter p(&scaled_);
    // Painting only where the steps changed must leave each pixel as painting the whole
    // picture does, and Qt's smoothing of lines on an image depends on the clip: a line is
    // cut at the box bounding the clip and stepped from that box's top row (the pixels
    // about a rod crossing the box's edge come out a shade off), and below full size a
    // clip of one rectangle shades thin lines otherwise than no clip at all. So the whole
    // picture is painted without a clip, and a part of it through a clip reaching the
    // picture's far corners (a pixel in each, painted as the whole picture has it), whose
    // bounding box is the picture as for a whole paint.
    const QRect whole = pictureArea();
    if (!(QRegion(whole) - area).isEmpty()) {
        QRegion clip = area;
        clip += QRect(whole.topLeft(), QSize(1, 1));
        clip += QRect(whole.bottomRight(), QSize(1, 1));
        p.setClipRegion(clip);
    }
    QtCanvas canvas(p, frame_.width(), frame_.height(), fit_.scale);
    playBack(steps_, canvas);
}

void FrameView::keepControlsOff(const QRect& area) {
    coverFrameArea_ = area;
    if (area.isEmpty()) {
        cover_->hide();
        return;
    }
    const QRect place = fit_.areaOf(area);
    if (cover_->isHidden() || cover_->geometry() != place) {
        cover_->setGeometry(place);
        // Above every control, also one made or raised since.
        cover_->raise();
        cover_->show();
    }
    // The frame beneath changes every tick.
    cover_->update();
}

void FrameView::paintFrame(QPainter& p, const QRegion& area) const {
    const QRegion inside = area & pictureArea();
    if (scaled_.isNull()) {
        // A tick asks for the few squares that changed; copying only those keeps the
        // whole frame from crossing memory 64 times a second.
        for (const QRect& r : inside) p.drawImage(r.topLeft(), frame_, r);
        return;
    }
    p.save();
    p.setClipRegion(inside, Qt::IntersectClip);
    p.drawImage(QPointF(0, 0), scaled_);
    p.restore();
}

void FrameView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    paintFrame(p, event->region());
    // An opaque widget shows whatever was there before where it does not paint: black
    // on most systems. Only the part outside the frame is cleared, to keep the tick cheap.
    const QRegion outside = event->region() - QRegion(pictureArea());
    for (const QRect& r : outside) p.fillRect(r, palette().window());
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = fit_.pixelAt(event->position());
    if (event->button() == Qt::MiddleButton) dragFrom_ = at;
    if (onPress) onPress(event->button(), at);
    QWidget::mousePressEvent(event);
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::MiddleButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // The frame pixel under the pointer, so that the picture follows it at any scale.
    const QPoint at = fit_.pixelAt(event->position());
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
    onWheel(fit_.pixelAt(event->position()), static_cast<double>(delta) / perNotch);
}

}  // namespace quarn
