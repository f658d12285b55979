// The equaliser window.
#include "equaliser_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <memory>

#include "design/design_watch.h"
#include "design/solver_choice.h"
#include "design/study_runner.h"
#include "design/table_text.h"
#include "model/design_text.h"
#include "model/dimensions.h"
#include "platform/number_field.h"

namespace quarn {
namespace {

QLineEdit* numberField(QWidget* parent, const char* name, const QString& text, const QString& accessible,
                       NumberFieldRule rule = {}) {
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setAccessibleName(accessible);
    f->setToolTip(accessible);
    f->setMaximumWidth(80);
    NumberKeyFilter::install(f, rule);
    return f;
}

std::optional<double> numberIn(const QLineEdit* f) {
    bool ok = false;
    const double v = f->text().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString labelOf(const DimensionDescriptor& d) { return QString::fromLatin1(d.label.data(), d.label.size()).trimmed(); }

}  // namespace

EqualiserWindow::EqualiserWindow(GearModel& model, DesignHost host, QWidget* parent)
    : QDialog(parent), model_(model), host_(std::move(host)) {
    setObjectName(QStringLiteral("Equaliser"));
    setWindowTitle(QStringLiteral("Equaliser"));

    auto* form = new QGridLayout;
    for (int k = 0; k < MaxEqualiserDimensions; ++k) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Vary%1").arg(k + 1));
        combo->setAccessibleName(QStringLiteral("Dimension %1 to vary").arg(k + 1));
        combo->setToolTip(QStringLiteral("A dimension the search may change"));
        combo->addItem(QStringLiteral("(none)"), 0);
        for (const auto& d : allDimensions())
            if (d.dynVarCode != 0) combo->addItem(labelOf(d), d.dynVarCode);
        auto* label = new QLabel(QStringLiteral("Vary &%1:").arg(k + 1), this);
        label->setBuddy(combo);
        form->addWidget(label, k, 0);
        form->addWidget(combo, k, 1);
        vary_[k] = combo;
    }
    range_ = numberField(this, "Range", QStringLiteral("0.05"), QStringLiteral("Range either side of each value"));
    auto* rangeLabel = new QLabel(QStringLiteral("&Range, + and -:"), this);
    rangeLabel->setBuddy(range_);
    form->addWidget(rangeLabel, 0, 2);
    form->addWidget(range_, 0, 3);
    maxEvals_ = new QSpinBox(this);
    maxEvals_->setObjectName(QStringLiteral("MaxEvals"));
    maxEvals_->setRange(1, 100000);
    maxEvals_->setValue(200);
    maxEvals_->setToolTip(QStringLiteral("The most designs the search may try"));
    auto* evalsLabel = new QLabel(QStringLiteral("&Most trials:"), this);
    evalsLabel->setBuddy(maxEvals_);
    form->addWidget(evalsLabel, 1, 2);
    form->addWidget(maxEvals_, 1, 3);
    solver_ = makeSolverChoice(this);
    form->addWidget(solver_, 2, 3);

    cutOffEqual_ = new QCheckBox(QStringLiteral("Equal front and rear &cut-off (fwd and rev)"), this);
    cutOffEqual_->setObjectName(QStringLiteral("CutOffEqualGoal"));
    cutOffEqual_->setChecked(true);
    cutOffEqualWeight_ = numberField(this, "CutOffEqualWeight", QStringLiteral("1"), QStringLiteral("Weight of equal cut-off"));
    leadEqual_ = new QCheckBox(QStringLiteral("Equal front and rear &lead"), this);
    leadEqual_->setObjectName(QStringLiteral("LeadEqualGoal"));
    leadEqualWeight_ = numberField(this, "LeadEqualWeight", QStringLiteral("1"), QStringLiteral("Weight of equal lead"));
    cutOffTarget_ = new QCheckBox(QStringLiteral("Cut-off at normal &forward near, %:"), this);
    cutOffTarget_->setObjectName(QStringLiteral("CutOffTargetGoal"));
    cutOffTargetValue_ = numberField(this, "CutOffTarget", QStringLiteral("75"), QStringLiteral("Cut-off wanted at normal forward, percent"));
    cutOffTargetWeight_ = numberField(this, "CutOffTargetWeight", QStringLiteral("1"), QStringLiteral("Weight of the cut-off wanted"));
    form->addWidget(cutOffEqual_, 4, 0, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("weight"), this), 4, 2);
    form->addWidget(cutOffEqualWeight_, 4, 3);
    form->addWidget(leadEqual_, 5, 0, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("weight"), this), 5, 2);
    form->addWidget(leadEqualWeight_, 5, 3);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(cutOffTarget_);
    targetRow->addWidget(cutOffTargetValue_);
    form->addLayout(targetRow, 6, 0, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("weight"), this), 6, 2);
    form->addWidget(cutOffTargetWeight_, 6, 3);

    // The limits no offered design may break, whatever the goals gain by it.
    const EqualiserLimits limits;
    // A user may widen the lead band below 0, so its fields take a minus.
    auto limitField = [&](const char* name, double value, const QString& accessible, const QString& tip) {
        const bool lead = std::string_view(name).starts_with("Lead");
        QLineEdit* f = numberField(this, name, QString::number(value), accessible, {.allowMinus = lead});
        f->setToolTip(tip);
        return f;
    };
    leadLow_ = limitField("LeadLow", limits.leadLow, QStringLiteral("Lowest lead allowed"),
                          QStringLiteral("No design is offered with a lead below this, at either end, "
                                         "at normal forward or reverse"));
    leadHigh_ = limitField("LeadHigh", limits.leadHigh, QStringLiteral("Highest lead allowed"),
                           QStringLiteral("No design is offered with a lead above this, at either end, "
                                          "at normal forward or reverse"));
    lapBand_ = limitField("LapBand", limits.lapBand, QStringLiteral("Lap and clearance band, + and -"),
                          QStringLiteral("The steam lap and both exhaust clearances stay within this of "
                                         "their values now"));
    openingLoss_ = limitField("OpeningLoss", limits.openingLoss, QStringLiteral("Opening floor, percent less than now"),
                              QStringLiteral("The largest steam opening of each end at normal forward and "
                                             "reverse may fall at most this percentage below its value now"));
    auto* leadLabel = new QLabel(QStringLiteral("Lead &from:"), this);
    leadLabel->setBuddy(leadLow_);
    auto* leadTo = new QLabel(QStringLiteral("t&o:"), this);
    leadTo->setBuddy(leadHigh_);
    auto* leadRow = new QHBoxLayout;
    leadRow->addWidget(leadLabel);
    leadRow->addWidget(leadLow_);
    leadRow->addWidget(leadTo);
    leadRow->addWidget(leadHigh_);
    leadRow->addStretch(1);
    form->addLayout(leadRow, 7, 0, 1, 2);
    auto* lapLabel = new QLabel(QStringLiteral("Lap, clearances &+ and -:"), this);
    lapLabel->setBuddy(lapBand_);
    form->addWidget(lapLabel, 7, 2);
    form->addWidget(lapBand_, 7, 3);
    auto* openingLabel = new QLabel(QStringLiteral("Largest o&pening at most, % less:"), this);
    openingLabel->setBuddy(openingLoss_);
    form->addWidget(openingLabel, 8, 2);
    form->addWidget(openingLoss_, 8, 3);

    search_ = button(this, "Search", QStringLiteral("&Search"), QStringLiteral("Search the chosen dimensions"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Search progress"));
    cancel_ = button(this, "Cancel", QStringLiteral("&Cancel"), QStringLiteral("Stop the search, keeping the best so far"));
    auto* run = new QHBoxLayout;
    run->addWidget(search_);
    run->addWidget(progress_, 1);
    run->addWidget(cancel_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Result"));
    text_->setAccessibleName(QStringLiteral("Events before and after"));
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    apply_ = button(this, "Apply", QStringLiteral("&Apply"),
                    QStringLiteral("Write the found values to the design, one undo step each"));
    discard_ = button(this, "Discard", QStringLiteral("&Discard"), QStringLiteral("Forget the found values"));
    auto* closeButton = button(this, "Close", QStringLiteral("Close"), QStringLiteral("Close this window"));
    apply_->setEnabled(false);
    discard_->setEnabled(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(apply_);
    bottom->addWidget(discard_);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(run);
    layout->addWidget(status_);
    layout->addWidget(text_, 1);
    layout->addLayout(bottom);
    resize(720, 640);

    runner_ = new StudyRunner(progress_, cancel_, this);
    watch_ = new DesignWatch(model_, this, [this] {
        status_->setText(DesignWatch::outOfDateText());
        text_->setEnabled(false);  // greyed: the events belong to a design that is gone
    });
    connect(search_, &QPushButton::clicked, this, &EqualiserWindow::SearchClick);
    connect(apply_, &QPushButton::clicked, this, &EqualiserWindow::ApplyClick);
    connect(discard_, &QPushButton::clicked, this, &EqualiserWindow::DiscardClick);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

// The study must not call back into a window that is half gone.
EqualiserWindow::~EqualiserWindow() { runner_->stop(); }

void EqualiserWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!runner_->running() && !result_) offerSlots();
}

void EqualiserWindow::offerSlots() {
    // The dynamic-variable slots are the dimensions the user was working on.
    for (int k = 0; k < MaxEqualiserDimensions; ++k) {
        const int code = model_.dyn.DynVarSlots[k + 1].DynVarCode;
        const int at = vary_[k]->findData(findDimensionByCode(code) ? code : 0);
        vary_[k]->setCurrentIndex(std::max(0, at));
    }
}

std::optional<EqualiserOptions> EqualiserWindow::chosenOptions(QString& problem) const {
    EqualiserOptions o;
    for (QComboBox* c : vary_)
        if (const DimensionDescriptor* d = findDimensionByCode(c->currentData().toInt())) o.dims.push_back(d);
    const auto range = numberIn(range_);
    o.range = range.value_or(0);
    o.maxEvaluations = maxEvals_->value();
    o.solver = chosenSolver(solver_);
    auto weight = [](const QCheckBox* on, const QLineEdit* f) { return on->isChecked() ? numberIn(f).value_or(-1) : 0.0; };
    o.goals.cutOffEqual = weight(cutOffEqual_, cutOffEqualWeight_);
    o.goals.leadEqual = weight(leadEqual_, leadEqualWeight_);
    if (cutOffTarget_->isChecked()) {
        const auto target = numberIn(cutOffTargetValue_);
        if (!target || !(*target > 0 && *target < 100)) {
            problem = QStringLiteral("the cut-off wanted must be a percentage between 0 and 100");
            return std::nullopt;
        }
        o.goals.cutOffTarget = *target;
        o.goals.cutOffTargetWeight = weight(cutOffTarget_, cutOffTargetWeight_);
    }
    o.limits.leadLow = numberIn(leadLow_).value_or(NAN);
    o.limits.leadHigh = numberIn(leadHigh_).value_or(NAN);
    o.limits.lapBand = numberIn(lapBand_).value_or(-1);
    o.limits.openingLoss = numberIn(openingLoss_).value_or(-1);
    const std::string p = equaliserOptionsProblem(o);
    if (!p.empty()) {
        problem = qText(p);
        return std::nullopt;
    }
    return o;
}

void EqualiserWindow::SearchClick() {
    if (runner_->running()) return;
    QString problem;
    const auto options = chosenOptions(problem);
    if (!options) {
        status_->setText(problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.'));
        return;
    }
    setResult(std::nullopt);
    options_ = options;
    const GearModel copy = model_;  // the workers never see the shared model
    auto result = std::make_shared<EqualiserResult>();
    search_->setEnabled(false);
    status_->setText(QStringLiteral("Searching..."));
    runner_->start([copy, o = *options, result](const WorkControl& control) {
        *result = runEqualiser(copy, o, control);
    }, [this, result, key = designKey(copy)] {
        search_->setEnabled(true);
        watch_->remember(key);
        showProgressDone(result->evaluations);
        setResult(*result);
    });
}

void EqualiserWindow::setResult(std::optional<EqualiserResult> r) {
    result_ = std::move(r);
    const bool better = result_ && result_->improved();
    apply_->setEnabled(better);
    discard_->setEnabled(result_.has_value());
    if (!result_) {
        text_->clear();
        status_->clear();
        return;
    }
    text_->setEnabled(true);
    text_->setPlainText(qText(equaliserText(*options_, *result_)));
    const std::string unmet = result_->limitProblem();
    if (result_->cancelled)
        status_->setText(better ? QStringLiteral("Cancelled: the best design found so far is offered: Apply "
                                                 "writes it, Discard forgets it.")
                                : QStringLiteral("Cancelled."));
    else if (better)
        status_->setText(QStringLiteral("A better design was found: Apply writes it, Discard forgets it."));
    else if (!unmet.empty())
        status_->setText(QStringLiteral("No design offered: ") + qText(unmet) + QLatin1Char('.'));
    else
        status_->setText(QStringLiteral("No better design was found."));
}

// The search ends before its limit when the step is fine enough, or when cancelled:
// whatever ended it, the bar is full against the evaluations really made.
void EqualiserWindow::showProgressDone(int evaluations) {
    progress_->setRange(0, std::max(1, evaluations));
    progress_->setValue(progress_->maximum());
}

void EqualiserWindow::ApplyClick() {
    if (!result_ || !options_ || !result_->improved()) return;
    // The window is not modal: a value changed since the search would be overwritten
    // by a result found for another design.
    for (std::size_t i = 0; i < options_->dims.size(); ++i)
        if (dimensionValue(model_, *options_->dims[i]) != result_->before[i]) {
            setResult(std::nullopt);
            status_->setText(QStringLiteral("The design changed since the search: search again."));
            return;
        }
    applyEqualiserResult(model_, *options_, *result_);
    // The applied values are the design this window last saw: an UnDo of them leaves it.
    watch_->remember(designKey(model_));
    if (host_.designApplied) host_.designApplied();
    setResult(std::nullopt);
    status_->setText(QStringLiteral("Applied: each change is one undo step."));
}

void EqualiserWindow::DiscardClick() {
    setResult(std::nullopt);
    status_->setText(QStringLiteral("Discarded: the design is as it was."));
}

}  // namespace quarn
