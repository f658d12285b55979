// The motion band: its controls, their handlers and the three number dialogs.
#include "motion_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "mainwin/motion_dialogs.h"
#include "mainwin/panel_controls.h"
#include "model/mid_gear.h"
#include "model/motion.h"
#include "model/number_text.h"
#include "platform/number_field.h"

namespace quarn {

MotionPanel::MotionPanel(GearModel& model, QWidget* area) : QObject(area), model_(model) {
    setObjectName(QStringLiteral("MotionPanel"));
    createControls(area);
    createDialogs(area);
    connectControls();
    setRevArmRange();
}

void MotionPanel::createControls(QWidget* area) {
    // The controls keep to the band left of the read-outs and above the drawing.
    SBRevArm = makeBar(area, "SBRevArm", QStringLiteral("Set Reverse Arm Between Max & Min"),
                       {2, 2, 138, 16});
    SBRevArm->setPageStep(20);
    SBRevArm->setSingleStep(1);
    SBDrvAng = makeBar(area, "SBDrvAng", QStringLiteral("Set Driver Angle From 0 to 360 Deg"),
                       {2, 42, 138, 16});
    SBDrvAng->setRange(-4000, 40000);
    SBDrvAng->setSingleStep(1000);
    SBDrvAng->setPageStep(4500);
    SBDrvAng->setEnabled(!model_.Running);
    SBStepAng = makeBar(area, "SBStepAng",
                        QStringLiteral("Set Driver Step Angle to Predefined Values"),
                        {2, 82, 138, 16});
    SBStepAng->setRange(0, Step45Position);
    SBStepAng->setSingleStep(920);
    SBStepAng->setPageStep(2760);
    SBStepAng->setValue(Step10Position);

    // The buttons under their bars: name, caption, hint, place.
    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        const char* hint;
        QRect place;
    } buttons[] = {
        {&Rev, "Rev", "Rev", "Set Reverse Arm to Normal Reverse", {2, 20, 33, 20}},
        {&Center, "Center", "Cen", "Set Reverse Arm to Mid Gear", {37, 20, 33, 20}},
        {&Fwd, "Fwd", "Fwd", "Set Reverse Arm to Normal Forward", {72, 20, 33, 20}},
        {&Run, "Run", "Stop", "Start / Stop Driver Rotation", {107, 20, 33, 20}},
        {&Deg00, "Deg00", "0.0", "Set Driver to 0 Deg", {2, 60, 33, 20}},
        {&Deg180, "Deg180", "180", "Set Driver Angle to 180 Deg", {37, 60, 33, 20}},
        {&Step1, "Step1", "1.0", "Set Driver Step Angle to 1 Deg", {2, 100, 44, 18}},
        {&Step10, "Step10", "10.0", "Set Driver Step Angle to 10 Deg", {48, 100, 44, 18}},
        {&Step45, "Step45", "45.0", "Set Driver Step Angle to 45 Deg", {94, 100, 44, 18}},
    };
    for (const auto& b : buttons)
        *b.button = makeButton(area, b.name, QString::fromLatin1(b.caption),
                               QString::fromLatin1(b.hint), b.place);
    Run->setText(model_.Running ? QStringLiteral("Stop") : QStringLiteral("Run"));
    Step10->setEnabled(false);  // the program starts at step 10
    Center->setEnabled(false);  // and at mid gear
    // Tab walks the band as it is read: each bar, then the buttons under it.
    QWidget* const tabOrder[] = {SBRevArm, Rev,    Center,    Fwd,    Run,    SBDrvAng,
                                 Deg00,    Deg180, SBStepAng, Step1,  Step10, Step45};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void MotionPanel::connectControls() {
    connect(SBRevArm, &QScrollBar::valueChanged, this, &MotionPanel::SBRevArmChange);
    connect(SBDrvAng, &QScrollBar::valueChanged, this, &MotionPanel::SBDrvAngChange);
    connect(SBStepAng, &QScrollBar::valueChanged, this, &MotionPanel::SBStepAngChange);
    const std::pair<QPushButton*, void (MotionPanel::*)()> clicks[] = {
        {Run, &MotionPanel::RunClick},       {Center, &MotionPanel::CenterClick},
        {Fwd, &MotionPanel::FwdClick},       {Rev, &MotionPanel::RevClick},
        {Deg00, &MotionPanel::Deg00Click},   {Deg180, &MotionPanel::Deg180Click},
        {Step1, &MotionPanel::Step1Click},   {Step10, &MotionPanel::Step10Click},
        {Step45, &MotionPanel::Step45Click},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, handler);
}

void MotionPanel::createDialogs(QWidget* area) {
    TRevPos = new RevArmDialog(model_, area);
    TRevPos->setObjectName(QStringLiteral("TRevPos"));
    TDrivAng = new NumberDialog(QStringLiteral("Driver Angle"), 2, false, area);
    TDrivAng->setObjectName(QStringLiteral("TDrivAng"));
    TDrivAng->label(0)->setText(QStringLiteral("Min = 0.00"));
    TDrivAng->label(1)->setText(QStringLiteral("Max = 360.00"));
    TStpAng = new NumberDialog(QStringLiteral("Step Angle"), 2, false, area);
    TStpAng->setObjectName(QStringLiteral("TStpAng"));
    TStpAng->label(0)->setText(QStringLiteral("Min = 0.01"));
    TStpAng->label(1)->setText(QStringLiteral("Max = 45.00"));
}

void MotionPanel::setRevArmRange() {
    const int limit = roundHalfEven(double(model_.frame.RevArmToCentMax) * RevArmBarScale);
    SBRevArm->setRange(std::min(-limit, limit), std::max(-limit, limit));
}

void MotionPanel::followDesign() {
    // The loader has put the reverse arm at the new mid gear. Take the bar's position
    // first: a narrower range clamps the bar, and its handler then moves the arm.
    const int position =
        roundHalfEven((double(model_.RevArmPosition) - model_.RevArmCentre()) * RevArmBarScale);
    setRevArmRange();
    SBRevArm->setValue(position);
}

void MotionPanel::revArmBarToMiddle() { SBRevArm->setValue(0); }

void MotionPanel::FormActivate() {
    // A stopped gear keeps its driver-angle bar usable after a dialog closes.
    if (model_.Running) SBDrvAng->setEnabled(false);
}

void MotionPanel::startDriver() {
    setRunning(model_, true);
    SBDrvAng->setEnabled(false);
    Run->setText(QStringLiteral("Stop"));
    Deg00->setEnabled(true);
    Deg180->setEnabled(true);
}

void MotionPanel::stopDriver() {
    // The bar shows where the wheel stopped; its handler then takes the angle back from
    // the bar, to the hundredth of a degree it can show.
    SBDrvAng->setValue(roundHalfEven(double(model_.DriverAngle) * DriverAngleBarScale));
    setRunning(model_, false);
    SBDrvAng->setEnabled(true);
    Run->setText(QStringLiteral("Run"));
    Deg00->setEnabled(true);
    Deg180->setEnabled(true);
}

void MotionPanel::RunClick() {
    if (model_.Running)
        stopDriver();
    else
        startDriver();
}

void MotionPanel::SBRevArmChange() {
    const float centre = model_.RevArmCentre();
    model_.RevArmPosition = static_cast<float>(centre + SBRevArm->value() / RevArmBarScale);
    setDirectionFromRevArm(model_);
    Center->setEnabled(SBRevArm->value() != 0);
    Fwd->setEnabled(centre + model_.frame.RevArmToCentNormal != model_.RevArmPosition);
    Rev->setEnabled(centre - model_.frame.RevArmToCentNormal != model_.RevArmPosition);
    clearCutOffTexts(model_.screen);
}

void MotionPanel::CenterClick() {
    SBRevArm->setValue(0);
    model_.RevArmPosition = model_.RevArmCentre();
    Fwd->setEnabled(true);
    Rev->setEnabled(true);
    Center->setEnabled(false);
    clearCutOffTexts(model_.screen);
}

void MotionPanel::FwdClick() {
    const FrameDims& f = model_.frame;
    model_.RevArmPosition = model_.RevArmCentre() + f.RevArmToCentNormal;
    SBRevArm->setValue(
        roundHalfEven(double(f.RevArmToCentNormal) * SBRevArm->maximum() / f.RevArmToCentMax));
    Fwd->setEnabled(false);
    Rev->setEnabled(true);
    Center->setEnabled(true);
    clearCutOffTexts(model_.screen);
}

void MotionPanel::RevClick() {
    const FrameDims& f = model_.frame;
    model_.RevArmPosition = model_.RevArmCentre() - f.RevArmToCentNormal;
    SBRevArm->setValue(
        roundHalfEven(double(f.RevArmToCentNormal) * SBRevArm->minimum() / f.RevArmToCentMax));
    Rev->setEnabled(false);
    Fwd->setEnabled(true);
    Center->setEnabled(true);
    clearCutOffTexts(model_.screen);
}

void MotionPanel::RevPosActivate() {
    const RevArmRange r = revArmRange(model_);
    const std::pair<const char*, float> rows[] = {
        {"Min = ", r.min}, {"Cen = ", r.centre}, {"Max = ", r.max}, {"Rev = ", r.rev},
        {"Fwd = ", r.fwd}};
    for (int i = 0; i < 5; ++i)
        TRevPos->label(i)->setText(QString::fromLatin1(rows[i].first) +
                                   qs(Str(rows[i].second, 5, 3)));
    showNumber(TRevPos->Edit1, qs(Str(model_.RevArmPosition, 7, 3)), model_.RevArmPosition);
    TRevPos->clearCutOff();
    TRevPos->Cancel->setFocus();
}

void MotionPanel::RevPosOKClick() {
    const RevArmRange r = revArmRange(model_);
    // A cut-off asked for gives its setting, which the bar then takes as it takes a typed
    // position: to the nearest thousandth from mid gear. On the nominal gear a thousandth
    // of arm moves the cut-off by 0.03 % of stroke near full gear to 0.07 % near 25 %, so
    // the arm lands within about 0.035 % of the cut-off asked for: as near as the bar holds.
    auto v = static_cast<float>(TRevPos->foundSetting().value_or(TRevPos->value()));
    if (v < r.min) v = r.min;
    if (v > r.max) v = r.max;
    model_.RevArmPosition = v;
    SBRevArm->setValue(roundHalfEven((double(model_.RevArmPosition) - r.centre) * RevArmBarScale));
}

void MotionPanel::RevArmPosClick() {
    RevPosActivate();
    if (TRevPos->exec() == QDialog::Accepted) RevPosOKClick();
}

void MotionPanel::SBDrvAngChange() {
    model_.DriverAngle = static_cast<float>(SBDrvAng->value() / DriverAngleBarScale);
    Deg180->setEnabled(true);
    Deg00->setEnabled(true);
}

void MotionPanel::stopAtAngle(float angle, QPushButton* pressed, QPushButton* other) {
    model_.DriverAngle = angle;
    SBDrvAng->setValue(roundHalfEven(double(angle) * DriverAngleBarScale));
    setRunning(model_, false);
    SBDrvAng->setEnabled(true);
    Run->setText(QStringLiteral("Run"));
    pressed->setEnabled(false);
    other->setEnabled(true);
}

void MotionPanel::Deg00Click() { stopAtAngle(0, Deg00, Deg180); }

void MotionPanel::Deg180Click() { stopAtAngle(180, Deg180, Deg00); }

void MotionPanel::DrivAngActivate() {
    // A turning wheel is offered 0.
    if (model_.StepAngle != 0)
        showNumber(TDrivAng->Edit1, QStringLiteral("0.00"), 0);
    else
        showNumber(TDrivAng->Edit1, qs(Str(model_.DriverAngle, 4, 2)), model_.DriverAngle);
    TDrivAng->Cancel->setFocus();
}

void MotionPanel::DrivAngOKClick() {
    // A typed angle stops the wheel there.
    stopDriver();
    double v = TDrivAng->value();
    if (v < 0) v = 0;
    if (v > 360) v = 360;
    model_.DriverAngle = static_cast<float>(v);
    SBDrvAng->setValue(roundHalfEven(double(model_.DriverAngle) * DriverAngleBarScale));
}

void MotionPanel::DriverAngClick() {
    DrivAngActivate();
    if (TDrivAng->exec() == QDialog::Accepted) DrivAngOKClick();
}

void MotionPanel::setStepButtons() {
    Step10->setEnabled(model_.StepAngleSetting != 10);
    Step45->setEnabled(model_.StepAngleSetting != 45);
    Step1->setEnabled(model_.StepAngleSetting != 1);
}

void MotionPanel::setDriverBarSteps(int small, int large) {
    SBDrvAng->setSingleStep(small);
    SBDrvAng->setPageStep(large);
}

void MotionPanel::SBStepAngChange() {
    if (stepAngleSkip_) {
        const StepAngleBand band = stepAngleBand(SBStepAng->value());
        chooseStepAngle(model_, band.stepAngle);
        setDriverBarSteps(band.smallChange, band.largeChange);
    } else {
        stepAngleSkip_ = true;
    }
    setStepButtons();
}

void MotionPanel::stepPreset(float step, int position, QPushButton* pressed) {
    pressed->setEnabled(false);
    chooseStepAngle(model_, step);
    SBStepAng->setValue(position);
}

void MotionPanel::Step1Click() { stepPreset(1, Step1Position, Step1); }

void MotionPanel::Step10Click() { stepPreset(10, Step10Position, Step10); }

void MotionPanel::Step45Click() { stepPreset(45, Step45Position, Step45); }

void MotionPanel::StpAngActivate() {
    showNumber(TStpAng->Edit1, qs(Str(model_.StepAngle, 4, 2)), model_.StepAngle);
    TStpAng->Cancel->setFocus();
}

void MotionPanel::StpAngOKClick() {
    stepAngleSkip_ = false;
    double v = TStpAng->value();
    if (v > 45) v = 45;
    if (v < 0.01) v = 0.01;
    model_.StepAngleSetting = static_cast<float>(v);
    // The gear goes on as it was, turning with the new step or standing.
    if (model_.Running)
        startDriver();
    else
        stopDriver();
    SBStepAng->setValue(stepAnglePosition(model_.StepAngleSetting));
    setDriverBarSteps(roundHalfEven(double(model_.StepAngleSetting) * DriverAngleBarScale),
                      roundHalfEven(double(model_.StepAngleSetting) * 500.0));
}

void MotionPanel::StepAng1Click() {
    StpAngActivate();
    if (TStpAng->exec() == QDialog::Accepted) StpAngOKClick();
}

void MotionPanel::FindRevArmCentClick() {
    CalcCentRevArm(model_);
    CenterClick();
}

}  // namespace quarn
