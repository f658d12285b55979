// Drawing of the cut-off plot.
#include "cut_off_plot.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/number_text.h"
#include "model/rounding.h"
#include "plot_parts.h"

namespace quarn {
namespace {

constexpr int MarginLeft = 56, MarginRight = 16, MarginTop = 28, MarginBottom = 40;

void cross(Canvas& c, int x, int y) {
    c.line(x - 3, y - 3, x + 4, y + 4);
    c.line(x - 3, y + 3, x + 4, y - 4);
}

void drawSeries(Canvas& c, const CutOffPlotArea& a, const std::vector<GearSettingEvents>& events, bool front) {
    c.setPenColor(front ? colors::Red : colors::Blue);
    std::optional<std::pair<int, int>> last;
    for (const auto& e : events) {
        const auto& v = front ? e.front.cutOff : e.rear.cutOff;
        if (!v || e.geometryError || !std::isfinite(*v)) {
            last.reset();
            continue;
        }
        const int x = a.xOf(e.revArm), y = a.yOf(*v);
        cross(c, x, y);
        if (last) c.line(last->first, last->second, x, y);
        last = {x, y};
    }
}

}  // namespace

int CutOffPlotArea::xOf(double setting) const { return plotX(left, right, setting, minSetting, maxSetting); }

int CutOffPlotArea::yOf(double percent) const {
    return bottom - roundHalfEven(std::clamp(percent, -5.0, 105.0) / 100.0 * (bottom - top));
}

CutOffPlotArea cutOffPlotArea(int width, int height, const std::vector<GearSettingEvents>& events) {
    CutOffPlotArea a{MarginLeft, MarginTop, std::max(MarginLeft + 1, width - MarginRight),
                     std::max(MarginTop + 1, height - MarginBottom), 0, 1};
    bool any = false;
    for (const auto& e : events) {
        if (!std::isfinite(e.revArm)) continue;
        a.minSetting = any ? std::min<double>(a.minSetting, e.revArm) : e.revArm;
        a.maxSetting = any ? std::max<double>(a.maxSetting, e.revArm) : e.revArm;
        any = true;
    }
    if (any && a.maxSetting == a.minSetting) {
        a.minSetting -= 1;
        a.maxSetting += 1;
    }
    return a;
}

void drawCutOffPlot(Canvas& c, const std::vector<GearSettingEvents>& events, float revArmCentre) {
    c.clear(colors::White);
    const CutOffPlotArea a = cutOffPlotArea(c.width(), c.height(), events);
    c.setPenWidth(1);
    c.setPenColor(colors::Black);
    c.moveTo(a.left, a.top);
    c.lineTo(a.left, a.bottom);
    c.lineTo(a.right, a.bottom);
    // Every 20 % a grid line and its figure.
    for (int p = 0; p <= 100; p += 20) {
        const int y = a.yOf(p);
        c.setPenColor(p == 0 ? colors::Black : colors::Grey);
        c.line(a.left - 4, y, p == 0 ? a.left : a.right, y);
        c.text(a.left - 30, y - 7, Str(p, 3), plotLabelStyle());
    }
    // The settings at both ends and mid gear, with a grey line up from mid gear.
    c.text(a.left - 16, a.bottom + 6, Str(a.minSetting, 0, 3), plotLabelStyle());
    c.text(a.right - 40, a.bottom + 6, Str(a.maxSetting, 0, 3), plotLabelStyle());
    if (std::isfinite(revArmCentre) && revArmCentre > a.minSetting && revArmCentre < a.maxSetting) {
        const int x = a.xOf(revArmCentre);
        c.setPenColor(colors::Grey);
        c.line(x, a.top, x, a.bottom + 4);
        c.text(x - 20, a.bottom + 6, "mid gear", plotLabelStyle(colors::Grey));
    }
    c.text((a.left + a.right) / 2 - 60, a.bottom + 22, "Reverse-arm setting", plotLabelStyle());
    c.text(4, 8, "Cut-off %", plotLabelStyle());
    c.text(a.left + 80, 8, "front", plotLabelStyle(colors::Red));
    c.text(a.left + 130, 8, "rear", plotLabelStyle(colors::Blue));
    for (const auto& e : events) {
        if (!e.geometryError) continue;
        const int x = a.xOf(e.revArm);
        c.setPenColor(colors::Grey);
        c.line(x, a.bottom - 8, x, a.bottom);
    }
    drawSeries(c, a, events, true);
    drawSeries(c, a, events, false);
}

}  // namespace quarn
