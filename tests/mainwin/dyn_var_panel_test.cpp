// The dynamic-variable bars of the main window, pressed as the user presses them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>
#include <optional>

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
        takeFieldValue(model, *findDimensionByField(field), value);
    }

    QScrollBar* bar(int k) {
        return area->findChild<QScrollBar*>(QStringLiteral("SBDynVar%1").arg(k));
    }
    QPushButton* undoButton() { return area->findChild<QPushButton*>(QStringLiteral("UnDoDn")); }
    QAction* action(const char* name) {
        return panel->findChild<QAction*>(QString::fromLatin1(name));
    }

    // Where an arrow or a trough of a bar at rest lies: the thumb is in the middle,
    // the arrows at the ends. A point off its part fails the click tables.
    static QPoint pointOf(const QScrollBar* b, QStyle::SubControl part) {
        const int w = b->width(), y = b->height() / 2;
        if (part == QStyle::SC_ScrollBarAddLine) return {w - 3, y};
        if (part == QStyle::SC_ScrollBarSubLine) return {2, y};
        return {part == QStyle::SC_ScrollBarAddPage ? 3 * w / 4 : w / 4, y};
    }

    void showDynVars() { action("DynamicVariables")->trigger(); }

    // A tick's drawing, as far as these controls are concerned.
    void tick() {
        solveAndMapFrame(model);
        RecordingCanvas canvas;
        Random random(7);
        panel->apply(RunFrame(model, canvas, random));
    }

    GearModel model;
    std::unique_ptr<QWidget> area;
    QScrollBar* revArm = nullptr;
    DynVarPanel* panel = nullptr;
};

QFrame* framePanel(QWidget* area, int n) {
    return area->findChild<QFrame*>(QStringLiteral("Panel%1").arg(n));
}

TEST_F(DynVarPanelTest, HiddenAtStartAndShownByEitherCommand) {
    auto barsShown = [this](bool shown) {
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(bar(k)->isVisible(), shown) << "bar " << k;
        for (int n = 7; n <= 9; ++n) EXPECT_EQ(framePanel(area.get(), n)->isVisible(), shown) << n;
    };
    barsShown(false);
    EXPECT_FALSE(undoButton()->isVisible());
    EXPECT_FALSE(undoButton()->isEnabled());
    QAction* item = action("DynamicVariables");
    QAction* tool = action("DynamicVariablesTool");
    item->trigger();
    EXPECT_EQ(model.dyn.DynVarsShown, 1);
    barsShown(true);
    tool->trigger();
    EXPECT_EQ(model.dyn.DynVarsShown, 0);
    barsShown(false);
    // The captions name the command, not its state: they stay as they are.
    EXPECT_EQ(item->text(), "D&ynamicVari");
    EXPECT_EQ(tool->toolTip(), "Turn On Dynamic Variables");
    // A reset that switched them off in the model: the window follows.
    item->trigger();
    model.dyn.DynVarsShown = 0;
    panel->followDesign();
    barsShown(false);
}

class DynVarBarSettings : public DynVarPanelTest, public ::testing::WithParamInterface<int> {};

TEST_P(DynVarBarSettings, RangeStepsAndHint) {
    static const char* const hints[] = {"", "Change Last Variable Clicked",
                                        "Change Next to Last Variable Clicked",
                                        "Change 2nd to Last Variable Clicked",
                                        "Change 3rd to Last Variable Clicked"};
    const QScrollBar* b = bar(GetParam());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::make_pair(b->minimum(), b->maximum()), std::make_pair(-200, 200));
    EXPECT_EQ(std::make_pair(b->singleStep(), b->pageStep()), std::make_pair(1, 10));
    EXPECT_EQ(b->value(), 0);
    EXPECT_EQ(b->toolTip(), hints[GetParam()]);
    EXPECT_NE(b->focusPolicy() & Qt::TabFocus, 0);
}

INSTANTIATE_TEST_SUITE_P(Bars, DynVarBarSettings, ::testing::Range(1, 5),
                         [](const auto& info) { return "SBDynVar" + std::to_string(info.param); });

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

// The bar kept the focus while another dimension took its slot (a dialog's field was
// left, the window was not activated again): no focus event comes before the gesture,
// which must still start from the new dimension's value, not from the old slot's.
TEST_F(DynVarPanelTest, AGestureWithoutAFocusEventRecordsTheTrueOldValue) {
    struct Row {
        const char* start;
        const char* field;
        float value;
        std::function<void(QScrollBar*)> gesture;
    };
    const Row rows[] = {
        {"arrow click", "QuarnGearMtgHorz", 13.75f,
         [](QScrollBar* b) { QTest::mouseClick(b, Qt::LeftButton, {}, pointOf(b, QStyle::SC_ScrollBarAddLine)); }},
        {"key", "ValveRodLength", 7.406f, [](QScrollBar* b) { QTest::keyClick(b, Qt::Key_Right); }},
        {"wheel", "Stroke", 4.25f, [](QScrollBar* b) {
             const QPoint at = b->rect().center();
             QWheelEvent wheel(at, b->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
             QApplication::sendEvent(b, &wheel);
         }},
    };
    leaveField("DriverDia", 9.0f);
    showDynVars();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.start);
        bar(1)->setFocus(Qt::TabFocusReason);  // takes the value of the slot's dimension before
        leaveField(row.field, row.value);
        ASSERT_TRUE(bar(1)->hasFocus());
        row.gesture(bar(1));
        EXPECT_EQ(model.dyn.UndoHistory[1].OldValue, row.value);
        EXPECT_GT(model.dyn.UndoHistory[1].NewValue, row.value);
        undoButton()->click();
        EXPECT_EQ(dimensionValue(model, *findDimensionByField(row.field)), row.value);
    }
}

TEST_F(DynVarPanelTest, DragAndProgrammaticStepsChangeButRecordNothing) {
    leaveField("DriverDia", 9.0f);
    showDynVars();
    QScrollBar* b = bar(1);
    b->setSliderDown(true);
    // Each tracked position springs back to 0; right by 5, further right (12), back left (8).
    for (int p : {5, 12, 8}) b->setSliderPosition(p);
    b->setSliderDown(false);
    EXPECT_NEAR(model.frame.DriverDia, 9.0 + 0.005 + 0.012 - 0.008, 1e-5);
    b->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(model.frame.DriverDia, 9.019, 1e-5);
    EXPECT_EQ(b->value(), 0);
    const float now = model.frame.DriverDia;
    b->setValue(0);  // no change of position, so no change handler
    EXPECT_EQ(model.frame.DriverDia, now);
    EXPECT_EQ(model.dyn.UndoCount, 0);  // no button or key was let go
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

TEST_F(DynVarPanelTest, BarAndUndoMoveThePivotCopyWithTheDimension) {
    leaveField("RevArmPivotHorz", 1.5f);
    showDynVars();
    QTest::mouseClick(bar(1), Qt::LeftButton, {}, pointOf(bar(1), QStyle::SC_ScrollBarAddPage));
    EXPECT_NEAR(model.PivotHorz[11], 1.51, 1e-6);
    EXPECT_EQ(model.PivotHorz[17], model.PivotHorz[11]);
    QTest::mouseClick(undoButton(), Qt::LeftButton);
    EXPECT_EQ(model.PivotHorz[11], 1.5f);
    EXPECT_EQ(model.PivotHorz[17], 1.5f);
}

TEST_F(DynVarPanelTest, UndoButtonTakesThePlaceAndStateTheFrameGives) {
    QAction* item = action("SetUnDo");
    EXPECT_EQ(action("SetUnDoTool")->toolTip(), "Turn On UnDo");
    struct Step {
        std::function<void()> act;
        std::optional<int> top;  // shown with this top, or hidden
    };
    const Step steps[] = {
        {[] {}, {}},
        {[&] { item->trigger(); }, 72},
        {[&] { showDynVars(); }, 127},
        {[&] { model.screen.text = TextScale::large(); }, 161},  // 127 x 1.27, rounded
        {[&] { model.screen.ScreenDataOn = 0; }, {}},
        {[&] { model.screen.ScreenDataOn = 1; action("SetUnDoTool")->trigger(); }, {}},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].act();
        tick();
        EXPECT_EQ(undoButton()->isVisible(), steps[i].top.has_value()) << "step " << i;
        if (steps[i].top) {
            EXPECT_EQ(undoButton()->y(), *steps[i].top) << "step " << i;
        }
    }
    EXPECT_EQ(model.dyn.UndoShown, 0);
    EXPECT_EQ(item->text(), "&UnDo");  // names the command, not its state
    // The dialogs change the history between frames; each frame takes its state.
    leaveField("DriverDia", 9.5f, true);
    tick();
    EXPECT_TRUE(undoButton()->isEnabled());
    ClearUndo(model);
    tick();
    EXPECT_FALSE(undoButton()->isEnabled());
}

}  // namespace
}  // namespace quarn
