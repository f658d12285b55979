// The recording canvas: every primitive becomes one entry with the pen it was drawn with.
#include "recording_canvas.h"

namespace quarn {

void RecordingCanvas::clear(Color c) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Clear;
    d.color = c;
    drawn.push_back(d);
}

void RecordingCanvas::moveTo(int x, int y) {
    posX = x;
    posY = y;
}

void RecordingCanvas::lineTo(int x, int y) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Line;
    d.color = pen;
    d.width = penW;
    d.x1 = posX;
    d.y1 = posY;
    d.x2 = x;
    d.y2 = y;
    drawn.push_back(d);
    moveTo(x, y);
}

void RecordingCanvas::ellipse(int x1, int y1, int x2, int y2) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Ellipse;
    d.color = pen;
    d.width = penW;
    d.x1 = x1;
    d.y1 = y1;
    d.x2 = x2;
    d.y2 = y2;
    drawn.push_back(d);
}

void RecordingCanvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Arc;
    d.color = pen;
    d.width = penW;
    d.x1 = x1;
    d.y1 = y1;
    d.x2 = x2;
    d.y2 = y2;
    d.x3 = x3;
    d.y3 = y3;
    d.x4 = x4;
    d.y4 = y4;
    drawn.push_back(d);
}

void RecordingCanvas::setPixel(int x, int y, Color c) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Pixel;
    d.color = c;
    d.x1 = x;
    d.y1 = y;
    drawn.push_back(d);
}

void RecordingCanvas::text(int x, int y, const std::string& s, const TextStyle& style) {
    DrawnItem d;
    d.kind = DrawnItem::Kind::Text;
    d.color = style.color;
    d.x1 = x;
    d.y1 = y;
    d.text = s;
    d.style = style;
    drawn.push_back(d);
}

}  // namespace quarn
