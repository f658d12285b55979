// The canvas over Qt: pixels of lines, ellipses and arcs set one by one, text by QPainter.
#include "qt_canvas.h"

#include <QFontMetrics>
#include <QStaticText>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <string>
#include <unordered_map>
#include <cmath>

#include "model/rounding.h"

namespace quarn {
namespace {

QColor toQColor(Color c) { return QColor(c.r, c.g, c.b); }
QRgb toRgb(Color c) { return qRgb(c.r, c.g, c.b); }

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
};

// Looked up by the text and its style as they come, so that a text seen before costs
// no conversion at all.
const LaidOutText& layOut(const std::string& s, const TextStyle& style, const QFont& font) {
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

}  // namespace

QtCanvas::QtCanvas(QImage& img)
    : image(&img), area{img.width(), img.height()} {
    // Taken once: bits() unshares the image now, so text painted later lands in the
    // same buffer as the pixels.
    if (isDirectFormat(img.format()) && !img.isNull()) {
        bits = img.bits();
        stride = img.bytesPerLine();
    }
    pixels.reserve(4096);
}

QtCanvas::QtCanvas(QPainter& p, int width, int height) : painter(&p), area{width, height} {
    painter->setRenderHint(QPainter::Antialiasing, false);
    pixels.reserve(4096);
}

QtCanvas::~QtCanvas() {
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
    if (image && knownColor && *knownColor == c) {
        // Only what the last frame drew differs from the clear colour.
        const QRect dirty = knownDirty & image->rect();
        if (!dirty.isEmpty() && bits) {
            const QRgb rgb = toRgb(c);
            for (int y = dirty.top(); y <= dirty.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride) + dirty.left(),
                            dirty.width(), rgb);
        } else if (!dirty.isEmpty()) {
            textPainter().fillRect(dirty, toQColor(c));
        }
    } else if (image)
        image->fill(toQColor(c));
    else
        painter->fillRect(0, 0, area.width, area.height, toQColor(c));
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
    }
    pixels.clear();
}

void QtCanvas::moveTo(int x, int y) {
    posX = x;
    posY = y;
}

void QtCanvas::lineTo(int x, int y) {
    raster::line(pixels, area, posX, posY, x, y, penW);
    flush(pen);
    moveTo(x, y);
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    raster::ellipse(pixels, area, x1, y1, x2, y2, penW);
    flush(pen);
}

void QtCanvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    raster::arc(pixels, area, x1, y1, x2, y2, x3, y3, x4, y4, penW);
    flush(pen);
}

// The steam display sets up to a million pixels a frame at the closest zoom, most of
// them off the picture: those cost one test, and one on a 32-bit image one store.
void QtCanvas::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= area.width || y >= area.height) return;
    ink(x, y);
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
    QPainter& p = textPainter();
    if (!fontOf || fontOf->fontName != style.fontName || fontOf->pointSize != style.pointSize ||
        fontOf->bold != style.bold) {
        p.setFont(fontFor(style));
        fontOf = style;
    }
    const LaidOutText& laid = layOut(s, style, p.font());
    const int advance = laid.advance;
    if (style.opaque) p.fillRect(QRect(x, y, advance, laid.height), toQColor(style.background));
    p.setPen(QPen(toQColor(style.color), 0));
    // A static text is placed by its top left, the baseline one ascent below.
    p.drawStaticText(QPoint(x, y), laid.text);
    // Glyphs may reach a few pixels beyond their advance (bold, overhangs); a margin
    // is cheaper than laying the text out a second time for its exact bounds.
    constexpr int Overhang = 8;
    ink(x - Overhang, y - Overhang);
    ink(x + advance + Overhang, y + laid.height + Overhang);
}

QRect QtCanvas::inkedBounds() const {
    if (inkLeft > inkRight) return {};
    return QRect(QPoint(inkLeft, inkTop), QPoint(inkRight, inkBottom));
}

}  // namespace quarn
