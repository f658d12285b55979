// The tolerance histogram on the recording canvas: each bar's top where its count puts
// it, the limits drawn only where they fall inside the range shown.
#include <gtest/gtest.h>

#include <algorithm>

#include "canvas/recording_canvas.h"
#include "drawing/tolerance_histogram.h"

namespace quarn {
namespace {

using Kind = DrawnItem::Kind;

int linesOf(const RecordingCanvas& c, Color colour, int x) {
    return static_cast<int>(std::count_if(c.items().begin(), c.items().end(), [&](const DrawnItem& i) {
        return i.kind == Kind::Line && i.color == colour && i.x1 == x && i.x2 == x;
    }));
}

TEST(ToleranceHistogram, BarsStandToTheirCountsAndLimitsShowWhenInRange) {
    OutcomeStats s;
    s.count = 10;
    s.histLow = 0;
    s.histHigh = 10;
    s.histogram = {1, 4, 2, 0, 3};
    s.p5 = 1;
    s.p95 = 9;
    s.nominal = 5;
    struct Row {
        const char* name;
        HistogramLimits limits;
        int redLines;  // one per limit inside 0..10
    };
    const Row rows[] = {{"both inside", {2, 8}, 2}, {"one inside", {-3, 6}, 1}, {"both outside", {-20, 20}, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingCanvas c(500, 234);  // a box 160 high: every bar top a whole pixel
        drawToleranceHistogram(c, s, "test", row.limits);
        const HistogramArea a = toleranceHistogramArea(500, 234, s);
        // The tallest bar (4) reaches the top of the box; a bar of 2 half way; 0 none.
        for (int b = 0; b < 5; ++b) {
            const int x1 = a.xOf(2.0 * b), x2 = a.xOf(2.0 * (b + 1));
            const int top = a.bottom - (a.bottom - a.top) * s.histogram[b] / 4;
            const bool found = std::any_of(c.items().begin(), c.items().end(), [&](const DrawnItem& i) {
                return i.kind == Kind::Line && i.color == colors::Black && i.x1 == x1 && i.x2 == x2 &&
                       i.y1 == top && i.y2 == top;
            });
            EXPECT_EQ(found, s.histogram[b] > 0) << b;
        }
        int red = 0;
        for (const DrawnItem& i : c.items()) red += i.kind == Kind::Line && i.color == colors::Red;
        EXPECT_EQ(red, row.redLines);
        EXPECT_EQ(linesOf(c, colors::DarkGreen, a.xOf(5)), 1);
        EXPECT_EQ(linesOf(c, colors::Blue, a.xOf(1)), 1);
    }
}

}  // namespace
}  // namespace quarn
