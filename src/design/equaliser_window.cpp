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
#include <QGroupBox>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <memory>
#include <QSignalBlocker>

#include "design/design_watch.h"
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
    buildDimensionRows(form);
    range_ = numberField(this, "Range", QStringLiteral("0.05"),
                         QStringLiteral("Range either side of a dimension's value, for the bounds of one chosen"));
    auto* rangeLabel = new QLabel(QStringLiteral("&Range, + and -:"), this);
    rangeLabel->setBuddy(range_);
    form->addWidget(rangeLabel, 0, 6);
    form->addWidget(range_, 0, 7);
    maxEvals_ = new QSpinBox(this);
    maxEvals_->setObjectName(QStringLiteral("MaxEvals"));
    maxEvals_->setRange(1, 100000);
    maxEvals_->setValue(EqualiserOptions{}.maxEvaluations);
    maxEvals_->setToolTip(QStringLiteral("The most designs each stage of the search may try (the first "
                                         "dimension alone, the first two, ...)"));
    auto* evalsLabel = new QLabel(QStringLiteral("&Most trials a stage:"), this);
    evalsLabel->setBuddy(maxEvals_);
    form->addWidget(evalsLabel, 1, 6);
    form->addWidget(maxEvals_, 1, 7);

    points_ = new QLineEdit(qText(workingPointsText(defaultWorkingPoints())), this);
    points_->setObjectName(QStringLiteral("Points"));
    points_->setAccessibleName(QStringLiteral("Working points"));
    points_->setToolTip(QStringLiteral("Where the engine is run: cut-offs forward (25f) or reverse (25r), found on "
                                       "the design as it stands, or reverse-arm settings (arm=10.9), separated by "
                                       "commas. Their settings are held while the dimensions change."));
    auto* pointsLabel = new QLabel(QStringLiteral("&Working points:"), this);
    pointsLabel->setBuddy(points_);
    form->addWidget(pointsLabel, 4, 0);
    form->addWidget(points_, 4, 1, 1, 5);

    cutOffEqual_ = new QCheckBox(QStringLiteral("Equal front and rear c&ut-off at every point"), this);
    cutOffEqual_->setObjectName(QStringLiteral("CutOffEqualGoal"));
    cutOffEqual_->setChecked(true);
    cutOffEqualWeight_ = numberField(this, "CutOffEqualWeight", QStringLiteral("1"), QStringLiteral("Weight of equal cut-off"));
    leadEqual_ = new QCheckBox(QStringLiteral("Equal front and rear &lead at every point"), this);
    leadEqual_->setObjectName(QStringLiteral("LeadEqualGoal"));
    leadEqualWeight_ = numberField(this, "LeadEqualWeight", QStringLiteral("1"), QStringLiteral("Weight of equal lead"));
    moreGoals_ = new QLineEdit(this);
    moreGoals_->setObjectName(QStringLiteral("MoreGoals"));
    moreGoals_->setAccessibleName(QStringLiteral("More goals"));
    moreGoals_->setPlaceholderText(QStringLiteral("e.g. lead=0.02@25f, cutoff=30@arm=10.9:2, lead-equal=2@75f"));
    moreGoals_->setToolTip(QStringLiteral("Goals at one point or all, as the command line spells them: "
                                          "lead=LEAD[@POINT][:WEIGHT], cutoff=PCT@POINT[:WEIGHT], "
                                          "cutoff-equal[=WEIGHT][@POINT], lead-equal[=WEIGHT][@POINT]"));
    form->addWidget(cutOffEqual_, 5, 0, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("weight"), this), 5, 6);
    form->addWidget(cutOffEqualWeight_, 5, 7);
    form->addWidget(leadEqual_, 6, 0, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("weight"), this), 6, 6);
    form->addWidget(leadEqualWeight_, 6, 7);
    auto* moreLabel = new QLabel(QStringLiteral("More &goals:"), this);
    moreLabel->setBuddy(moreGoals_);
    form->addWidget(moreLabel, 7, 0);
    form->addWidget(moreGoals_, 7, 1, 1, 7);

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
                                         "at any working point"));
    leadHigh_ = limitField("LeadHigh", limits.leadHigh, QStringLiteral("Highest lead allowed"),
                           QStringLiteral("No design is offered with a lead above this, at either end, "
                                          "at any working point"));
    lapBand_ = limitField("LapBand", limits.lapBand, QStringLiteral("Lap and clearance band, + and -"),
                          QStringLiteral("When a valve or port dimension is varied, the steam lap and both "
                                         "exhaust clearances stay within this of their values now; otherwise "
                                         "they cannot change"));
    openingLoss_ = limitField("OpeningLoss", limits.openingLoss, QStringLiteral("Opening floor, percent less than now"),
                              QStringLiteral("The largest steam opening at every working point (mean of the two "
                                             "ends) may fall at most this percentage below its value now"));
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
    form->addLayout(leadRow, 8, 0, 1, 5);
    auto* lapLabel = new QLabel(QStringLiteral("Lap, clearances &+ and -:"), this);
    lapLabel->setBuddy(lapBand_);
    form->addWidget(lapLabel, 8, 6);
    form->addWidget(lapBand_, 8, 7);
    auto* openingLabel = new QLabel(QStringLiteral("Largest o&pening at most, % less:"), this);
    openingLabel->setBuddy(openingLoss_);
    form->addWidget(openingLabel, 9, 6);
    form->addWidget(openingLoss_, 9, 7);

    offer_ = button(this, "Offer", QStringLiteral("Offer &dimensions"),
                    QStringLiteral("Offer the dimensions that move the goals at the working points, the four "
                                   "that move them most chosen"));
    search_ = button(this, "Search", QStringLiteral("&Search"), QStringLiteral("Search the chosen dimensions"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Search progress"));
    cancel_ = button(this, "Cancel", QStringLiteral("&Cancel"), QStringLiteral("Stop the search, keeping the best so far"));
    auto* run = new QHBoxLayout;
    run->addWidget(offer_);
    run->addWidget(search_);
    run->addWidget(progress_, 1);
    run->addWidget(cancel_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Result"));
    text_->setAccessibleName(QStringLiteral("Events and goals before and after"));
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    apply_ = button(this, "Apply", QStringLiteral("&Apply"),
                    QStringLiteral("Write the found values to the design, one undo step each"));
    discard_ = button(this, "Discard", QStringLiteral("D&iscard"), QStringLiteral("Forget the found values"));
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
    resize(820, 760);

    runner_ = new StudyRunner(progress_, cancel_, this);
    watch_ = new DesignWatch(model_, this, [this] {
        status_->setText(DesignWatch::outOfDateText());
        text_->setEnabled(false);  // greyed: the events belong to a design that is gone
        apply_->setEnabled(false);  // its values were judged on that design; Discard still forgets them
    });
    connect(range_, &QLineEdit::textChanged, this, [this] {
        for (int k = 0; k < MaxEqualiserDimensions; ++k) fillBounds(k);
    });
    connect(offer_, &QPushButton::clicked, this, &EqualiserWindow::OfferClick);
    connect(search_, &QPushButton::clicked, this, &EqualiserWindow::SearchClick);
    connect(apply_, &QPushButton::clicked, this, &EqualiserWindow::ApplyClick);
    connect(discard_, &QPushButton::clicked, this, &EqualiserWindow::DiscardClick);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void EqualiserWindow::buildDimensionRows(QGridLayout* form) {
    for (int k = 0; k < MaxEqualiserDimensions; ++k) {
        DimensionRow& row = rows_[k];
        row.dim = new QComboBox(this);
        row.dim->setObjectName(QStringLiteral("Vary%1").arg(k + 1));
        row.dim->setAccessibleName(QStringLiteral("Dimension %1 to vary").arg(k + 1));
        row.dim->setToolTip(QStringLiteral("A dimension the search may change: those that move the goals, the "
                                           "strongest first"));
        row.dim->addItem(QStringLiteral("(none)"), 0);
        row.dim->setMinimumContentsLength(26);  // the longest labels whole
        row.dim->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        row.low = numberField(this, QStringLiteral("Low%1").arg(k + 1).toLatin1().constData(), QString(),
                              QStringLiteral("Lowest value of dimension %1").arg(k + 1), {.allowMinus = true});
        row.high = numberField(this, QStringLiteral("High%1").arg(k + 1).toLatin1().constData(), QString(),
                               QStringLiteral("Highest value of dimension %1").arg(k + 1), {.allowMinus = true});
        auto* label = new QLabel(QStringLiteral("Vary &%1:").arg(k + 1), this);
        label->setBuddy(row.dim);
        form->addWidget(label, k, 0);
        form->addWidget(row.dim, k, 1);
        form->addWidget(new QLabel(QStringLiteral("from"), this), k, 2);
        form->addWidget(row.low, k, 3);
        form->addWidget(new QLabel(QStringLiteral("to"), this), k, 4);
        form->addWidget(row.high, k, 5);
        connect(row.dim, &QComboBox::currentIndexChanged, this, [this, k] { fillBounds(k); });
    }
}

// A dimension chosen gets the bounds of its value ± the range; none, empty bounds.
void EqualiserWindow::fillBounds(int k) {
    const DimensionDescriptor* d = findDimensionByCode(rows_[k].dim->currentData().toInt());
    const auto range = numberIn(range_);
    if (!d || !range) {
        rows_[k].low->clear();
        rows_[k].high->clear();
        return;
    }
    const double v = dimensionValue(model_, *d);
    rows_[k].low->setText(QString::number(v - *range, 'g', 7));
    rows_[k].high->setText(QString::number(v + *range, 'g', 7));
}

// The study must not call back into a window that is half gone.
EqualiserWindow::~EqualiserWindow() { runner_->stop(); }

void EqualiserWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!runner_->running() && !result_ && offered_.empty()) OfferClick();
}

std::optional<std::pair<std::vector<WorkingPoint>, std::vector<EqualiserGoal>>> EqualiserWindow::pointsAndGoals(
    QString& problem) const {
    std::string why;
    const auto points = parseWorkingPoints(points_->text().toStdString(), &why);
    if (!points) {
        problem = QStringLiteral("working points: ") + qText(why);
        return std::nullopt;
    }
    std::vector<EqualiserGoal> goals;
    auto weight = [](const QCheckBox* on, const QLineEdit* f) { return on->isChecked() ? numberIn(f).value_or(-1) : 0.0; };
    if (cutOffEqual_->isChecked()) goals.push_back({GoalKind::CutOffEqual, weight(cutOffEqual_, cutOffEqualWeight_), 0, {}});
    if (leadEqual_->isChecked()) goals.push_back({GoalKind::LeadEqual, weight(leadEqual_, leadEqualWeight_), 0, {}});
    if (!moreGoals_->text().trimmed().isEmpty()) {
        const auto more = parseEqualiserGoals(moreGoals_->text().toStdString(), &why);
        if (!more) {
            problem = QStringLiteral("more goals: ") + qText(why);
            return std::nullopt;
        }
        goals.insert(goals.end(), more->begin(), more->end());
    }
    return std::pair{*points, goals};
}

void EqualiserWindow::OfferClick() {
    if (runner_->running()) return;
    QString problem;
    const auto pg = pointsAndGoals(problem);
    if (pg) problem = qText(equaliserGoalsProblem(pg->second));
    if (!problem.isEmpty()) {
        status_->setText(problem.left(1).toUpper() + problem.mid(1) + QLatin1Char('.'));
        return;
    }
    const GearModel copy = model_;
    auto ranked = std::make_shared<DimensionRanking>();
    status_->setText(QStringLiteral("Finding the dimensions that move the goals..."));
    offer_->setEnabled(false);
    search_->setEnabled(false);
    runner_->start([copy, pg = *pg, ranked](const WorkControl& control) {
        *ranked = rankEqualiserDimensions(copy, pg.first, pg.second, control);
    }, [this, ranked] {
        offer_->setEnabled(true);
        search_->setEnabled(true);
        if (runner_->cancelled()) {
            status_->setText(QStringLiteral("Cancelled."));
            return;
        }
        showOffered(*ranked);
    });
}

void EqualiserWindow::showOffered(const DimensionRanking& ranking) {
    const std::vector<DimensionEffect>& ranked = ranking.effects;
    offered_ = ranked;
    for (int k = 0; k < MaxEqualiserDimensions; ++k) {
        QComboBox* c = rows_[k].dim;
        const QSignalBlocker quiet(c);
        c->clear();
        c->addItem(QStringLiteral("(none)"), 0);
        for (const DimensionEffect& e : ranked) c->addItem(labelOf(*e.dim), e.dim->dynVarCode);
        c->setCurrentIndex(k < static_cast<int>(ranked.size()) ? k + 1 : 0);
        fillBounds(k);
    }
    const QString problem = qText(ranking.problem);
    if (!problem.isEmpty())
        status_->setText(QStringLiteral("Nothing offered: ") + problem + QLatin1Char('.'));
    else
        status_->setText(ranked.empty()
                             ? QStringLiteral("No dimension moves the goals at these working points.")
                             : QStringLiteral("%1 dimensions move the goals; the %2 that move them most are chosen.")
                                   .arg(ranked.size())
                                   .arg(std::min<std::size_t>(ranked.size(), MaxEqualiserDimensions)));
}

std::optional<EqualiserOptions> EqualiserWindow::chosenOptions(QString& problem) const {
    EqualiserOptions o;
    const auto pg = pointsAndGoals(problem);
    if (!pg) return std::nullopt;
    o.points = pg->first;
    o.goals = pg->second;
    o.range = numberIn(range_).value_or(0);
    for (const DimensionRow& row : rows_) {
        const DimensionDescriptor* d = findDimensionByCode(row.dim->currentData().toInt());
        if (!d) continue;
        o.dims.push_back(d);
        o.bounds.push_back({d, numberIn(row.low).value_or(NAN), numberIn(row.high).value_or(NAN)});
    }
    o.maxEvaluations = maxEvals_->value();
    o.limits.leadLow = numberIn(leadLow_).value_or(NAN);
    o.limits.leadHigh = numberIn(leadHigh_).value_or(NAN);
    o.limits.lapBand = numberIn(lapBand_).value_or(-1);
    o.limits.openingLoss = numberIn(openingLoss_).value_or(-1);
    if (designKey(model_) == lastAnswerKey_) o.startFrom = lastAnswer_;
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
    offer_->setEnabled(false);
    status_->setText(QStringLiteral("Searching..."));
    runner_->start([copy, o = *options, result](const WorkControl& control) {
        *result = runEqualiser(copy, o, control);
    }, [this, result, key = designKey(copy)] {
        search_->setEnabled(true);
        offer_->setEnabled(true);
        watch_->remember(key);
        resultKey_ = key;
        if (result->improved()) {
            lastAnswerKey_ = key;
            lastAnswer_.clear();
            for (std::size_t i = 0; i < options_->dims.size(); ++i)
                lastAnswer_.push_back({options_->dims[i], result->after[i]});
        }
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
    else if (!result_->problem.empty())
        status_->setText(QStringLiteral("Not searched: ") + qText(result_->problem) + QLatin1Char('.'));
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
    // The window is not modal: any dimension changed or undone since the search, varied
    // or not, leaves values judged on a design that no longer exists.
    if (designKey(model_) != resultKey_) {
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
