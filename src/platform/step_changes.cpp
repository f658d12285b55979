// Comparing two pictures by their drawing steps.
#include "step_changes.h"

#include <QFontMetrics>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <utility>

#include "platform/qt_canvas.h"

namespace quarn {
namespace {

// The squares the picture is marked in: fine enough that a moving rod repaints a band
// along it, not the box it spans.
constexpr int Square = 16;
// How far apart the points are that mark a line or an outline, in picture pixels.
constexpr int Stride = 8;

class Marks {
public:
    explicit Marks(QSize picture)
        : size(picture), cols((picture.width() + Square - 1) / Square),
          rows((picture.height() + Square - 1) / Square),
          marks(std::size_t(std::max(0, cols * rows)), 0) {}

    void rect(QRect r) {
        r &= QRect(QPoint(0, 0), size);
        if (r.isEmpty()) return;
        for (int ty = r.top() / Square; ty <= r.bottom() / Square; ++ty)
            std::fill_n(marks.begin() + ty * cols + r.left() / Square,
                        r.right() / Square - r.left() / Square + 1, std::uint8_t{1});
    }
    // A point with `spill` pixels about it.
    void around(double x, double y, int spill) {
        rect(QRect(int(std::floor(x)) - spill, int(std::floor(y)) - spill, 2 * spill + 2,
                   2 * spill + 2));
    }
    QRegion region() const {
        return regionOfSquares(marks, cols, QSize(Square, Square), QRect(QPoint(0, 0), size));
    }

private:
    QSize size;
    int cols, rows;
    std::vector<std::uint8_t> marks;
};

std::size_t hashOf(const DrawnItem& d) {
    std::size_t h = std::size_t(d.kind);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    for (int v : {d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4, d.width})
        mix(std::hash<int>{}(v));
    mix((std::size_t(d.color.r) << 16) | (std::size_t(d.color.g) << 8) | d.color.b);
    if (d.kind == DrawnItem::Kind::Text) mix(std::hash<std::string>{}(d.text));
    return h;
}

void mark(Marks& marks, const DrawnItem& d, QSize picture) {
    // Half the widest pen, a smoothed edge, and a pen centred half a pixel in.
    const int spill = std::max(1, d.width) / 2 + 3;
    switch (d.kind) {
        case DrawnItem::Kind::Clear: marks.rect(QRect(QPoint(0, 0), picture)); return;
        case DrawnItem::Kind::Pixel: marks.around(d.x1, d.y1, 2); return;
        case DrawnItem::Kind::Line: {
            const int n = std::max(std::abs(d.x2 - d.x1), std::abs(d.y2 - d.y1)) / Stride + 1;
            for (int i = 0; i <= n; ++i)
                marks.around(d.x1 + double(d.x2 - d.x1) * i / n, d.y1 + double(d.y2 - d.y1) * i / n,
                             spill);
            return;
        }
        case DrawnItem::Kind::Ellipse:
        case DrawnItem::Kind::Arc: {
            // The whole outline, also for an arc: a superset, and arcs are few.
            const double cx = (d.x1 + d.x2) / 2.0, cy = (d.y1 + d.y2) / 2.0;
            const double a = std::abs(d.x2 - d.x1) / 2.0, b = std::abs(d.y2 - d.y1) / 2.0;
            const int n = int(std::ceil(2 * std::numbers::pi * std::max(a, b) / Stride)) + 1;
            for (int i = 0; i < n; ++i) {
                const double t = 2 * std::numbers::pi * i / n;
                marks.around(cx + a * std::cos(t), cy + b * std::sin(t), spill);
            }
            return;
        }
        case DrawnItem::Kind::Text: {
            // The scaled glyphs are smoothed and may reach past the screen font's advance.
            const QFontMetrics metrics(fontFor(d.style));
            const int advance = metrics.horizontalAdvance(QString::fromStdString(d.text));
            marks.rect(QRect(d.x1 - 4, d.y1 - 4, advance + advance / 8 + 12, metrics.height() + 8));
            return;
        }
    }
}

// The steps of `items` by their hashes, so that the two lists can be matched.
std::vector<std::pair<std::size_t, int>> byHash(const std::vector<DrawnItem>& items) {
    std::vector<std::pair<std::size_t, int>> v;
    v.reserve(items.size());
    for (int i = 0; i < int(items.size()); ++i) v.emplace_back(hashOf(items[std::size_t(i)]), i);
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

QRegion stepChanges(const std::vector<DrawnItem>& before, const std::vector<DrawnItem>& after,
                    QSize picture) {
    Marks marks(picture);
    const auto a = byHash(before), b = byHash(after);
    std::vector<bool> matchedB(after.size(), false);
    std::size_t j = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        while (j < b.size() && b[j].first < a[i].first) ++j;
        bool found = false;
        // Among the steps of the same hash (almost always one), an equal one not yet taken.
        for (std::size_t k = j; k < b.size() && b[k].first == a[i].first && !found; ++k) {
            const int bi = b[k].second;
            if (!matchedB[std::size_t(bi)] && after[std::size_t(bi)] == before[std::size_t(a[i].second)]) {
                matchedB[std::size_t(bi)] = true;
                found = true;
            }
        }
        if (!found) mark(marks, before[std::size_t(a[i].second)], picture);
    }
    for (std::size_t k = 0; k < after.size(); ++k)
        if (!matchedB[k]) mark(marks, after[k], picture);
    return marks.region();
}

}  // namespace quarn
