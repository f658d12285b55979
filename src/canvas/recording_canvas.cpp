// The recording canvas: every primitive becomes one entry with the pen it was drawn with.
#include "recording_canvas.h"

namespace quarn {

namespace {

DrawnItem item(DrawnItem::Kind kind, Color color, int width, int x1, int y1, int x2 = 0,
               int y2 = 0) {
    DrawnItem d;
    d.kind = kind;
    d.color = color;
    d.width = width;
    d.x1 = x1;
    d.y1 = y1;
    d.x2 = x2;
    d.y2 = y2;
    return d;
}

}  // namespace

void RecordingCanvas::clear(Color c) { drawn.push_back(item(DrawnItem::Kind::Clear, c, 1, 0, 0)); }

void RecordingCanvas::moveTo(int x, int y) {
    posX = x;
    posY = y;
}

void RecordingCanvas::lineTo(int x, int y) {
    drawn.push_back(item(DrawnItem::Kind::Line, pen, penW, posX, posY, x, y));
    moveTo(x, y);
}

void RecordingCanvas::ellipse(int x1, int y1, int x2, int y2) {
    drawn.push_back(item(DrawnItem::Kind::Ellipse, pen, penW, x1, y1, x2, y2));
}

void RecordingCanvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    DrawnItem d = item(DrawnItem::Kind::Arc, pen, penW, x1, y1, x2, y2);
    d.x3 = x3;
    d.y3 = y3;
    d.x4 = x4;
    d.y4 = y4;
    drawn.push_back(d);
}

// Only pixels that land on the surface are kept: the steam display at the closest
// zoom sets about a million a frame, mostly far off the picture, and a list of those
// would be slow and huge while showing nothing a real surface would show.
void RecordingCanvas::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    drawn.push_back(item(DrawnItem::Kind::Pixel, c, 1, x, y));
}

void RecordingCanvas::text(int x, int y, const std::string& s, const TextStyle& style) {
    DrawnItem d = item(DrawnItem::Kind::Text, style.color, 1, x, y);
    d.text = s;
    d.style = style;
    drawn.push_back(d);
}

}  // namespace quarn
