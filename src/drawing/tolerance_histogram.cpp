// Drawing of the tolerance study's histogram.
#include "tolerance_histogram.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"
#include "model/rounding.h"
#include "plot_parts.h"

namespace quarn {
namespace {

constexpr int MarginLeft = 56, MarginRight = 20, MarginTop = 30, MarginBottom = 44;
constexpr Color BarFill{190, 190, 190};

// Enough decimals to tell the two ends of the range apart.
int decimalsFor(double span) {
    if (!(span > 0)) return 4;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(span))) + 2, 0, 6);
}

void marker(Canvas& c, const HistogramArea& a, double v, Color colour, int reach) {
    if (!std::isfinite(v) || v < a.low || v > a.high) return;
    const int x = a.xOf(v);
    c.setPenColor(colour);
    c.line(x, a.top - reach, x, a.bottom + 4);
}

}  // namespace

int HistogramArea::xOf(double value) const { return plotX(left, right, value, low, high); }

int HistogramArea::yOf(int count, int most) const {
    if (most <= 0) return bottom;
    return bottom - roundHalfEven(static_cast<double>(count) / most * (bottom - top));
}

HistogramArea toleranceHistogramArea(int width, int height, const OutcomeStats& s) {
    HistogramArea a{MarginLeft, MarginTop, std::max(MarginLeft + 1, width - MarginRight),
                    std::max(MarginTop + 1, height - MarginBottom), s.histLow, s.histHigh};
    if (!(a.high > a.low)) {
        a.low -= 1;
        a.high += 1;
    }
    return a;
}

void drawToleranceHistogram(Canvas& c, const OutcomeStats& s, const std::string& title,
                            const std::optional<HistogramLimits>& limits) {
    c.clear(colors::White);
    const HistogramArea a = toleranceHistogramArea(c.width(), c.height(), s);
    c.setPenWidth(1);
    c.text(4, 6, title, plotLabelStyle());
    if (s.count == 0 || s.histogram.empty()) {
        c.text(a.left, (a.top + a.bottom) / 2, "No sample has this value.", plotLabelStyle(colors::Grey));
        return;
    }
    const int most = *std::max_element(s.histogram.begin(), s.histogram.end());
    const int bins = static_cast<int>(s.histogram.size());
    const double width = (a.high - a.low) / bins;
    for (int b = 0; b < bins; ++b) {
        const int x1 = a.xOf(a.low + b * width), x2 = a.xOf(a.low + (b + 1) * width);
        const int y = a.yOf(s.histogram[b], most);
        if (y >= a.bottom) continue;
        // The canvas has no filled box: the bar is filled a pixel column at a time.
        c.setPenColor(BarFill);
        for (int x = x1 + 1; x < x2; ++x) c.line(x, y + 1, x, a.bottom);
        c.setPenColor(colors::Black);
        c.moveTo(x1, a.bottom);
        c.lineTo(x1, y);
        c.lineTo(x2, y);
        c.lineTo(x2, a.bottom);
    }
    c.setPenColor(colors::Black);
    c.moveTo(a.left, a.top);
    c.lineTo(a.left, a.bottom);
    c.lineTo(a.right, a.bottom);
    c.text(a.left - 40, a.top - 6, Str(most, 6), plotLabelStyle());
    c.text(a.left - 40, a.bottom - 7, Str(0, 6), plotLabelStyle());

    if (limits) {
        marker(c, a, limits->low, colors::Red, 8);
        marker(c, a, limits->high, colors::Red, 8);
    }
    marker(c, a, s.p5, colors::Blue, 0);
    marker(c, a, s.p95, colors::Blue, 0);
    if (s.nominal) marker(c, a, *s.nominal, colors::DarkGreen, 4);

    const int decimals = decimalsFor(a.high - a.low);
    c.text(a.left - 16, a.bottom + 6, Str(a.low, 0, decimals), plotLabelStyle());
    c.text(a.right - 50, a.bottom + 6, Str(a.high, 0, decimals), plotLabelStyle());
    c.text(a.left + 60, a.bottom + 24, "samples per bin;", plotLabelStyle());
    c.text(a.left + 160, a.bottom + 24, "5 % and 95 %", plotLabelStyle(colors::Blue));
    c.text(a.left + 250, a.bottom + 24, "as drawn", plotLabelStyle(colors::DarkGreen));
    c.text(a.left + 320, a.bottom + 24, "limit: " + Str(100 * s.outside, 0, 1) + " % outside",
           plotLabelStyle(colors::Red));
}

}  // namespace quarn
