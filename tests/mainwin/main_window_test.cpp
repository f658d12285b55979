// The motion controls of the main window and their dialogs, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <cstdio>
#include <limits>

#include "dims/dimension_file.h"
#include "mainwin/main_window.h"
#include "model/gear_model.h"
#include "mainwin/motion_dialogs.h"
#include "support/qt_app.h"
#include "model/mid_gear.h"

namespace quarn {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        form = std::make_unique<TMainForm>(model);
        form->Timer1->stop();  // the tests tick by hand
    }
    GearModel model;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainWindowTest, StartsRunningAtMidGearWithTheNominalRange) {
    EXPECT_EQ(form->Run->text(), "Stop");
    EXPECT_TRUE(form->running());
    EXPECT_EQ(model.StepAngle, 10.0f);
    EXPECT_EQ(form->SBRevArm->minimum(), -1700);
    EXPECT_EQ(form->SBRevArm->maximum(), 1700);
    EXPECT_EQ(form->SBRevArm->value(), 0);
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_FALSE(form->SBDrvAng->isEnabled());
    EXPECT_EQ(form->SBStepAng->value(), 12000);
}

TEST_F(MainWindowTest, OneThousandthBelowCentreRunsBackwards) {
    form->SBRevArm->setValue(-1);
    EXPECT_EQ(model.Direction, "Rev");
    EXPECT_TRUE(form->Center->isEnabled());
    form->SBRevArm->setValue(0);
    EXPECT_EQ(model.Direction, "Fwd");
    EXPECT_FALSE(form->Center->isEnabled());
}

TEST_F(MainWindowTest, ReverseArmDialogClampsToTheRange) {
    form->RevPosActivate();
    EXPECT_EQ(form->TRevPos->label(1)->text(), "Cen = 10.298");
    EXPECT_EQ(form->TRevPos->label(0)->text(), "Min = 8.598");
    EXPECT_EQ(form->TRevPos->Edit1->text(), " 10.298");
    form->TRevPos->Edit1->setText("99");
    form->RevPosOKClick();
    EXPECT_EQ(form->SBRevArm->value(), 1700);
    EXPECT_FLOAT_EQ(model.RevArmPosition, model.RevArmCentre() + 1.7f);
    EXPECT_EQ(model.Direction, "Fwd");
}

TEST_F(MainWindowTest, FwdRevAndCentreButtons) {
    form->FwdClick();
    EXPECT_EQ(form->SBRevArm->value(), 1500);
    EXPECT_FALSE(form->Fwd->isEnabled());
    EXPECT_TRUE(form->Rev->isEnabled() && form->Center->isEnabled());
    form->RevClick();
    EXPECT_EQ(form->SBRevArm->value(), -1500);
    EXPECT_EQ(model.Direction, "Rev");
    EXPECT_FALSE(form->Rev->isEnabled());
    model.screen.FrontCutOffText = "78.3";
    form->CenterClick();
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    EXPECT_TRUE(model.screen.FrontCutOffText.empty());
}

TEST_F(MainWindowTest, DriverAngleBarFoldsOnTheNextTick) {
    form->RunClick();  // stop
    EXPECT_EQ(form->Run->text(), "Run");
    EXPECT_TRUE(form->SBDrvAng->isEnabled());
    form->SBDrvAng->setValue(40000);
    EXPECT_EQ(model.DriverAngle, 400.0f);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 40.0f);
    form->SBDrvAng->setValue(-4000);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 320.0f);
}

TEST_F(MainWindowTest, TickAdvancesByTheStepInTheArmsDirection) {
    model.DriverAngle = 355;
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 5.0f);
    form->SBRevArm->setValue(-10);
    form->Timer1Timer();
    EXPECT_EQ(model.DriverAngle, 355.0f);
}

TEST_F(MainWindowTest, HundredEightyWhileRunningStops) {
    form->Deg180Click();
    EXPECT_EQ(form->Run->text(), "Run");
    EXPECT_EQ(model.StepAngle, 0.0f);
    EXPECT_EQ(model.DriverAngle, 180.0f);
    EXPECT_EQ(form->SBDrvAng->value(), 18000);
    EXPECT_FALSE(form->Deg180->isEnabled());
    EXPECT_TRUE(form->Deg00->isEnabled());
    form->RunClick();
    EXPECT_EQ(model.StepAngle, 10.0f);
    EXPECT_FALSE(form->SBDrvAng->isEnabled());
}

TEST_F(MainWindowTest, DriverAngleDialogStopsAndClamps) {
    form->DrivAngActivate();
    EXPECT_EQ(form->TDrivAng->Edit1->text(), "0.00");
    form->TDrivAng->Edit1->setText("400");
    form->DrivAngOKClick();
    EXPECT_EQ(form->Run->text(), "Run");
    EXPECT_EQ(model.DriverAngle, 360.0f);
    EXPECT_EQ(form->SBDrvAng->value(), 36000);
    form->DrivAngActivate();
    EXPECT_EQ(form->TDrivAng->Edit1->text(), "360.00");
}

struct StepRow {
    const char* typed;
    float setting;
    int position;
};

TEST_F(MainWindowTest, StepAngleDialogClampsAndKeepsTheTypedStep) {
    const StepRow rows[] = {{"0", 0.01f, 0}, {"50", 45.0f, 14613}, {"7.3", 7.3f, 11453}};
    for (const auto& row : rows) {
        form->TStpAng->Edit1->setText(row.typed);
        form->StpAngOKClick();
        EXPECT_EQ(model.StepAngleSetting, row.setting) << row.typed;
        EXPECT_EQ(form->SBStepAng->value(), row.position) << row.typed;
        EXPECT_TRUE(form->stepAngleSkip()) << row.typed;  // the change notice came and went
        EXPECT_EQ(model.StepAngle, row.setting) << "a running gear takes the new step";
        EXPECT_EQ(form->Run->text(), "Stop");
    }
    EXPECT_EQ(form->SBDrvAng->singleStep(), 730);
    EXPECT_EQ(form->SBDrvAng->pageStep(), 3650);
}

TEST_F(MainWindowTest, UnchangedStepPositionSkipsTheNextUserChange) {
    form->TStpAng->Edit1->setText("10");  // position 12000 already
    form->StpAngOKClick();
    EXPECT_FALSE(form->stepAngleSkip());
    form->SBStepAng->setValue(8000);  // the user's next change is the skipped one
    EXPECT_EQ(model.StepAngleSetting, 10.0f);
    EXPECT_TRUE(form->stepAngleSkip());
    form->SBStepAng->setValue(3000);
    EXPECT_EQ(model.StepAngleSetting, 0.05f);
}

TEST_F(MainWindowTest, StoppedGearStaysStoppedAfterANewStep) {
    form->RunClick();
    form->TStpAng->Edit1->setText("2");
    form->StpAngOKClick();
    EXPECT_EQ(form->Run->text(), "Run");
    EXPECT_EQ(model.StepAngle, 0.0f);
    EXPECT_EQ(model.StepAngleSetting, 2.0f);
}

TEST_F(MainWindowTest, StepPresetsMoveTheBarAndTheButtons) {
    form->Step45Click();
    EXPECT_EQ(form->SBStepAng->value(), 14613);
    EXPECT_EQ(model.StepAngle, 45.0f);
    EXPECT_FALSE(form->Step45->isEnabled());
    EXPECT_TRUE(form->Step10->isEnabled());
    form->Step1Click();
    EXPECT_EQ(form->SBStepAng->value(), 8000);
    EXPECT_EQ(model.StepAngleSetting, 1.0f);
    EXPECT_EQ(form->SBDrvAng->singleStep(), 100);
}

TEST_F(MainWindowTest, ProgrammaticPositionRunsTheHandlerOnlyOnChange) {
    QSignalSpy spy(form->SBRevArm, &QScrollBar::valueChanged);
    model.screen.FrontCutOffText = "x";
    form->SBRevArm->setValue(0);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(model.screen.FrontCutOffText, "x");
    form->SBRevArm->setValue(5);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(model.screen.FrontCutOffText.empty());
}

TEST_F(MainWindowTest, MenuTogglesShowTheNextChoice) {
    form->SetLineWidthClick();
    EXPECT_EQ(model.screen.LineWidth, 2);
    EXPECT_EQ(form->SetLineWidth->text(), "Set&LineWidth 1");
    form->LargeFontClick();
    EXPECT_DOUBLE_EQ(model.screen.text.TextScaleX, 1.27f);
    EXPECT_DOUBLE_EQ(model.screen.text.TextScaleY, 1.22f);
    EXPECT_EQ(form->LargeFont->text(), "SetSmall&Font");
    form->LargeFontClick();
    EXPECT_FALSE(model.screen.text.isLarge());
    EXPECT_EQ(form->LargeFont->text(), "SetLarge&Font");
    form->ErieTriplex1Click();
    EXPECT_EQ(model.ErieTriplexForm, 1);
    EXPECT_EQ(form->ErieTriplex1->text(), "SetStandard&Form");
    form->SetBeepOnErrorClick();
    EXPECT_EQ(model.ErrorBeepOn, 0);
    EXPECT_EQ(form->SetBeepOnError->text(), "Set&ErrorBeep On");
}

TEST_F(MainWindowTest, CaptionCarriesTheSetNameAndVersion) {
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().startsWith("QUARN Inside Admission            Nominal     "));
    EXPECT_TRUE(form->windowTitle().endsWith("   Version 2.6"));
    model.DimSetName = "Test";
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().contains("Test     "));
}

TEST_F(MainWindowTest, DegenerateGearDoesNotStopTheTick) {
    model.frame.Stroke = std::numeric_limits<float>::quiet_NaN();
    model.view.ViewScale = 1e30f;
    for (int i = 0; i < 5; ++i) form->Timer1Timer();
    EXPECT_EQ(form->frameImage().width(), 1280);
}

TEST_F(MainWindowTest, OpeningADesignSetsTheReverseArmRange) {
    GearModel other;
    InitStartupState(other);
    other.frame.RevArmToCentMax = 1.2f;
    const std::string path = ::testing::TempDir() + "/window_open_test.qgd";
    ASSERT_TRUE(saveDimensionFile(other, path).ok);
    form->FwdClick();
    EXPECT_TRUE(form->openDesign(path));
    EXPECT_EQ(form->SBRevArm->maximum(), 1200);
    EXPECT_EQ(form->SBRevArm->minimum(), -1200);
    EXPECT_EQ(form->SBRevArm->value(), 0);
    EXPECT_EQ(model.DimSetName, "window_open_test");
    EXPECT_EQ(model.RevArmPosition, model.RevArmCentre());
    std::remove(path.c_str());
}

}  // namespace
}  // namespace quarn
