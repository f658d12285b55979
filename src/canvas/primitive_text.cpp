// The text form of drawn primitives: fixed field order, colours in hex, no locale.
#include "primitive_text.h"

#include <cstdio>
#include <ostream>

namespace quarn {
namespace {

std::string hex(Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", unsigned(c.r), unsigned(c.g), unsigned(c.b));
    return buf;
}

std::string point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string quoted(const std::string& s) {
    std::string q = "\"";
    for (const char ch : s) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            q += '\\';
            q += ch;
        } else if (byte < 0x20 || byte == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", unsigned(byte));
            q += buf;
        } else {
            q += ch;
        }
    }
    return q + "\"";
}

std::string pen(const char* kind, const DrawnItem& d) {
    return std::string(kind) + " " + std::to_string(d.width) + " " + hex(d.color);
}

std::string textItem(const DrawnItem& d) {
    const TextStyle& s = d.style;
    return "text " + quoted(d.text) + " " + hex(d.color) + " " + quoted(s.fontName) + " " +
           std::to_string(s.pointSize) + "pt " + (s.bold ? "bold" : "normal") + " " +
           (s.opaque ? "opaque " + hex(s.background) : std::string("transparent")) + " " +
           point(d.x1, d.y1);
}

}  // namespace

std::string primitiveText(const DrawnItem& d) {
    switch (d.kind) {
        case DrawnItem::Kind::Clear: return "clear " + hex(d.color);
        case DrawnItem::Kind::Line:
            return pen("line", d) + " " + point(d.x1, d.y1) + " " + point(d.x2, d.y2);
        case DrawnItem::Kind::Ellipse:
            return pen("ellipse", d) + " " + point(d.x1, d.y1) + " " + point(d.x2, d.y2);
        case DrawnItem::Kind::Arc:
            return pen("arc", d) + " " + point(d.x1, d.y1) + " " + point(d.x2, d.y2) + " " +
                   point(d.x3, d.y3) + " " + point(d.x4, d.y4);
        case DrawnItem::Kind::Pixel: return "pixel " + hex(d.color) + " " + point(d.x1, d.y1);
        case DrawnItem::Kind::Text: return textItem(d);
    }
    return "unknown";  // not reached: every kind is handled above
}

void writePrimitiveList(std::ostream& out, const std::vector<DrawnItem>& items) {
    for (const DrawnItem& d : items) out << primitiveText(d) << '\n';
}

}  // namespace quarn
