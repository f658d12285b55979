// The events table and cut-off plot window.
#include "valve_events_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "design/cut_off_plot_view.h"
#include "design/solver_choice.h"
#include "design/study_runner.h"
#include "design/table_text.h"
#include "drawing/cut_off_plot.h"
#include "model/dimensions.h"
#include "model/event_table_text.h"
#include "model/number_text.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

constexpr int PlotWidth = 720, PlotHeight = 260;

const char* const columnTitles[] = {
    "Reverse arm", "Runs",       "Lead F",      "Lead R",      "Lead F-R",  "Cut-off F %",
    "Cut-off R %", "Cut-off F-R", "Max open F", "Max open R", "Release F %", "Release R %",
    "Compr. F %",  "Compr. R %", "Pre-adm. F %", "Pre-adm. R %", "Geometry"};

QString percent(const std::optional<double>& v) { return v ? qText(Str(*v, 0, 2)) : QStringLiteral("none"); }

}  // namespace

ValveEventsWindow::ValveEventsWindow(GearModel& model, QWidget* parent)
    : QDialog(parent), model_(model), plot_(PlotWidth, PlotHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("ValveEvents"));
    setWindowTitle(QStringLiteral("Valve Events"));
    plot_.fill(Qt::white);

    auto* stepsLabel = new QLabel(QStringLiteral("&Steps each way from mid gear:"), this);
    steps_ = new QSpinBox(this);
    steps_->setObjectName(QStringLiteral("Steps"));
    steps_->setRange(1, 100);
    steps_->setValue(10);
    steps_->setToolTip(QStringLiteral("Settings from mid gear to full gear, each way"));
    stepsLabel->setBuddy(steps_);
    auto* refreshButton = button(this, "Refresh", QStringLiteral("&Refresh"),
                                 QStringLiteral("Sweep every setting again"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Sweep progress"));
    cancel_ = button(this, "Cancel", QStringLiteral("&Cancel"), QStringLiteral("Stop the sweeps"));
    auto* top = new QHBoxLayout;
    solver_ = makeSolverChoice(this);
    top->addWidget(stepsLabel);
    top->addWidget(steps_);
    top->addWidget(solver_);
    top->addWidget(refreshButton);
    top->addWidget(progress_, 1);
    top->addWidget(cancel_);

    table_ = new QTableWidget(0, static_cast<int>(std::size(columnTitles)), this);
    table_->setObjectName(QStringLiteral("EventsTable"));
    table_->setAccessibleName(QStringLiteral("Valve events table"));
    QStringList titles;
    for (const char* t : columnTitles) titles << QString::fromLatin1(t);
    table_->setHorizontalHeaderLabels(titles);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    plotView_ = new CutOffPlotView(this);
    plotView_->setObjectName(QStringLiteral("CutOffPlot"));
    plotView_->setAccessibleName(QStringLiteral("Cut-off against reverse-arm setting"));

    auto* copyButton = button(this, "Copy", QStringLiteral("C&opy"),
                              QStringLiteral("Copy the table to the clipboard"));
    auto* saveButton = button(this, "SavePicture", QStringLiteral("Save &Picture..."),
                              QStringLiteral("Save the cut-off plot as PNG, SVG or PDF"));
    auto* printButton = button(this, "Print", QStringLiteral("Pri&nt..."),
                               QStringLiteral("Print the cut-off plot"));
    auto* closeButton = button(this, "Close", QStringLiteral("Close"), QStringLiteral("Close this window"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copyButton);
    bottom->addWidget(saveButton);
    bottom->addWidget(printButton);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    // A larger window gives the table and the plot room alike, the plot drawn afresh
    // at its size.
    layout->addWidget(table_, 3);
    layout->addWidget(plotView_, 2);
    layout->addLayout(bottom);
    resize(1100, 760);

    runner_ = new StudyRunner(progress_, cancel_, this);
    watch_ = new QTimer(this);
    watch_->setInterval(500);
    connect(watch_, &QTimer::timeout, this, &ValveEventsWindow::watchDesign);
    connect(refreshButton, &QPushButton::clicked, this, &ValveEventsWindow::refresh);
    connect(steps_, &QSpinBox::valueChanged, this, &ValveEventsWindow::refresh);
    connect(solver_, &QComboBox::currentIndexChanged, this, &ValveEventsWindow::refresh);
    connect(copyButton, &QPushButton::clicked, this, &ValveEventsWindow::CopyClick);
    connect(saveButton, &QPushButton::clicked, this, [this] { savePictureWithDialog(this, picture()); });
    connect(printButton, &QPushButton::clicked, this, [this] { printPictureWithDialog(this, picture()); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

PictureSource ValveEventsWindow::picture() const {
    // A copy of the events, so a sweep finishing while the file is written cannot
    // change what is drawn.
    return {PlotWidth, PlotHeight,
            [events = events_, centre = model_.RevArmCentre()](Canvas& c) {
                drawCutOffPlot(c, events, centre);
            },
            model_.DimSetName, {}};
}

// The study must not call back into a window that is half gone.
ValveEventsWindow::~ValveEventsWindow() { runner_->stop(); }

void ValveEventsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    watch_->start();
    if (designKey(model_) != key_ || events_.empty()) refresh();
}

void ValveEventsWindow::hideEvent(QHideEvent* event) {
    watch_->stop();
    QDialog::hideEvent(event);
}

void ValveEventsWindow::watchDesign() {
    if (designKey(model_) != key_) refresh();
}

void ValveEventsWindow::refresh() {
    if (runner_->running()) {
        // Sweep again with the newest design once this one has stopped.
        stale_ = true;
        runner_->cancel();
        return;
    }
    stale_ = false;
    key_ = designKey(model_);
    const GearModel copy = model_;  // the worker never sees the shared model
    const std::vector<float> settings = eventTableSettings(copy, steps_->value());
    auto result = std::make_shared<std::vector<GearSettingEvents>>();
    runner_->start([copy, settings, result, solver = chosenSolver(solver_)](const WorkControl& control) {
        *result = sweepEventsRange(copy, settings, control, solver);
    }, [this, result] {
        if (!runner_->cancelled()) {
            events_ = std::move(*result);
            showEvents();
        }
        if (stale_) QTimer::singleShot(0, this, &ValveEventsWindow::refresh);
    });
}

void ValveEventsWindow::showEvents() {
    table_->setRowCount(static_cast<int>(events_.size()));
    for (int r = 0; r < static_cast<int>(events_.size()); ++r) {
        const GearSettingEvents& e = events_[r];
        const CylinderEndEvents &f = e.front, &b = e.rear;
        const QString cells[] = {
            qText(Str(e.revArm, 0, 3)), QString::fromLatin1(runningDirectionName(e)),
            qText(Str(f.lead, 0, 4)), qText(Str(b.lead, 0, 4)), qText(Str(double(f.lead) - b.lead, 0, 4)),
            percent(f.cutOff), percent(b.cutOff),
            f.cutOff && b.cutOff ? qText(Str(*f.cutOff - *b.cutOff, 0, 2)) : QString(),
            qText(Str(f.maxOpening, 0, 4)), qText(Str(b.maxOpening, 0, 4)), percent(f.release), percent(b.release),
            percent(f.compression), percent(b.compression), percent(f.preAdmission), percent(b.preAdmission),
            e.geometryError ? QStringLiteral("IMPOSSIBLE") : QStringLiteral("ok")};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) setCell(table_, r, c, cells[c], c != 1 && c != 16);
    }
    {
        QtCanvas canvas(plot_);
        drawCutOffPlot(canvas, events_, model_.RevArmCentre());
    }
    plotView_->setEvents(events_, model_.RevArmCentre());
}

void ValveEventsWindow::CopyClick() { QApplication::clipboard()->setText(tableAsText(table_)); }

}  // namespace quarn
