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

// A dynamic-variable bar tells, besides its changes, when a gesture on it starts (it
// takes the focus, a mouse button or a key that moves it goes down, the wheel turns)
// and when it ends (the button or the key is let go). Between the two lies one change
// of a dimension, which the end records for undo from the value the start took. The
// start is told at every press, not only with the focus: a bar that kept the focus
// while the design changed elsewhere gets no focus event before its next gesture.
class DynVarBar : public FocusFramedBar {
public:
    explicit DynVarBar(QWidget* parent);

    std::function<void()> onEnter;
    std::function<void()> onEndScroll;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void startGesture();
    void endScroll();
};

// Bar k (1..4) named `name`, with its hint, the range and steps every dynamic-variable
// bar has, at rest in the middle and hidden; `place` is its small-font place, which the
// large-font layout moves with the texts.
DynVarBar* makeDynVarBar(QWidget* parent, const QString& name, int k, QRect place);

// The bar's label is drawn beside it; a screen reader gets the slot's dimension from its
// accessible name, which this keeps up to date.
void nameDynVarBar(DynVarBar* bar, const GearModel& m, int k);

}  // namespace quarn
