// Pixel rules of the drawing surface: which pixels a line, an ellipse or an arc sets.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quarn::raster {
namespace {

// Coordinates are clamped to this before any arithmetic, so that the products of the
// line stepping (about twice the square of a span) stay inside 64-bit integers. Our
// drawings never come near it: the screen mapping keeps points within a million pixels.
constexpr long long CoordLimit = 1LL << 28;

long long coord(int v) { return std::clamp<long long>(v, -CoordLimit, CoordLimit); }
int penWidth(int w) { return std::clamp(w, 1, MaxPenWidth); }

void plotIfInside(std::vector<Pixel>& out, Area area, long long x, long long y) {
    if (x >= 0 && y >= 0 && x < area.width && y < area.height)
        out.push_back({static_cast<int>(x), static_cast<int>(y)});
}

struct Box {
    long long x1, y1, x2, y2;  // x1 < x2 and y1 < y2 unless empty
};

Box normalised(int x1, int y1, int x2, int y2) {
    const long long ax = coord(x1), ay = coord(y1), bx = coord(x2), by = coord(y2);
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

// The outline of the ellipse in `box`, sampled once per visible column and once per
// visible row so that steep and flat parts are both closed; `keep` may drop pixels.
template <class Keep>
void ellipseOutline(std::vector<Pixel>& out, Area area, Box box, int width, Keep keep) {
    const long long w = box.x2 - box.x1, h = box.y2 - box.y1;
    if (w <= 0 || h <= 0 || area.width <= 0 || area.height <= 0) return;
    const int pen = penWidth(width);
    const double a = double(w - 1) / 2, b = double(h - 1) / 2;
    const double cx = double(box.x1) + a, cy = double(box.y1) + b;
    auto put = [&](long long x, long long y) {
        if (x >= 0 && y >= 0 && x < area.width && y < area.height && keep(x, y))
            out.push_back({static_cast<int>(x), static_cast<int>(y)});
    };
    // Halves round towards the centre, so the outline touches all four sides of the box
    // and never leaves it.
    const long long xFirst = std::max<long long>(box.x1, 0);
    const long long xLast = std::min<long long>(box.x2 - 1, area.width - 1);
    for (long long x = xFirst; x <= xLast; ++x) {
        const double u = a > 0 ? (double(x) - cx) / a : 0.0;
        const double t = b * std::sqrt(std::max(0.0, 1.0 - u * u));
        const auto top = static_cast<long long>(std::floor(cy - t + 0.5));
        const auto bottom = static_cast<long long>(std::ceil(cy + t - 0.5));
        for (int k = 0; k < pen && top + k <= bottom - k; ++k) {
            put(x, top + k);
            put(x, bottom - k);
        }
    }
    const long long yFirst = std::max<long long>(box.y1, 0);
    const long long yLast = std::min<long long>(box.y2 - 1, area.height - 1);
    for (long long y = yFirst; y <= yLast; ++y) {
        const double v = b > 0 ? (double(y) - cy) / b : 0.0;
        const double s = a * std::sqrt(std::max(0.0, 1.0 - v * v));
        const auto left = static_cast<long long>(std::floor(cx - s + 0.5));
        const auto right = static_cast<long long>(std::ceil(cx + s - 0.5));
        for (int k = 0; k < pen && left + k <= right - k; ++k) {
            put(left + k, y);
            put(right - k, y);
        }
    }
}

// Angle of a point about the centre as it looks on the screen: y grows downwards, so
// it is flipped to make counter-clockwise the growing direction.
double screenAngle(double x, double y, double cx, double cy) { return std::atan2(cy - y, x - cx); }

}  // namespace

void line(std::vector<Pixel>& out, Area area, int x0, int y0, int x1, int y1, int width) {
    const long long ax = coord(x0), ay = coord(y0), bx = coord(x1), by = coord(y1);
    const long long adx = std::llabs(bx - ax), ady = std::llabs(by - ay);
    const long long n = std::max(adx, ady);
    if (n == 0 || area.width <= 0 || area.height <= 0) return;
    const int pen = penWidth(width);
    const bool xMajor = adx >= ady;
    const long long major0 = xMajor ? ax : ay, minor0 = xMajor ? ay : ax;
    const long long majorStep = (xMajor ? bx - ax : by - ay) < 0 ? -1 : 1;
    const long long minorStep = (xMajor ? by - ay : bx - ax) < 0 ? -1 : 1;
    const long long minorSpan = xMajor ? ady : adx;
    const long long majorLimit = xMajor ? area.width : area.height;
    // Only the steps whose major coordinate lies on the area are walked.
    long long first = majorStep > 0 ? -major0 : major0 - (majorLimit - 1);
    long long last = majorStep > 0 ? majorLimit - 1 - major0 : major0;
    first = std::max<long long>(first, 0);
    last = std::min(last, n - 1);
    const int across = -((pen - 1) / 2);
    for (long long i = first; i <= last; ++i) {
        const long long major = major0 + majorStep * i;
        // The minor coordinate rounds i * span / n to the nearest, halves away from the start.
        const long long minor = minor0 + minorStep * ((2 * i * minorSpan + n) / (2 * n));
        for (int k = 0; k < pen; ++k) {
            const long long m = minor + across + k;
            if (xMajor)
                plotIfInside(out, area, major, m);
            else
                plotIfInside(out, area, m, major);
        }
    }
}

void ellipse(std::vector<Pixel>& out, Area area, int x1, int y1, int x2, int y2, int width) {
    ellipseOutline(out, area, normalised(x1, y1, x2, y2), width,
                   [](long long, long long) { return true; });
}

void arc(std::vector<Pixel>& out, Area area, int x1, int y1, int x2, int y2, int x3, int y3,
         int x4, int y4, int width) {
    const Box box = normalised(x1, y1, x2, y2);
    const double cx = double(box.x1) + double(box.x2 - box.x1 - 1) / 2;
    const double cy = double(box.y1) + double(box.y2 - box.y1 - 1) / 2;
    constexpr double Turn = 2 * std::numbers::pi;
    const double start = screenAngle(double(coord(x3)), double(coord(y3)), cx, cy);
    const double end = screenAngle(double(coord(x4)), double(coord(y4)), cx, cy);
    double sweep = std::fmod(end - start, Turn);
    if (sweep <= 0) sweep += Turn;
    // A hair of tolerance so that a pixel lying exactly on a radial belongs to the arc.
    constexpr double Tolerance = 1e-9;
    ellipseOutline(out, area, box, width, [&](long long x, long long y) {
        double from = std::fmod(screenAngle(double(x), double(y), cx, cy) - start, Turn);
        if (from < 0) from += Turn;
        return from <= sweep + Tolerance || from >= Turn - Tolerance;
    });
}

}  // namespace quarn::raster
