// The motion band of the main window, pressed as a user presses it, and its dialogs.
#include <QLabel>
#include <QSignalSpy>
#include <vector>

#include "mainwin/window_fixture.h"
#include "model/cut_off_finder.h"

namespace quarn {
namespace {

using MotionPanelTest = test::WindowTest;
using test::field;
using test::labelText;

TEST_F(MotionPanelTest, StartsRunningAtMidGearWithTheNominalRange) {
    EXPECT_EQ(caption("Run"), "Stop");
    EXPECT_EQ(model.Running, 1);
    EXPECT_EQ(model.StepAngle, 10.0f);
    EXPECT_EQ(bar("SBRevArm")->minimum(), -1700);
    EXPECT_EQ(bar("SBRevArm")->maximum(), 1700);
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_FALSE(enabled("SBDrvAng"));
    EXPECT_EQ(bar("SBStepAng")->value(), 12000);
    EXPECT_FALSE(enabled("Step10"));
    EXPECT_FALSE(enabled("Center"));
}

// The frame draws the reference read-outs from x 143 and the gear below y 120: every
// control of the band stays in the corner left of and above them, and none covers another.
TEST_F(MotionPanelTest, ControlsKeepToTheirCornerWithTheirCaptionsAndHints) {
    const char* names[] = {"SBRevArm", "Rev",    "Center", "Fwd",    "Run",      "SBDrvAng",
                           "Deg00",    "Deg180", "SBStepAng", "Step1", "Step10", "Step45"};
    std::vector<QRect> places;
    for (const char* name : names) {
        const QRect r = form->findChild<QWidget*>(name)->geometry();
        EXPECT_GE(r.left(), 0) << name;
        EXPECT_GE(r.top(), 0) << name;
        EXPECT_LT(r.right(), 143) << name;
        EXPECT_LT(r.bottom(), 120) << name;
        for (const QRect& other : places) EXPECT_FALSE(r.intersects(other)) << name;
        places.push_back(r);
    }
    EXPECT_EQ(caption("Center"), "Cen");
    EXPECT_EQ(caption("Deg00"), "0.0");
    EXPECT_EQ(button("Run")->toolTip(), "Start / Stop Driver Rotation");
    EXPECT_EQ(bar("SBStepAng")->statusTip(), "Set Driver Step Angle to Predefined Values");
}

TEST_F(MotionPanelTest, OneThousandthBelowCentreRunsBackwards) {
    bar("SBRevArm")->setValue(-1);
    EXPECT_EQ(model.Direction, "Rev");
    EXPECT_TRUE(enabled("Center"));
    bar("SBRevArm")->setValue(0);
    EXPECT_EQ(model.Direction, "Fwd");
    EXPECT_FALSE(enabled("Center"));
}

TEST_F(MotionPanelTest, ReverseArmDialogShowsTheRangeAndClampsToIt) {
    const auto answered = answerNextDialog(
        [](QDialog& d) {
            EXPECT_EQ(labelText(d, "Label3"), "Cen = 10.298");
            EXPECT_EQ(labelText(d, "Label2"), "Min = 8.598");
            EXPECT_EQ(field(d)->text(), " 10.298");
            field(d)->setText("99");
        },
        true);
    action("RevArmPos")->trigger();
    EXPECT_TRUE(*answered);
    EXPECT_EQ(bar("SBRevArm")->value(), 1700);
    EXPECT_FLOAT_EQ(model.RevArmPosition, model.RevArmCentre() + 1.7f);
    EXPECT_EQ(model.Direction, "Fwd");
}

// A cut-off typed into the reverse-arm dialog, reached by its mnemonic and Tab as a
// keyboard user reaches it. The rows run in turn on one window: the first two keep the
// choices the dialog opens with (Fwd, Mean), the last types its own.
TEST_F(MotionPanelTest, CutOffTypedPutsTheArmWhereTheGearGivesIt) {
    const struct {
        const char* name;
        const char* typed;
        const char* gear;  // typed into the Gear choice, or left as it is
        const char* end;
        CutOffAsk ask;     // what the typing means, for reading the result back
        bool reachable;
    } rows[] = {
        {"25 forward, mean of the ends", "25", nullptr, nullptr, {25, false, CutOffEnd::Mean}, true},
        {"95 forward is beyond full gear", "95", nullptr, nullptr, {95, false, CutOffEnd::Mean}, false},
        {"25 reverse, front end", "25", "R", "F", {25, true, CutOffEnd::Front}, true},
    };
    showActive();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const float before = model.RevArmPosition;
        QString problem;
        bool stayedOpen = false;
        const auto answered = answerNextDialog(
            [&](QDialog& d) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
                field(d)->setText("11.5");  // a position too, which the cut-off overrides
                QTest::keyClick(&d, Qt::Key_U, Qt::AltModifier);
                auto* cutOff = d.findChild<QLineEdit*>("CutOffEdit");
                ASSERT_EQ(QApplication::focusWidget(), cutOff);
                QTest::keyClicks(cutOff, row.typed);
                QTest::keyClick(cutOff, Qt::Key_Tab);
                if (row.gear) QTest::keyClicks(QApplication::focusWidget(), row.gear);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                if (row.end) QTest::keyClicks(QApplication::focusWidget(), row.end);
                if (row.reachable) return;  // the fixture presses OK
                QTest::mouseClick(d.findChild<QPushButton*>("OK"), Qt::LeftButton);
                stayedOpen = d.isVisible();
                problem = labelText(d, "Problem");
            },
            row.reachable);
        action("RevArmPos")->trigger();
        ASSERT_TRUE(*answered);
        if (!row.reachable) {
            EXPECT_TRUE(stayedOpen);
            EXPECT_TRUE(problem.contains(QString::fromStdString(findCutOff(model, row.ask).problem)))
                << problem.toStdString();
            EXPECT_EQ(model.RevArmPosition, before);
            continue;
        }
        EXPECT_EQ(model.RevArmPosition < model.RevArmCentre(), row.ask.reverse);
        EXPECT_EQ(model.Direction, row.ask.reverse ? "Rev" : "Fwd");
        const auto cutOff = cutOffOf(preciseEvents(model, model.RevArmPosition), row.ask.end);
        ASSERT_TRUE(cutOff.has_value());
        EXPECT_NEAR(*cutOff, row.ask.percent, 0.1);
    }
}

TEST_F(MotionPanelTest, CancelledDialogChangesNothing) {
    const auto answered = answerNextDialog([](QDialog& d) { field(d)->setText("12"); }, false);
    action("RevArmPos")->trigger();
    EXPECT_TRUE(*answered);
    EXPECT_EQ(bar("SBRevArm")->value(), 0);
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
}

TEST_F(MotionPanelTest, FwdRevAndCentreButtons) {
    click("Fwd");
    EXPECT_EQ(bar("SBRevArm")->value(), 1500);
    EXPECT_FALSE(enabled("Fwd"));
    EXPECT_TRUE(enabled("Rev") && enabled("Center"));
    click("Rev");
    EXPECT_EQ(bar("SBRevArm")->value(), -1500);
    EXPECT_EQ(model.Direction, "Rev");
    EXPECT_FALSE(enabled("Rev"));
    model.screen.FrontCutOffText = "78.3";
    click("Center");
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_TRUE(model.screen.FrontCutOffText.empty());
}

TEST_F(MotionPanelTest, DriverAngleBarFoldsOnTheNextTick) {
    click("Run");  // stop
    EXPECT_EQ(caption("Run"), "Run");
    EXPECT_EQ(model.Running, 0);
    EXPECT_TRUE(enabled("SBDrvAng"));
    bar("SBDrvAng")->setValue(40000);
    EXPECT_EQ(model.DriverAngle, 400.0f);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 40.0f);
    bar("SBDrvAng")->setValue(-4000);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 320.0f);
}

TEST_F(MotionPanelTest, StoppingPutsTheAngleOnTheBarToTheHundredth) {
    model.DriverAngle = 123.456f;
    click("Run");
    EXPECT_EQ(bar("SBDrvAng")->value(), 12346);
    EXPECT_FLOAT_EQ(model.DriverAngle, 123.46f);
    EXPECT_EQ(model.StepAngle, 0.0f);
    click("Run");
    EXPECT_EQ(model.Running, 1);
    EXPECT_EQ(caption("Run"), "Stop");
    EXPECT_EQ(model.StepAngle, 10.0f);
    EXPECT_FALSE(enabled("SBDrvAng"));
}

TEST_F(MotionPanelTest, TickAdvancesByTheStepInTheArmsDirection) {
    model.DriverAngle = 355;
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 5.0f);
    bar("SBRevArm")->setValue(-10);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 355.0f);
}

TEST_F(MotionPanelTest, HundredEightyWhileRunningStops) {
    click("Deg180");
    EXPECT_EQ(caption("Run"), "Run");
    EXPECT_EQ(model.Running, 0);
    EXPECT_EQ(model.StepAngle, 0.0f);
    EXPECT_EQ(model.DriverAngle, 180.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 18000);
    EXPECT_FALSE(enabled("Deg180"));
    EXPECT_TRUE(enabled("Deg00"));
    click("Run");
    EXPECT_EQ(model.StepAngle, 10.0f);
    EXPECT_FALSE(enabled("SBDrvAng"));
}

TEST_F(MotionPanelTest, DriverAngleDialogStopsAndClamps) {
    auto answered = answerNextDialog(
        [](QDialog& d) {
            EXPECT_EQ(field(d)->text(), "0.00");
            field(d)->setText("400");
        },
        true);
    action("DriverAng")->trigger();
    EXPECT_TRUE(*answered);
    EXPECT_EQ(caption("Run"), "Run");
    EXPECT_EQ(model.Running, 0);
    EXPECT_EQ(model.StepAngle, 0.0f);
    EXPECT_EQ(model.DriverAngle, 360.0f);
    EXPECT_EQ(bar("SBDrvAng")->value(), 36000);
    EXPECT_TRUE(enabled("SBDrvAng"));
    answered = answerNextDialog([](QDialog& d) { EXPECT_EQ(field(d)->text(), "360.00"); }, false);
    action("DriverAng")->trigger();
    EXPECT_TRUE(*answered);
}

TEST_F(MotionPanelTest, FormActivateDisablesTheDriverBarOnlyWhileTurning) {
    click("Run");
    showActive();
    EXPECT_TRUE(enabled("SBDrvAng")) << "a stopped gear keeps its bar";
    click("Run");
    bar("SBDrvAng")->setEnabled(true);  // as a dialog's close would leave it
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_FALSE(enabled("SBDrvAng"));
}

struct StepRow {
    const char* name;
    const char* typed;
    float setting;
    int position;
};

class StepAngleDialogTest : public test::WindowTest,
                            public ::testing::WithParamInterface<StepRow> {};

TEST_P(StepAngleDialogTest, ClampsAndKeepsTheTypedStep) {
    const StepRow& row = GetParam();
    const auto answered =
        answerNextDialog([&](QDialog& d) { field(d)->setText(row.typed); }, true);
    action("StepAng1")->trigger();
    ASSERT_TRUE(*answered);
    EXPECT_EQ(model.StepAngleSetting, row.setting);
    EXPECT_EQ(bar("SBStepAng")->value(), row.position);
    EXPECT_TRUE(motion()->stepAngleSkip());  // the change notice came and went
    EXPECT_EQ(model.StepAngle, row.setting) << "a running gear takes the new step";
    EXPECT_EQ(caption("Run"), "Stop");
    EXPECT_EQ(model.Running, 1);
}

INSTANTIATE_TEST_SUITE_P(Typed, StepAngleDialogTest,
                         ::testing::Values(StepRow{"Zero", "0", 0.01f, 0},
                                           StepRow{"Fifty", "50", 45.0f, 14613},
                                           StepRow{"SevenPointThree", "7.3", 7.3f, 11453}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MotionPanelTest, TypedStepSetsTheDriverBarsSteps) {
    answerNextDialog([](QDialog& d) { field(d)->setText("7.3"); }, true);
    action("StepAng1")->trigger();
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 730);
    EXPECT_EQ(bar("SBDrvAng")->pageStep(), 3650);
}

TEST_F(MotionPanelTest, UnchangedStepPositionSkipsTheNextUserChange) {
    answerNextDialog([](QDialog& d) { field(d)->setText("10"); }, true);  // position 12000
    action("StepAng1")->trigger();
    EXPECT_FALSE(motion()->stepAngleSkip());
    bar("SBStepAng")->setValue(8000);  // the user's next change is the skipped one
    EXPECT_EQ(model.StepAngleSetting, 10.0f);
    EXPECT_TRUE(motion()->stepAngleSkip());
    bar("SBStepAng")->setValue(3000);
    EXPECT_EQ(model.StepAngleSetting, 0.05f);
}

TEST_F(MotionPanelTest, StoppedGearStaysStoppedAfterANewStep) {
    click("Run");
    answerNextDialog([](QDialog& d) { field(d)->setText("2"); }, true);
    action("StepAng1")->trigger();
    EXPECT_EQ(caption("Run"), "Run");
    EXPECT_EQ(model.Running, 0);
    EXPECT_EQ(model.StepAngle, 0.0f);
    EXPECT_EQ(model.StepAngleSetting, 2.0f);
    click("Run");
    EXPECT_EQ(model.StepAngle, 2.0f);
}

TEST_F(MotionPanelTest, StepPresetsMoveTheBarAndTheButtons) {
    click("Step45");
    EXPECT_EQ(bar("SBStepAng")->value(), 14613);
    EXPECT_EQ(model.StepAngle, 45.0f);
    EXPECT_FALSE(enabled("Step45"));
    EXPECT_TRUE(enabled("Step10"));
    click("Step1");
    EXPECT_EQ(bar("SBStepAng")->value(), 8000);
    EXPECT_EQ(model.StepAngleSetting, 1.0f);
    EXPECT_EQ(bar("SBDrvAng")->singleStep(), 100);
}

TEST_F(MotionPanelTest, PresetWhileStoppedWaitsForTheStart) {
    click("Run");
    click("Step45");
    EXPECT_EQ(model.StepAngleSetting, 45.0f);
    EXPECT_EQ(model.StepAngle, 0.0f);
    click("Run");
    EXPECT_EQ(model.StepAngle, 45.0f);
}

TEST_F(MotionPanelTest, ProgrammaticPositionRunsTheHandlerOnlyOnChange) {
    QSignalSpy spy(bar("SBRevArm"), &QScrollBar::valueChanged);
    model.screen.FrontCutOffText = "x";
    bar("SBRevArm")->setValue(0);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(model.screen.FrontCutOffText, "x");
    bar("SBRevArm")->setValue(5);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(model.screen.FrontCutOffText.empty());
}

}  // namespace
}  // namespace quarn
