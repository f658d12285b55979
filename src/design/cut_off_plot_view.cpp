// The cut-off plot pane of the Valve Events window.
#include "cut_off_plot_view.h"

#include <QPainter>
#include <cmath>

#include "drawing/cut_off_plot.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

// The size the plot was laid out for, and the least that still reads.
constexpr QSize PlotSize{720, 260};
constexpr QSize LeastPlotSize{360, 160};

}  // namespace

CutOffPlotView::CutOffPlotView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize CutOffPlotView::sizeHint() const { return PlotSize; }
QSize CutOffPlotView::minimumSizeHint() const { return LeastPlotSize; }

void CutOffPlotView::setEvents(const std::vector<GearSettingEvents>& events, float revArmCentre) {
    events_ = events;
    centre_ = revArmCentre;
    redraw();
}

void CutOffPlotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redraw();
}

void CutOffPlotView::redraw() {
    const double dpr = devicePixelRatioF();
    const QSize device(int(std::ceil(width() * dpr - 1e-9)), int(std::ceil(height() * dpr - 1e-9)));
    if (device.isEmpty()) return;
    if (shown_.size() != device) shown_ = QImage(device, QImage::Format_RGB32);
    shown_.setDevicePixelRatio(dpr);
    shown_.fill(Qt::white);
    {
        QPainter p(&shown_);
        // Laid out at the pane's size in its own pixels; the image's pixel ratio takes
        // the painting to the device's, as shapes and texts.
        QtCanvas canvas(p, width(), height(), 1.0);
        drawCutOffPlot(canvas, events_, centre_);
    }
    update();
}

void CutOffPlotView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (shown_.isNull()) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    p.drawImage(QPointF(0, 0), shown_);
}

}  // namespace quarn
