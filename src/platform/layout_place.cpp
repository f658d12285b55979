// The base places of controls and their moving with the text layout.
#include "layout_place.h"

#include <QFont>
#include <QVariant>
#include <QWidget>
#include <algorithm>

#include "model/rounding.h"

namespace quarn {
namespace {

// Kept on the control itself, so that a window finds them all among its children.
constexpr char BasePlaceProperty[] = "quarnBasePlace";
constexpr char StretchProperty[] = "quarnBaseStretch";
constexpr char ShrunkFontProperty[] = "quarnShrunkFont";

bool stretchesWidth(Stretch s) { return s == Stretch::Width || s == Stretch::Both; }
bool stretchesHeight(Stretch s) { return s == Stretch::Height || s == Stretch::Both; }

}  // namespace

void setBasePlace(QWidget* control, QRect base, Stretch stretch) {
    control->setProperty(BasePlaceProperty, base);
    control->setProperty(StretchProperty, int(stretch));
    control->setGeometry(base);
}

QRect placeInLayout(QRect base, Stretch stretch, const TextScale& scale) {
    const int left = scale.x(base.x());
    const int top = scale.y(base.y());
    const int width =
        stretchesWidth(stretch) ? scale.x(base.x() + base.width()) - left : base.width();
    const int height =
        stretchesHeight(stretch) ? scale.y(base.y() + base.height()) - top : base.height();
    return {left, top, width, height};
}

QSize sizeInLayout(QSize base, const TextScale& scale) {
    return {scale.x(base.width()), scale.y(base.height())};
}

QRect placeOnScaledPicture(QRect place, double pictureScale) {
    if (pictureScale == 1.0) return place;
    const auto at = [pictureScale](int v) { return roundHalfEven(v * pictureScale); };
    const int left = at(place.x()), top = at(place.y());
    return {left, top, at(place.x() + place.width()) - left,
            at(place.y() + place.height()) - top};
}

void followTextScale(QWidget* root, const TextScale& scale, double pictureScale) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QVariant base = w->property(BasePlaceProperty);
        if (!base.isValid()) continue;
        const auto stretch = Stretch(w->property(StretchProperty).toInt());
        const QRect place =
            placeOnScaledPicture(placeInLayout(base.toRect(), stretch, scale), pictureScale);
        if (w->geometry() != place) w->setGeometry(place);
        // On a picture shown below its size the captions shrink with their controls, so
        // that each still fits its button; at full size and above they keep the font.
        if (pictureScale < 1.0) {
            QFont f = root->font();
            if (f.pixelSize() > 0)
                f.setPixelSize(std::max(1, roundHalfEven(f.pixelSize() * pictureScale)));
            else
                f.setPointSizeF(f.pointSizeF() * pictureScale);
            w->setFont(f);
            w->setProperty(ShrunkFontProperty, true);
        } else if (w->property(ShrunkFontProperty).toBool()) {
            w->setFont(QFont());  // the parent's font again
            w->setProperty(ShrunkFontProperty, false);
        }
    }
}

}  // namespace quarn
