// The controls the panels are built from, made the same way everywhere.
#include "panel_controls.h"

#include <QPushButton>
#include <QScrollBar>

#include "platform/layout_place.h"

namespace quarn {

void setHint(QWidget* w, const QString& hint) {
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    setHint(b, hint);
    // A screen reader says the caption, which carries the button's state ("Run" or
    // "Stop"), and then the hint as the description.
    b->setAccessibleDescription(hint);
    setBasePlace(b, geometry);
    // Reached by Tab; a click leaves the keyboard focus where it was.
    b->setFocusPolicy(Qt::TabFocus);
    // Outside a dialog a push button ignores Return and Enter unless it is auto-default;
    // there is no default button here, so this only makes the keys press it.
    b->setAutoDefault(true);
    return b;
}

QScrollBar* makeBar(QWidget* parent, const char* name, const QString& hint, QRect geometry) {
    auto* s = new FocusFramedBar(Qt::Horizontal, parent);
    s->setObjectName(QString::fromLatin1(name));
    setHint(s, hint);
    s->setAccessibleName(hint);
    setBasePlace(s, geometry);
    s->setFocusPolicy(Qt::StrongFocus);
    // These bars set a value, as sliders do: Right, Up, Page Up and the wheel turned up
    // raise it. A scroll bar's own keys run the other way, as fits scrolling a page.
    s->setInvertedControls(false);
    return s;
}

QScrollBar* makeRelativeBar(QWidget* parent, const char* name, const QString& hint,
                            QRect geometry, int limit, int largeStep) {
    QScrollBar* s = makeBar(parent, name, hint, geometry);
    s->setRange(-limit, limit);
    s->setSingleStep(1);
    s->setPageStep(largeStep);
    s->setValue(0);
    return s;
}

QFrame* makePanel(QWidget* parent, const char* name, QRect geometry) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameStyle(QFrame::Panel | QFrame::Raised);
    f->setAutoFillBackground(true);
    setBasePlace(f, geometry, Stretch::Both);  // it holds its controls in either layout
    return f;
}

QFrame* makeFramePanel(QWidget* parent, const char* name, QFrame::Shape shape, QRect place) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    // A line keeps its thickness and grows along its length; a box grows both ways.
    const Stretch stretch = shape == QFrame::HLine   ? Stretch::Width
                            : shape == QFrame::VLine ? Stretch::Height
                                                     : Stretch::Both;
    setBasePlace(f, place, stretch);
    f->hide();
    return f;
}

}  // namespace quarn
