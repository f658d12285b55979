// Pixel rules of the drawing surface, shared by every canvas that sets pixels itself:
// lines without their end pixel, ellipses inside their bounding box, arcs between radials.
#pragma once

#include <vector>

namespace quarn::raster {

struct Pixel {
    int x = 0, y = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// Only pixels inside 0 <= x < width, 0 <= y < height are produced, and the work done is
// bounded by the size of that area, not by the length of the shape: a line a million
// pixels long costs no more than one across the picture. Pixels may repeat.
struct Area {
    int width = 0, height = 0;
};

// Widths above this draw as this; nothing of ours asks for more than a few pixels.
constexpr int MaxPenWidth = 64;

// The line from (x0, y0) towards (x1, y1), every pixel but the last, so that a polyline
// sets each joint once. A pen of width w adds w - 1 pixels across the line's major axis.
void line(std::vector<Pixel>& out, Area area, int x0, int y0, int x1, int y1, int width);

// The outline of the ellipse that fills the box from (x1, y1) to (x2, y2), right and
// bottom exclusive (either corner order). A wider pen thickens it towards the centre,
// so the outline never leaves its box.
void ellipse(std::vector<Pixel>& out, Area area, int x1, int y1, int x2, int y2, int width);

// The part of that outline swept counter-clockwise, as seen on the screen, from the
// radial through (x3, y3) to the radial through (x4, y4); equal radials give the whole
// ellipse.
void arc(std::vector<Pixel>& out, Area area, int x1, int y1, int x2, int y2, int x3, int y3,
         int x4, int y4, int width);

}  // namespace quarn::raster
