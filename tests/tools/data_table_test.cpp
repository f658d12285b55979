// The pivot data table window, offscreen: its text, its menu and the clipboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "model/gear_model.h"
#include "support/qt_app.h"
#include "tools/data_table.h"

namespace quarn {
namespace {

class DataTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        model.RevArmPosition = 10.5f;
        model.StepAngleSetting = 45;
        model.screen.PivotDataRowPivot[1] = 12;  // the crank pin
        model.DriverAngle = 77.25f;
        window = std::make_unique<TDataTable>(model);
    }
    QAction* action(const char* name) const {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QString line(int i) const {
        return window->DataMemo->document()->findBlockByNumber(i).text();
    }
    GearModel model;
    std::unique_ptr<TDataTable> window;
};

TEST_F(DataTableTest, ShowingBuildsTheTable) {
    EXPECT_EQ(window->windowTitle(), "Pivot Data Table");
    EXPECT_TRUE(window->DataMemo->toPlainText().isEmpty());
    window->show();
    EXPECT_TRUE(line(0).startsWith("Pivot Data   Nominal     ")) << line(0).toStdString();
    EXPECT_EQ(line(1), "       Reverse Arm  10.500      Step Angle  45.000");
    EXPECT_TRUE(line(2).startsWith("  Driver         No.1   "));
    EXPECT_TRUE(line(3).startsWith("  Angle     Vert   Horz   "));
    // 0, 45, ..., 360: nine angles. At 90 the crank pin is Stroke / 2 below the centre.
    EXPECT_EQ(window->DataMemo->document()->blockCount(), 4 + 9);
    EXPECT_TRUE(line(6).startsWith("  90.00    -2.125    0.000       0.000")) << line(6).toStdString();
    EXPECT_TRUE(line(12).startsWith(" 360.00"));
    EXPECT_EQ(model.DriverAngle, 77.25f);  // the gear is left as the user had it
    EXPECT_EQ(model.RevArmPosition, 10.5f);
}

TEST_F(DataTableTest, EveryShowingRebuildsAndDropsEdits) {
    window->show();
    window->DataMemo->setPlainText("scribbled over");
    model.StepAngleSetting = 90;
    window->hide();
    window->show();
    EXPECT_EQ(line(1), "       Reverse Arm  10.500      Step Angle  90.000");
    EXPECT_EQ(window->DataMemo->document()->blockCount(), 4 + 5);
    EXPECT_FALSE(window->DataMemo->toPlainText().contains("scribbled"));
}

TEST_F(DataTableTest, MenuCaptionsAndShortcuts) {
    const auto bar = window->MainMenu1->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), "&Close ");
    EXPECT_EQ(bar[1]->text(), QString(14, ' '));
    EXPECT_EQ(bar[2]->text(), "&Edit");
    const auto edit = window->Edit1->actions();
    ASSERT_EQ(edit.size(), 5);
    EXPECT_EQ(edit[0]->text(), "Cu&t");
    EXPECT_EQ(edit[1]->text(), "&Copy");
    EXPECT_EQ(edit[2]->text(), "&Paste");
    EXPECT_TRUE(edit[3]->isSeparator());
    EXPECT_EQ(edit[4]->text(), "Select&All");
    EXPECT_EQ(action("Cut1")->shortcut(), QKeySequence(QKeySequence::Cut));
    EXPECT_EQ(action("Copy1")->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(action("Past1")->shortcut(), QKeySequence(QKeySequence::Paste));
    EXPECT_EQ(action("SelectAll1")->shortcut(), QKeySequence(QKeySequence::SelectAll));
}

TEST_F(DataTableTest, TextUsesTheTwelvePixelSerif) {
    const QFont font = window->DataMemo->font();
    EXPECT_EQ(font.pixelSize(), 12);
    // The family must really be there, not a fallback: fonts-liberation is a dependency.
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Serif");
}

TEST_F(DataTableTest, ActivationDisablesCutAndCopyOnly) {
    window->show();
    EXPECT_FALSE(action("Cut1")->isEnabled());
    EXPECT_FALSE(action("Copy1")->isEnabled());
    EXPECT_TRUE(action("Past1")->isEnabled());
    EXPECT_TRUE(action("SelectAll1")->isEnabled());
}

TEST_F(DataTableTest, SelectAllThenCopyPutsTheWholeTableOnTheClipboard) {
    window->show();
    QApplication::clipboard()->setText("before");
    action("SelectAll1")->trigger();
    EXPECT_TRUE(action("Cut1")->isEnabled());
    EXPECT_TRUE(action("Copy1")->isEnabled());
    EXPECT_FALSE(action("SelectAll1")->isEnabled());
    action("Copy1")->trigger();
    EXPECT_TRUE(action("SelectAll1")->isEnabled());
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, window->DataMemo->toPlainText());
    EXPECT_TRUE(copied.startsWith("Pivot Data   Nominal"));
    EXPECT_EQ(copied.count('\n'), 4 + 9 - 1);
}

TEST_F(DataTableTest, OpeningEditEnablesCutAndCopyOnlyWithASelection) {
    window->show();
    window->Edit1->popup(QPoint(0, 0));  // nothing selected yet
    window->Edit1->hide();
    EXPECT_FALSE(action("Cut1")->isEnabled());
    EXPECT_FALSE(action("Copy1")->isEnabled());

    QTextCursor c = window->DataMemo->textCursor();
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 10);
    window->DataMemo->setTextCursor(c);
    window->Edit1->popup(QPoint(0, 0));
    window->Edit1->hide();
    EXPECT_TRUE(action("Cut1")->isEnabled());
    EXPECT_TRUE(action("Copy1")->isEnabled());
    action("Copy1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Pivot Data");
}

TEST_F(DataTableTest, CutTakesTheSelectionAndPastePutsItBack) {
    window->show();
    QTextCursor c = window->DataMemo->textCursor();
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 6);
    window->DataMemo->setTextCursor(c);
    action("SelectAll1")->setEnabled(false);
    window->Edit1->popup(QPoint(0, 0));
    window->Edit1->hide();
    action("Cut1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Pivot ");
    EXPECT_TRUE(action("SelectAll1")->isEnabled());
    EXPECT_EQ(line(0).left(7), "Data   ");

    QApplication::clipboard()->setText("Table ");
    action("Past1")->trigger();
    EXPECT_EQ(line(0).left(13), "Table Data   ");
}

TEST_F(DataTableTest, CloseHidesTheWindow) {
    window->show();
    ASSERT_TRUE(window->isVisible());
    action("Close1")->trigger();
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace quarn
