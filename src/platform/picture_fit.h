// How a picture (the 1280 x 1024 frame, a diagram) lies in a window's drawing area:
// pixel for pixel from the top left, or scaled to fill the area with its proportions
// kept. A pointer on the drawing comes back to picture pixels through here, and the
// picture's changes go out to the area through here, so that both ways agree.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace quarn {

struct PictureFit {
    double scale = 1.0;  // area pixels per picture pixel

    // The largest scale at which the whole picture is in the area; 1 for an empty area.
    static PictureFit filling(QSize area, QSize picture);

    // The picture pixel under a point of the area (a pointer's place).
    QPoint pixelAt(QPointF areaPoint) const;
    // The area pixels a rectangle of picture pixels touches.
    QRect areaOf(const QRect& pictureRect) const;
};

}  // namespace quarn
