// Where a picture has ink: the window tests compare a picture drawn at a scale with the
// same picture at 1:1 by the box round what is not white.
#pragma once

#include <QImage>
#include <QRect>

namespace quarn::test {

inline QRect inkBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace quarn::test
