// Controls that stand among drawn texts move with those texts. Each keeps its place in
// the small-font layout; the large-font layout moves it by the factors that move the
// texts, so that no control slides over the text it belongs with, and a window grows
// by the same factors so that everything stays inside it.
#pragma once

#include <QRect>
#include <QSize>

#include "model/text_scale.h"

class QWidget;

namespace quarn {

// What grows with the layout besides the place. A button, a bar or a field keeps its
// size, since the font of its caption or text does not change; a frame or panel drawn
// around controls, or a button that spans the lines of its label, stretches so that it
// still holds them.
enum class Stretch { None, Width, Height, Both };

// Places the control for the small-font layout and remembers the place.
void setBasePlace(QWidget* control, QRect base, Stretch stretch = Stretch::None);

// A base place in the layout of `scale`: the top-left corner moved by the factors, and
// a stretched side running to its far corner moved alike, so that places that met
// without overlapping still do.
QRect placeInLayout(QRect base, Stretch stretch, const TextScale& scale);

// A window or picture size in the layout of `scale`, its far corner moved by the factors.
QSize sizeInLayout(QSize base, const TextScale& scale);

// A place on a picture shown `pictureScale` times its size: both corners scaled from
// the picture's top left, so that a control keeps its place among the drawn texts.
QRect placeOnScaledPicture(QRect place, double pictureScale);

// Moves every control under `root` that has a base place into the layout of `scale`,
// on a picture shown `pictureScale` times its size (a window fitting its picture).
void followTextScale(QWidget* root, const TextScale& scale, double pictureScale = 1.0);

}  // namespace quarn
