// The canvas over Qt: the 1280 x 1024 frame image, or a window's painter for the
// diagrams. Lines, ellipses and arcs follow the pixel rules of raster.h, not Qt's
// own rasterizer, so a picture is the same on every target; text goes through QPainter.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/raster.h"

namespace quarn {

// The Qt font the canvas draws a style's texts in; the dialogs whose labels are drawn
// give their fields the same font, so drawn and typed texts match.
QFont fontFor(const TextStyle& style);

class QtCanvas final : public Canvas {
public:
    // Draws straight into the image's pixels; the image must stay alive and must not be
    // copied while the canvas draws on it. The picture is complete when the canvas goes.
    explicit QtCanvas(QImage& image);
    // Draws through a painter that is already active, on a device of the given size.
    QtCanvas(QPainter& painter, int width, int height);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    int width() const override { return area.width; }
    int height() const override { return area.height; }
    void clear(Color c) override;
    void setPenColor(Color c) override { pen = c; }
    void setPenWidth(int w) override { penW = w; }
    Color penColor() const override { return pen; }
    int penWidth() const override { return penW; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void setPixel(int x, int y, Color c) override;
    void text(int x, int y, const std::string& s, const TextStyle& style) override;

    // The part of the picture drawn on since the last clear: a window need copy only
    // this and what the previous frame drew to show the new frame.
    QRect inkedBounds() const;

    // Tells the canvas that its image is colour `c` everywhere outside `dirty`, as the
    // window knows of the frame it drew the tick before: a clear to that colour then
    // fills `dirty` alone. Only for a canvas over an image.
    void assumeCleared(Color c, QRect dirty) {
        knownColor = c;
        knownDirty = dirty;
    }

private:
    void ink(int x, int y) {
        inkLeft = std::min(inkLeft, x);
        inkTop = std::min(inkTop, y);
        inkRight = std::max(inkRight, x);
        inkBottom = std::max(inkBottom, y);
    }

    void flush(Color c);
    QPainter& textPainter();

    QImage* image = nullptr;
    uchar* bits = nullptr;  // direct pixel access on a 32-bit image
    qsizetype stride = 0;
    std::unique_ptr<QPainter> ownPainter;  // opened on the image for text only
    QPainter* painter = nullptr;
    raster::Area area;
    Color pen = colors::Black;
    int penW = 1;
    int posX = 0, posY = 0;
    std::vector<raster::Pixel> pixels;  // reused from primitive to primitive
    std::optional<TextStyle> fontOf;    // the style the painter's font was made for
    // Inclusive pixel bounds of the ink since the last clear; empty while left > right.
    std::optional<Color> knownColor;  // the image's colour outside knownDirty, if known
    QRect knownDirty;
    int inkLeft = 1 << 30, inkTop = 1 << 30, inkRight = -(1 << 30), inkBottom = -(1 << 30);
};

}  // namespace quarn
