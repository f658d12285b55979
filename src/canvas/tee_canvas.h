// A canvas that hands every drawing step to two canvases: the frame's pixels for the
// 1:1 picture and, beside them, the list of steps a scaled picture is painted from.
#pragma once

#include "canvas.h"

namespace quarn {

class TeeCanvas final : public Canvas {
public:
    // Both canvases must outlive this one; the first answers the questions.
    TeeCanvas(Canvas& first, Canvas& second) : a(first), b(second) {}

    int width() const override { return a.width(); }
    int height() const override { return a.height(); }
    void clear(Color c) override {
        a.clear(c);
        b.clear(c);
    }
    void setPenColor(Color c) override {
        a.setPenColor(c);
        b.setPenColor(c);
    }
    void setPenWidth(int w) override {
        a.setPenWidth(w);
        b.setPenWidth(w);
    }
    Color penColor() const override { return a.penColor(); }
    int penWidth() const override { return a.penWidth(); }
    void moveTo(int x, int y) override {
        a.moveTo(x, y);
        b.moveTo(x, y);
    }
    void lineTo(int x, int y) override {
        a.lineTo(x, y);
        b.lineTo(x, y);
    }
    void ellipse(int x1, int y1, int x2, int y2) override {
        a.ellipse(x1, y1, x2, y2);
        b.ellipse(x1, y1, x2, y2);
    }
    void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
        a.arc(x1, y1, x2, y2, x3, y3, x4, y4);
        b.arc(x1, y1, x2, y2, x3, y3, x4, y4);
    }
    void setPixel(int x, int y, Color c) override {
        a.setPixel(x, y, c);
        b.setPixel(x, y, c);
    }
    void text(int x, int y, const std::string& s, const TextStyle& style) override {
        a.text(x, y, s, style);
        b.text(x, y, s, style);
    }

private:
    Canvas& a;
    Canvas& b;
};

}  // namespace quarn
