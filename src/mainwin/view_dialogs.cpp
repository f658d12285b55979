// The reference-points and graphic-zoom dialogs: labels, filtered fields, the buttons.
#include "view_dialogs.h"

#include <array>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/view_control.h"
#include "platform/number_field.h"

namespace quarn {
namespace {

// The fields show Str(x : 5 : 3) and hold at most ten characters.
constexpr int RefPointFieldLength = 10;

QPushButton* dialogButton(QDialog* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit* numberField(QDialog* parent, const char* name, const QString& label,
                       bool allowMinus, QGridLayout* grid, int row) {
    auto* caption = new QLabel(label, parent);
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(label);
    caption->setBuddy(field);
    NumberKeyFilter::install(field, {allowMinus, false});
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

}  // namespace

TRefPnts::TRefPnts(GearModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("TRefPnts"));
    setWindowTitle(QStringLiteral("Reference Points"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    Edit1 = numberField(this, "Edit1", QStringLiteral("RefPt V1"), true, grid, 0);
    Edit2 = numberField(this, "Edit2", QStringLiteral("RefPt H1"), true, grid, 1);
    Edit3 = numberField(this, "Edit3", QStringLiteral("RefPt V2"), true, grid, 2);
    Edit4 = numberField(this, "Edit4", QStringLiteral("RefPt H2"), true, grid, 3);
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4}) e->setMaxLength(RefPointFieldLength);
    OK = dialogButton(this, "OK", QStringLiteral("OK"));
    Cancel = dialogButton(this, "Cancel", QStringLiteral("Cancel"));
    Zero = dialogButton(this, "Zero", QStringLiteral("Zero"));
    grid->addWidget(OK, 0, 2);
    grid->addWidget(Cancel, 1, 2);
    grid->addWidget(Zero, 2, 2);
    connect(OK, &QPushButton::clicked, this, &TRefPnts::OKClick);
    connect(Cancel, &QPushButton::clicked, this, &TRefPnts::CancelClick);
    connect(Zero, &QPushButton::clicked, this, &TRefPnts::ZeroClick);
}

void TRefPnts::FormActivate() {
    const auto texts = refPointsDialogTexts(model_);
    const auto values = refPointsDialogValues(model_);
    const std::array<QLineEdit*, 4> fields{Edit1, Edit2, Edit3, Edit4};
    for (std::size_t i = 0; i < fields.size(); ++i)
        showNumber(fields[i], QString::fromStdString(texts[i]), values[i]);
    Cancel->setFocus();
}

void TRefPnts::OKClick() {
    refPointsDialogOK(model_, {fieldNumber(Edit1), fieldNumber(Edit2), fieldNumber(Edit3),
                               fieldNumber(Edit4)});
    accept();
}

void TRefPnts::CancelClick() {
    refPointsDialogCancel(model_);
    reject();
}

void TRefPnts::ZeroClick() {
    refPointsDialogZero(model_);
    reject();
}

TGraphZoom::TGraphZoom(GearModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("TGraphZoom"));
    setWindowTitle(QStringLiteral("Set Zoom of Dimensional Graphic Position"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    const char* const notes[] = {"Min = 0.5", "Max = 2000.0",
                                 "Approximate Factor = Locomotive Gauge in Units Used"};
    int row = 0;
    for (const char* note : notes)
        grid->addWidget(new QLabel(QString::fromLatin1(note), this), row++, 0, 1, 2);
    Edit1 = numberField(this, "Edit1", QStringLiteral("Enter"), false, grid, row++);
    OK = dialogButton(this, "OK", QStringLiteral("OK"));
    OK->setDefault(true);
    grid->addWidget(OK, row, 1);
    connect(OK, &QPushButton::clicked, this, &TGraphZoom::OKClick);
}

void TGraphZoom::FormActivate() {
    showNumber(Edit1, QString::fromStdString(graphicZoomText(model_)), model_.view.GraphicZoom);
    Edit1->selectAll();
    Edit1->setFocus();
}

void TGraphZoom::OKClick() {
    setGraphicZoom(model_, fieldNumber(Edit1));
    accept();
}

}  // namespace quarn
