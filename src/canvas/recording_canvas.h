// A canvas that keeps the list of what was drawn, so tests can check a picture by its
// lines, circles and texts instead of its pixels. Single pixels are kept only when they
// fall inside its width and height; every other primitive is kept as it was asked for.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace quarn {

struct DrawnItem {
    enum class Kind { Clear, Line, Ellipse, Arc, Pixel, Text };
    Kind kind = Kind::Line;
    Color color;       // pen colour (line, ellipse, arc), pixel or text colour, fill colour
    int width = 1;     // pen width when drawn
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; ellipse and arc box; pixel and text at x1, y1
    int x3 = 0, y3 = 0, x4 = 0, y4 = 0;  // arc radials
    std::string text;
    TextStyle style;
    friend bool operator==(const DrawnItem&, const DrawnItem&) = default;
};

class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(int width = 1280, int height = 1024) : w(width), h(height) {}

    int width() const override { return w; }
    int height() const override { return h; }
    void clear(Color c) override;
    void setPenColor(Color c) override { pen = c; }
    void setPenWidth(int width) override { penW = width; }
    Color penColor() const override { return pen; }
    int penWidth() const override { return penW; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void setPixel(int x, int y, Color c) override;
    void text(int x, int y, const std::string& s, const TextStyle& style) override;

    const std::vector<DrawnItem>& items() const { return drawn; }
    int penX() const { return posX; }
    int penY() const { return posY; }

private:
    int w, h;
    Color pen = colors::Black;
    int penW = 1;
    int posX = 0, posY = 0;
    std::vector<DrawnItem> drawn;
};

}  // namespace quarn
