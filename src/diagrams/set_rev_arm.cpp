#include "set_rev_arm.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "drawing/rev_arm_set_labels.h"
#include "model/diagram_positions.h"
#include "model/number_text.h"
#include "model/rounding.h"
#include "platform/layout_place.h"
#include "platform/number_field.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

// The dialog was laid out at 120 pixels per inch; Qt's pixels are 96 to the inch. Its
// drawn labels were placed in screen pixels already.
int atScreenScale(int design) { return roundHalfEven(design * 96.0 / 120.0); }
QRect screenRect(int left, int top, int width, int height) {
    return {atScreenScale(left), atScreenScale(top), atScreenScale(width), atScreenScale(height)};
}

// Design places of the fields: the scale, positions 1..4 under it, 5..9 to the right.
QPoint fieldPlace(int n) {
    if (n == 10) return {138, 31};
    if (n <= 4) return {138, 31 + 16 * n};
    return {333, 31 + 16 * (n - 5)};
}

constexpr int FieldWidth = 49;
constexpr int FieldHeight = 16;
const QSize ClientSize{atScreenScale(409), atScreenScale(154)};

}  // namespace

TSetRevArm::TSetRevArm(GearModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("TSetRevArm"));
    setWindowTitle(QStringLiteral("Set Reverse Arm Positions"));
    setFixedSize(ClientSize);
    setModal(true);
    const QFont font = fontFor(TextStyle{});
    QPalette silver = palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    // Tab walks the scale, then positions 1 to 9, then Close.
    for (int n : {10, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QStringLiteral("Edit%1").arg(n));
        const QPoint at = fieldPlace(n);
        setBasePlace(f, screenRect(at.x(), at.y(), FieldWidth, FieldHeight));
        f->setFrame(false);
        f->setFont(font);
        f->setTextMargins(0, 0, 0, 0);
        f->setPalette(silver);
        // The labels are drawn, so a screen reader learns the field from here.
        const QString label = n == 10 ? QStringLiteral("Vertical Scale")
                                      : QString::fromStdString(revArmPositionLabel(n));
        f->setAccessibleName(label);
        f->setToolTip(label);
        f->setStatusTip(label);
        f->installEventFilter(this);
        Edit[std::size_t(n)] = f;
    }
    Close1 = new QPushButton(QStringLiteral("Close"), this);
    Close1->setObjectName(QStringLiteral("Close1"));
    setBasePlace(Close1, screenRect(158, 114, 92, 31));
    Close1->setFont(font);
    // Return and Enter press it when it has the focus, as Space does; in a field they
    // only move the focus here (EditKeyPress), which takes the value.
    Close1->setAutoDefault(true);
    connect(Close1, &QPushButton::clicked, this, &TSetRevArm::Close1Click);
}

int TSetRevArm::exec() {
    // The labels are drawn in the layout the main window's font switch chose; the
    // fields stand beside them, and the dialog grows to hold them all.
    setFixedSize(sizeInLayout(ClientSize, model_.screen.text));
    followTextScale(this, model_.screen.text);
    FormActivate();
    return QDialog::exec();
}

void TSetRevArm::FormActivate() {
    // Drawn twice, as the program always did; the second pass finds the list already
    // in shape and changes nothing more.
    DrawRevArmSet();
    DrawRevArmSet();
    Close1->setFocus();
}

void TSetRevArm::showText(int n, float value) {
    showNumber(Edit[std::size_t(n)], QString::fromStdString(Str(double(value), 5, 3)), value);
}

void TSetRevArm::DrawRevArmSet() {
    const RevArmSetView view = applyRevArmSetRule(model_);
    labelShown_ = {};
    labelShown_[1] = true;
    showText(1, model_.RevArmPositions[1]);
    for (int n = 2; n <= 9; ++n) {
        const bool shown = view.editVisible[std::size_t(n)];
        labelShown_[std::size_t(n)] = shown;
        Edit[std::size_t(n)]->setVisible(shown);
        showText(n, model_.RevArmPositions[std::size_t(n)]);
    }
    showText(10, model_.diagrams.TravelScale);
    update();
    Close1->setFocus();
}

bool TSetRevArm::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(Edit.begin() + 1, Edit.end(), watched);
    if (found == Edit.end()) return QDialog::eventFilter(watched, event);
    const int n = int(found - Edit.begin());
    if (event->type() == QEvent::KeyPress) return EditKeyPress(n, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; switching to another program is not
        // leaving it.
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) EditExit(n);
    }
    return QDialog::eventFilter(watched, event);
}

bool TSetRevArm::EditKeyPress(int n, QKeyEvent* key) {
    // Any key in a position field offers the next position, so one more can be added.
    if (n <= 8) {
        labelShown_[std::size_t(n + 1)] = true;
        Edit[std::size_t(n + 1)]->show();
        update();
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Close1->setFocus(Qt::OtherFocusReason);  // which takes the value
        return true;
    }
    // Shortcuts and keys that type nothing (Backspace, arrows, Tab, Delete) pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint()) return false;
    QLineEdit* f = Edit[std::size_t(n)];
    QString kept = f->text();
    // Typing replaces the selection, so a selected "." or "-" may be typed again.
    if (f->hasSelectedText()) kept.remove(f->selectionStart(), f->selectedText().size());
    return !NumberKeyFilter::accepts(kept, text, {.allowMinus = true});
}

void TSetRevArm::EditExit(int n) {
    // A text the filter let through but that is no whole number ("1-2", ".") counts as
    // its leading number; an empty field as 0. A field passed through without editing
    // gives back the position or scale it showed, unrounded.
    const auto typed = static_cast<float>(fieldNumber(Edit[std::size_t(n)]));
    if (n == 10) {
        storeTravelScale(model_, typed);
        showText(10, model_.diagrams.TravelScale);
    } else {
        storeRevArmPosition(model_, n, typed);
        showText(n, model_.RevArmPositions[std::size_t(n)]);
    }
}

void TSetRevArm::Close1Click() { accept(); }

void TSetRevArm::done(int result) {
    // A field still holding the focus has not been left yet: its value counts, whether
    // the dialog closes by Close, Escape or its window's close button.
    const auto focused = std::find(Edit.begin() + 1, Edit.end(), focusWidget());
    if (focused != Edit.end()) EditExit(int(focused - Edit.begin()));
    QDialog::done(result);
    FormClose();
    DrawRevArmSet();
}

void TSetRevArm::FormClose() { model_.diagrams.RevArmSetClosed = 1; }

void TSetRevArm::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    drawRevArmSetLabels(model_, canvas, labelShown_);
}

}  // namespace quarn
