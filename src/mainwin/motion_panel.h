// The motion band of the main window: the reverse-arm, driver-angle and step-angle bars
// with their buttons, and the three dialogs that set the same values by number.
#pragma once

#include <QObject>

#include "model/gear_model.h"

class QPushButton;
class QScrollBar;
class QWidget;

namespace quarn {

class NumberDialog;
class RevArmDialog;

class MotionPanel : public QObject {
    Q_OBJECT
public:
    // The controls are made on `area` at their places in the band; the panel is the
    // area's child too.
    MotionPanel(GearModel& model, QWidget* area);

    // The menu commands of the motion, by the program's names: each opens its dialog
    // and applies it on OK.
    void RevArmPosClick();
    void DriverAngClick();
    void StepAng1Click();
    void FindRevArmCentClick();
    // "Cen": the reverse arm to mid gear, the bar to its middle.
    void CenterClick();

    // The window became active: a turning gear's driver-angle bar is not usable.
    void FormActivate();
    // A design has been loaded: the reverse-arm bar takes the new range and position.
    void followDesign();
    // The bar spans the reverse arm's maximum travel either side of mid gear.
    void setRevArmRange();
    // The bar back to its middle, which puts the arm at mid gear.
    void revArmBarToMiddle();

    // Cleared by the step-angle dialog's OK so that the change notification that
    // follows keeps the typed step instead of the band's preset.
    bool stepAngleSkip() const { return stepAngleSkip_; }

private:
    void createControls(QWidget* area);
    void connectControls();
    void createDialogs(QWidget* area);

    // Handlers, named as the program always named them.
    void RunClick();
    void SBRevArmChange();
    void FwdClick();
    void RevClick();
    void SBDrvAngChange();
    void Deg00Click();
    void Deg180Click();
    void SBStepAngChange();
    void Step1Click();
    void Step10Click();
    void Step45Click();
    // The dialogs' own: filling the dialog when it opens, and its OK.
    void RevPosActivate();
    void RevPosOKClick();
    void DrivAngActivate();
    void DrivAngOKClick();
    void StpAngActivate();
    void StpAngOKClick();

    // The run state in the model, and its mirror in the controls.
    void startDriver();
    void stopDriver();
    void setStepButtons();
    void setDriverBarSteps(int small, int large);
    void stopAtAngle(float angle, QPushButton* pressed, QPushButton* other);
    void stepPreset(float step, int position, QPushButton* pressed);

    GearModel& model_;
    QScrollBar* SBRevArm = nullptr;
    QScrollBar* SBDrvAng = nullptr;
    QScrollBar* SBStepAng = nullptr;
    QPushButton* Run = nullptr;
    QPushButton* Center = nullptr;
    QPushButton* Fwd = nullptr;
    QPushButton* Rev = nullptr;
    QPushButton* Deg00 = nullptr;
    QPushButton* Deg180 = nullptr;
    QPushButton* Step1 = nullptr;
    QPushButton* Step10 = nullptr;
    QPushButton* Step45 = nullptr;
    RevArmDialog* TRevPos = nullptr;
    NumberDialog* TDrivAng = nullptr;
    NumberDialog* TStpAng = nullptr;
    bool stepAngleSkip_ = true;
};

}  // namespace quarn
