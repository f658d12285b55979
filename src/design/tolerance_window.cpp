// The tolerance study window.
#include "tolerance_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "design/design_watch.h"
#include "design/study_runner.h"
#include "design/table_text.h"
#include "design/tolerance_table_editor.h"
#include "drawing/tolerance_histogram.h"
#include "model/dimensions.h"
#include "model/number_text.h"
#include "platform/number_field.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

constexpr int HistogramWidth = 640, HistogramHeight = 240;
const char* const resultTitles[] = {"Point", "Outcome", "As drawn", "Mean", "5 %", "95 %", "sd", "Outside", "Failed"};

QString fieldName(const DimensionDescriptor& d) { return QString::fromLatin1(d.field.data(), d.field.size()); }

QLineEdit* numberField(QWidget* parent, const char* name, const QString& text, const QString& hint, bool minus) {
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setToolTip(hint);
    f->setAccessibleName(hint);
    f->setMaximumWidth(90);
    NumberKeyFilter::install(f, {minus, false});
    return f;
}

std::optional<double> finite(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

int decimalsOf(int outcome) { return outcome == 0 ? 3 : 5; }

QString percentText(double share) { return qText(Str(100 * share, 0, 1)) + QStringLiteral(" %"); }

}  // namespace

ToleranceWindow::ToleranceWindow(GearModel& model, DesignHost host, QWidget* parent)
    : QDialog(parent), model_(model), host_(std::move(host)),
      histogram_(HistogramWidth, HistogramHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("ToleranceStudy"));
    setWindowTitle(QStringLiteral("Tolerance Study"));
    histogram_.fill(Qt::white);

    // The tolerances: one figure for all, then each dimension's own.
    tolerances_ = new ToleranceTableEditor(model_, [this] { return defaultTolerancePath(); }, this);

    // The study's own settings.
    samples_ = new QSpinBox(this);
    samples_->setObjectName(QStringLiteral("Samples"));
    samples_->setRange(1, MaxToleranceSamples);
    samples_->setValue(DefaultToleranceSamples);
    samples_->setToolTip(QStringLiteral("How many gears are drawn"));
    samples_->setAccessibleName(QStringLiteral("Samples"));
    seed_ = numberField(this, "Seed", QString::number(DefaultToleranceSeed),
                        QStringLiteral("The same seed draws the same gears"), false);
    distribution_ = new QComboBox(this);
    distribution_->setObjectName(QStringLiteral("Distribution"));
    distribution_->addItem(QStringLiteral("Uniform within tolerance"));
    distribution_->addItem(QStringLiteral("Normal, tolerance = 3 sd"));
    distribution_->setToolTip(QStringLiteral("Uniform: every size within tolerance equally likely. Normal: a bell "
                                             "with the tolerance at 3 standard deviations, parts beyond it "
                                             "drawn again"));
    distribution_->setAccessibleName(QStringLiteral("Distribution"));
    points_ = new QLineEdit(QString::fromStdString(workingPointsText(defaultWorkingPoints())), this);
    points_->setObjectName(QStringLiteral("Points"));
    points_->setToolTip(QStringLiteral("Working points: 25f is 25 % cut-off forward, 25r reverse, arm=1.2 a "
                                       "reverse-arm setting; separated by commas"));
    points_->setAccessibleName(QStringLiteral("Working points"));
    const ToleranceLimits limits;
    cutOffLimit_ = numberField(this, "CutOffLimit", QString::number(limits.cutOffDifference),
                               QStringLiteral("A gear whose front and rear cut-off differ by more is outside"), false);
    leadLow_ = numberField(this, "LeadLow", QString::number(limits.leadLow),
                           QStringLiteral("A lead below this is outside"), true);
    leadHigh_ = numberField(this, "LeadHigh", QString::number(limits.leadHigh),
                            QStringLiteral("A lead above this is outside"), true);
    auto* form = new QGridLayout;
    const auto row = [&](int r, const QString& text, QWidget* field, QWidget* more = nullptr) {
        auto* l = new QLabel(text, this);
        l->setBuddy(field);
        form->addWidget(l, r, 0);
        form->addWidget(field, r, 1);
        if (!more) return;
        auto* pair = new QHBoxLayout;
        auto* to = new QLabel(QStringLiteral("&to:"), this);
        to->setBuddy(more);
        pair->addWidget(to);
        pair->addWidget(more);
        form->addLayout(pair, r, 2);
    };
    row(0, QStringLiteral("&Samples:"), samples_);
    row(1, QStringLiteral("S&eed:"), seed_);
    row(2, QStringLiteral("&Distribution:"), distribution_);
    row(3, QStringLiteral("Working &points:"), points_);
    row(4, QStringLiteral("C&ut-off difference limit, \u00b1 points:"), cutOffLimit_);
    row(5, QStringLiteral("Lead &band, from:"), leadLow_, leadHigh_);
    form->setColumnStretch(3, 1);
    form->setRowStretch(6, 1);

    run_ = button(this, "Run", QStringLiteral("&Run"), QStringLiteral("Draw the gears and read them"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Study progress"));
    cancel_ = button(this, "Cancel", QStringLiteral("&Cancel"), QStringLiteral("Stop the study"));
    cancel_->setEnabled(false);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(run_);
    runRow->addWidget(progress_, 1);
    runRow->addWidget(cancel_);
    form->addLayout(runRow, 7, 0, 1, 4);

    auto* top = new QHBoxLayout;
    top->addWidget(tolerances_, 3);
    top->addLayout(form, 2);

    status_ = new QLabel(QStringLiteral("Give the tolerances and press Run."), this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);

    results_ = new QTableWidget(0, static_cast<int>(std::size(resultTitles)), this);
    results_->setObjectName(QStringLiteral("ResultsTable"));
    results_->setAccessibleName(QStringLiteral("Spread at each working point"));
    results_->setToolTip(QStringLiteral("Select a row for its histogram and each dimension's share"));
    QStringList titles;
    for (const char* t : resultTitles) titles << QString::fromLatin1(t);
    results_->setHorizontalHeaderLabels(titles);
    results_->verticalHeader()->hide();
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    shares_ = new QTableWidget(0, 2, this);
    shares_->setObjectName(QStringLiteral("SharesTable"));
    shares_->setAccessibleName(QStringLiteral("Each dimension's share of the spread"));
    shares_->setToolTip(QStringLiteral("Which tolerances to tighten first: largest share first"));
    shares_->setHorizontalHeaderLabels({QStringLiteral("Dimension"), QStringLiteral("Share of spread")});
    shares_->verticalHeader()->hide();
    shares_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    shares_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    histogramLabel_ = new QLabel(this);
    histogramLabel_->setObjectName(QStringLiteral("Histogram"));
    histogramLabel_->setAccessibleName(QStringLiteral("Histogram of the selected outcome"));
    histogramLabel_->setPixmap(QPixmap::fromImage(histogram_));

    auto* middle = new QGridLayout;
    middle->addWidget(results_, 0, 0);
    middle->addWidget(shares_, 0, 1, 2, 1);
    middle->addWidget(histogramLabel_, 1, 0);
    middle->setColumnStretch(0, 3);
    middle->setColumnStretch(1, 1);

    auto* copyButton = button(this, "Copy", QStringLiteral("Cop&y"), QStringLiteral("Copy the results to the clipboard"));
    auto* savePicture = button(this, "SavePicture", QStringLiteral("Save P&icture..."),
                               QStringLiteral("Save the histogram as PNG, SVG or PDF"));
    auto* printButton = button(this, "Print", QStringLiteral("Pri&nt..."), QStringLiteral("Print the histogram"));
    auto* closeButton = button(this, "Close", QStringLiteral("Close"), QStringLiteral("Close this window"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copyButton);
    bottom->addWidget(savePicture);
    bottom->addWidget(printButton);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addWidget(status_);
    layout->addLayout(middle, 3);
    layout->addLayout(bottom);
    resize(1250, 980);

    runner_ = new StudyRunner(progress_, cancel_, this);
    watch_ = new DesignWatch(model_, this, [this] {
        status_->setText(DesignWatch::outOfDateText());
        results_->setEnabled(false);  // greyed: the numbers belong to a design that is gone
        shares_->setEnabled(false);
    });
    connect(run_, &QPushButton::clicked, this, &ToleranceWindow::RunClick);
    connect(tolerances_, &ToleranceTableEditor::said, status_, &QLabel::setText);
    connect(results_, &QTableWidget::itemSelectionChanged, this, &ToleranceWindow::showSelected);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(tableAsText(results_)); });
    connect(savePicture, &QPushButton::clicked, this, [this] { savePictureWithDialog(this, picture()); });
    connect(printButton, &QPushButton::clicked, this, [this] { printPictureWithDialog(this, picture()); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

// The study must not call back into a window that is half gone.
ToleranceWindow::~ToleranceWindow() { runner_->stop(); }

void ToleranceWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    tolerances_->showValues();
}

std::optional<ToleranceOptions> ToleranceWindow::chosenOptions(QString& problem) const {
    ToleranceOptions o;
    const auto table = tolerances_->table(problem);
    if (!table) return std::nullopt;
    o.tolerances = *table;
    o.samples = samples_->value();
    bool ok = false;
    const qulonglong seed = seed_->text().trimmed().toULongLong(&ok);
    if (!ok || seed > MaxToleranceSeed) {
        problem = QStringLiteral("The seed must be a whole number from 0 to %1.").arg(MaxToleranceSeed);
        return std::nullopt;
    }
    o.seed = seed;
    o.distribution = distribution_->currentIndex() == 1 ? ToleranceDistribution::Normal
                                                        : ToleranceDistribution::Uniform;
    std::string why;
    const auto points = parseWorkingPoints(points_->text().toStdString(), &why);
    if (!points) {
        problem = QStringLiteral("Working points: ") + qText(why);
        return std::nullopt;
    }
    o.points = *points;
    const auto limit = finite(cutOffLimit_->text());
    const auto low = finite(leadLow_->text()), high = finite(leadHigh_->text());
    if (!limit || *limit < 0) {
        problem = QStringLiteral("The cut-off difference limit must be a number of 0 or more.");
        return std::nullopt;
    }
    if (!low || !high || *low > *high) {
        problem = QStringLiteral("The lead band needs two numbers, the first no higher than the second.");
        return std::nullopt;
    }
    o.limits = {*limit, *low, *high};
    return o;
}

void ToleranceWindow::RunClick() {
    if (runner_->running()) return;
    QString problem;
    const auto options = chosenOptions(problem);
    if (!options) {
        status_->setText(problem);
        return;
    }
    const GearModel copy = model_;  // the workers never see the shared model
    auto result = std::make_shared<ToleranceResult>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    run_->setEnabled(false);
    status_->setText(QStringLiteral("Drawing %1 gears...").arg(options->samples));
    runner_->start([copy, o = *options, result](const WorkControl& control) {
        *result = runToleranceStudy(copy, o, control);
    }, [this, result, clock, key = designKey(copy)] {
        run_->setEnabled(true);
        if (runner_->cancelled()) {
            status_->setText(QStringLiteral("Cancelled."));
            return;
        }
        if (!result->complete) {
            status_->setText(qText(result->problem));
            return;
        }
        result_ = std::move(*result);
        watch_->remember(key);
        showResult();
        status_->setText(
            QStringLiteral("%1 gears drawn (%2, seed %3) in %4 s; %5 failed (%6): they cannot be put together "
                           "or lose a cut-off. Select a row for its histogram and each dimension's share.")
                .arg(result_->samples)
                .arg(QString::fromLatin1(distributionName(result_->distribution)))
                .arg(result_->seed)
                .arg(clock->elapsed() / 1000.0, 0, 'f', 1)
                .arg(result_->failures)
                .arg(percentText(result_->samples ? double(result_->failures) / result_->samples : 0)));
    });
}

void ToleranceWindow::showResult() {
    results_->setEnabled(true);
    shares_->setEnabled(true);
    const ToleranceResult& r = *result_;
    results_->setRowCount(static_cast<int>(r.points.size()) * ToleranceOutcomeCount);
    int row = 0;
    for (const TolerancePointResult& p : r.points) {
        for (int k = 0; k < ToleranceOutcomeCount; ++k, ++row) {
            const OutcomeStats& s = p.outcomes[k];
            const int d = decimalsOf(k);
            const auto number = [&](double v) { return s.count ? qText(Str(v, 0, d)) : QStringLiteral("none"); };
            const QString cells[] = {
                k == 0 ? qText(workingPointName(p.point.point)) : QString(),
                QString::fromLatin1(toleranceOutcomeName(static_cast<ToleranceOutcome>(k))),
                s.nominal ? qText(Str(*s.nominal, 0, d)) : QStringLiteral("none"),
                number(s.mean), number(s.p5), number(s.p95), number(s.sd),
                s.count ? percentText(s.outside) : QString(),
                percentText(r.samples ? double(p.failures) / r.samples : 0)};
            for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) setCell(results_, row, c, cells[c], c > 1);
        }
    }
    results_->selectRow(0);
    showSelected();
}

std::optional<std::pair<int, int>> ToleranceWindow::selectedOutcome() const {
    if (!result_) return std::nullopt;
    const int row = results_->currentRow();
    if (row < 0 || row >= static_cast<int>(result_->points.size()) * ToleranceOutcomeCount) return std::nullopt;
    return std::pair{row / ToleranceOutcomeCount, row % ToleranceOutcomeCount};
}

PictureSource ToleranceWindow::picture() const {
    const auto chosen = selectedOutcome();
    if (!chosen) return {HistogramWidth, HistogramHeight, [](Canvas& c) { c.clear(colors::White); }, model_.DimSetName, {}};
    const auto [p, k] = *chosen;
    const TolerancePointResult& point = result_->points[p];
    const ToleranceLimits& l = result_->limits;
    const HistogramLimits limits = k == 0 ? HistogramLimits{-l.cutOffDifference, l.cutOffDifference}
                                          : HistogramLimits{l.leadLow, l.leadHigh};
    const std::string title = workingPointName(point.point.point) + ": " +
                              toleranceOutcomeName(static_cast<ToleranceOutcome>(k)) +
                              (k == 0 ? " (front - rear, points)" : "") + ", " +
                              std::to_string(point.outcomes[k].count) + " gears";
    // Copies, so a study finishing while the file is written cannot change the picture.
    return {HistogramWidth, HistogramHeight, [stats = point.outcomes[k], title, limits](Canvas& c) {
                drawToleranceHistogram(c, stats, title, limits);
            },
            model_.DimSetName, {}};
}

void ToleranceWindow::showSelected() {
    const auto chosen = selectedOutcome();
    shares_->setRowCount(0);
    {
        QtCanvas canvas(histogram_);
        picture().draw(canvas);
    }
    histogramLabel_->setPixmap(QPixmap::fromImage(histogram_));
    if (!chosen) return;
    const OutcomeStats& s = result_->points[chosen->first].outcomes[chosen->second];
    if (s.shares.empty() && s.count > 0 && s.sd > 0) {
        // The fit needs more gears than dimensions drawn.
        shares_->setRowCount(1);
        setCell(shares_, 0, 0, QStringLiteral("Draw over %1 gears for shares").arg(result_->sampled.size() + 1), false);
        return;
    }
    shares_->setRowCount(static_cast<int>(s.shares.size()));
    int r = 0;
    for (const DimensionShare& d : s.shares) {
        setCell(shares_, r, 0, fieldName(*d.dim), false);
        setCell(shares_, r++, 1, percentText(d.share));
    }
}

QString ToleranceWindow::defaultTolerancePath() const {
    const QString design = host_.designPath ? QString::fromStdString(host_.designPath()) : QString();
    if (design.isEmpty()) return QString::fromStdString(model_.DimSetName) + QStringLiteral(".tolerances.csv");
    const QFileInfo info(design);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tolerances.csv"));
}

QString ToleranceWindow::saveTolerances(const QString& path) const { return tolerances_->save(path); }

QString ToleranceWindow::loadTolerances(const QString& path) { return tolerances_->load(path); }

}  // namespace quarn
