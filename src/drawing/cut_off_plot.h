// The plot of the events window: front and rear cut-off against the reverse-arm
// setting, so the designer sees at a glance where the two ends part.
#pragma once

#include <vector>

#include "canvas/canvas.h"
#include "model/event_report.h"

namespace quarn {

// Where the plot puts things, for tests and for reading a point back.
struct CutOffPlotArea {
    int left, top, right, bottom;  // the axes' box in pixels
    double minSetting, maxSetting; // the reverse-arm settings at left and right
    int xOf(double setting) const;
    int yOf(double percent) const;  // 0 % at the bottom, 100 % at the top
};
CutOffPlotArea cutOffPlotArea(int width, int height, const std::vector<GearSettingEvents>& events);

// Clears the canvas white and draws the axes, the mid-gear line, the front cut-offs in
// red and the rear in blue (a small cross at each setting, joined where both
// neighbours have one), a setting with impossible geometry as a grey tick on the axis.
void drawCutOffPlot(Canvas& c, const std::vector<GearSettingEvents>& events, float revArmCentre);

}  // namespace quarn
