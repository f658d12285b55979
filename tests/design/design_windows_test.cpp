// The design windows, offscreen: the events table and plot, the sensitivity study's
// Cancel, and the equaliser's Search, Apply, Discard and Cancel, pressed as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "design/design_watch.h"
#include "design/equaliser_window.h"
#include "design/sensitivity_window.h"
#include "design/study_runner.h"
#include "design/cut_off_plot_view.h"
#include "design/valve_events_window.h"
#include "model/dimensions.h"
#include "model/event_report.h"
#include "model/event_table_text.h"
#include "model/gear_model.h"
#include "model/working_points.h"
#include "model/undo_history.h"
#include "support/named_child.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

using test::child;

// Lets a study finish and its queued signals arrive, and any study that starts again
// for a newer design.
void finish(StudyRunner& runner) {
    do {
        runner.wait();
        QCoreApplication::processEvents();
    } while (runner.running());
}

const DimensionDescriptor& stem() { return *findDimensionByField("ValveCtrToJoint"); }

QString statusOf(QWidget* w) { return child<QLabel>(w, "Status")->text(); }

// The window notices a changed design by itself, within its half-second look.
bool noticesOutOfDate(QWidget* w) {
    return QTest::qWaitFor([&] { return statusOf(w) == DesignWatch::outOfDateText(); }, 3000);
}

class DesignWindows : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
    }
    GearModel model;
};

TEST_F(DesignWindows, EventsTableAndPlotFollowTheSteps) {
    ValveEventsWindow w(model);
    w.show();
    finish(w.runner());
    auto* table = child<QTableWidget>(&w, "EventsTable");
    EXPECT_EQ(table->rowCount(), 21);
    child<QSpinBox>(&w, "Steps")->setValue(1);
    finish(w.runner());
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_NE(table->item(2, 16), nullptr);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("rev"));
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("10.298"));
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("fwd"));
    EXPECT_EQ(table->item(2, 16)->text(), QStringLiteral("ok"));
    // The plot has red (front) and blue (rear) crosses.
    const QImage& plot = w.plotImage();
    bool red = false, blue = false;
    for (int y = 0; y < plot.height(); ++y)
        for (int x = 0; x < plot.width(); ++x) {
            red = red || plot.pixel(x, y) == qRgb(255, 0, 0);
            blue = blue || plot.pixel(x, y) == qRgb(0, 0, 255);
        }
    EXPECT_TRUE(red && blue);
    QTest::mouseClick(child<QPushButton>(&w, "Copy"), Qt::LeftButton);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("Reverse arm\tRuns\tLead F"))) << copied.toStdString();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 4);
}

// Made larger, the window draws its plot at the pane's size: the plot reaches as close
// to the pane's right and bottom edges as the saved plot reaches to its own.
TEST_F(DesignWindows, EventsPlotIsDrawnAtItsPanesSize) {
    ValveEventsWindow w(model);
    w.show();
    finish(w.runner());
    w.resize(1600, 1100);
    QApplication::processEvents();
    const CutOffPlotView& pane = w.plotView();
    const QImage& shown = pane.shown();
    ASSERT_EQ(shown.size(), pane.size());
    ASSERT_GT(pane.width(), w.plotImage().width());
    auto inkBounds = [](const QImage& image) {
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) r |= QRect(x, y, 1, 1);
        return r;
    };
    const QRect saved = inkBounds(w.plotImage()), onScreen = inkBounds(shown);
    EXPECT_NEAR(pane.width() - onScreen.right(), w.plotImage().width() - saved.right(), 2);
    EXPECT_NEAR(pane.height() - onScreen.bottom(), w.plotImage().height() - saved.bottom(), 2);
}

TEST_F(DesignWindows, EventsPlotSavesAsTheWindowShowsIt) {
    ValveEventsWindow w(model);
    child<QSpinBox>(&w, "Steps")->setValue(2);
    w.show();
    finish(w.runner());
    EXPECT_NE(child<QPushButton>(&w, "SavePicture"), nullptr);
    EXPECT_NE(child<QPushButton>(&w, "Print"), nullptr);
    const std::string path = ::testing::TempDir() + "/events_plot.png";
    ASSERT_EQ(savePicture(path, w.picture().width, w.picture().height, w.picture().draw), "");
    QImage saved(QString::fromStdString(path));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), w.plotImage());
    std::remove(path.c_str());
}

TEST_F(DesignWindows, EventsRefreshWhenTheDesignChanges) {
    ValveEventsWindow w(model);
    child<QSpinBox>(&w, "Steps")->setValue(1);
    w.show();
    finish(w.runner());
    auto* table = child<QTableWidget>(&w, "EventsTable");
    ASSERT_EQ(table->rowCount(), 3);
    const QString before = table->item(2, 5)->text();  // front cut-off at full forward
    setDimensionValue(model, stem(), 6.45f);
    // The window looks at the design twice a second and sweeps again when it changed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.runner().running() || table->item(2, 5)->text() != before; }));
    finish(w.runner());
    EXPECT_NE(table->item(2, 5)->text(), before);
}

// Every design window reads the gear with the precise solver unless told otherwise.
TEST_F(DesignWindows, EachWindowOffersTheSolverPreciseFirst) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<QWidget>(GearModel&)> make;
    } windows[] = {
        {"Valve Events", [](GearModel& m) { return std::make_unique<ValveEventsWindow>(m); }},
        {"Sensitivity", [](GearModel& m) { return std::make_unique<SensitivityWindow>(m); }},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        const auto window = w.make(model);
        auto* solver = child<QComboBox>(window.get(), "Solver");
        ASSERT_NE(solver, nullptr);
        EXPECT_EQ(solver->currentText(), QStringLiteral("Precise solver"));
    }
}

// Chosen in the events window, the classic solver gives the very events the classic
// sweep gives, not the precise ones.
TEST_F(DesignWindows, EventsOnTheClassicSolverAreTheClassicSweeps) {
    const auto asText = [](const std::vector<GearSettingEvents>& events) {
        std::string text;
        for (const auto& e : events) text += eventsCsvRows(e);
        return text;
    };
    ValveEventsWindow w(model);
    child<QSpinBox>(&w, "Steps")->setValue(1);
    w.show();
    finish(w.runner());
    const std::string precise = asText(w.events());
    QTest::keyClicks(child<QComboBox>(&w, "Solver"), QStringLiteral("C"));
    finish(w.runner());
    const std::string classic =
        asText(sweepEventsRange(model, eventTableSettings(model, 1), {}, SolverKind::Classic));
    EXPECT_EQ(asText(w.events()), classic);
    EXPECT_NE(precise, classic);
}

TEST_F(DesignWindows, SensitivityCancelLeavesNothingBehind) {
    SensitivityWindow w(model);
    w.show();
    const GearModel before = model;
    auto* delta = child<QLineEdit>(&w, "Delta");
    delta->setText(QStringLiteral("0"));
    QTest::mouseClick(child<QPushButton>(&w, "Run"), Qt::LeftButton);
    EXPECT_FALSE(w.runner().running());
    EXPECT_EQ(child<QLabel>(&w, "Status")->text(), QStringLiteral("The change must be a number above 0."));
    delta->setText(QStringLiteral("0.001"));
    QTest::mouseClick(child<QPushButton>(&w, "Run"), Qt::LeftButton);
    ASSERT_TRUE(w.runner().running());
    EXPECT_FALSE(child<QPushButton>(&w, "Run")->isEnabled());
    QTest::mouseClick(child<QPushButton>(&w, "Cancel"), Qt::LeftButton);
    finish(w.runner());
    EXPECT_EQ(child<QLabel>(&w, "Status")->text(), QStringLiteral("Cancelled."));
    EXPECT_EQ(child<QTableWidget>(&w, "SensitivityTable")->rowCount(), 0);
    EXPECT_TRUE(child<QPushButton>(&w, "Run")->isEnabled());
    EXPECT_EQ(model.PivotHorz, before.PivotHorz);
    EXPECT_EQ(dimensionValue(model, stem()), 6.39f);
}

// A study shown for a design that has since changed is greyed and marked until run again.
TEST_F(DesignWindows, StudyMarkedOutOfDateUntilRunAgain) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<QWidget>(GearModel&)> make;
        const char *run, *shown;
    } windows[] = {
        {"Sensitivity", [](GearModel& m) { return std::make_unique<SensitivityWindow>(m); }, "Run", "SensitivityTable"},
        {"Equaliser", [](GearModel& m) { return std::make_unique<EqualiserWindow>(m, DesignHost{}); }, "Search",
         "Result"},
    };
    for (const auto& row : windows) {
        SCOPED_TRACE(row.name);
        const auto w = row.make(model);
        w->show();
        finish(*w->findChild<StudyRunner*>());  // the equaliser first offers its dimensions
        if (auto* evals = w->findChild<QSpinBox*>(QStringLiteral("MaxEvals"))) evals->setValue(2);
        auto run = [&] {
            QTest::mouseClick(child<QPushButton>(w.get(), row.run), Qt::LeftButton);
            finish(*w->findChild<StudyRunner*>());
        };
        run();
        setDimensionValue(model, stem(), dimensionValue(model, stem()) + 0.03f);
        EXPECT_TRUE(noticesOutOfDate(w.get()));
        EXPECT_FALSE(child<QWidget>(w.get(), row.shown)->isEnabled());
        run();
        EXPECT_NE(statusOf(w.get()), DesignWatch::outOfDateText());
        EXPECT_TRUE(child<QWidget>(w.get(), row.shown)->isEnabled());
    }
}

class EqualiserWindowTest : public DesignWindows {
protected:
    void SetUp() override {
        DesignWindows::SetUp();
        setDimensionValue(model, stem(), 6.42f);
        model.RevArmPosition = 11.0f;
        window = std::make_unique<EqualiserWindow>(model, DesignHost{[this] { ++applied; }});
        window->show();
        finish(window->runner());  // the dimensions that move the goals, offered on opening
        child<QSpinBox>(window.get(), "MaxEvals")->setValue(4);
        child<QLineEdit>(window.get(), "Range")->setText(QStringLiteral("0.04"));
    }
    QPushButton* button(const char* name) { return child<QPushButton>(window.get(), name); }
    void varyStemAlone() {
        auto* first = child<QComboBox>(window.get(), "Vary1");
        first->setCurrentIndex(first->findData(stem().dynVarCode));
        for (const char* name : {"Vary2", "Vary3", "Vary4"}) child<QComboBox>(window.get(), name)->setCurrentIndex(0);
    }
    std::unique_ptr<EqualiserWindow> window;
    int applied = 0;
};

// Not the last fields visited: the four dimensions that move the goals most, and only
// dimensions that move them at all (the valve's end widths never do).
TEST_F(EqualiserWindowTest, OffersWhatMovesTheGoalsAndAppliesAsATypedChange) {
    const auto& offered = window->offered();
    ASSERT_GE(offered.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        auto* combo = child<QComboBox>(window.get(), ("Vary" + std::to_string(k + 1)).c_str());
        EXPECT_EQ(combo->currentData().toInt(), offered[k].dim->dynVarCode) << k;
        EXPECT_EQ(combo->count(), static_cast<int>(offered.size()) + 1);
        EXPECT_EQ(combo->findText(QStringLiteral("Valve End Width"), Qt::MatchContains), -1);
    }
    EXPECT_NEAR(child<QLineEdit>(window.get(), "Low1")->text().toDouble(),
                dimensionValue(model, *offered[0].dim) - 0.04, 1e-6);
    varyStemAlone();
    EXPECT_FALSE(button("Apply")->isEnabled());
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    finish(window->runner());
    ASSERT_TRUE(window->result().has_value());
    EXPECT_TRUE(button("Apply")->isEnabled());
    const QString shown = child<QPlainTextEdit>(window.get(), "Result")->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("25 % rev, arm"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("equal cut-off at every point (75 % fwd)"))) << shown.toStdString();
    EXPECT_EQ(dimensionValue(model, stem()), 6.42f);  // nothing written before Apply
    const float found = window->result()->after[0];
    QTest::mouseClick(button("Apply"), Qt::LeftButton);
    EXPECT_EQ(dimensionValue(model, stem()), found);
    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, 6.42f);
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(button("Apply")->isEnabled());
    window->watch().check();  // its own values do not put the window out of date
    EXPECT_EQ(statusOf(window.get()), QStringLiteral("Applied: each change is one undo step."));
    // The UnDo buttons take the applied value back: "Applied" would be a claim of a state gone.
    ASSERT_TRUE(undoButtonClick(model));
    EXPECT_TRUE(noticesOutOfDate(window.get()));
}

// Points and goals typed into the window reach the search; one that does not read is said.
TEST_F(EqualiserWindowTest, PointsAndGoalsAsTyped) {
    varyStemAlone();
    child<QLineEdit>(window.get(), "Points")->setText(QStringLiteral("40f"));
    child<QLineEdit>(window.get(), "MoreGoals")->setText(QStringLiteral("lead=0.03@40f:0.5"));
    QString problem;
    const auto o = window->chosenOptions(problem);
    ASSERT_TRUE(o.has_value()) << problem.toStdString();
    EXPECT_EQ(o->points, *parseWorkingPoints("40f", nullptr));
    ASSERT_EQ(o->goals.size(), 2u);
    EXPECT_EQ(o->goals[1], *parseEqualiserGoals("lead=0.03@40f:0.5", nullptr)->begin());
    ASSERT_EQ(o->bounds.size(), 1u);
    EXPECT_NEAR(o->bounds[0].high - o->bounds[0].low, 0.08, 1e-6);
    child<QLineEdit>(window.get(), "MoreGoals")->setText(QStringLiteral("cutoff=30"));
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    EXPECT_TRUE(statusOf(window.get()).startsWith(QStringLiteral("More goals: cutoff=30 needs the setting")))
        << statusOf(window.get()).toStdString();
    // Offer, finding nothing, says why rather than that no dimension moves the goals.
    child<QLineEdit>(window.get(), "MoreGoals")->clear();
    const struct {
        const char *field, *text, *status;
    } offers[] = {{"Points", "99f", "Nothing offered: the working point 99 % fwd"},
                  {"CutOffEqualWeight", "", "Goal weights must be numbers of 0 or more."}};
    for (const auto& row : offers) {
        SCOPED_TRACE(row.field);
        auto* field = child<QLineEdit>(window.get(), row.field);
        const QString was = field->text();
        field->setText(QString::fromLatin1(row.text));
        QTest::mouseClick(button("Offer"), Qt::LeftButton);
        finish(window->runner());
        EXPECT_TRUE(statusOf(window.get()).startsWith(QString::fromLatin1(row.status)))
            << statusOf(window.get()).toStdString();
        field->setText(was);
    }
}

// A lead band no design reaches: nothing to apply, and the status names the limit.
TEST_F(EqualiserWindowTest, UnmetLimitIsSaidInTheStatus) {
    varyStemAlone();
    child<QLineEdit>(window.get(), "LeadLow")->setText(QStringLiteral("1"));
    child<QLineEdit>(window.get(), "LeadHigh")->setText(QStringLiteral("1.1"));
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    finish(window->runner());
    EXPECT_FALSE(button("Apply")->isEnabled());
    EXPECT_EQ(child<QLabel>(window.get(), "Status")->text(),
              QStringLiteral("No design offered: no design within the range keeps the front lead at 25 % fwd "
                             "within 1 to 1.1."));
}

TEST_F(EqualiserWindowTest, DiscardAndCancelLeaveTheDesignAlone) {
    varyStemAlone();
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    finish(window->runner());
    QTest::mouseClick(button("Discard"), Qt::LeftButton);
    EXPECT_FALSE(window->result().has_value());
    EXPECT_FALSE(button("Apply")->isEnabled());
    // A search long enough to be still running when Cancel is pressed; Cancel keeps
    // the best found so far, which is only offered, never written.
    child<QSpinBox>(window.get(), "MaxEvals")->setValue(1000);
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    ASSERT_TRUE(window->runner().running());
    QTest::mouseClick(button("Cancel"), Qt::LeftButton);
    finish(window->runner());
    ASSERT_TRUE(window->result().has_value());
    EXPECT_TRUE(window->result()->cancelled);
    EXPECT_LT(window->result()->evaluations, 1000);
    EXPECT_EQ(statusOf(window.get()),
              window->result()->improved()
                  ? QStringLiteral("Cancelled: the best design found so far is offered: Apply writes it, "
                                   "Discard forgets it.")
                  : QStringLiteral("Cancelled."));
    auto* bar = child<QProgressBar>(window.get(), "Progress");
    EXPECT_EQ(bar->value(), bar->maximum());
    if (window->result()->improved()) QTest::mouseClick(button("Discard"), Qt::LeftButton);
    EXPECT_EQ(dimensionValue(model, stem()), 6.42f);
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_EQ(model.RevArmPosition, 11.0f);
    EXPECT_EQ(applied, 0);
}

// The stem is varied, the radius bar is not; the stem's value was judged with both.
TEST_F(EqualiserWindowTest, AResultForAnotherDesignIsNotApplied) {
    const DimensionDescriptor& bar = *findDimensionByField("RadiusBarLength");
    const struct {
        const char* name;
        const DimensionDescriptor* changed;
        float by;
    } rows[] = {{"a varied dimension", &stem(), 0.08f}, {"one not varied", &bar, 0.01f}};
    auto search = [&] {
        varyStemAlone();
        QTest::mouseClick(button("Search"), Qt::LeftButton);
        finish(window->runner());
        ASSERT_TRUE(button("Apply")->isEnabled()) << statusOf(window.get()).toStdString();
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        search();
        const float was = dimensionValue(model, *row.changed);
        setDimensionValue(model, *row.changed, was + row.by);  // typed elsewhere
        const std::vector<float> typed = designKey(model);
        QTest::mouseClick(button("Apply"), Qt::LeftButton);
        EXPECT_EQ(designKey(model), typed);
        EXPECT_EQ(applied, 0);
        EXPECT_EQ(statusOf(window.get()), QStringLiteral("The design changed since the search: search again."));
        setDimensionValue(model, *row.changed, was);
    }
    // Once the window sees the design gone, Apply is greyed; Discard still forgets the result.
    search();
    setDimensionValue(model, bar, dimensionValue(model, bar) - 0.01f);
    EXPECT_TRUE(noticesOutOfDate(window.get()));
    EXPECT_FALSE(button("Apply")->isEnabled());
    EXPECT_TRUE(button("Discard")->isEnabled());
}

// A range so narrow the search settles after a few trials: the bar is full against those.
TEST_F(EqualiserWindowTest, ProgressFullWhenTheSearchEndsEarly) {
    varyStemAlone();
    child<QSpinBox>(window.get(), "MaxEvals")->setValue(200);
    child<QLineEdit>(window.get(), "Range")->setText(QStringLiteral("0.0001"));
    QTest::mouseClick(button("Search"), Qt::LeftButton);
    finish(window->runner());
    auto* bar = child<QProgressBar>(window.get(), "Progress");
    EXPECT_EQ(bar->maximum(), window->result()->evaluations);
    EXPECT_EQ(bar->value(), bar->maximum());
}

}  // namespace
}  // namespace quarn
