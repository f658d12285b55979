// The steam pixels, one by one, each region from the outline points of this frame.
// Every random draw is written as its own statement: the order of the draws is the
// order of the rules, which argument evaluation in C++ would not promise.
#include "steam_drawing.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/rounding.h"

namespace quarn {
namespace {

// Live-steam pixels of the chest per unit of view scale: the inlet above the valve and
// the space between the valve heads.
constexpr double InletPixelsPerScale = 5.4;
constexpr double ChestPixelsPerScale = 43.2;
// A passage gets a fraction of its cylinder end's pixels; the exhaust beside the valve
// head a fifth, and the outlet and plume one pair per twelve.
constexpr int PassageShare = 15;
constexpr int ExhaustShare = 5;
constexpr int OutletShare = 12;

// Whether a coordinate can show on a side of `size` pixels.
bool inside(int v, int size) { return v >= 0 && v < size; }

// Whether any of the values lo, lo + 1, ..., lo + R(span) can show: R gives 0 for a
// span of 0 or less, so such a range is the one value lo.
bool rangeShows(int lo, int span, int size) {
    const long long last = static_cast<long long>(lo) + (span > 1 ? span - 1 : 0);
    return last >= 0 && lo < size;
}

// At the closest zoom a frame asks for about a million pixels, nearly all off the
// picture. A pixel whose first coordinate is already off draws none of its other
// numbers (it skips them), and a box that cannot show at all skips all of its draws,
// so every pixel that does land is placed by the same draw as if all had been made.
//
// Each loop works on local copies of the random numbers and the spans and hands them
// back at its end: the canvas call in the loop could otherwise, as far as the compiler
// knows, change them, and every draw would wait on a store and a load.
struct SteamPainter {
    const OutlinePoints& o;
    Canvas& canvas;
    Random rng;
    int H;  // valve bore height in pixels, guarded in place once it divides
    int G;  // from the valve bottom down to the cylinder top, guarded likewise
    bool errorBeepOn;
    int width = canvas.width();
    int height = canvas.height();
    bool beep = false;

    ScreenPoint S() const { return o.cylinderStart; }
    ScreenPoint O(int i) const { return o.CylinderOutlinePoints[static_cast<std::size_t>(i)]; }
    ScreenPoint P(int i) const { return o.PortInnerPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Pi(int i) const { return o.PistonPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Rh(int i) const { return o.RearValveHeadPoints[static_cast<std::size_t>(i)]; }
    ScreenPoint Fh(int i) const { return o.FrontValveHeadPoints[static_cast<std::size_t>(i)]; }
    void set(int x, int y, Color c) {
        if (inside(x, width) && inside(y, height)) canvas.setPixel(x, y, c);
    }
    void guard(int& span, bool& beeped) const {
        beeped = ZeroDivisorGuard(span, errorBeepOn) || beeped;
    }

    // count pixels of colour c in the box from (x0, y0) spanning (w, h) pixels; x is
    // drawn before y.
    void box(int count, Color c, int x0, int w, int y0, int h) { box(count, c, x0, w, y0, h, 1); }

    // The same with y = y0 + dir * R(h): dir -1 fills upwards from y0.
    void box(int count, Color c, int x0, int w, int y0, int h, int dir) {
        if (count <= 0) return;
        const int yLo = dir > 0 ? y0 : y0 - (h > 1 ? h - 1 : 0);
        if (!rangeShows(x0, w, width) || !rangeShows(yLo, h, height)) {
            rng.skip(2 * static_cast<std::int64_t>(count));
            return;
        }
        const Random::Window lands = Random::window(w, -static_cast<long long>(x0),
                                                    static_cast<long long>(width) - 1 - x0);
        // Pixel i takes draws 2i (x) and 2i + 1 (y). A run of pixels is first looked
        // over for the few whose x lands, without a branch on each, then those are set
        // in their order.
        constexpr int Run = 512;
        std::array<int, Run> landed;
        Random r = rng;
        for (int start = 0; start < count; start += Run) {
            const int n = std::min(Run, count - start);
            int hits = 0;
            std::uint64_t state = r.stateAhead(0);
            constexpr std::uint64_t pairStep = Random::stateStep(2);
            for (int i = 0; i < n; ++i) {
                landed[static_cast<std::size_t>(hits)] = i;
                hits += lands.contains(Random::numberAt(state)) ? 1 : 0;
                state += pairStep;
            }
            for (int j = 0; j < hits; ++j) {
                const auto i = static_cast<std::uint64_t>(landed[static_cast<std::size_t>(j)]);
                const int x = x0 + Random::scale(r.peek(2 * i), w);
                set(x, y0 + dir * Random::scale(r.peek(2 * i + 1), h), c);
            }
            r.skip(2 * static_cast<std::int64_t>(n));
        }
        rng = r;
    }

    // Live steam above the valve top, within half the bore height, over the inlet gap.
    void inlet(int count) {
        box(count, colors::Red, O(12).x, O(10).x - O(12).x, S().y, O(0).y - o.ValveSpindleEnd.y, -1);
    }

    // A slanting passage from its port (t = 0) down to its cylinder end (t = 1): the
    // front one leans forwards from the front port, the rear one back from the rear port,
    // so `lean` is -1 at the front and +1 at the rear.
    void passage(int count, Color c, int x0, int slantSpan, int w, int lean) {
        const int y0 = O(0).y;
        if (count > 0 && !rangeShows(y0, G, height)) {
            guard(G, beep);
            rng.skip(2 * static_cast<std::int64_t>(count));
            return;
        }
        Random r = rng;
        int g = G;
        bool beeped = beep;
        for (int i = 0; i < count; ++i) {
            const int d = r.below(g);
            guard(g, beeped);
            if (!inside(y0 + d, height)) {
                r.skip(1);
                continue;
            }
            const double t = double(d) / g;
            const int across = r.below(w);
            // Halves round to even both ways, so -round(v) is round(-v).
            set(x0 + lean * (across - roundHalfEven(slantSpan * t)), y0 + d, c);
        }
        rng = r;
        G = g;
        beep = beeped;
    }
    void frontPassage(int count, Color c) {
        passage(count, c, O(6).x, O(5).x - O(6).x, O(6).x - P(3).x, -1);
    }
    void rearPassage(int count, Color c) {
        passage(count, c, O(1).x, O(1).x - O(2).x, P(0).x - O(1).x, +1);
    }

    // `count` pairs: a pixel of the passage rising from an exhaust outlet towards the
    // middle (from outletX over outletSpan, leaning by lean per bore height), and one of
    // the plume, a cone that starts one bore height above the valve top at the middle
    // of the inlet gap and widens upward over three bore heights.
    void outletAndPlume(int count, Color e, int outletX, int outletSpan, int lean) {
        const int top = S().y, plumeBase = 2 * S().y - O(0).y;
        const int gapX = O(12).x, gap = O(10).x - O(12).x;
        if (count > 0) {
            // A bore height of 0 is guarded at the first pixel, before its plume draw.
            const int guarded = H == 0 ? 1 : H;
            const int rise = guarded > 0 ? guarded : 1;
            const int plume = guarded > 0 ? 3 * guarded : 1;
            if (!rangeShows(top - rise + 1, rise, height) &&
                !rangeShows(plumeBase - plume + 1, plume, height)) {
                guard(H, beep);
                rng.skip(4 * static_cast<std::int64_t>(count));
                return;
            }
        }
        Random r = rng;
        int h = H;
        bool beeped = beep;
        for (int i = 0; i < count; ++i) {
            int d = r.below(h);
            guard(h, beeped);
            if (inside(top - d, height)) {
                const double t = double(d) / h;
                const int across = r.below(outletSpan);
                set(outletX + across + roundHalfEven(lean * t), top - d, e);
            } else {
                r.skip(1);
            }
            d = r.below(3 * h);
            guard(h, beeped);
            if (!inside(plumeBase - d, height)) {
                r.skip(1);
                continue;
            }
            const double t = double(d) / h;
            const int across = r.below(gap);
            set(roundHalfEven(across * t * 2 + gapX + gap / 2.0 - gap * t), plumeBase - d, e);
        }
        rng = r;
        H = h;
        beep = beeped;
    }

    void frontExhaust(int pixels, Color e) {
        box(pixels / ExhaustShare, e, Fh(3).x, O(8).x - Fh(3).x, S().y, H);
        outletAndPlume(pixels / OutletShare, e, O(9).x, O(8).x - O(9).x, -(O(9).x - O(12).x));
    }

    void rearExhaust(int pixels, Color e) {
        box(pixels / ExhaustShare, e, S().x, Rh(0).x - S().x, S().y, H);
        outletAndPlume(pixels / OutletShare, e, S().x, O(11).x - S().x, O(12).x - S().x);
    }

    // Each name in its event's colour at the cylinder's rear bottom corner; fixed
    // offsets, not moved by the large-font layout.
    void legend() {
        const ScreenPoint corner = O(3);
        struct Entry {
            const char* text;
            Color color;
            int dx, dy;
        };
        static const Entry Entries[] = {{"ADMISSION", colors::Red, -40, 5},
                                        {"EXPANSION", colors::Magenta, 40, 5},
                                        {"EXHAUST", colors::Blue, -40, 17},
                                        {"COMPRESSION", colors::DarkGreen, 24, 17}};
        for (const Entry& e : Entries) {
            TextStyle style;
            style.color = e.color;
            canvas.text(corner.x + e.dx, corner.y + e.dy, e.text, style);
        }
    }
};

}  // namespace

Color steamColor(SteamEvent e) {
    switch (e) {
        case SteamEvent::None: return colors::Black;
        case SteamEvent::Admission: return colors::Red;
        case SteamEvent::Expansion: return colors::Magenta;
        case SteamEvent::Exhaust: return colors::Blue;
        case SteamEvent::Compression: return colors::DarkGreen;
    }
    return colors::Black;
}

bool drawSteam(const GearModel& m, const SteamFrame& steam, const OutlinePoints& o,
               Canvas& canvas, Random& random) {
    random.reseed();
    SteamPainter p{o,
                   canvas,
                   random,
                   o.CylinderOutlinePoints[0].y - o.cylinderStart.y,
                   o.CylinderOutlinePoints[2].y - o.CylinderOutlinePoints[0].y,
                   m.ErrorBeepOn != 0};
    const double scale = steamCountScale(m);
    p.inlet(roundHalfEven(scale * InletPixelsPerScale));
    p.box(roundHalfEven(scale * ChestPixelsPerScale), colors::Red, p.Rh(3).x,
          p.Fh(0).x - p.Rh(3).x, p.S().y, p.H);

    // The cylinder space lies between the piston and the cylinder end, from the
    // cylinder top to its bottom.
    const int cylTop = p.O(2).y, cylHeight = p.O(3).y - p.O(2).y;
    const Color front = steamColor(steam.front);
    p.box(steam.frontPixels, front, p.Pi(3).x, p.O(5).x - p.Pi(3).x, cylTop, cylHeight);
    p.frontPassage(steam.frontPixels / PassageShare, front);
    const Color rear = steamColor(steam.rear);
    p.box(steam.rearPixels, rear, p.O(2).x, p.Pi(0).x - p.O(2).x, cylTop, cylHeight);
    p.rearPassage(steam.rearPixels / PassageShare, rear);

    p.frontExhaust(steam.frontPixels, steam.frontExhaustOpen ? colors::Blue : colors::White);
    p.rearExhaust(steam.rearPixels, steam.rearExhaustOpen ? colors::Blue : colors::White);
    if (m.screen.ScreenDataOn) p.legend();
    random = p.rng;
    return p.beep;
}

}  // namespace quarn
