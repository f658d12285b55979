// The sensitivity window.
#include "sensitivity_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "design/design_watch.h"
#include "design/solver_choice.h"
#include "design/study_runner.h"
#include "design/table_text.h"
#include "model/design_text.h"
#include "model/dimensions.h"
#include "model/number_text.h"
#include "platform/number_field.h"

namespace quarn {

SensitivityWindow::SensitivityWindow(GearModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("Sensitivity"));
    setWindowTitle(QStringLiteral("Sensitivity to Each Dimension"));

    auto* deltaLabel = new QLabel(QStringLiteral("C&hange of each dimension, + and -:"), this);
    delta_ = new QLineEdit(QString::number(DefaultSensitivityDelta), this);
    delta_->setObjectName(QStringLiteral("Delta"));
    delta_->setToolTip(QStringLiteral("How far each dimension is moved up and down"));
    delta_->setMaximumWidth(90);
    NumberKeyFilter::install(delta_, {});
    deltaLabel->setBuddy(delta_);
    run_ = button(this, "Run", QStringLiteral("&Run"), QStringLiteral("Change every dimension in turn and rank them"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Study progress"));
    cancel_ = button(this, "Cancel", QStringLiteral("&Cancel"), QStringLiteral("Stop the study"));
    solver_ = makeSolverChoice(this);
    delta_->setText(QString::number(defaultSensitivityDelta(chosenSolver(solver_))));
    // Each solver has its own fitting change: the classic one's grain needs a larger one.
    connect(solver_, &QComboBox::currentIndexChanged, this, [this] {
        delta_->setText(QString::number(defaultSensitivityDelta(chosenSolver(solver_))));
    });
    auto* top = new QHBoxLayout;
    top->addWidget(solver_);
    top->addWidget(deltaLabel);
    top->addWidget(delta_);
    top->addWidget(run_);
    top->addWidget(progress_, 1);
    top->addWidget(cancel_);

    status_ = new QLabel(QStringLiteral("Cut-off changes in percent of stroke, lead changes in units; "
                                        "largest cut-off change first."),
                         this);
    status_->setObjectName(QStringLiteral("Status"));

    table_ = new QTableWidget(0, 4 + WatchedCount, this);
    table_->setObjectName(QStringLiteral("SensitivityTable"));
    table_->setAccessibleName(QStringLiteral("Dimensions ranked by their effect"));
    QStringList titles{QStringLiteral("Rank"), QStringLiteral("Dimension"), QStringLiteral("Value"),
                       QStringLiteral("Change")};
    for (const char* name : watchedNames) titles << QString::fromLatin1(name);
    table_->setHorizontalHeaderLabels(titles);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* copyButton = button(this, "Copy", QStringLiteral("C&opy"), QStringLiteral("Copy the table to the clipboard"));
    auto* closeButton = button(this, "Close", QStringLiteral("Close"), QStringLiteral("Close this window"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copyButton);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(status_);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);
    resize(1150, 700);

    runner_ = new StudyRunner(progress_, cancel_, this);
    watch_ = new DesignWatch(model_, this, [this] {
        status_->setText(DesignWatch::outOfDateText());
        table_->setEnabled(false);  // greyed: the numbers belong to a design that is gone
    });
    connect(run_, &QPushButton::clicked, this, &SensitivityWindow::RunClick);
    connect(delta_, &QLineEdit::returnPressed, this, &SensitivityWindow::RunClick);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(tableAsText(table_)); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

// The study must not call back into a window that is half gone.
SensitivityWindow::~SensitivityWindow() { runner_->stop(); }

void SensitivityWindow::RunClick() {
    bool ok = false;
    const double delta = delta_->text().toDouble(&ok);
    if (!ok || !(delta > 0) || !std::isfinite(delta)) {
        status_->setText(QStringLiteral("The change must be a number above 0."));
        return;
    }
    if (runner_->running()) return;
    const GearModel copy = model_;  // the workers never see the shared model
    auto result = std::make_shared<SensitivityResult>();
    run_->setEnabled(false);
    status_->setText(QStringLiteral("Changing each dimension in turn..."));
    runner_->start([copy, delta, result, solver = chosenSolver(solver_)](const WorkControl& control) {
        *result = runSensitivity(copy, delta, control, {}, solver);
    }, [this, result, key = designKey(copy)] {
        run_->setEnabled(true);
        if (runner_->cancelled()) {
            status_->setText(QStringLiteral("Cancelled."));
            return;
        }
        result_ = std::move(*result);
        watch_->remember(key);
        showResult();
    });
}

void SensitivityWindow::showResult() {
    const QString ranking =
        result_.solver == SolverKind::Precise
            ? QStringLiteral("Ranked by the central difference, per %1 of the dimension (precise solver); ")
                  .arg(qText(Str(result_.delta, 0, 4)).trimmed())
            : QStringLiteral("Largest change either way first (classic solver); ");
    status_->setText(result_.base.impossible
                         ? QStringLiteral("The design as it stands meets impossible geometry: nothing to rank.")
                         : ranking + QStringLiteral("cut-off changes in percent of stroke, lead changes in "
                                                    "units. Marked rows (-) make the gear impossible or lose "
                                                    "a cut-off."));
    table_->setEnabled(true);
    table_->setRowCount(static_cast<int>(result_.rows.size()) * 2);
    int rank = 0, r = 0;
    for (const SensitivityRow& row : result_.rows) {
        const QString place = row.impossible ? QStringLiteral("-") : QString::number(++rank);
        for (const bool plus : {true, false}) {
            setCell(table_, r, 0, plus ? place : QString());
            setCell(table_, r, 1, plus ? QString::fromLatin1(row.dim->label.data(), row.dim->label.size()) : QString(),
                    false);
            setCell(table_, r, 2, plus ? qText(Str(row.value, 0, 4)) : QString());
            setCell(table_, r, 3, qText(Str(plus ? result_.delta : -result_.delta, 0, 4)));
            for (int i = 0; i < WatchedCount; ++i)
                setCell(table_, r, 4 + i, qText(watchedText(i, plus ? row.plus[i] : row.minus[i], 0)));
            ++r;
        }
    }
}

}  // namespace quarn
