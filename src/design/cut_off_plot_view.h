// The cut-off plot as the Valve Events window shows it: drawn at the pane's own size
// (the axes take the room, the texts keep their size), sharp at the screen's device
// pixel ratio.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "model/event_report.h"

namespace quarn {

class CutOffPlotView : public QWidget {
public:
    explicit CutOffPlotView(QWidget* parent);

    // New events to plot: drawn afresh.
    void setEvents(const std::vector<GearSettingEvents>& events, float revArmCentre);
    // The plot as shown, in device pixels.
    const QImage& shown() const { return shown_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void redraw();

    std::vector<GearSettingEvents> events_;
    float centre_ = 0;
    QImage shown_;
};

}  // namespace quarn
