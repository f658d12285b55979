// Replaying recorded drawing steps.
#include "play_back.h"

#include <optional>
#include <utility>

namespace quarn {

void playBack(const std::vector<DrawnItem>& items, Canvas& canvas) {
    std::optional<std::pair<int, int>> at;  // the pen's place after the last line
    auto pen = [&canvas](const DrawnItem& d) {
        if (canvas.penColor() != d.color) canvas.setPenColor(d.color);
        if (canvas.penWidth() != d.width) canvas.setPenWidth(d.width);
    };
    for (const DrawnItem& d : items) {
        switch (d.kind) {
            case DrawnItem::Kind::Clear: canvas.clear(d.color); break;
            case DrawnItem::Kind::Line:
                pen(d);
                if (at != std::pair(d.x1, d.y1)) canvas.moveTo(d.x1, d.y1);
                canvas.lineTo(d.x2, d.y2);
                at = std::pair(d.x2, d.y2);
                continue;
            case DrawnItem::Kind::Ellipse:
                pen(d);
                canvas.ellipse(d.x1, d.y1, d.x2, d.y2);
                break;
            case DrawnItem::Kind::Arc:
                pen(d);
                canvas.arc(d.x1, d.y1, d.x2, d.y2, d.x3, d.y3, d.x4, d.y4);
                break;
            case DrawnItem::Kind::Pixel: canvas.setPixel(d.x1, d.y1, d.color); break;
            case DrawnItem::Kind::Text: canvas.text(d.x1, d.y1, d.text, d.style); break;
        }
        at.reset();
    }
}

}  // namespace quarn
