// The text form of drawn primitives: fixed field order, colours in hex, no locale.
#include "primitive_text.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace quarn {
namespace {

void addHex(std::string& s, Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", unsigned(c.r), unsigned(c.g), unsigned(c.b));
    s += ' ';
    s += buf;
}

void addNumbers(std::string& s, std::initializer_list<int> numbers) {
    for (const int n : numbers) {
        s += ' ';
        s += std::to_string(n);
    }
}

// The box of an ellipse or arc, left, top, right, bottom.
void addBox(std::string& s, const DrawnItem& d) {
    addNumbers(s, {std::min(d.x1, d.x2), std::min(d.y1, d.y2), std::max(d.x1, d.x2),
                   std::max(d.y1, d.y2)});
}

void addPen(std::string& s, const DrawnItem& d) {
    addHex(s, d.color);
    addNumbers(s, {d.width});
}

// The frame's texts are labels and numbers, each on one line, so nothing but the
// quote itself needs care.
void addQuoted(std::string& s, const std::string& text) {
    s += " \"";
    for (const char ch : text) {
        if (ch == '"') s += '"';
        s += ch;
    }
    s += '"';
}

std::string textItem(const DrawnItem& d) {
    const TextStyle& style = d.style;
    std::string s = "text";
    addNumbers(s, {d.x1, d.y1});
    addHex(s, d.color);
    addNumbers(s, {style.pointSize});
    s += style.bold ? " bold" : " normal";
    s += style.opaque ? " opaque" : " clear";
    addQuoted(s, d.text);
    return s;
}

}  // namespace

std::optional<std::string> primitiveText(const DrawnItem& d) {
    std::string s;
    switch (d.kind) {
        case DrawnItem::Kind::Clear: return std::nullopt;
        case DrawnItem::Kind::Line:
            s = "line";
            addNumbers(s, {d.x1, d.y1, d.x2, d.y2});
            addPen(s, d);
            return s;
        case DrawnItem::Kind::Ellipse:
            s = "ellipse";
            addBox(s, d);
            addPen(s, d);
            return s;
        case DrawnItem::Kind::Arc:
            s = "arc";
            addBox(s, d);
            addNumbers(s, {d.x3, d.y3, d.x4, d.y4});
            addPen(s, d);
            return s;
        case DrawnItem::Kind::Pixel:
            s = "pixel";
            addNumbers(s, {d.x1, d.y1});
            addHex(s, d.color);
            return s;
        case DrawnItem::Kind::Text: return textItem(d);
    }
    return std::nullopt;  // not reached: every kind is handled above
}

void writePrimitiveList(std::ostream& out, const std::vector<DrawnItem>& items) {
    std::string text;
    for (const DrawnItem& d : items) {
        if (const auto line = primitiveText(d)) {
            text += *line;
            text += '\n';
        }
    }
    out << text;
}

}  // namespace quarn
