// What every panel of the main window is made of. A panel is a small QObject that is
// handed the GearModel and the widget its controls sit on: it creates its controls as
// children of that widget at their fixed places, keeps them private, connects their
// signals to its own handlers, and its handlers change the model and mirror the result
// in the controls. The window only creates the panel and forwards menu commands to it.
// The places given are those of the small-font layout; the controls remember them, and
// the large-font layout moves them with the texts (platform/layout_place.h).
#pragma once

#include <QFrame>
#include <QRect>
#include <QScrollBar>
#include <QString>
#include <string>

#include "platform/dyn_var_bar.h"

class QPushButton;
class QWidget;

namespace quarn {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }

// Tool tip and status-bar text alike.
void setHint(QWidget* w, const QString& hint);

// A push button reached with Tab and pressed with Space, Return or Enter.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect geometry);

// A horizontal bar that takes focus by Tab or click and moves with the arrow and Page keys.
QScrollBar* makeBar(QWidget* parent, const char* name, const QString& hint, QRect geometry);

// A spring-back bar: rest position 0 in the middle of -limit..limit, an arrow click of 1
// and a page click of `largeStep`.
QScrollBar* makeRelativeBar(QWidget* parent, const char* name, const QString& hint,
                            QRect geometry, int limit, int largeStep);

// A raised panel that groups controls, filled with the window colour.
QFrame* makePanel(QWidget* parent, const char* name, QRect geometry);

// A thin sunken line or frame drawn around controls on the frame; hidden at first.
QFrame* makeFramePanel(QWidget* parent, const char* name, QFrame::Shape shape, QRect place);

}  // namespace quarn
