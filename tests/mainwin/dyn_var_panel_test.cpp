// The dynamic-variable bars of the main window, pressed as the user presses them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "canvas/recording_canvas.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "mainwin/dyn_var_panel.h"
#include "model/dimensions.h"
#include "model/undo_history.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

class DynVarPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        area = std::make_unique<QWidget>();
        area->resize(640, 200);
        revArm = new QScrollBar(Qt::Horizontal, area.get());
        revArm->setObjectName(QStringLiteral("SBRevArm"));
        revArm->setGeometry(2, 2, 190, 16);
        revArm->setFocusPolicy(Qt::StrongFocus);
        panel = new DynVarPanel(model, area.get());
        panel->setFocusAfterGesture(revArm);
        area->show();
        area->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    }

    // Leaving a dimension's field in a dimension dialog; `typed` when a key was
    // accepted in it first.
    void leaveField(std::string_view field, float value, bool typed = false) {
        model.dyn.TypedFlag = typed ? 1 : 0;
        TakeFieldValue(model, *findDimensionByField(field), value);
    }

    QScrollBar* bar(int k) {
        return area->findChild<QScrollBar*>(QStringLiteral("SBDynVar%1").arg(k));
    }
    QPushButton* undoButton() { return area->findChild<QPushButton*>(QStringLiteral("UnDoDn")); }
    QAction* action(const char* name) {
        return panel->findChild<QAction*>(QString::fromLatin1(name));
    }

    // A point of the bar's arrow or trough, as the style lays the bar out.
    QPoint pointOf(QScrollBar* b, QStyle::SubControl part) {
        QStyleOptionSlider opt;
        opt.initFrom(b);
        opt.orientation = b->orientation();
        opt.minimum = b->minimum();
        opt.maximum = b->maximum();
        opt.sliderPosition = b->sliderPosition();
        opt.sliderValue = b->value();
        opt.singleStep = b->singleStep();
        opt.pageStep = b->pageStep();
        opt.subControls = QStyle::SC_All;
        QRect r = b->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, b);
        if (part == QStyle::SC_ScrollBarAddPage) r.setLeft(r.right() - r.width() / 4);
        if (part == QStyle::SC_ScrollBarSubPage) r.setRight(r.left() + r.width() / 4);
        return r.center();
    }

    void showDynVars() { action("DynamicVariables")->trigger(); }

    // A tick's drawing, as far as these controls are concerned.
    void tick() {
        SolveAndMapFrame(model);
        RecordingCanvas canvas;
        Random random(7);
        panel->apply(RunFrame(model, canvas, random));
    }

    GearModel model;
    std::unique_ptr<QWidget> area;
    QScrollBar* revArm = nullptr;
    DynVarPanel* panel = nullptr;
};

TEST_F(DynVarPanelTest, EverythingHiddenAtStart) {
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(bar(k)->isVisible()) << k;
    for (const char* name : {"Panel7", "Panel8", "Panel9"})
        EXPECT_FALSE(area->findChild<QFrame*>(QString::fromLatin1(name))->isVisible()) << name;
    EXPECT_FALSE(undoButton()->isVisible());
    EXPECT_FALSE(undoButton()->isEnabled());
    EXPECT_EQ(undoButton()->text(), "UnDo");
}

struct BarRow {
    int k;
    const char* hint;
};

class DynVarBarSettings : public DynVarPanelTest, public ::testing::WithParamInterface<BarRow> {};

TEST_P(DynVarBarSettings, RangeStepsAndHint) {
    QScrollBar* b = bar(GetParam().k);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->minimum(), -200);
    EXPECT_EQ(b->maximum(), 200);
    EXPECT_EQ(b->singleStep(), 1);
    EXPECT_EQ(b->pageStep(), 10);
    EXPECT_EQ(b->value(), 0);
    EXPECT_EQ(b->orientation(), Qt::Horizontal);
    EXPECT_EQ(b->toolTip(), GetParam().hint);
    EXPECT_NE(b->focusPolicy() & Qt::TabFocus, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, DynVarBarSettings,
    ::testing::Values(BarRow{1, "Change Last Variable Clicked"},
                      BarRow{2, "Change Next to Last Variable Clicked"},
                      BarRow{3, "Change 2nd to Last Variable Clicked"},
                      BarRow{4, "Change 3rd to Last Variable Clicked"}),
    [](const auto& info) { return "SBDynVar" + std::to_string(info.param.k); });

TEST_F(DynVarPanelTest, MenuItemAndToolButtonShowAndHideTheBars) {
    QAction* item = action("DynamicVariables");
    QAction* tool = action("DynamicVariablesTool");
    EXPECT_EQ(item->text(), "D&ynamicVari");
    EXPECT_EQ(tool->toolTip(), "Turn On Dynamic Variables");
    item->trigger();
    EXPECT_EQ(model.dyn.DynVarsShown, 1);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(bar(k)->isVisible()) << k;
    for (const char* name : {"Panel7", "Panel8", "Panel9"})
        EXPECT_TRUE(area->findChild<QFrame*>(QString::fromLatin1(name))->isVisible()) << name;
    tool->trigger();
    EXPECT_EQ(model.dyn.DynVarsShown, 0);
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(bar(k)->isVisible()) << k;
    // The captions name the command, not its state: they stay as they are.
    EXPECT_EQ(item->text(), "D&ynamicVari");
    EXPECT_EQ(tool->toolTip(), "Turn On Dynamic Variables");
}

TEST_F(DynVarPanelTest, EmptySlotsKeepTheirBarsDisabled) {
    leaveField("Stroke", 4.25f);
    showDynVars();
    EXPECT_TRUE(bar(1)->isEnabled());
    for (int k = 2; k <= 4; ++k) EXPECT_FALSE(bar(k)->isEnabled()) << k;
    leaveField("DriverDia", 9.0f);
    tick();
    EXPECT_TRUE(bar(1)->isEnabled());
    EXPECT_TRUE(bar(2)->isEnabled());
    EXPECT_FALSE(bar(3)->isEnabled());
    EXPECT_EQ(bar(2)->accessibleName(), "Dynamic Variable 2: Stroke");
}

struct ClickRow {
    const char* name;
    QStyle::SubControl part;
    float after;
};

class DynVarBarClick : public DynVarPanelTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(DynVarBarClick, ChangesTheDimensionRecordsUndoAndSpringsBack) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, pointOf(bar(1), GetParam().part));
    EXPECT_EQ(model.frame.DriverDia, GetParam().after);
    EXPECT_EQ(model.dyn.DynVarSlots[1].DynVarValue, GetParam().after);
    EXPECT_EQ(bar(1)->value(), 0);
    // The end of the click is the end of the gesture: one undo record.
    EXPECT_EQ(model.dyn.UndoCount, 1);
    const UndoRecord& r = model.dyn.UndoHistory[1];
    EXPECT_EQ(r.DynVarCode, 1);
    EXPECT_EQ(r.OldValue, 9.0f);
    EXPECT_EQ(r.NewValue, GetParam().after);
    EXPECT_EQ(r.Name, "Driver Dia");
    EXPECT_TRUE(undoButton()->isEnabled());
    EXPECT_TRUE(revArm->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, DynVarBarClick,
    ::testing::Values(ClickRow{"RightArrow", QStyle::SC_ScrollBarAddLine, 9.001f},
                      ClickRow{"LeftArrow", QStyle::SC_ScrollBarSubLine, 8.999f},
                      ClickRow{"RightTrough", QStyle::SC_ScrollBarAddPage, 9.010f},
                      ClickRow{"LeftTrough", QStyle::SC_ScrollBarSubPage, 8.990f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DynVarPanelTest, EachGestureStartsFromTheValueItFound) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    const QPoint arrow = pointOf(bar(1), QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, arrow);
    const float afterFirst = model.frame.DriverDia;
    EXPECT_EQ(afterFirst, 9.001f);
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, arrow);
    EXPECT_NEAR(model.frame.DriverDia, 9.002, 1e-6);
    EXPECT_EQ(model.dyn.UndoCount, 2);
    // Had the bar kept the focus, the second record would start from 9.000 as well.
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, afterFirst);
    EXPECT_EQ(model.dyn.UndoHistory[1].NewValue, model.frame.DriverDia);
    EXPECT_EQ(model.dyn.UndoHistory[2].OldValue, 9.0f);
    EXPECT_EQ(model.dyn.UndoHistory[2].NewValue, 9.001f);
}

TEST_F(DynVarPanelTest, ProgrammaticStepsChangeButRecordNothing) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(model.frame.DriverDia, 9.010f);
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(model.frame.DriverDia, 9.009f);
    EXPECT_EQ(bar(1)->value(), 0);
    EXPECT_EQ(model.dyn.UndoCount, 0);
    // Back at 0 already: setting 0 again is no change and runs nothing.
    bar(1)->setValue(0);
    EXPECT_EQ(model.frame.DriverDia, 9.009f);
}

TEST_F(DynVarPanelTest, DraggingMovesByTheTrackedPositionInTheThumbsDirection) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    QScrollBar* b = bar(1);
    b->setFocus();
    b->setSliderDown(true);
    // Each tracked position springs back to 0; right by 5, further right (12), back left (8).
    for (int p : {5, 12, 8}) b->setSliderPosition(p);
    b->setSliderDown(false);
    EXPECT_NEAR(model.frame.DriverDia, 9.0 + 0.005 + 0.012 - 0.008, 1e-5);
    EXPECT_EQ(b->value(), 0);
}

TEST_F(DynVarPanelTest, KeysStepTheBarAndTheKeyReleaseEndsTheGesture) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    bar(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar(1), Qt::Key_PageUp);
    EXPECT_EQ(model.frame.DriverDia, 9.010f);
    EXPECT_EQ(model.dyn.UndoCount, 1);
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, 9.0f);
    EXPECT_TRUE(revArm->hasFocus());
    // Enter on the UnDo button takes the change back.
    QTest::keyClick(undoButton(), Qt::Key_Enter);
    EXPECT_EQ(model.frame.DriverDia, 9.0f);
    EXPECT_EQ(model.dyn.UndoCount, 0);
    EXPECT_FALSE(undoButton()->isEnabled());
}

TEST_F(DynVarPanelTest, WheelOnAnUnfocusedBarUndoesToThatBarsDimension) {
    leaveField("DriverDia", 9.0f);
    leaveField("Stroke", 4.0f);  // slot 1 Stroke, slot 2 Driver Dia
    showDynVars();
    bar(1)->setFocus();  // the last bar to hold the focus had Stroke's value
    const QPoint at = bar(2)->rect().center();
    QWheelEvent wheel(at, bar(2)->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar(2), &wheel);
    EXPECT_GT(model.frame.DriverDia, 9.0f);
    EXPECT_EQ(model.frame.Stroke, 4.0f);
    EXPECT_EQ(model.dyn.UndoHistory[1].DynVarCode, 1);
    EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, 9.0f);
    EXPECT_EQ(model.dyn.UndoHistory[1].NewValue, model.frame.DriverDia);
}

struct WriteThroughRow {
    const char* field;
    float start;
    std::vector<std::pair<bool, int>> pivots;  // (horizontal, pivot) that move with it
};

class DynVarWriteThrough : public DynVarPanelTest,
                           public ::testing::WithParamInterface<WriteThroughRow> {};

TEST_P(DynVarWriteThrough, BarAndUndoMoveEveryCopy) {
    const WriteThroughRow& row = GetParam();
    leaveField(row.field, row.start);
    auto pivot = [this](bool horz, int i) {
        return horz ? model.PivotHorz[std::size_t(i)] : model.PivotVert[std::size_t(i)];
    };
    std::vector<float> before;
    for (auto [horz, i] : row.pivots) before.push_back(pivot(horz, i));
    showDynVars();
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, pointOf(bar(1), QStyle::SC_ScrollBarAddPage));
    for (std::size_t j = 0; j < row.pivots.size(); ++j)
        EXPECT_NEAR(pivot(row.pivots[j].first, row.pivots[j].second), before[j] + 0.010, 1e-5)
            << "pivot " << row.pivots[j].second;
    QTest::mouseClick(undoButton(), Qt::LeftButton);
    for (std::size_t j = 0; j < row.pivots.size(); ++j)
        EXPECT_EQ(pivot(row.pivots[j].first, row.pivots[j].second), before[j])
            << "pivot " << row.pivots[j].second;
}

INSTANTIATE_TEST_SUITE_P(
    Dimensions, DynVarWriteThrough,
    ::testing::Values(WriteThroughRow{"RevArmPivotHorz", 1.5f, {{true, 11}, {true, 17}}},
                      WriteThroughRow{"ValveCLToCylCL", 3.375f, {{false, 4}}}),
    [](const auto& info) { return std::string(info.param.field); });

TEST_F(DynVarPanelTest, UndoButtonFollowsTheFramesPlace) {
    undoButton()->show();  // shown by an earlier frame
    tick();
    EXPECT_FALSE(undoButton()->isVisible());  // undo not switched on
    QAction* item = action("SetUnDo");
    EXPECT_EQ(item->text(), "&UnDo");
    EXPECT_EQ(action("SetUnDoTool")->toolTip(), "Turn On UnDo");
    item->trigger();
    EXPECT_EQ(model.dyn.UndoShown, 1);
    tick();
    EXPECT_TRUE(undoButton()->isVisible());
    EXPECT_EQ(undoButton()->y(), 72);
    showDynVars();
    tick();
    EXPECT_EQ(undoButton()->y(), 127);
    model.screen.text = TextScale::large();
    tick();
    EXPECT_EQ(undoButton()->y(), 161);  // 127 x 1.27, rounded
    model.screen.ScreenDataOn = 0;
    tick();
    EXPECT_FALSE(undoButton()->isVisible());
    model.screen.ScreenDataOn = 1;
    action("SetUnDoTool")->trigger();
    EXPECT_EQ(model.dyn.UndoShown, 0);
    tick();
    EXPECT_FALSE(undoButton()->isVisible());
    EXPECT_EQ(item->text(), "&UnDo");
}

TEST_F(DynVarPanelTest, FrameTakesTheUndoStateTheDialogsLeft) {
    leaveField("DriverDia", 9.5f, true);  // a typed change in a dialog
    tick();
    EXPECT_TRUE(undoButton()->isEnabled());
    ClearUndo(model);  // a dialog's reset
    tick();
    EXPECT_FALSE(undoButton()->isEnabled());
}

TEST_F(DynVarPanelTest, FollowDesignHidesWhatTheModelSwitchedOff) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    model.dyn.DynVarsShown = 0;
    panel->followDesign();
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(bar(k)->isVisible()) << k;
    EXPECT_FALSE(area->findChild<QFrame*>(QStringLiteral("Panel7"))->isVisible());
}

}  // namespace
}  // namespace quarn
