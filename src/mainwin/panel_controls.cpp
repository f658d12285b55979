// The controls the panels are built from, made the same way everywhere.
#include "panel_controls.h"

#include <QPushButton>
#include <QScrollBar>

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
    b->setGeometry(geometry);
    // Reached by Tab; a click leaves the keyboard focus where it was.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QScrollBar* makeBar(QWidget* parent, const char* name, const QString& hint, QRect geometry) {
    auto* s = new QScrollBar(Qt::Horizontal, parent);
    s->setObjectName(QString::fromLatin1(name));
    setHint(s, hint);
    s->setGeometry(geometry);
    return s;
}

}  // namespace quarn
