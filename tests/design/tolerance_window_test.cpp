// The tolerance study window, offscreen: Run, the results and histogram, Cancel, the
// out-of-date mark, what the fields refuse, and the tolerance CSV saved and read back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstdio>

#include "design/design_watch.h"
#include "design/study_runner.h"
#include "design/tolerance_window.h"
#include "model/dimensions.h"
#include "model/gear_model.h"
#include "platform/picture_export.h"
#include "support/named_child.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

using test::child;

class ToleranceWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        window = std::make_unique<ToleranceWindow>(model, DesignHost{});
        window->show();
        child<QSpinBox>(window.get(), "Samples")->setValue(24);
    }
    void run() {
        QTest::mouseClick(child<QPushButton>(window.get(), "Run"), Qt::LeftButton);
        do {
            window->runner().wait();
            QCoreApplication::processEvents();
        } while (window->runner().running());
    }
    QString status() { return child<QLabel>(window.get(), "Status")->text(); }
    GearModel model;
    std::unique_ptr<ToleranceWindow> window;
};

TEST_F(ToleranceWindowTest, RunShowsEachPointHistogramAndSharesThenGoesOutOfDate) {
    child<QSpinBox>(window.get(), "Samples")->setValue(80);  // more than the dimensions drawn, for the fit
    run();
    ASSERT_TRUE(window->result().has_value()) << status().toStdString();
    auto* results = child<QTableWidget>(window.get(), "ResultsTable");
    EXPECT_EQ(results->rowCount(), 9);  // three points, three outcomes each
    EXPECT_EQ(results->item(0, 0)->text(), QStringLiteral("25 % fwd"));
    auto* shares = child<QTableWidget>(window.get(), "SharesTable");
    ASSERT_GT(shares->rowCount(), 1);
    EXPECT_TRUE(shares->item(0, 1)->text().endsWith(QStringLiteral(" %")));
    // The bars are grey-filled; the picture saved is the one shown.
    const QImage& shown = window->histogramImage();
    bool bar = false;
    for (int y = 0; y < shown.height() && !bar; ++y)
        for (int x = 0; x < shown.width() && !bar; ++x) bar = shown.pixel(x, y) == qRgb(190, 190, 190);
    EXPECT_TRUE(bar);
    const std::string path = ::testing::TempDir() + "/tolerance_histogram.png";
    ASSERT_EQ(savePicture(path, window->picture().width, window->picture().height, window->picture().draw), "");
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), shown);
    std::remove(path.c_str());

    const DimensionDescriptor& stem = *findDimensionByField("ValveCtrToJoint");
    setDimensionValue(model, stem, dimensionValue(model, stem) + 0.03f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == DesignWatch::outOfDateText(); }, 3000));
    EXPECT_FALSE(results->isEnabled());
}

TEST_F(ToleranceWindowTest, CancelSaysSoAndLeavesTheDesign) {
    const GearModel before = model;
    child<QSpinBox>(window.get(), "Samples")->setValue(20000);
    QTest::mouseClick(child<QPushButton>(window.get(), "Run"), Qt::LeftButton);
    ASSERT_TRUE(window->runner().running());
    QTest::mouseClick(child<QPushButton>(window.get(), "Cancel"), Qt::LeftButton);
    window->runner().wait();
    QCoreApplication::processEvents();
    EXPECT_EQ(status(), QStringLiteral("Cancelled."));
    EXPECT_FALSE(window->result().has_value());
    EXPECT_EQ(designKey(model), designKey(before));
    EXPECT_EQ(model.PivotHorz, before.PivotHorz);
}

TEST_F(ToleranceWindowTest, FieldsThatCannotRunAreNamed) {
    struct Row {
        const char* field;
        const char* text;
        const char* statusHas;
    };
    const Row rows[] = {{"Points", "25f,,75f", "Working points: a working point is missing"},
                        {"CutOffLimit", "-1", "cut-off difference limit"},
                        {"LeadHigh", "-0.5", "lead band"},
                        {"Seed", "", "seed"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        auto* field = child<QLineEdit>(window.get(), row.field);
        const QString was = field->text();
        field->setText(QString::fromLatin1(row.text));
        QTest::mouseClick(child<QPushButton>(window.get(), "Run"), Qt::LeftButton);
        EXPECT_FALSE(window->runner().running());
        EXPECT_TRUE(status().contains(QString::fromLatin1(row.statusHas), Qt::CaseInsensitive))
            << status().toStdString();
        field->setText(was);
    }
}

TEST_F(ToleranceWindowTest, TolerancesSaveAndLoadAsCsvBesideTheDesign) {
    EXPECT_EQ(window->defaultTolerancePath(), QStringLiteral("Nominal.tolerances.csv"));  // no file yet
    const ToleranceWindow opened(model, DesignHost{{}, [] { return std::string("/work/designs/goods.qgd"); }});
    EXPECT_EQ(opened.defaultTolerancePath(), QStringLiteral("/work/designs/goods.tolerances.csv"));

    child<QLineEdit>(window.get(), "AllTolerance")->setText(QStringLiteral("0.0015"));
    QTest::mouseClick(child<QPushButton>(window.get(), "SetAll"), Qt::LeftButton);
    const QString path = QString::fromStdString(::testing::TempDir() + "/nominal.tolerances.csv");
    ASSERT_EQ(window->saveTolerances(path), QString());
    QTest::mouseClick(child<QPushButton>(window.get(), "SetAll"), Qt::LeftButton);  // 0.0015 again
    child<QLineEdit>(window.get(), "AllTolerance")->setText(QStringLiteral("0"));
    QTest::mouseClick(child<QPushButton>(window.get(), "SetAll"), Qt::LeftButton);
    ASSERT_EQ(window->loadTolerances(path), QString());
    QString problem;
    const auto options = window->chosenOptions(problem);
    ASSERT_TRUE(options.has_value()) << problem.toStdString();
    EXPECT_EQ(options->tolerances, ToleranceTable::allAt(0.0015));

    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("name,tolerance\nStroke,lots\n");
    bad.close();
    EXPECT_EQ(window->loadTolerances(path),
              QStringLiteral("nominal.tolerances.csv, line 2: \"lots\" is no tolerance: write a number from 0 to 1"));
    QFile::remove(path);
}

}  // namespace
}  // namespace quarn
