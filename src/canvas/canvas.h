// The drawing surface every picture of the program is drawn on: the animated frame,
// the steam, the text, the overlay, the dimension graphic and the diagrams.
#pragma once

#include <cstdint>
#include <string>

namespace quarn {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
constexpr Color Black{0, 0, 0};
constexpr Color White{255, 255, 255};
constexpr Color Red{255, 0, 0};
constexpr Color Lime{0, 255, 0};
constexpr Color Blue{0, 0, 255};
constexpr Color Magenta{255, 0, 255};
constexpr Color Cyan{0, 255, 255};
constexpr Color Maroon{128, 0, 0};
constexpr Color DarkGreen{0, 128, 0};
constexpr Color Grey{128, 128, 128};
constexpr Color Yellow{255, 255, 0};
}  // namespace colors

// A colour stored as a number in the overlay and the dimension file: 0x00BBGGRR.
constexpr Color colorFromBgr(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
            static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

struct TextStyle {
    std::string fontName = "MS Sans Serif";
    int pointSize = 8;
    Color color = colors::Black;
    bool bold = false;
    bool opaque = false;             // draw the text's background box
    Color background = colors::White;  // used when opaque
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the whole surface (the frame starts white every tick).
    virtual void clear(Color c) = 0;

    virtual void setPenColor(Color c) = 0;
    virtual void setPenWidth(int w) = 0;
    virtual Color penColor() const = 0;
    virtual int penWidth() const = 0;

    // The pen position; lineTo draws from it to (x, y) without the end pixel and
    // moves the pen there. A pen wider than 1 thickens the line across its main
    // direction, so a joint of a polyline is still set once.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;

    // An unfilled ellipse through its bounding box (right and bottom exclusive, either
    // corner order). A wider pen thickens it inwards: the outline never leaves the box.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;

    // An arc of the ellipse in the box (x1, y1)-(x2, y2), drawn counter-clockwise as
    // seen on the screen from the radial through (x3, y3) to the radial through (x4, y4).
    virtual void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;

    virtual void setPixel(int x, int y, Color c) = 0;

    // Text with its top-left corner at (x, y).
    virtual void text(int x, int y, const std::string& s, const TextStyle& style) = 0;

    void line(int x1, int y1, int x2, int y2) {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
};

}  // namespace quarn
