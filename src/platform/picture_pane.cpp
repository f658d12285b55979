// The pane of a picture drawn on demand.
#include "picture_pane.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "canvas/play_back.h"
#include "platform/qt_canvas.h"

namespace quarn {

PicturePane::PicturePane(const QImage& reference, const RecordingCanvas& steps, QWidget* parent)
    : QWidget(parent), reference_(reference), steps_(steps) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(reference_.size());
}

void PicturePane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pictureChanged();
}

void PicturePane::pictureChanged() {
    setMinimumSize(reference_.size());
    const PictureFit fit = PictureFit::filling(size(), reference_.size());
    const double dpr = devicePixelRatioF();
    const bool scaleChanged = fit.scale != fit_.scale;
    fit_ = fit;
    if (fit_.scale * dpr == 1.0) {
        scaled_ = QImage();
    } else {
        const QSize device(int(std::ceil(width() * dpr - 1e-9)), int(std::ceil(height() * dpr - 1e-9)));
        if (scaled_.size() != device) scaled_ = QImage(device, QImage::Format_RGB32);
        scaled_.setDevicePixelRatio(dpr);
        // The window is white around a picture of other proportions, as under it.
        scaled_.fill(Qt::white);
        QPainter p(&scaled_);
        // What runs off the reference picture's edge is cut there, as on the reference.
        p.setClipRect(QRectF(QPointF(0, 0), QSizeF(reference_.size()) * fit_.scale));
        QtCanvas canvas(p, reference_.width(), reference_.height(), fit_.scale);
        playBack(steps_.items(), canvas);
    }
    update();
    if (scaleChanged && onScaleChanged) onScaleChanged(fit_.scale);
}

void PicturePane::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (!scaled_.isNull()) {
        p.drawImage(QPointF(0, 0), scaled_);
        return;
    }
    p.drawImage(event->rect().topLeft(), reference_, event->rect());
    // Beyond the picture the window is white.
    const QRegion outside = QRegion(event->rect()) - QRegion(reference_.rect());
    for (const QRect& r : outside) p.fillRect(r, Qt::white);
}

void PicturePane::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (onMouseMove) onMouseMove();
}

}  // namespace quarn
