// The tolerance table of the tolerance study's window.
#include "tolerance_table_editor.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "design/table_text.h"
#include "model/dimensions.h"
#include "model/number_text.h"
#include "model/sensitivity.h"
#include "platform/number_field.h"

namespace quarn {
namespace {

constexpr int ToleranceColumn = 2;

QString fieldName(const DimensionDescriptor& d) { return QString::fromLatin1(d.field.data(), d.field.size()); }
QString labelOf(const DimensionDescriptor& d) { return QString::fromLatin1(d.label.data(), d.label.size()); }

std::optional<double> tolerance(const QTableWidgetItem* item) {
    if (!item) return std::nullopt;
    bool ok = false;
    const double v = item->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > MaxTolerance) return std::nullopt;
    return v;
}

}  // namespace

ToleranceTableEditor::ToleranceTableEditor(const GearModel& model, std::function<QString()> defaultPath,
                                           QWidget* parent)
    : QWidget(parent), model_(model), defaultPath_(std::move(defaultPath)) {
    auto* allLabel = new QLabel(QStringLiteral("Tolerance for &all, \u00b1:"), this);
    all_ = new QLineEdit(QString::number(DefaultTolerance), this);
    all_->setObjectName(QStringLiteral("AllTolerance"));
    all_->setToolTip(QStringLiteral("The tolerance Set All gives every dimension"));
    all_->setAccessibleName(all_->toolTip());
    all_->setMaximumWidth(90);
    NumberKeyFilter::install(all_, {});
    allLabel->setBuddy(all_);
    auto* setAll = button(this, "SetAll", QStringLiteral("Set A&ll"),
                          QStringLiteral("Give every dimension the tolerance for all"));
    auto* load = button(this, "LoadTolerances", QStringLiteral("L&oad..."),
                        QStringLiteral("Read the tolerances from a CSV file (name,tolerance)"));
    auto* save = button(this, "SaveTolerances", QStringLiteral("Sa&ve..."),
                        QStringLiteral("Write the tolerances as a CSV file beside the design"));
    table_ = new QTableWidget(static_cast<int>(allDimensions().size()), 4, this);
    table_->setObjectName(QStringLiteral("ToleranceTable"));
    table_->setAccessibleName(QStringLiteral("Tolerance of each dimension"));
    table_->setToolTip(QStringLiteral("Type a dimension's own tolerance; 0 holds it at its value"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Dimension"), QStringLiteral("Value"),
                                       QStringLiteral("Tolerance \u00b1"), QStringLiteral("Drawn")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    setTable(ToleranceTable::allAt(DefaultTolerance));

    auto* top = new QHBoxLayout;
    top->addWidget(allLabel);
    top->addWidget(all_);
    top->addWidget(setAll);
    top->addStretch(1);
    top->addWidget(load);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(table_, 1);

    connect(setAll, &QPushButton::clicked, this, &ToleranceTableEditor::SetAllClick);
    connect(all_, &QLineEdit::returnPressed, this, &ToleranceTableEditor::SetAllClick);
    connect(load, &QPushButton::clicked, this, &ToleranceTableEditor::LoadClick);
    connect(save, &QPushButton::clicked, this, &ToleranceTableEditor::SaveClick);
}

void ToleranceTableEditor::setTable(const ToleranceTable& t) {
    int r = 0;
    for (const auto& d : allDimensions()) {
        setCell(table_, r, 0, labelOf(d), false);
        table_->item(r, 0)->setToolTip(fieldName(d));
        auto* tol = new QTableWidgetItem(QString::number(t.of(d)));
        tol->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tol->setToolTip(QStringLiteral("Tolerance of %1, either way").arg(fieldName(d)));
        table_->setItem(r, ToleranceColumn, tol);
        setCell(table_, r, 3, readingIgnores(d) ? QStringLiteral("no: moves no event") : QStringLiteral("yes"),
                false);
        ++r;
    }
    showValues();
}

void ToleranceTableEditor::showValues() {
    int r = 0;
    for (const auto& d : allDimensions()) setCell(table_, r++, 1, qText(Str(dimensionValue(model_, d), 0, 4)));
}

std::optional<ToleranceTable> ToleranceTableEditor::table(QString& problem) const {
    ToleranceTable t = ToleranceTable::allAt(0);
    int r = 0;
    for (const auto& d : allDimensions()) {
        const auto v = tolerance(table_->item(r++, ToleranceColumn));
        if (!v) {
            problem = QStringLiteral("The tolerance of %1 must be a number from 0 to 1.").arg(fieldName(d));
            return std::nullopt;
        }
        t.set(d, *v);
    }
    return t;
}

void ToleranceTableEditor::SetAllClick() {
    bool ok = false;
    const double t = all_->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(t) || t < 0 || t > MaxTolerance) {
        emit said(QStringLiteral("The tolerance for all must be a number from 0 to 1."));
        return;
    }
    setTable(ToleranceTable::allAt(t));
}

QString ToleranceTableEditor::save(const QString& path) const {
    QString problem;
    const auto t = table(problem);
    if (!t) return problem;
    // A failed write never leaves half a file where the last good one was.
    QSaveFile file(path);
    const std::string text = toleranceCsvText(*t);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString ToleranceTableEditor::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
    const QByteArray bytes = file.readAll();
    // A file that names only some dimensions leaves the others as the table has them.
    ToleranceTable start = ToleranceTable::allAt(0);
    int r = 0;
    for (const auto& d : allDimensions()) start.set(d, tolerance(table_->item(r++, ToleranceColumn)).value_or(0));
    std::string problem;
    const auto read = readToleranceCsv(std::string_view(bytes.constData(), bytes.size()), start, &problem);
    if (!read) return QFileInfo(path).fileName() + QStringLiteral(", ") + qText(problem);
    setTable(*read);
    return {};
}

void ToleranceTableEditor::SaveClick() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Tolerances"), defaultPath_(),
                                                      QStringLiteral("Tolerance tables (*.csv)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    const QString problem = save(path);
    emit said(problem.isEmpty() ? QStringLiteral("Tolerances saved to %1.").arg(path) : problem);
    if (!problem.isEmpty()) QMessageBox::warning(this, QStringLiteral("Save Tolerances"), problem);
}

void ToleranceTableEditor::LoadClick() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Tolerances"), defaultPath_(),
                                                      QStringLiteral("Tolerance tables (*.csv)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    const QString problem = load(path);
    emit said(problem.isEmpty() ? QStringLiteral("Tolerances read from %1.").arg(path) : problem);
    if (!problem.isEmpty()) QMessageBox::warning(this, QStringLiteral("Load Tolerances"), problem);
}

}  // namespace quarn
