// Layout of the motion dialogs: limits on the left, the field and the two buttons.
#include "motion_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/number_field.h"

namespace quarn {

NumberDialog::NumberDialog(const QString& title, int labelCount, bool allowMinus,
                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < labelCount; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        grid->addWidget(l, i, 0);
        labels_.append(l);
    }
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    NumberKeyFilter::install(Edit1, {allowMinus, false});
    grid->addWidget(Edit1, 0, 1);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    grid->addWidget(OK, 1, 1);
    grid->addWidget(Cancel, 2, 1);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

double NumberDialog::value() const {
    return fieldNumber(Edit1);
}

}  // namespace quarn
