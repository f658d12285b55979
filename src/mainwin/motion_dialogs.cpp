// Layout of the motion dialogs: limits on the left, the field and the two buttons; the
// reverse-arm dialog's cut-off and its search for the setting.
#include "motion_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
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
    grid_ = new QGridLayout(this);
    for (int i = 0; i < labelCount; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        grid_->addWidget(l, i, 0);
        labels_.append(l);
    }
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    NumberKeyFilter::install(Edit1, {allowMinus, false});
    grid_->addWidget(Edit1, 0, 1);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    grid_->addWidget(OK, 1, 1);
    grid_->addWidget(Cancel, 2, 1);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

double NumberDialog::value() const {
    return fieldNumber(Edit1);
}

namespace {

QLabel* buddyLabel(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}

QComboBox* choice(QWidget* parent, const char* name, const QString& accessible) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setAccessibleName(accessible);
    c->setToolTip(accessible);
    return c;
}

}  // namespace

RevArmDialog::RevArmDialog(const GearModel& model, QWidget* parent)
    : NumberDialog(QStringLiteral("Reverse Arm Position"), 5, true, parent), model_(model) {
    Edit1->setAccessibleName(QStringLiteral("Reverse arm position"));
    CutOffEdit = new QLineEdit(this);
    CutOffEdit->setObjectName(QStringLiteral("CutOffEdit"));
    CutOffEdit->setAccessibleName(QStringLiteral("Cut-off percent"));
    CutOffEdit->setToolTip(QStringLiteral(
        "A cut-off in percent of stroke: OK sets the reverse arm to give it. Leave it "
        "empty to set the position instead"));
    NumberKeyFilter::install(CutOffEdit, {false, false});
    GearChoice = choice(this, "GearChoice", QStringLiteral("Cut-off in forward or reverse gear"));
    GearChoice->addItem(QStringLiteral("Fwd"), false);
    GearChoice->addItem(QStringLiteral("Rev"), true);
    EndChoice = choice(this, "EndChoice", QStringLiteral("Cut-off of the front end, the rear end or their mean"));
    EndChoice->addItem(QStringLiteral("Front"), int(CutOffEnd::Front));
    EndChoice->addItem(QStringLiteral("Rear"), int(CutOffEnd::Rear));
    EndChoice->addItem(QStringLiteral("Mean"), int(CutOffEnd::Mean));
    EndChoice->setCurrentIndex(2);
    Problem = new QLabel(this);
    Problem->setObjectName(QStringLiteral("Problem"));
    Problem->setWordWrap(true);
    QPalette maroon = Problem->palette();
    maroon.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
    Problem->setPalette(maroon);
    Problem->hide();

    // The limits stay on the left, apart from the fields by a rule; each field gets its
    // caption, the buttons go beside the two fields.
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(OK), static_cast<QWidget*>(Cancel)})
        grid_->removeWidget(w);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::VLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid_->addWidget(rule, 0, 1, 5, 1);
    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("&Position"), Edit1}, {QStringLiteral("C&ut-off %"), CutOffEdit},
        {QStringLiteral("&Gear"), GearChoice}, {QStringLiteral("&End"), EndChoice}};
    for (int r = 0; r < static_cast<int>(std::size(rows)); ++r) {
        grid_->addWidget(buddyLabel(this, rows[r].first, rows[r].second), r, 2);
        grid_->addWidget(rows[r].second, r, 3);
    }
    grid_->addWidget(OK, 0, 4);
    grid_->addWidget(Cancel, 1, 4);
    grid_->addWidget(Problem, 5, 0, 1, 5);
    QWidget* const order[] = {Edit1, CutOffEdit, GearChoice, EndChoice, OK, Cancel};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // A problem belongs to the cut-off it was found for.
    const auto forget = [this] {
        if (Problem->isHidden()) return;
        Problem->clear();
        Problem->hide();
        adjustSize();
    };
    connect(CutOffEdit, &QLineEdit::textEdited, this, forget);
    connect(GearChoice, &QComboBox::currentIndexChanged, this, forget);
    connect(EndChoice, &QComboBox::currentIndexChanged, this, forget);
}

void RevArmDialog::clearCutOff() {
    showNumber(CutOffEdit, QString(), 0);
    Problem->clear();
    Problem->hide();
    adjustSize();
    CutOffEdit->setAccessibleDescription(QString());
    found_.reset();
}

std::optional<CutOffAsk> RevArmDialog::cutOffAsked() const {
    // Left as it opened (empty), the field asks nothing and the position is taken.
    if (!numberEdited(CutOffEdit)) return std::nullopt;
    return CutOffAsk{fieldNumber(CutOffEdit), GearChoice->currentData().toBool(),
                     static_cast<CutOffEnd>(EndChoice->currentData().toInt())};
}

void RevArmDialog::accept() {
    found_.reset();
    if (const auto ask = cutOffAsked()) {
        // The finder sweeps the gear some dozens of times in a fraction of a second, on
        // both cores: too short for a progress bar, long enough to show it is working.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const CutOffFound found = findCutOff(model_, *ask);
        QApplication::restoreOverrideCursor();
        if (!found.revArm) {
            const QString why = QStringLiteral("A cut-off of %1 % is out of reach: %2.")
                                    .arg(QString::number(ask->percent), QString::fromStdString(found.problem));
            Problem->setText(why);
            Problem->show();
            // A wrapped text needs the height its width gives it, which the dialog
            // does not take by itself.
            adjustSize();
            CutOffEdit->setAccessibleDescription(why);
            CutOffEdit->setFocus();
            CutOffEdit->selectAll();
            return;
        }
        found_ = found.revArm;
    }
    QDialog::accept();
}

}  // namespace quarn
