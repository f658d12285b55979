#include "dimension_dialog.h"

#include <QFocusEvent>
#include <array>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "model/dimension_edits.h"
#include "model/dimension_graphic.h"
#include "model/number_text.h"
#include "model/undo_history.h"
#include "platform/layout_place.h"
#include "platform/number_field.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

// Frame rows 1..15 stand in the left column, 16..30 in the right, 13 pixels apart.
std::array<DimensionRowPlace, 30> makeFramePlaces() {
    std::array<DimensionRowPlace, 30> p{};
    for (int r = 1; r <= 30; ++r) {
        const bool left = r <= 15;
        const int y = 13 * (left ? r - 1 : r - 16);
        // The two reverse-arm limits have no code: they cannot be dynamic variables.
        p[r - 1] = {left ? 146 : 342, y, r <= 28, left ? 0 : 194, y, 13};
    }
    return p;
}
const std::array<DimensionRowPlace, 30> framePlaces = makeFramePlaces();

// The cylinder rows; four of them have two-line labels, their fields on the second line
// and their buttons covering both.
const DimensionRowPlace cylinderPlaces[] = {
    {146, 0, true, 0, 0, 13},      {146, 13, true, 0, 13, 13},   {146, 26, true, 0, 26, 13},
    {146, 39, true, 0, 39, 13},    {146, 52, true, 0, 52, 13},   {146, 78, true, 0, 65, 26},
    {146, 91, true, 0, 91, 13},    {146, 104, true, 0, 104, 13}, {146, 117, true, 0, 117, 13},
    {146, 130, true, 0, 130, 13},  {342, 0, true, 194, 0, 13},   {342, 13, true, 194, 13, 13},
    {342, 26, true, 194, 26, 13},  {342, 52, true, 194, 39, 26}, {342, 78, true, 194, 65, 26},
    {342, 91, true, 194, 91, 13},  {342, 117, true, 194, 104, 26},
};

const ResetButtonPlace frameResets[] = {
    {"ResetFrame", "ResetFD", {282, 195, 50, 25}, DimGroup::Frame},
    {"ResetQuarnAssy", "ResetQA", {332, 195, 50, 25}, DimGroup::Assembly},
};
const ResetButtonPlace cylinderResets[] = {
    {"Reset1", "ResetCylDim", {288, 168, 89, 25}, DimGroup::Cylinder},
};

QString labelOf(const DimensionDescriptor& d) {
    return QString::fromUtf8(d.label.data(), qsizetype(d.label.size()));
}

bool isRevArmMax(const DimensionDescriptor& d) { return d.field == "RevArmToCentMax"; }

}  // namespace

const DimensionDialogLayout& frameDialogLayout() {
    static const DimensionDialogLayout layout{
        "TFrameDi", "Frame Dimentions                        Quarn Assy Dim", 386, 246,
        frameDimensions(), framePlaces, frameDialogLabels(), frameResets, {288, 220, 89, 25}};
    return layout;
}

const DimensionDialogLayout& cylinderDialogLayout() {
    static const DimensionDialogLayout layout{
        "TCylDimen", "Cylinder Dimensions", 386, 230, cylinderDimensions(), cylinderPlaces,
        cylinderDialogLabels(), cylinderResets, {288, 192, 89, 25}};
    return layout;
}

DimensionDialog::DimensionDialog(const DimensionDialogLayout& layout, GearModel& model,
                                 DimensionDialogHost host, QWidget* parent)
    : QDialog(parent), layout_(layout), model_(model), host_(std::move(host)) {
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromLatin1(layout.caption));
    setFixedSize(layout.clientWidth, layout.clientHeight);
    setModal(true);
    const QFont font = fontFor(TextStyle{});
    QPalette grey = palette();
    grey.setColor(QPalette::Base, QColor(128, 128, 128));

    // Fields first, then the small buttons, so that Tab walks from field to field.
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        const DimensionDescriptor& d = layout.rows[i];
        const DimensionRowPlace& at = layout.places[i];
        const int row = int(i) + 1;
        auto* f = new QLineEdit(this);
        f->setObjectName(QStringLiteral("Edit%1").arg(row));
        setBasePlace(f, {at.fieldX, at.fieldY, 40, 13});
        f->setFrame(false);
        f->setFont(font);
        f->setTextMargins(0, 0, 0, 0);
        if (at.grey) f->setPalette(grey);
        // The labels are drawn, so a screen reader learns the dimension from here.
        const QString label = labelOf(d);
        f->setAccessibleName(label);
        f->setToolTip(label);
        f->setStatusTip(label);
        f->installEventFilter(this);
        // A paste changes the value as typing does, so it is recorded for undo too.
        if (d.dynVarCode != 0)
            connect(f, &QLineEdit::textEdited, this, [this] { model_.dyn.TypedFlag = 1; });
        fields_.append(f);
    }
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        const DimensionDescriptor& d = layout.rows[i];
        const DimensionRowPlace& at = layout.places[i];
        const int row = int(i) + 1;
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("Button%1").arg(row));
        // The button marks its row, and the row's label lines spread with the layout.
        setBasePlace(b, {at.buttonX, at.buttonY, 8, at.buttonHeight}, Stretch::Height);
        const QString show = QStringLiteral("Show ") + labelOf(d);
        b->setAccessibleName(show);
        b->setToolTip(show);
        b->setStatusTip(show);
        const int code = (d.group == DimGroup::Cylinder ? 100 : 0) + row;
        connect(b, &QPushButton::clicked, this, [this, code] { startDimensionGraphic(model_, code); });
        buttons_.append(b);
    }
    for (const ResetButtonPlace& r : layout.resets) {
        auto* b = new QPushButton(QString::fromLatin1(r.caption), this);
        b->setObjectName(QString::fromLatin1(r.name));
        setBasePlace(b, r.place);
        b->setFont(font);
        // The press resets without emptying the history, the click again with it, so
        // one press and release ends with nothing to undo.
        const DimGroup group = r.group;
        connect(b, &QPushButton::pressed, this, [this, group] { resetGroup(group, false); });
        connect(b, &QPushButton::clicked, this, [this, group] { resetGroup(group, true); });
    }
    Close1 = new QPushButton(QStringLiteral("Close"), this);
    Close1->setObjectName(QStringLiteral("Close1"));
    setBasePlace(Close1, layout.close);
    Close1->setFont(font);
    Close1->setAutoDefault(false);
    connect(Close1, &QPushButton::clicked, this, &DimensionDialog::Close1Click);
}

void DimensionDialog::showValue(std::size_t i) {
    const double value = dimensionValue(model_, layout_.rows[i]);
    showNumber(fields_[qsizetype(i)], QString::fromStdString(Str(value, 5, 3)), value);
}

void DimensionDialog::fillFields() {
    for (std::size_t i = 0; i < layout_.rows.size(); ++i) showValue(i);
}

void DimensionDialog::prepareToOpen() {
    forGraphic_ = false;
    // The labels are drawn in the layout the main window's font switch chose; the
    // fields and buttons stand with them, and the dialog grows to hold them all.
    const TextScale& scale = model_.screen.text;
    setFixedSize(sizeInLayout({layout_.clientWidth, layout_.clientHeight}, scale));
    followTextScale(this, scale);
    fillFields();
    Close1->setFocus();
}

int DimensionDialog::exec() {
    prepareToOpen();
    return QDialog::exec();
}

void DimensionDialog::closeForGraphic() {
    if (!isVisible()) return;
    forGraphic_ = true;
    done(QDialog::Rejected);
}

void DimensionDialog::Close1Click() { accept(); }

void DimensionDialog::done(int result) {
    // A field still holding the focus has not been left yet: its value counts.
    const qsizetype focused = fields_.indexOf(qobject_cast<QLineEdit*>(focusWidget()));
    if (focused >= 0) fieldExit(int(focused) + 1);
    // Close, Escape and the window's own close button all end the editing alike: the
    // gear goes back to mid gear with the new dimensions. Not so when the dimension
    // graphic takes the screen.
    if (!forGraphic_) {
        closeDimensionDialog(model_);
        if (host_.revArmBarToMiddle) host_.revArmBarToMiddle();
    }
    if (host_.dimensionsChanged) host_.dimensionsChanged();
    QDialog::done(result);
}

bool DimensionDialog::eventFilter(QObject* watched, QEvent* event) {
    const qsizetype i = fields_.indexOf(qobject_cast<QLineEdit*>(watched));
    if (i < 0) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) return keyPress(int(i) + 1, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; switching to another program is not
        // leaving it.
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
            fieldExit(int(i) + 1);
    }
    return QDialog::eventFilter(watched, event);
}

bool DimensionDialog::keyPress(int row, QKeyEvent* key) {
    // The reverse-arm limits are not recorded for undo, so typing there marks nothing.
    const bool recorded = layout_.rows[std::size_t(row - 1)].dynVarCode != 0;
    auto typed = [&] {
        if (recorded) model_.dyn.TypedFlag = 1;
    };
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        typed();
        Close1->setFocus(Qt::OtherFocusReason);  // which takes the value
        return true;
    }
    if (key->key() == Qt::Key_Backspace) {
        typed();
        return false;
    }
    // Shortcuts and keys that type nothing (arrows, Tab, Delete) pass.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint()) return false;
    const QChar c = text.front();
    const bool number = (c.isDigit() && c.unicode() < 128) || c == QLatin1Char('.') || c == QLatin1Char('-');
    if (!number) return true;
    typed();
    QLineEdit* f = field(row);
    QString kept = f->text();
    // Typing replaces the selection, so a selected "." or "-" may be typed again.
    if (f->hasSelectedText()) kept.remove(f->selectionStart(), f->selectedText().size());
    return !NumberKeyFilter::accepts(kept, text, {.allowMinus = true});
}

void DimensionDialog::fieldExit(int row) {
    const DimensionDescriptor& d = layout_.rows[std::size_t(row - 1)];
    // Only an edited text is read: a field passed through keeps its dimension to the
    // last bit, yet still makes it the newest dynamic variable. Keys that were typed and
    // undone again still leave an undo step (with the same old and new value), as Enter
    // does.
    const auto value = static_cast<float>(fieldNumber(field(row)));
    if (isRevArmLimit(d)) {
        takeRevArmLimit(model_, d, value);
        if (isRevArmMax(d) && host_.revArmRange) host_.revArmRange();
    } else {
        takeFieldValue(model_, d, value);
    }
    // The field shows what the design now holds: a text such as "1-2" was read as 1,
    // and a limit may have been pulled to the other.
    for (std::size_t k = 0; k < layout_.rows.size(); ++k)
        if (isRevArmLimit(layout_.rows[k]) || int(k) + 1 == row)
            showValue(k);
    if (host_.dimensionsChanged) host_.dimensionsChanged();
}

void DimensionDialog::resetGroup(DimGroup group, bool clearHistory) {
    resetDimensionGroup(model_, group, clearHistory);
    // The frame group holds the reverse-arm limits.
    if (group == DimGroup::Frame && host_.revArmRange) host_.revArmRange();
    fillFields();
    if (host_.dimensionsChanged) host_.dimensionsChanged();
}

void DimensionDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    drawDialogLabels(canvas, model_.screen.text, layout_.labels);
}

}  // namespace quarn
