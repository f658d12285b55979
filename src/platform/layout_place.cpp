// The base places of controls and their moving with the text layout.
#include "layout_place.h"

#include <QVariant>
#include <QWidget>

namespace quarn {
namespace {

// Kept on the control itself, so that a window finds them all among its children.
constexpr char BasePlaceProperty[] = "quarnBasePlace";
constexpr char StretchProperty[] = "quarnBaseStretch";

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

void followTextScale(QWidget* root, const TextScale& scale) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QVariant base = w->property(BasePlaceProperty);
        if (!base.isValid()) continue;
        const auto stretch = Stretch(w->property(StretchProperty).toInt());
        const QRect place = placeInLayout(base.toRect(), stretch, scale);
        if (w->geometry() != place) w->setGeometry(place);
    }
}

}  // namespace quarn
