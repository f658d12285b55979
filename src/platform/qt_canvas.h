// The canvas over Qt: the 1280 x 1024 frame image, or a window's painter for the
// diagrams. Lines, ellipses and arcs follow the pixel rules of raster.h, not Qt's
// own rasterizer, so a picture is the same on every target; text goes through QPainter.
// At a scale (a large window, a page, a vector file) the same drawing steps are painted
// as Qt's own lines, ellipses, arcs and texts instead, crisp at any size.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRect>
#include <QRegion>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/raster.h"

namespace quarn {

// The Qt font the canvas draws a style's texts in; the dialogs whose labels are drawn
// give their fields the same font, so drawn and typed texts match.
QFont fontFor(const TextStyle& style);

// The region of the squares marked non-zero in `marks`, a row of `columns` squares of
// `cell` pixels after another, clipped to `clip`.
QRegion regionOfSquares(const std::vector<std::uint8_t>& marks, int columns, QSize cell,
                        QRect clip);

class QtCanvas final : public Canvas {
public:
    // Draws straight into the image's pixels; the image must stay alive and must not be
    // copied while the canvas draws on it. The picture is complete when the canvas goes.
    explicit QtCanvas(QImage& image);
    // Draws through a painter that is already active, on a device of the given size.
    QtCanvas(QPainter& painter, int width, int height);
    // Draws through an active painter at `scale` device units per pixel of the picture,
    // whose size in its own pixels stays `width` x `height` (the drawing's coordinates
    // do not change with the scale). Each step is painted as a shape of the painter, so
    // the picture is crisp at any scale and a vector file keeps it as vectors:
    // - a run of lineTo calls with one pen is one polyline (a single line is one line),
    //   and the lines and polylines of one pen that follow each other, joined or not,
    //   are one path (a grid of ticks is one element of a vector file, not hundreds);
    //   pen widths scale with the picture;
    // - ellipses and arcs are Qt's ellipses and arcs, inside their box as in raster.h;
    // - consecutive setPixel dots of one colour, each touching the one before, are one
    //   polyline (a curve set dot by dot); a lone dot is a square of one pixel;
    // - on an image (Qt's raster engine) polylines and paths are painted as their
    //   separate lines, which Qt rasterizes several times faster, to the same look;
    // - texts are texts in the scaled font, smoothed.
    // Antialiasing is on. The painter's transform and hints are restored, and what is
    // still gathered is painted, when the canvas goes. Scale 1 is a valid choice: a
    // vector file the picture's size.
    QtCanvas(QPainter& painter, int width, int height, double scale);
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
    // The same, closer: the 16-pixel squares drawn on. The bounds of a gear that spans
    // the picture take in the panels too. For a canvas over an image and a scaled one
    // (in the picture's pixels, with the smoothed edges); through a plain painter it is
    // the bounds.
    QRegion inkedRegion() const;
    // The squares whose pixels differ from the picture the canvas was given: what a
    // window must repaint. Most of what a tick draws (the captions, the cylinder, the
    // panel's fixed texts) comes out as it was, and the controls lying on the frame
    // need not be repainted 64 times a second for it. Exact after a clear to the colour
    // of assumeCleared; without a clear it is the inked region, after any other clear
    // the whole picture.
    QRegion changedRegion() const;

    // Tells the canvas that its image is colour `c` everywhere outside `dirty`, as the
    // window knows of the frame it drew the tick before: a clear to that colour then
    // fills `dirty` alone, keeping what it covers to tell the changes. For a canvas over
    // an image, and for a scaled canvas (`dirty` in the picture's pixels, as its
    // inkedRegion gives it; what the clear covers counts as changed, nothing is kept).
    // A window that draws every tick lends the store for what the clear keeps, so that
    // its memory is not taken and given back each time.
    void assumeCleared(Color c, const QRegion& dirty, std::vector<QRgb>* store = nullptr) {
        knownColor = c;
        knownDirty = dirty;
        if (store) kept = store;
    }

private:
    // The picture is marked in squares of 16 x 16 pixels; a row of a square is one
    // cache line of a 32-bit image. Lower squares were tried: they mark fewer pixels
    // but cost as much, the memory being reached line by line either way.
    static constexpr int CellShiftX = 4, CellShiftY = 4;
    static constexpr int CellW = 1 << CellShiftX, CellH = 1 << CellShiftY;

    void ink(int x, int y) {
        inkLeft = std::min(inkLeft, x);
        inkTop = std::min(inkTop, y);
        inkRight = std::max(inkRight, x);
        inkBottom = std::max(inkBottom, y);
        if (!inkTiles.empty() && x >= 0 && y >= 0 && x < area.width && y < area.height)
            inkTiles[static_cast<std::size_t>((y >> CellShiftY) * tilesX + (x >> CellShiftX))] =
                1;
    }
    void inkRect(int x1, int y1, int x2, int y2);
    std::vector<std::uint8_t> squaresOf(const QRegion& region) const;
    QRect squareRect(int tx, int ty) const;
    void clearKnown(QRgb rgb);

    void flush(Color c);
    QPainter& textPainter();

    // The scaled drawing: what is gathered (a polyline of one pen, a run of touching
    // dots of one colour) is painted when something else comes.
    bool scaled() const { return scaleBy > 0; }
    void clearScaled(Color c);
    void lineToScaled(int x, int y);
    void dotScaled(int x, int y, Color c);
    void ellipseScaled(int x1, int y1, int x2, int y2, const QPointF* from, const QPointF* to);
    void textScaled(int x, int y, const std::string& s, const TextStyle& style);
    void paintGathered();
    void paintSquares(const std::vector<QPointF>& centres, const QColor& colour);

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
    QRegion knownDirty;
    int tilesX = 0, tilesY = 0;
    std::vector<std::uint8_t> inkTiles;  // 1 for each square drawn on since the clear
    // What the picture was before the first clear, for changedRegion: the colour it
    // had outside the dirty part, and the pixels of each dirty square the clear covered
    // (slot k holds square k's 16 x 16 pixels at (*kept)[k * 256]).
    // Marked: the dirty squares were too many to keep (the steam display close up);
    // they count as changed, as does every square drawn on.
    enum class Before { Unknown, Kept, Marked, Gone } before = Before::Unknown;
    QRgb beforeColour = 0;
    std::vector<int> keptSlot;  // per square, -1 where the picture was beforeColour
    std::vector<QRgb> ownKept;
    std::vector<QRgb>* kept = &ownKept;
    int inkLeft = 1 << 30, inkTop = 1 << 30, inkRight = -(1 << 30), inkBottom = -(1 << 30);

    double scaleBy = 0;  // device units per picture pixel; 0 for the pixel rules
    // What is gathered, in the picture's pixels: runs of pen centres (a polyline each)
    // or of dot centres (touching dots each; a run of one is a lone dot), one after
    // another in one list, each run starting at its index in runStarts.
    enum class Gathered { Nothing, Lines, Dots } gathered = Gathered::Nothing;
    QPolygonF gatheredPoints;
    std::vector<qsizetype> runStarts;
    bool rasterTarget = false;  // painting on an image, not into a vector file
    Color gatheredColor;
    int gatheredWidth = 1;
};

}  // namespace quarn
