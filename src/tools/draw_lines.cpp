// The lines-and-circles dialog: its controls at their places, and the mirror of the model.
#include "draw_lines.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "model/overlay.h"
#include "platform/number_field.h"
#include "platform/sound.h"

namespace quarn {
namespace {

// The dialog is laid out in fixed pixels; a small font keeps the rows' texts inside
// their 13-pixel rows.
constexpr int DialogFontPixels = 10;
constexpr int RowTop = 100, RowPitch = 14, RowHeight = 13, RowLeft = 32, RowWidth = 390;
constexpr int FieldWidth = 42;
constexpr std::array<int, 4> FieldLeft{168, 221, 285, 338};
const QColor Aqua(0x00, 0xFF, 0xFF);  // the edited row
const QColor ChoiceGrey(0xC0, 0xC0, 0xC0);
const QColor FieldGrey(0xC0, 0xC0, 0xC0);

const char* const ColumnNames[] = {"Vert1", "Horz1", "Vert2", "Horz2"};

QString qs(const std::string& s) { return QString::fromStdString(s); }

void fillWith(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect place) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setAutoDefault(false);
    return b;
}

QLabel* makeLabel(QWidget* parent, int number, const QString& text, QRect place) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label%1").arg(number));
    l->setGeometry(place);
    return l;
}

// Checks the button of `id` in an exclusive group, or none for -1.
void mirrorChoice(QButtonGroup* group, int id) {
    if (group->checkedId() == id) return;
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

void setTextIfChanged(QLabel* l, const std::string& text) {
    if (l->text() != qs(text)) l->setText(qs(text));
}

}  // namespace

TDrawLines::TDrawLines(GearModel& model, QWidget* parent)
    : QDialog(parent), beep([] { Sound::beep(); }), model_(model) {
    setObjectName(QStringLiteral("TDrawLines"));
    setWindowTitle(QStringLiteral("Draw Lines"));
    setModal(true);
    QFont f = font();
    f.setPixelSize(DialogFontPixels);
    setFont(f);
    fillWith(this, Qt::white);
    setFixedSize(584, 467);  // 592 x 501 with the frame

    RadioGroup1 = makeChoice("RadioGroup1", QStringLiteral("  Type    "), {9, 7, 68, 55}, 1,
                             {QStringLiteral("Line"), QStringLiteral("Circle")}, typeGroup_);
    QStringList colors, refs;
    for (const char* c : OverlayColorNames) colors << QString::fromLatin1(c);
    for (const char* r : OverlayReferenceNames) refs << QString::fromLatin1(r);
    RadioGroup2 = makeChoice("RadioGroup2", QStringLiteral("  Color  "), {82, 7, 170, 55}, 3,
                             colors, colorGroup_);
    RadioGroup3 = makeChoice("RadioGroup3", QStringLiteral("  Referenced to  "),
                             {257, 7, 145, 55}, 2, refs, refGroup_);
    connect(typeGroup_, &QButtonGroup::idClicked, this, &TDrawLines::RadioGroup1Click);
    connect(colorGroup_, &QButtonGroup::idClicked, this, &TDrawLines::RadioGroup2Click);
    connect(refGroup_, &QButtonGroup::idClicked, this, &TDrawLines::RadioGroup3Click);

    DrawBut = makeButton(this, "DrawBut", QStringLiteral("Draw Close"),
                         QStringLiteral("Store the item, draw it and close"), {406, 7, 60, 25});
    ClearLine = makeButton(this, "ClearLine", QStringLiteral("Clear Line"),
                           QStringLiteral("Empty the highlighted item"), {406, 35, 60, 25});
    CloseBut = makeButton(this, "CloseBut", QStringLiteral("Close"),
                          QStringLiteral("Close without storing"), {424, 63, 42, 25});
    LinesData = makeButton(this, "LinesData", QStringLiteral("LinesData"), {}, {470, 63, 10, 10});
    LinesData->hide();
    connect(DrawBut, &QPushButton::clicked, this, &TDrawLines::DrawButClick);
    connect(ClearLine, &QPushButton::clicked, this, &TDrawLines::ClearLineClick);
    connect(CloseBut, &QPushButton::clicked, this, &TDrawLines::CloseButClick);
    connect(LinesData, &QPushButton::clicked, this, &TDrawLines::LinesDataClick);

    makeHeadings();
    for (int k = 1; k <= OverlayItemCount; ++k) makeRow(k);
    mirror();
}

QGroupBox* TDrawLines::makeChoice(const char* name, const QString& title, QRect place,
                                  int columns, const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    fillWith(box, ChoiceGrey);
    group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 2, 2);
    grid->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], box);
        b->setObjectName(QString::fromLatin1(name) + QStringLiteral("_%1").arg(i));
        group->addButton(b, i);
        // Filled down the columns, as the groups always were.
        const int rows = int((items.size() + columns - 1) / columns);
        grid->addWidget(b, i % rows, i / rows);
    }
    return box;
}

void TDrawLines::makeHeadings() {
    const std::pair<QString, QPoint> headings[] = {
        {QStringLiteral("Item"), {36, 68}},
        {QStringLiteral("No."), {39, 80}},
        {QStringLiteral("Type     Color     Ref to"), {67, 75}},
        {QStringLiteral("Line1Vert   Line1Horz     Line2Vert   Line2Horz"), {196, 68}},
        {QStringLiteral("CirCentV    CirCentH                        CirRadius"), {200, 80}}};
    for (const auto& [text, at] : headings) {
        auto* l = new QLabel(text, this);
        l->move(at);
        l->adjustSize();
    }
}

void TDrawLines::makeRow(int k) {
    Row& row = rows_[std::size_t(k)];
    row.panel = new QFrame(this);
    row.panel->setObjectName(QStringLiteral("Panel%1").arg(k));
    row.panel->setGeometry(RowLeft, RowTop + RowPitch * (k - 1), RowWidth, RowHeight);
    fillWith(row.panel, Qt::white);

    const int first = 4 * k - 3;
    // The item number is pressed like a button, from the mouse or the keyboard.
    row.number = new QPushButton(k < 10 ? QStringLiteral("%1  ").arg(k) : QString::number(k),
                                 row.panel);
    row.number->setObjectName(QStringLiteral("Label%1").arg(first));
    row.number->setFlat(true);
    row.number->setGeometry(8, 0, 24, RowHeight);
    row.number->setAccessibleName(QStringLiteral("Item %1").arg(k));
    row.number->setToolTip(QStringLiteral("Edit item %1").arg(k));
    row.number->setStatusTip(row.number->toolTip());
    row.number->setStyleSheet(QStringLiteral("text-align: left; padding: 0; border: none;"));
    connect(row.number, &QPushButton::clicked, this, [this, k] { itemLabelClick(k); });

    row.type = makeLabel(row.panel, first + 1, {}, {37, 0, 36, RowHeight});
    row.color = makeLabel(row.panel, first + 2, {}, {74, 0, 41, RowHeight});
    row.ref = makeLabel(row.panel, first + 3, {}, {116, 0, 50, RowHeight});
    for (int c = 0; c < 4; ++c) {
        auto* e = new QLineEdit(row.panel);
        e->setObjectName(QStringLiteral("Edit%1").arg(first + c));
        e->setGeometry(FieldLeft[std::size_t(c)], 0, FieldWidth, RowHeight);
        e->setFrame(false);
        e->setTextMargins(0, 0, 0, 0);
        fillWith(e, FieldGrey);
        // The labels of the columns are drawn above the rows; say which value this is.
        e->setAccessibleName(QStringLiteral("Item %1 %2").arg(k).arg(ColumnNames[c]));
        e->setToolTip(e->accessibleName());
        NumberKeyFilter::install(e, {true, true});
        connect(e, &QLineEdit::editingFinished, this, [this, k, c] { editExit(k, c); });
        row.fields[std::size_t(c)] = e;
    }
}

void TDrawLines::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TDrawLines::follow(const OverlayOutcome& outcome) {
    mirror();
    if (outcome.beep && beep) beep();
    if (outcome.close) reject();
}

void TDrawLines::FormActivate() {
    overlayDialogActivated(model_);
    mirror();
}

void TDrawLines::RadioGroup1Click(int type) { follow(chooseOverlayType(model_, type)); }
void TDrawLines::RadioGroup2Click(int color) { follow(chooseOverlayColor(model_, color)); }
void TDrawLines::RadioGroup3Click(int ref) { follow(chooseOverlayReference(model_, ref)); }
void TDrawLines::DrawButClick() { follow(drawCloseOverlayItem(model_)); }

void TDrawLines::ClearLineClick() {
    clearOverlayItem(model_);
    mirror();
}

void TDrawLines::CloseButClick() {
    closeOverlayDialog(model_);
    mirror();
    reject();
}

void TDrawLines::LinesDataClick() {
    refreshOverlayRows(model_);
    mirror();
}

void TDrawLines::itemLabelClick(int k) {
    chooseOverlayItem(model_, k);
    mirror();
}

void TDrawLines::editExit(int k, int column) {
    // A field passed through without editing stores nothing: the item keeps its value
    // to the last bit, not the three decimals the row shows.
    const QLineEdit* field = rows_[std::size_t(k)].fields[std::size_t(column)];
    if (!numberEdited(field)) return;
    storeOverlayField(model_, k, column, field->text().toStdString());
    mirror();  // the field now stands for what was stored from it
}

void TDrawLines::mirror() {
    const OverlayItems& o = model_.overlay;
    mirrorChoice(typeGroup_, o.TypeChoice);
    mirrorChoice(colorGroup_, o.ColorChoice);
    mirrorChoice(refGroup_, o.ReferenceChoice);
    DrawBut->setEnabled(o.DrawButEnabled);
    for (int k = 1; k <= OverlayItemCount; ++k) {
        const auto i = std::size_t(k);
        const Row& row = rows_[i];
        const auto& text = o.rows[i];
        const float values[] = {o.Vert1[i], o.Horz1[i], o.Vert2[i], o.Horz2[i]};
        fillWith(row.panel, k == o.HighlightedItem ? Aqua : QColor(Qt::white));
        setTextIfChanged(row.type, text.type);
        setTextIfChanged(row.color, text.color);
        setTextIfChanged(row.ref, text.ref);
        for (std::size_t c = 0; c < 4; ++c) showNumber(row.fields[c], qs(text.fields[c]), values[c]);
    }
}

}  // namespace quarn
