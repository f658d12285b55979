// The canvas over Qt: pixels of lines, ellipses and arcs set one by one, text by QPainter.
#include "qt_canvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainterPath>
#include <QStaticText>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <cmath>
#include <numbers>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "model/rounding.h"

namespace quarn {
namespace {

QColor toQColor(Color c) { return QColor(c.r, c.g, c.b); }

// Calls f(first, last) for each run of marked squares in a row, left to right.
template <class F>
void forEachRun(const std::uint8_t* row, int columns, F f) {
    for (int tx = 0; tx < columns; ++tx) {
        if (!row[tx]) continue;
        const int first = tx;
        while (tx + 1 < columns && row[tx + 1]) ++tx;
        f(first, tx);
    }
}
QRgb toRgb(Color c) { return qRgb(c.r, c.g, c.b); }

// Qt's raster engine paints with AVX code and leaves the upper halves of the vector
// registers in use; the plain SSE arithmetic that follows (the solver, between the
// steps of a diagram) then runs several times slower on many x86 processors: the sine
// diagram's solves took 2.9 times as long after a few lines painted at a scale.
// Clearing them after each painting step costs a cycle. The intrinsic, in a function of
// its own compiled for AVX, lets the compiler know what it does to the registers.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx"))) void clearUpperHalves() { _mm256_zeroupper(); }
#endif
void afterPainting() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) clearUpperHalves();
#endif
}

bool isDirectFormat(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

// Sizes are in points on a 96 dpi screen, the screen the frame layout was made for,
// whatever the platform reports (the offscreen platform and bare images say 72).
int pixelSizeOf(int pointSize) {
    return std::max(1, roundHalfEven(pointSize * 96.0 / 72.0));
}

}  // namespace

QFont fontFor(const TextStyle& style) {
    QFont f(QString::fromStdString(style.fontName));
    // The panel's texts were laid out for a narrow screen font that Debian does not
    // have; without a stand-in of similar width, fontconfig's wide default runs each
    // value into the next. Liberation Sans (Arial's widths) is the nearest Debian has.
    if (style.fontName == "MS Sans Serif")
        f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    f.setPixelSize(pixelSizeOf(style.pointSize));
    f.setBold(style.bold);
    return f;
}

namespace {

// The frame draws the same few dozen texts every tick, most of them unchanged; laying
// each out anew (shaping, advances) cost as much as the whole gear. Laid-out texts are
// kept per thread, and forgotten all at once when many accumulate.
struct LaidOutText {
    QStaticText text;
    int advance = 0;
    int ascent = 0;
    int height = 0;
    // The pixels the glyphs cover, in runs along rows from the text's top left, found
    // the first time the text goes onto a 32-bit image. Setting them again costs far
    // less than the painter's glyph path each tick. A font that gives part-covered
    // pixels (no such font is asked for: the styles turn smoothing off) leaves
    // `blended` set, and the text goes through the painter.
    struct Run {
        int dy, dx, length;
    };
    bool maskMade = false;
    bool blended = false;
    // The same text for the scaled canvas, laid out in its smoothed font the first time
    // it is drawn at a scale, and again only when the scale changes.
    QStaticText smooth;
    bool smoothMade = false;
    std::vector<Run> runs;
    QRect box;  // the bounds of the runs
};

// Looked up by the text and its style as they come, so that a text seen before costs
// no conversion at all.
LaidOutText& layOut(const std::string& s, const TextStyle& style) {
    thread_local std::unordered_map<std::string, LaidOutText> cache;
    constexpr std::size_t MaxKept = 1024;
    thread_local std::string key;
    key.assign(s);
    key += '\x1f';
    key += style.fontName;
    key += style.bold ? 'b' : 'n';
    key += std::to_string(style.pointSize);
    if (auto found = cache.find(key); found != cache.end()) return found->second;
    if (cache.size() >= MaxKept) cache.clear();
    const QFont font = fontFor(style);
    const QString q = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    LaidOutText laid;
    laid.text.setText(q);
    laid.text.setTextFormat(Qt::PlainText);
    laid.text.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.text.prepare(QTransform(), font);
    const QFontMetrics metrics(font);
    laid.advance = metrics.horizontalAdvance(q);
    laid.ascent = metrics.ascent();
    laid.height = metrics.height();
    return cache.emplace(key, std::move(laid)).first->second;
}

// Draws the text once, white on nothing, with room around it for glyphs that reach
// beyond the advance, and keeps the covered pixels.
void makeMask(LaidOutText& laid, const TextStyle& style) {
    laid.maskMade = true;
    constexpr int Room = 16;
    QImage img(laid.advance + 2 * Room, laid.height + 2 * Room,
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setFont(fontFor(style));
        p.setPen(QPen(Qt::white, 0));
        p.drawStaticText(QPoint(Room, Room), laid.text);
    }
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width();) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 0) {
                ++x;
                continue;
            }
            if (alpha != 255) {
                laid.blended = true;
                laid.runs.clear();
                return;
            }
            const int start = x;
            while (x < img.width() && qAlpha(row[x]) == 255) ++x;
            laid.runs.push_back({y - Room, start - Room, x - start});
            laid.box |= QRect(start - Room, y - Room, x - start, 1);
        }
    }
}

}  // namespace

QtCanvas::QtCanvas(QImage& img)
    : image(&img), area{img.width(), img.height()} {
    // Taken once: bits() unshares the image now, so text painted later lands in the
    // same buffer as the pixels.
    if (isDirectFormat(img.format()) && !img.isNull()) {
        bits = img.bits();
        stride = img.bytesPerLine();
    }
    if (!img.isNull()) {
        tilesX = (img.width() + CellW - 1) >> CellShiftX;
        tilesY = (img.height() + CellH - 1) >> CellShiftY;
        inkTiles.assign(static_cast<std::size_t>(tilesX) * static_cast<std::size_t>(tilesY), 0);
    }
    pixels.reserve(4096);
}

QtCanvas::QtCanvas(QPainter& p, int width, int height) : painter(&p), area{width, height} {
    painter->setRenderHint(QPainter::Antialiasing, false);
    pixels.reserve(4096);
}

QtCanvas::QtCanvas(QPainter& p, int width, int height, double scale)
    : painter(&p), area{width, height}, scaleBy(scale > 0 ? scale : 1.0) {
    // Squares are marked in the picture's pixels, so that a window drawing every tick
    // at a scale clears only what the tick before drew, as at 1:1.
    if (width > 0 && height > 0) {
        tilesX = (width + CellW - 1) >> CellShiftX;
        tilesY = (height + CellH - 1) >> CellShiftY;
        inkTiles.assign(static_cast<std::size_t>(tilesX) * static_cast<std::size_t>(tilesY), 0);
    }
    rasterTarget = painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster;
    painter->save();
    painter->scale(scaleBy, scaleBy);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setBrush(Qt::NoBrush);
}

QtCanvas::~QtCanvas() {
    if (scaled()) {
        paintGathered();
        painter->restore();
        afterPainting();
    }
    if (ownPainter) ownPainter->end();
}

QPainter& QtCanvas::textPainter() {
    if (!painter) {
        ownPainter = std::make_unique<QPainter>(image);
        painter = ownPainter.get();
        painter->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter;
}

void QtCanvas::clear(Color c) {
    inkLeft = inkTop = 1 << 30;
    inkRight = inkBottom = -(1 << 30);
    if (scaled()) {
        clearScaled(c);
        return;
    }
    if (image && bits && knownColor && *knownColor == c) {
        clearKnown(toRgb(c));
        return;
    }
    std::fill(inkTiles.begin(), inkTiles.end(), std::uint8_t{0});
    before = Before::Gone;
    if (image) {
        image->fill(toQColor(c));
        // Now the picture is known to be `c` throughout.
        knownColor = c;
        knownDirty = QRegion();
    } else {
        painter->fillRect(0, 0, area.width, area.height, toQColor(c));
    }
}

// At a scale the squares to clear are filled through the painter; what they showed is
// not kept, so each counts as changed (as a close-up of the steam does at 1:1).
void QtCanvas::clearScaled(Color c) {
    paintGathered();
    const QColor colour = toQColor(c);
    const QRect whole(0, 0, area.width, area.height);
    if (!knownColor || *knownColor != c || inkTiles.empty()) {
        painter->fillRect(whole, colour);
        afterPainting();
        std::fill(inkTiles.begin(), inkTiles.end(), std::uint8_t{0});
        before = Before::Gone;
        knownColor = c;
        knownDirty = QRegion();
        return;
    }
    std::vector<std::uint8_t> dirty = squaresOf(knownDirty);
    if (before == Before::Unknown) {
        keptSlot.assign(inkTiles.size(), -1);
        for (std::size_t at = 0; at < dirty.size(); ++at)
            if (dirty[at]) keptSlot[at] = 0;
        before = Before::Marked;
    }
    for (std::size_t at = 0; at < dirty.size(); ++at) dirty[at] |= inkTiles[at];
    std::fill(inkTiles.begin(), inkTiles.end(), std::uint8_t{0});
    knownDirty = QRegion();
    for (const QRect& r : regionOfSquares(dirty, tilesX, QSize(CellW, CellH), whole))
        painter->fillRect(r, colour);
    afterPainting();
}

std::vector<std::uint8_t> QtCanvas::squaresOf(const QRegion& region) const {
    std::vector<std::uint8_t> marks(inkTiles.size(), 0);
    for (const QRect& r : region & QRect(0, 0, area.width, area.height))
        for (int ty = r.top() >> CellShiftY; ty <= r.bottom() >> CellShiftY; ++ty)
            std::fill_n(marks.begin() + ty * tilesX + (r.left() >> CellShiftX),
                        (r.right() >> CellShiftX) - (r.left() >> CellShiftX) + 1,
                        std::uint8_t{1});
    return marks;
}

QRect QtCanvas::squareRect(int tx, int ty) const {
    return QRect(tx * CellW, ty * CellH, CellW, CellH) & QRect(0, 0, area.width, area.height);
}

// Clears what differs from the known colour: the dirty part the window named and what
// was drawn since an earlier clear of this frame. The first clear keeps the pixels it
// covers, the picture on the screen, for changedRegion.
void QtCanvas::clearKnown(QRgb rgb) {
    std::vector<std::uint8_t> dirty = squaresOf(knownDirty);
    std::vector<std::uint8_t> toKeep;
    if (before == Before::Unknown) {
        toKeep = dirty;
        beforeColour = rgb;
        keptSlot.assign(inkTiles.size(), -1);
        int keptCount = 0;
        for (std::size_t at = 0; at < toKeep.size(); ++at)
            if (toKeep[at]) keptSlot[at] = keptCount++;
        // Over a quarter of the picture (steam close up) hardly any square comes out as
        // it was, and keeping and comparing them would cost more than it saves.
        if (keptCount > static_cast<int>(inkTiles.size() / 4)) {
            before = Before::Marked;
            toKeep.clear();
        } else {
            before = Before::Kept;
            kept->resize(static_cast<std::size_t>(keptCount) * CellW * CellH);
        }
    }
    for (std::size_t at = 0; at < dirty.size(); ++at) dirty[at] |= inkTiles[at];
    std::fill(inkTiles.begin(), inkTiles.end(), std::uint8_t{0});
    // The picture is that colour everywhere once the squares below are filled.
    knownDirty = QRegion();
    // Band after band of squares, row after row: the rows of one square lie a page
    // apart, and the picture of the tick before is no longer in the cache.
    struct Run {
        int first, last;  // squares
    };
    std::vector<Run> runs;
    for (int ty = 0; ty < tilesY; ++ty) {
        const std::uint8_t* row = dirty.data() + static_cast<std::ptrdiff_t>(ty) * tilesX;
        runs.clear();
        forEachRun(row, tilesX, [&](int first, int last) { runs.push_back({first, last}); });
        if (runs.empty()) continue;
        const std::uint8_t* keep =
            toKeep.empty() ? nullptr : toKeep.data() + static_cast<std::ptrdiff_t>(ty) * tilesX;
        const int top = ty * CellH, bottom = std::min(area.height, top + CellH);
        // Asked for all at once, the band's lines come from memory side by side rather
        // than one after the other as the loop below reaches them.
        for (int y = top; y < bottom; ++y)
            for (const Run& run : runs)
                for (int tx = run.first; tx <= run.last; ++tx)
                    __builtin_prefetch(bits + y * stride + tx * CellW * 4, 1);
        for (int y = top; y < bottom; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(bits + y * stride);
            for (const Run& run : runs) {
                if (keep)
                    for (int tx = run.first; tx <= run.last; ++tx) {
                        if (!keep[tx]) continue;
                        const int left = tx * CellW;
                        const int slot = keptSlot[static_cast<std::size_t>(ty) * tilesX + tx];
                        std::copy_n(line + left, std::min(CellW, area.width - left),
                                    kept->begin() +
                                        static_cast<std::ptrdiff_t>(slot) * CellW * CellH +
                                        (y - top) * CellW);
                    }
                const int left = run.first * CellW;
                std::fill_n(line + left, std::min(area.width, (run.last + 1) * CellW) - left,
                            rgb);
            }
        }
    }
}

QRegion QtCanvas::changedRegion() const {
    const QRect whole(0, 0, area.width, area.height);
    if (inkTiles.empty() || before == Before::Gone) return QRegion(whole);
    if (before == Before::Unknown) return inkedRegion();
    std::vector<std::uint8_t> changed(inkTiles.size(), 0);
    if (before == Before::Marked) {
        for (std::size_t at = 0; at < changed.size(); ++at)
            changed[at] = inkTiles[at] || keptSlot[at] >= 0 ? 1 : 0;
        return regionOfSquares(changed, tilesX, QSize(CellW, CellH), whole);
    }
    for (int ty = 0; ty < tilesY; ++ty)
        for (int tx = 0; tx < tilesX; ++tx) {
            const std::size_t at = static_cast<std::size_t>(ty) * tilesX + tx;
            const int slot = keptSlot[at];
            if (!inkTiles[at] && slot < 0) continue;  // that colour before and now
            const QRect sq = squareRect(tx, ty);
            // Whole rows compared at once, no branch per pixel: most squares do not differ
            // and must be read to the end anyway.
            const int w = sq.width();
            QRgb differs = 0;
            for (int y = sq.top(); y <= sq.bottom() && !differs; ++y) {
                const QRgb* now = reinterpret_cast<const QRgb*>(bits + y * stride) + sq.left();
                if (slot < 0) {
                    for (int i = 0; i < w; ++i) differs |= now[i] ^ beforeColour;
                } else {
                    const QRgb* was = kept->data() +
                                      static_cast<std::ptrdiff_t>(slot) * CellW * CellH +
                                      (y - sq.top()) * CellW;
                    for (int i = 0; i < w; ++i) differs |= now[i] ^ was[i];
                }
            }
            changed[at] = differs != 0 ? 1 : 0;
        }
    return regionOfSquares(changed, tilesX, QSize(CellW, CellH), whole);
}

// Sets the pixels gathered for one primitive in one colour.
void QtCanvas::flush(Color c) {
    if (pixels.empty()) return;
    for (const auto& p : pixels) ink(p.x, p.y);
    if (bits) {
        const QRgb rgb = toRgb(c);
        for (const auto& p : pixels)
            reinterpret_cast<QRgb*>(bits + p.y * stride)[p.x] = rgb;
    } else {
        QPainter& p = textPainter();
        p.setPen(QPen(toQColor(c), 0));
        QPolygon points;
        points.reserve(static_cast<qsizetype>(pixels.size()));
        for (const auto& px : pixels) points.append(QPoint(px.x, px.y));
        p.drawPoints(points);
        afterPainting();
    }
    pixels.clear();
}

void QtCanvas::moveTo(int x, int y) {
    posX = x;
    posY = y;
}

void QtCanvas::lineTo(int x, int y) {
    if (scaled()) {
        lineToScaled(x, y);
        moveTo(x, y);
        return;
    }
    raster::line(pixels, area, posX, posY, x, y, penW);
    flush(pen);
    moveTo(x, y);
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    if (scaled()) {
        ellipseScaled(x1, y1, x2, y2, nullptr, nullptr);
        return;
    }
    raster::ellipse(pixels, area, x1, y1, x2, y2, penW);
    flush(pen);
}

void QtCanvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    if (scaled()) {
        const QPointF from(x3, y3), to(x4, y4);
        ellipseScaled(x1, y1, x2, y2, &from, &to);
        return;
    }
    raster::arc(pixels, area, x1, y1, x2, y2, x3, y3, x4, y4, penW);
    flush(pen);
}

// The steam display sets up to a million pixels a frame at the closest zoom, most of
// them off the picture: those cost one test, and one on a 32-bit image one store.
void QtCanvas::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= area.width || y >= area.height) return;
    ink(x, y);
    if (scaled()) {
        dotScaled(x, y, c);
        return;
    }
    if (bits) {
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = toRgb(c);
        return;
    }
    pixels.push_back({x, y});
    flush(c);
}

void QtCanvas::text(int x, int y, const std::string& s, const TextStyle& style) {
    // Far off the picture nothing shows; the clamp keeps the baseline sum inside an int.
    constexpr int Far = 1 << 28;
    x = std::clamp(x, -Far, Far);
    y = std::clamp(y, -Far, Far);
    if (scaled()) {
        textScaled(x, y, s, style);
        return;
    }
    LaidOutText& laid = layOut(s, style);
    const int advance = laid.advance;
    if (bits && !laid.maskMade) makeMask(laid, style);
    if (bits && !laid.blended) {
        const QRect picture(0, 0, area.width, area.height);
        if (style.opaque) {
            const QRect box = QRect(x, y, advance, laid.height) & picture;
            const QRgb back = toRgb(style.background);
            for (int row = box.top(); row <= box.bottom(); ++row)
                std::fill_n(reinterpret_cast<QRgb*>(bits + row * stride) + box.left(),
                            box.width(), back);
            if (!box.isEmpty()) inkRect(box.left(), box.top(), box.right(), box.bottom());
        }
        const QRgb rgb = toRgb(style.color);
        for (const LaidOutText::Run& run : laid.runs) {
            const int row = y + run.dy;
            if (row < 0 || row >= area.height) continue;
            const int left = std::max(0, x + run.dx);
            const int right = std::min(area.width, x + run.dx + run.length);
            if (left < right)
                std::fill_n(reinterpret_cast<QRgb*>(bits + row * stride) + left, right - left,
                            rgb);
        }
        const QRect glyphs = laid.box.translated(x, y) & picture;
        if (!glyphs.isEmpty())
            inkRect(glyphs.left(), glyphs.top(), glyphs.right(), glyphs.bottom());
        return;
    }
    QPainter& p = textPainter();
    if (!fontOf || fontOf->fontName != style.fontName || fontOf->pointSize != style.pointSize ||
        fontOf->bold != style.bold) {
        p.setFont(fontFor(style));
        fontOf = style;
    }
    if (style.opaque) p.fillRect(QRect(x, y, advance, laid.height), toQColor(style.background));
    p.setPen(QPen(toQColor(style.color), 0));
    // A static text is placed by its top left, the baseline one ascent below.
    p.drawStaticText(QPoint(x, y), laid.text);
    afterPainting();
    // Glyphs may reach a few pixels beyond their advance (bold, overhangs); a margin
    // is cheaper than laying the text out a second time for its exact bounds.
    constexpr int Overhang = 8;
    inkRect(x - Overhang, y - Overhang, x + advance + Overhang, y + laid.height + Overhang);
}

// A pixel (x, y) of the picture is the unit square from (x, y) to (x + 1, y + 1); a
// pen of w pixels is centred where raster.h puts the middle of its w pixels across.
namespace {
QPointF penCentre(int x, int y, int width) {
    const int w = std::clamp(width, 1, raster::MaxPenWidth);
    const double shift = -((w - 1) / 2) + w / 2.0;
    return {x + shift, y + shift};
}
}  // namespace

void QtCanvas::lineToScaled(int x, int y) {
    if (x == posX && y == posY) return;  // as the pixel rules: a line of no length is nothing
    // The smoothed edge and the square ends reach past the pixels the rules would set.
    const int reach = std::clamp(penW, 1, raster::MaxPenWidth) + 1;
    inkRect(std::min(posX, x) - reach, std::min(posY, y) - reach, std::max(posX, x) + reach,
            std::max(posY, y) + reach);
    const QPointF from = penCentre(posX, posY, penW);
    const QPointF to = penCentre(x, y, penW);
    if (gathered != Gathered::Lines || gatheredColor != pen || gatheredWidth != penW) {
        paintGathered();
        gathered = Gathered::Lines;
        gatheredColor = pen;
        gatheredWidth = penW;
    }
    if (gatheredPoints.isEmpty() || gatheredPoints.constLast() != from) {
        runStarts.push_back(gatheredPoints.size());
        gatheredPoints.append(from);
    }
    gatheredPoints.append(to);
}

// Only dots that touch (a step of one pixel, straight or diagonal) are joined: the
// steam display sets loose dots in small boxes, and joining dots further apart would
// draw strokes across its gaps that the picture at 1:1 does not have.
void QtCanvas::dotScaled(int x, int y, Color c) {
    inkRect(x - 1, y - 1, x + 1, y + 1);  // the smoothed edge of a stroke through it
    const QPointF centre(x + 0.5, y + 0.5);
    if (gathered != Gathered::Dots || gatheredColor != c) {
        paintGathered();
        gathered = Gathered::Dots;
        gatheredColor = c;
    }
    if (!gatheredPoints.isEmpty()) {
        const QPointF last = gatheredPoints.constLast();
        if (last == centre) return;
        if (std::abs(last.x() - centre.x()) <= 1 && std::abs(last.y() - centre.y()) <= 1) {
            gatheredPoints.append(centre);
            return;
        }
    }
    runStarts.push_back(gatheredPoints.size());
    gatheredPoints.append(centre);
}

// Squares of the picture's pixels (given by their centres) under a scale and shift
// in whole device pixels, as a window or a PNG at a whole scale has, are whole device
// pixels filled without smoothing: Qt's fastest fill.
void QtCanvas::paintSquares(const std::vector<QPointF>& centres, const QColor& colour) {
    const QTransform t = painter->transform();
    auto whole = [](double v) { return v == std::floor(v) && std::abs(v) < (1 << 24); };
    if (t.type() > QTransform::TxScale || !whole(t.m11()) || !whole(t.m22()) || !whole(t.dx()) ||
        !whole(t.dy())) {
        for (const QPointF& c : centres)
            painter->fillRect(QRectF(c.x() - 0.5, c.y() - 0.5, 1, 1), colour);
        return;
    }
    const int sx = static_cast<int>(t.m11()), sy = static_cast<int>(t.m22());
    const int dx = static_cast<int>(t.dx()), dy = static_cast<int>(t.dy());
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (const QPointF& c : centres) {
        const int x = static_cast<int>(c.x() - 0.5), y = static_cast<int>(c.y() - 0.5);
        painter->fillRect(x * sx + dx, y * sy + dy, sx, sy, colour);
    }
    painter->restore();
}

void QtCanvas::paintGathered() {
    if (gathered == Gathered::Nothing) return;
    const bool dots = gathered == Gathered::Dots;
    const QColor colour = toQColor(gatheredColor);
    // Square ends and mitred corners cover the pixels of a straight run as the pixel
    // rules set them, corners included.
    const QPen stroke(colour, dots ? 1 : std::clamp(gatheredWidth, 1, raster::MaxPenWidth),
                      Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter->setPen(stroke);
    const qsizetype runs = static_cast<qsizetype>(runStarts.size());
    auto runStart = [&](qsizetype k) { return runStarts[static_cast<std::size_t>(k)]; };
    auto runEnd = [&](qsizetype k) {
        return k + 1 < runs ? runStart(k + 1) : gatheredPoints.size();
    };
    const QPointF* points = gatheredPoints.constData();
    if (rasterTarget) {
        // On an image Qt rasterizes separate lines far faster than a polyline or a
        // path, which go through its general stroker; the joints look the same. A few
        // touching dots are a clump of steam rather than a curve: they are painted as
        // the squares they are, which look the same and cost far less than tiny lines.
        constexpr qsizetype CurveDots = 8;
        std::vector<QLineF> lines;
        std::vector<QPointF> squares;
        for (qsizetype k = 0; k < runs; ++k) {
            const qsizetype first = runStart(k), end = runEnd(k);
            if (dots && end - first < CurveDots) {
                squares.insert(squares.end(), points + first, points + end);
                continue;
            }
            for (qsizetype i = first + 1; i < end; ++i) lines.emplace_back(points[i - 1], points[i]);
        }
        if (!lines.empty()) painter->drawLines(lines.data(), static_cast<int>(lines.size()));
        if (!squares.empty()) paintSquares(squares, colour);
    } else if (dots) {
        for (qsizetype k = 0; k < runs; ++k) {
            const qsizetype first = runStart(k), end = runEnd(k);
            const QPointF c = points[first];
            if (end - first == 1)
                painter->fillRect(QRectF(c.x() - 0.5, c.y() - 0.5, 1, 1), colour);
            else
                painter->drawPolyline(points + first, static_cast<int>(end - first));
        }
    } else if (runs == 1) {
        if (gatheredPoints.size() == 2)
            painter->drawLine(points[0], points[1]);
        else
            painter->drawPolyline(points, static_cast<int>(gatheredPoints.size()));
    } else {
        QPainterPath path;
        for (qsizetype k = 0; k < runs; ++k) {
            path.moveTo(points[runStart(k)]);
            for (qsizetype i = runStart(k) + 1; i < runEnd(k); ++i) path.lineTo(points[i]);
        }
        painter->strokePath(path, stroke);
    }
    gathered = Gathered::Nothing;
    gatheredPoints.clear();
    runStarts.clear();
    afterPainting();
}

// The outline lies inside the box, a wider pen thickening it inwards, as in raster.h.
// An arc runs counter-clockwise between the radials through `from` and `to`, which
// are measured from the centre the pixel rules use.
void QtCanvas::ellipseScaled(int x1, int y1, int x2, int y2, const QPointF* from,
                             const QPointF* to) {
    paintGathered();
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const int right = std::max(x1, x2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top) return;
    inkRect(left - 1, top - 1, right, bottom);
    const int w = std::clamp(penW, 1, raster::MaxPenWidth);
    const QColor colour = toQColor(pen);
    const QRectF box(left, top, right - left, bottom - top);
    if (right - left <= w || bottom - top <= w) {
        // A pin smaller than its pen is a filled dot.
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawEllipse(box);
        painter->setBrush(Qt::NoBrush);
        afterPainting();
        return;
    }
    const QRectF path = box.adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0);
    double start = 0, sweep = 360;
    if (from) {
        // Qt measures an ellipse's angles on the circle it is stretched from; a radial
        // through a screen point is turned into that angle.
        const double cx = left + (right - left - 1) / 2.0, cy = top + (bottom - top - 1) / 2.0;
        const double a = path.width() / 2, b = path.height() / 2;
        auto angleOf = [&](const QPointF& p) {
            return std::atan2(-(p.y() - cy) * a, (p.x() - cx) * b) * 180.0 / std::numbers::pi;
        };
        start = angleOf(*from);
        sweep = std::fmod(angleOf(*to) - start, 360.0);
        if (sweep <= 0) sweep += 360.0;
    }
    if (rasterTarget) {
        // Qt strokes its curves through a general stroker that cost a frame more than
        // all its lines and texts; on an image the outline is painted as short lines,
        // each within a quarter of a device pixel of the curve.
        painter->setPen(QPen(colour, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        constexpr double Tolerance = 0.25;  // device pixels
        const double radius = std::max(path.width(), path.height()) / 2 * scaleBy;
        const double step = radius > Tolerance ? 2 * std::acos(1 - Tolerance / radius) : 1.0;
        const double turn = sweep * std::numbers::pi / 180;
        const int segments = std::clamp(static_cast<int>(std::ceil(turn / step)), 8, 1440);
        const QPointF centre = path.center();
        const double a = path.width() / 2, b = path.height() / 2;
        const double t0 = start * std::numbers::pi / 180;
        std::vector<QLineF> lines;
        lines.reserve(static_cast<std::size_t>(segments));
        QPointF previous(centre.x() + a * std::cos(t0), centre.y() - b * std::sin(t0));
        for (int i = 1; i <= segments; ++i) {
            const double t = t0 + turn * i / segments;
            const QPointF next(centre.x() + a * std::cos(t), centre.y() - b * std::sin(t));
            lines.emplace_back(previous, next);
            previous = next;
        }
        painter->drawLines(lines.data(), static_cast<int>(lines.size()));
        afterPainting();
        return;
    }
    painter->setPen(QPen(colour, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    if (!from) {
        painter->drawEllipse(path);
        return;
    }
    QPainterPath arc;
    arc.arcMoveTo(path, start);
    arc.arcTo(path, start, sweep);
    painter->drawPath(arc);
}

// Placed by the same metrics as the pixel picture, so texts keep their places at any
// scale; the glyphs are smoothed, as the unsmoothed 1:1 font would look blocky.
void QtCanvas::textScaled(int x, int y, const std::string& s, const TextStyle& style) {
    paintGathered();
    LaidOutText& laid = layOut(s, style);
    if (!fontOf || fontOf->fontName != style.fontName || fontOf->pointSize != style.pointSize ||
        fontOf->bold != style.bold) {
        QFont font = fontFor(style);
        font.setStyleStrategy(QFont::PreferAntialias);
        // Named by the family actually found (Liberation Sans for the panel's font), so
        // that an SVG or PDF viewer picks the font the layout was measured with.
        font.setFamily(QFontInfo(font).family());
        painter->setFont(font);
        fontOf = style;
    }
    if (style.opaque)
        painter->fillRect(QRect(x, y, laid.advance, laid.height), toQColor(style.background));
    painter->setPen(QPen(toQColor(style.color), 0));
    if (!laid.smoothMade) {
        laid.smooth.setText(laid.text.text());
        laid.smooth.setTextFormat(Qt::PlainText);
        laid.smooth.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.smoothMade = true;
    }
    painter->drawStaticText(QPointF(x, y), laid.smooth);
    afterPainting();
    // Smoothed glyphs may reach past their advance, as on the painter at 1:1.
    constexpr int Overhang = 8;
    inkRect(x - Overhang, y - Overhang, x + laid.advance + Overhang, y + laid.height + Overhang);
}

void QtCanvas::inkRect(int x1, int y1, int x2, int y2) {
    ink(x1, y1);
    ink(x2, y2);
    if (inkTiles.empty()) return;
    const int left = std::max(x1, 0), top = std::max(y1, 0);
    const int right = std::min(x2, area.width - 1), bottom = std::min(y2, area.height - 1);
    if (left > right || top > bottom) return;
    for (int ty = top >> CellShiftY; ty <= bottom >> CellShiftY; ++ty)
        std::fill_n(inkTiles.begin() + ty * tilesX + (left >> CellShiftX),
                    (right >> CellShiftX) - (left >> CellShiftX) + 1, std::uint8_t{1});
}

QRect QtCanvas::inkedBounds() const {
    if (inkLeft > inkRight) return {};
    return QRect(QPoint(inkLeft, inkTop), QPoint(inkRight, inkBottom));
}

QRegion QtCanvas::inkedRegion() const {
    if (inkTiles.empty()) return QRegion(inkedBounds());
    return regionOfSquares(inkTiles, tilesX, QSize(CellW, CellH),
                           QRect(0, 0, area.width, area.height));
}

QRegion regionOfSquares(const std::vector<std::uint8_t>& marks, int columns, QSize cell,
                        QRect clip) {
    if (columns <= 0) return {};
    // Each row of squares gives its runs of marked squares, left to right and apart
    // from each other: the banded order a region is built from directly.
    const int rows = static_cast<int>(marks.size()) / columns;
    std::vector<QRect> runs;
    for (int ty = 0; ty < rows; ++ty) {
        const std::uint8_t* row = marks.data() + static_cast<std::ptrdiff_t>(ty) * columns;
        forEachRun(row, columns, [&](int first, int last) {
            const QRect run = QRect(first * cell.width(), ty * cell.height(),
                                    (last - first + 1) * cell.width(), cell.height()) &
                              clip;
            if (!run.isEmpty()) runs.push_back(run);
        });
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

}  // namespace quarn
