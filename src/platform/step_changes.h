// Where a picture painted from one list of drawing steps can differ from the same
// picture painted from another: what a window showing it scaled must paint again.
#pragma once

#include <QRegion>
#include <QSize>
#include <vector>

#include "canvas/recording_canvas.h"

namespace quarn {

// Squares of the picture (in its own pixels) about every step found in one list and
// not in the other, with room for a scaled pen, a smoothed edge and a text's overhang.
// Steps found in both, in the order a picture is drawn in, paint alike at any scale.
QRegion stepChanges(const std::vector<DrawnItem>& before, const std::vector<DrawnItem>& after,
                    QSize picture);

}  // namespace quarn
