// The main window: the animated gear behind a band of motion controls, the timer
// that drives it, and the set-up menu.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "drawing/run_frame.h"
#include "drawing/frame_mapping.h"
#include "model/gear_model.h"
#include "platform/sound.h"

class QAction;
class QPushButton;
class QScrollBar;

namespace quarn {

class NumberDialog;

// Shows the frame the last tick drew; the controls are its children.
class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(const QImage& frame, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& frame_;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(GearModel& model, QWidget* parent = nullptr);
    ~TMainForm() override;

    GearModel& model() { return model_; }
    const Sound& sound() const { return sound_; }
    const QImage& frameImage() const { return frame_; }
    QTimer* Timer1 = nullptr;

    // Controls, by the program's component names.
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

    QAction* RevArmPos = nullptr;
    QAction* DriverAng = nullptr;
    QAction* StepAng1 = nullptr;
    QAction* FindRevArmCent = nullptr;
    QAction* SetLineWidth = nullptr;
    QAction* LargeFont = nullptr;
    QAction* ErieTriplex1 = nullptr;
    QAction* SetBeepOnError = nullptr;
    QAction* Exit1 = nullptr;

    NumberDialog* TRevPos = nullptr;
    NumberDialog* TDrivAng = nullptr;
    NumberDialog* TStpAng = nullptr;

    // Handlers, named as the program always named them.
    void Timer1Timer();
    void RunClick();
    void SBRevArmChange();
    void CenterClick();
    void FwdClick();
    void RevClick();
    void RevArmPosClick();
    void SBDrvAngChange();
    void Deg00Click();
    void Deg180Click();
    void DriverAngClick();
    void SBStepAngChange();
    void Step1Click();
    void Step10Click();
    void Step45Click();
    void StepAng1Click();
    void FindRevArmCentClick();
    void SetLineWidthClick();
    void LargeFontClick();
    void ErieTriplex1Click();
    void SetBeepOnErrorClick();
    void Exit1Click();

    // The dialogs' own handlers: filling the dialog when it opens, and its OK.
    void RevPosActivate();
    void RevPosOKClick();
    void DrivAngActivate();
    void DrivAngOKClick();
    void StpAngActivate();
    void StpAngOKClick();

    // Opens a design file by name (a DOS file by its .qgk ending) and brings the
    // controls into line; a failure is shown in an error box and changes nothing.
    bool openDesign(const std::string& path);

    bool running() const;
    bool stepAngleSkip() const { return stepAngleSkip_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(QWidget* area);
    void createActions();
    void createMenusAndToolBar();
    void createDialogs();
    void setRevArmRange();
    void setStepButtons();
    void stopAtAngle(float angle, QPushButton* pressed, QPushButton* other);
    void stepPreset(float step, int position, QPushButton* pressed);
    void refreshCaption();
    void keepPace();

    GearModel& model_;
    Sound sound_;
    Random random_;
    QImage frame_;
    FrameView* view_ = nullptr;
    // Cleared by the step-angle dialog's OK so that the change notification that
    // follows keeps the typed step instead of the band's preset.
    bool stepAngleSkip_ = true;
    qint64 lastCaptionSecond_ = -1;
    // The pace of the tick: started with the timer, counting the ticks since.
    QElapsedTimer paceClock_;
    qint64 ticks_ = 0;
    std::string captionSetName_;
};

}  // namespace quarn
