// A picture's fit to its drawing area.
#include "picture_fit.h"

#include <algorithm>
#include <cmath>

namespace quarn {

PictureFit PictureFit::filling(QSize area, QSize picture) {
    if (area.isEmpty() || picture.isEmpty()) return {};
    return {std::min(double(area.width()) / picture.width(),
                     double(area.height()) / picture.height())};
}

QPoint PictureFit::pixelAt(QPointF areaPoint) const {
    // A picture pixel covers a square of the area; the point lies in exactly one.
    return {int(std::floor(areaPoint.x() / scale)), int(std::floor(areaPoint.y() / scale))};
}

QRect PictureFit::areaOf(const QRect& pictureRect) const {
    if (pictureRect.isEmpty()) return {};
    const int left = int(std::floor(pictureRect.left() * scale));
    const int top = int(std::floor(pictureRect.top() * scale));
    const int right = int(std::ceil((pictureRect.right() + 1) * scale));
    const int bottom = int(std::ceil((pictureRect.bottom() + 1) * scale));
    return {left, top, right - left, bottom - top};
}

}  // namespace quarn
