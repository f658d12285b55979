// The focus-framed bar and the dynamic-variable bar.
#include "dyn_var_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWheelEvent>

#include "model/dyn_var_bars.h"
#include "model/dyn_vars.h"
#include "platform/layout_place.h"

namespace quarn {

void FocusFramedBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter p(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

namespace {

bool movesBar(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

const char* const barHints[] = {
    nullptr,
    "Change Last Variable Clicked",
    "Change Next to Last Variable Clicked",
    "Change 2nd to Last Variable Clicked",
    "Change 3rd to Last Variable Clicked",
};

}  // namespace

DynVarBar::DynVarBar(QWidget* parent) : FocusFramedBar(Qt::Horizontal, parent) {
    setFocusPolicy(Qt::StrongFocus);
    // These bars set a value, as sliders do: Right and Page Up raise it.
    setInvertedControls(false);
    // The style's menu would jump the bar with no end to the gesture, and so with no
    // undo record.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void DynVarBar::focusInEvent(QFocusEvent* event) {
    QScrollBar::focusInEvent(event);
    startGesture();
}

void DynVarBar::mousePressEvent(QMouseEvent* event) {
    // Before the bar moves: a press on the groove or an arrow changes the dimension at once.
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) startGesture();
    QScrollBar::mousePressEvent(event);
}

void DynVarBar::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && movesBar(event->key())) startGesture();
    QScrollBar::keyPressEvent(event);
}

void DynVarBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) endScroll();
}

void DynVarBar::keyReleaseEvent(QKeyEvent* event) {
    QScrollBar::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && movesBar(event->key())) endScroll();
}

void DynVarBar::wheelEvent(QWheelEvent* event) {
    // A turn of the wheel is a whole gesture. It takes the focus, as a click would, and
    // starts from this dimension's value as it is now.
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    startGesture();
    QScrollBar::wheelEvent(event);
    // The bar is back at 0 by now, so the slider calls the turn no change and would
    // pass it on to the window.
    event->accept();
    endScroll();
}

void DynVarBar::startGesture() {
    if (onEnter) onEnter();
}

void DynVarBar::endScroll() {
    if (onEndScroll) onEndScroll();
}

DynVarBar* makeDynVarBar(QWidget* parent, const QString& name, int k, QRect place) {
    auto* bar = new DynVarBar(parent);
    bar->setObjectName(name);
    const QString hint = QString::fromLatin1(barHints[k]);
    bar->setToolTip(hint);
    bar->setStatusTip(hint);
    setBasePlace(bar, place);
    bar->setRange(DynVarBarMin, DynVarBarMax);
    bar->setSingleStep(DynVarBarSmallStep);
    bar->setPageStep(DynVarBarLargeStep);
    bar->setValue(0);
    bar->hide();
    return bar;
}

void nameDynVarBar(DynVarBar* bar, const GearModel& m, int k) {
    QString name = QStringLiteral("Dynamic Variable %1").arg(k);
    if (dynVarSlotInUse(m, k))
        name += QStringLiteral(": ") +
                QString::fromStdString(m.dyn.DynVarSlots[std::size_t(k)].DynVarName).trimmed();
    if (bar->accessibleName() != name) bar->setAccessibleName(name);
}

}  // namespace quarn
