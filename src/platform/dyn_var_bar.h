// The scroll bars the windows share: a bar that shows a focus frame when Tab reaches
// it, and the dynamic-variable bar of the main window and of every diagram window.
#pragma once

#include <QRect>
#include <QScrollBar>
#include <functional>

#include "model/gear_model.h"

namespace quarn {

// Most styles draw no focus frame on a scroll bar; one reached by Tab must show it has
// the keys.
class FocusFramedBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A dynamic-variable bar tells, besides its changes, when it takes the focus and when
// a gesture on it ends: the mouse button or the key is let go. Between the two lies
// one change of a dimension, which the end records for undo.
class DynVarBar : public FocusFramedBar {
public:
    explicit DynVarBar(QWidget* parent);

    std::function<void()> onEnter;
    std::function<void()> onEndScroll;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void endScroll();
};

// Bar k (1..4) named `name`, with its hint, the range and steps every dynamic-variable
// bar has, at rest in the middle and hidden.
DynVarBar* makeDynVarBar(QWidget* parent, const QString& name, int k, QRect place);

// The bar's label is drawn beside it; a screen reader gets the slot's dimension from its
// accessible name, which this keeps up to date.
void nameDynVarBar(DynVarBar* bar, const GearModel& m, int k);

}  // namespace quarn
