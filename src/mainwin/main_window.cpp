// The main window: start-up, the tick, and the handlers of the motion controls.
#include "main_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

#include "dims/dimension_file.h"
#include "mainwin/motion_dialogs.h"
#include "model/mid_gear.h"
#include "model/motion.h"
#include "model/number_text.h"
#include "model/solver.h"
#include "model/window_caption.h"
#include "platform/clock_text.h"
#include "platform/qt_canvas.h"

namespace quarn {
namespace {

// The animation was designed on a desktop timer that delivered 64 ticks a second, and
// every duration the program counts in frames (the error flash, the dimension graphic's
// blink, the live cut-off read-out, the wheel's step per tick) assumes that pace. A
// millisecond timer spins the wheel a dozen turns a second and makes those signals
// vanish. QTimer takes whole milliseconds, so each tick asks for the rest of the time
// to the next multiple of 15.625 ms: 15 and 16 ms in turn, 64 a second on average.
constexpr qint64 TickPeriodMicroseconds = 15625;

QString qs(const std::string& s) { return QString::fromStdString(s); }

void setHint(QWidget* w, const QString& hint) {
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QRect geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    setHint(b, hint);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QScrollBar* makeBar(QWidget* parent, const char* name, const QString& hint, QRect geometry) {
    auto* s = new QScrollBar(Qt::Horizontal, parent);
    s->setObjectName(QString::fromLatin1(name));
    setHint(s, hint);
    s->setGeometry(geometry);
    return s;
}

}  // namespace

FrameView::FrameView(const QImage& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void FrameView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A window larger than the picture shows the window colour around it, not black.
    const QRect picture(0, 0, frame_.width(), frame_.height());
    const QRegion outside = QRegion(rect()).subtracted(picture);
    for (const QRect& r : outside) p.fillRect(r, palette().color(QPalette::Window));
    p.drawImage(0, 0, frame_);
}

TMainForm::TMainForm(GearModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model), frame_(FrameWidth, FrameHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("TMainForm"));
    frame_.fill(Qt::white);

    // FormCreate: main() has set up the model's start state and mid gear; the window
    // takes the reverse-arm range from it.
    view_ = new FrameView(frame_, this);
    setCentralWidget(view_);
    createControls(view_);
    createActions();
    createMenusAndToolBar();
    createDialogs();
    setRevArmRange();
    // Half volume on both channels, for this program's sounds only.
    sound_.setVolume(0x8000, 0x8000);
    statusBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(int(TickPeriodMicroseconds / 1000));
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    paceClock_.start();
    Timer1->start();

    setMinimumSize(660, 500);
    resize(1000, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(width(), avail.width()), std::min(height(), avail.height()));
        move(avail.center() - rect().center());
    }
    refreshCaption();
}

TMainForm::~TMainForm() = default;

void TMainForm::createControls(QWidget* area) {
    // The controls keep to the band left of the read-outs and above the drawing.
    SBRevArm = makeBar(area, "SBRevArm", QStringLiteral("Set Reverse Arm Between Max & Min"),
                       {2, 2, 190, 16});
    SBRevArm->setPageStep(20);
    SBRevArm->setSingleStep(1);
    SBDrvAng = makeBar(area, "SBDrvAng", QStringLiteral("Set Driver Angle From 0 to 360 Deg"),
                       {2, 42, 190, 16});
    SBDrvAng->setRange(-4000, 40000);
    SBDrvAng->setSingleStep(1000);
    SBDrvAng->setPageStep(4500);
    SBDrvAng->setEnabled(false);  // the gear starts turning
    SBStepAng = makeBar(area, "SBStepAng",
                        QStringLiteral("Set Driver Step Angle to Predefined Values"),
                        {2, 82, 190, 16});
    SBStepAng->setRange(0, 14613);
    SBStepAng->setSingleStep(920);
    SBStepAng->setPageStep(2760);
    SBStepAng->setValue(12000);

    // The buttons under their bars: name, caption, hint, place.
    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        const char* hint;
        QRect place;
    } buttons[] = {
        {&Rev, "Rev", "Rev", "Set Reverse Arm to Normal Reverse", {2, 20, 46, 20}},
        {&Center, "Center", "Cen", "Set Reverse Arm to Mid Gear", {50, 20, 46, 20}},
        {&Fwd, "Fwd", "Fwd", "Set Reverse Arm to Normal Forward", {98, 20, 46, 20}},
        {&Run, "Run", "Stop", "Start / Stop Driver Rotation", {146, 20, 46, 20}},
        {&Deg00, "Deg00", "0.0", "Set Driver to 0 Deg", {2, 60, 46, 20}},
        {&Deg180, "Deg180", "180", "Set Driver Angle to 180 Deg", {50, 60, 46, 20}},
        {&Step1, "Step1", "1.0", "Set Driver Step Angle to 1 Deg", {2, 100, 62, 18}},
        {&Step10, "Step10", "10.0", "Set Driver Step Angle to 10 Deg", {66, 100, 62, 18}},
        {&Step45, "Step45", "45.0", "Set Driver Step Angle to 45 Deg", {130, 100, 62, 18}},
    };
    for (const auto& b : buttons)
        *b.button = makeButton(area, b.name, QString::fromLatin1(b.caption),
                               QString::fromLatin1(b.hint), b.place);
    Step10->setEnabled(false);  // the program starts at step 10
    Center->setEnabled(false);  // and at mid gear

    connect(SBRevArm, &QScrollBar::valueChanged, this, &TMainForm::SBRevArmChange);
    connect(SBDrvAng, &QScrollBar::valueChanged, this, &TMainForm::SBDrvAngChange);
    connect(SBStepAng, &QScrollBar::valueChanged, this, &TMainForm::SBStepAngChange);
    connect(Run, &QPushButton::clicked, this, &TMainForm::RunClick);
    connect(Center, &QPushButton::clicked, this, &TMainForm::CenterClick);
    connect(Fwd, &QPushButton::clicked, this, &TMainForm::FwdClick);
    connect(Rev, &QPushButton::clicked, this, &TMainForm::RevClick);
    connect(Deg00, &QPushButton::clicked, this, &TMainForm::Deg00Click);
    connect(Deg180, &QPushButton::clicked, this, &TMainForm::Deg180Click);
    connect(Step1, &QPushButton::clicked, this, &TMainForm::Step1Click);
    connect(Step10, &QPushButton::clicked, this, &TMainForm::Step10Click);
    connect(Step45, &QPushButton::clicked, this, &TMainForm::Step45Click);
}

void TMainForm::createActions() {
    auto make = [this](const char* name, const QString& caption, const QString& hint,
                       void (TMainForm::*handler)()) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    RevArmPos = make("RevArmPos", QStringLiteral("Set&RevArmPos"),
                     QStringLiteral("Set Reverse Arm to Desired Position"),
                     &TMainForm::RevArmPosClick);
    DriverAng = make("DriverAng", QStringLiteral("Set&DriverAng"),
                     QStringLiteral("Set Driver Angle to Desired Position"),
                     &TMainForm::DriverAngClick);
    StepAng1 = make("StepAng1", QStringLiteral("Set&StepAng"),
                    QStringLiteral("Set Step Angle to Desired Amount"), &TMainForm::StepAng1Click);
    FindRevArmCent = make("FindRevArmCent", QStringLiteral("&CalcCentRevArm"),
                          QStringLiteral("Calculate Mid Gear Position if Necessary"),
                          &TMainForm::FindRevArmCentClick);
    SetLineWidth = make("SetLineWidth", QStringLiteral("Set&LineWidth 2"), {},
                        &TMainForm::SetLineWidthClick);
    LargeFont = make("LargeFont", QStringLiteral("SetLarge&Font"), {}, &TMainForm::LargeFontClick);
    ErieTriplex1 = make("ErieTriplex1", QStringLiteral("SetErieTriplex&Form"), {},
                        &TMainForm::ErieTriplex1Click);
    SetBeepOnError = make("SetBeepOnError", QStringLiteral("Set&ErrorBeep Off"), {},
                          &TMainForm::SetBeepOnErrorClick);
    Exit1 = make("Exit1", QStringLiteral("E&xit"), {}, &TMainForm::Exit1Click);
    Exit1->setShortcut(QKeySequence::Quit);
}

void TMainForm::createMenusAndToolBar() {
    menuBar()->addAction(Exit1);
    QMenu* setUp = menuBar()->addMenu(QStringLiteral("&SetUp"));
    setUp->setObjectName(QStringLiteral("SetUp"));
    for (QAction* a : {RevArmPos, DriverAng, StepAng1, FindRevArmCent}) setUp->addAction(a);
    setUp->addSeparator();
    for (QAction* a : {SetLineWidth, LargeFont, ErieTriplex1, SetBeepOnError}) setUp->addAction(a);

    QToolBar* tools = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setMovable(false);
    // Short texts stand in for the tool buttons' pictures; the hints say the rest.
    const std::pair<QAction*, const char*> buttons[] = {
        {RevArmPos, "RevArm"}, {DriverAng, "Angle"}, {StepAng1, "Step"}, {FindRevArmCent, "Mid"}};
    for (const auto& [action, text] : buttons) {
        auto* b = tools->addAction(QString::fromLatin1(text));
        b->setToolTip(action->toolTip());
        b->setStatusTip(action->statusTip());
        connect(b, &QAction::triggered, action, &QAction::trigger);
    }
}

void TMainForm::createDialogs() {
    TRevPos = new NumberDialog(QStringLiteral("Reverse Arm Position"), 5, true, this);
    TRevPos->setObjectName(QStringLiteral("TRevPos"));
    TDrivAng = new NumberDialog(QStringLiteral("Driver Angle"), 2, false, this);
    TDrivAng->setObjectName(QStringLiteral("TDrivAng"));
    TDrivAng->label(0)->setText(QStringLiteral("Min = 0.00"));
    TDrivAng->label(1)->setText(QStringLiteral("Max = 360.00"));
    TStpAng = new NumberDialog(QStringLiteral("Step Angle"), 2, false, this);
    TStpAng->setObjectName(QStringLiteral("TStpAng"));
    TStpAng->label(0)->setText(QStringLiteral("Min = 0.01"));
    TStpAng->label(1)->setText(QStringLiteral("Max = 45.00"));
}

void TMainForm::setRevArmRange() {
    const int limit = roundHalfEven(double(model_.frame.RevArmToCentMax) * 1000.0);
    SBRevArm->setRange(std::min(-limit, limit), std::max(-limit, limit));
}

bool TMainForm::openDesign(const std::string& path) {
    const FileResult r = loadDesignFile(model_, path);
    if (!r.ok) {
        QMessageBox::critical(this, QStringLiteral("quarngear"), qs(r.message));
        return false;
    }
    // The loader has put the reverse arm at the new mid gear. Take the bar's position
    // first: a narrower range clamps the bar, and its handler then moves the arm.
    const int position =
        roundHalfEven((double(model_.RevArmPosition) - model_.RevArmCentre()) * 1000.0);
    setRevArmRange();
    SBRevArm->setValue(position);
    return true;
}

bool TMainForm::running() const { return Run->text() == QStringLiteral("Stop"); }

void TMainForm::changeEvent(QEvent* event) {
    // Activation disables the driver-angle bar while the gear turns; a stopped gear
    // keeps it usable after a dialog closes.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && running())
        SBDrvAng->setEnabled(false);
    QMainWindow::changeEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    sound_.setVolume(0x8000, 0x8000);
    QMainWindow::closeEvent(event);
}

void TMainForm::refreshCaption() {
    // The clock in the caption shows seconds: build it once a second, or at once when
    // another dimension set has been loaded.
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    if (second == lastCaptionSecond_ && captionSetName_ == model_.DimSetName) return;
    lastCaptionSecond_ = second;
    captionSetName_ = model_.DimSetName;
    setWindowTitle(qs(frameCaptionNow(caption::MainWindow, model_.DimSetName)));
}

void TMainForm::Timer1Timer() {
    SolveAndMapFrame(model_);
    AdvanceDriverAngle(model_);
    {
        QtCanvas canvas(frame_);
        RunFrame(model_, canvas, random_);
    }
    refreshCaption();
    view_->update();
    keepPace();
}

void TMainForm::keepPace() {
    if (!Timer1->isActive()) return;  // stopped: the tests and the diagrams tick by hand
    ++ticks_;
    const qint64 due = ticks_ * TickPeriodMicroseconds;
    const qint64 now = paceClock_.nsecsElapsed() / 1000;
    if (now - due > 1000000) {
        // Far behind (the machine slept, a modal loop held us): start counting anew
        // instead of racing to catch up.
        ticks_ = 0;
        paceClock_.restart();
        Timer1->setInterval(int(TickPeriodMicroseconds / 1000));
        return;
    }
    const qint64 wait = (due - now + 999) / 1000;  // whole milliseconds, rounded up
    Timer1->setInterval(int(std::clamp<qint64>(wait, 1, 16)));
}

void TMainForm::RunClick() {
    if (!running()) {
        model_.StepAngle = model_.StepAngleSetting;
        SBDrvAng->setEnabled(false);
        Run->setText(QStringLiteral("Stop"));
    } else {
        SBDrvAng->setValue(roundHalfEven(double(model_.DriverAngle) * 100.0));
        model_.StepAngle = 0;
        SBDrvAng->setEnabled(true);
        Run->setText(QStringLiteral("Run"));
    }
    Deg00->setEnabled(true);
    Deg180->setEnabled(true);
}

void TMainForm::SBRevArmChange() {
    const float centre = model_.RevArmCentre();
    model_.RevArmPosition = static_cast<float>(centre + SBRevArm->value() / 1000.0);
    model_.Direction = centre <= model_.RevArmPosition ? "Fwd" : "Rev";
    Center->setEnabled(SBRevArm->value() != 0);
    Fwd->setEnabled(centre + model_.frame.RevArmToCentNormal != model_.RevArmPosition);
    Rev->setEnabled(centre - model_.frame.RevArmToCentNormal != model_.RevArmPosition);
    clearCutOffTexts(model_.screen);
}

void TMainForm::CenterClick() {
    SBRevArm->setValue(0);
    model_.RevArmPosition = model_.RevArmCentre();
    Fwd->setEnabled(true);
    Rev->setEnabled(true);
    Center->setEnabled(false);
    clearCutOffTexts(model_.screen);
}

void TMainForm::FwdClick() {
    const FrameDims& f = model_.frame;
    model_.RevArmPosition = model_.RevArmCentre() + f.RevArmToCentNormal;
    SBRevArm->setValue(
        roundHalfEven(double(f.RevArmToCentNormal) * SBRevArm->maximum() / f.RevArmToCentMax));
    Fwd->setEnabled(false);
    Rev->setEnabled(true);
    Center->setEnabled(true);
    clearCutOffTexts(model_.screen);
}

void TMainForm::RevClick() {
    const FrameDims& f = model_.frame;
    model_.RevArmPosition = model_.RevArmCentre() - f.RevArmToCentNormal;
    SBRevArm->setValue(
        roundHalfEven(double(f.RevArmToCentNormal) * SBRevArm->minimum() / f.RevArmToCentMax));
    Rev->setEnabled(false);
    Fwd->setEnabled(true);
    Center->setEnabled(true);
    clearCutOffTexts(model_.screen);
}

void TMainForm::RevPosActivate() {
    const RevArmRange r = revArmRange(model_);
    const std::pair<const char*, float> rows[] = {
        {"Min = ", r.min}, {"Cen = ", r.centre}, {"Max = ", r.max}, {"Rev = ", r.rev},
        {"Fwd = ", r.fwd}};
    for (int i = 0; i < 5; ++i)
        TRevPos->label(i)->setText(QString::fromLatin1(rows[i].first) + qs(Str(rows[i].second, 5, 3)));
    TRevPos->Edit1->setText(qs(Str(model_.RevArmPosition, 7, 3)));
    TRevPos->Cancel->setFocus();
}

void TMainForm::RevPosOKClick() {
    const RevArmRange r = revArmRange(model_);
    auto v = static_cast<float>(TRevPos->value());
    if (v < r.min) v = r.min;
    if (v > r.max) v = r.max;
    model_.RevArmPosition = v;
    SBRevArm->setValue(roundHalfEven((double(model_.RevArmPosition) - r.centre) * 1000.0));
}

void TMainForm::RevArmPosClick() {
    RevPosActivate();
    if (TRevPos->exec() == QDialog::Accepted) RevPosOKClick();
}

void TMainForm::SBDrvAngChange() {
    model_.DriverAngle = static_cast<float>(SBDrvAng->value() / 100.0);
    Deg180->setEnabled(true);
    Deg00->setEnabled(true);
}

void TMainForm::stopAtAngle(float angle, QPushButton* pressed, QPushButton* other) {
    model_.DriverAngle = angle;
    SBDrvAng->setValue(roundHalfEven(double(angle) * 100.0));
    model_.StepAngle = 0;
    SBDrvAng->setEnabled(true);
    Run->setText(QStringLiteral("Run"));
    pressed->setEnabled(false);
    other->setEnabled(true);
}

void TMainForm::Deg00Click() { stopAtAngle(0, Deg00, Deg180); }

void TMainForm::Deg180Click() { stopAtAngle(180, Deg180, Deg00); }

void TMainForm::DrivAngActivate() {
    TDrivAng->Edit1->setText(model_.StepAngle != 0 ? QStringLiteral("0.00")
                                                   : qs(Str(model_.DriverAngle, 4, 2)));
    TDrivAng->Cancel->setFocus();
}

void TMainForm::DrivAngOKClick() {
    Run->setText(QStringLiteral("Stop"));
    RunClick();
    double v = TDrivAng->value();
    if (v < 0) v = 0;
    if (v > 360) v = 360;
    model_.DriverAngle = static_cast<float>(v);
    SBDrvAng->setValue(roundHalfEven(double(model_.DriverAngle) * 100.0));
    model_.StepAngle = 0;
    SBDrvAng->setEnabled(true);
}

void TMainForm::DriverAngClick() {
    DrivAngActivate();
    if (TDrivAng->exec() == QDialog::Accepted) DrivAngOKClick();
}

void TMainForm::setStepButtons() {
    Step10->setEnabled(model_.StepAngleSetting != 10);
    Step45->setEnabled(model_.StepAngleSetting != 45);
    Step1->setEnabled(model_.StepAngleSetting != 1);
}

void TMainForm::SBStepAngChange() {
    if (stepAngleSkip_) {
        const StepAngleBand band = stepAngleBand(SBStepAng->value());
        model_.StepAngleSetting = band.stepAngle;
        SBDrvAng->setSingleStep(band.smallChange);
        SBDrvAng->setPageStep(band.largeChange);
        if (running()) model_.StepAngle = model_.StepAngleSetting;
    } else {
        stepAngleSkip_ = true;
    }
    setStepButtons();
}

void TMainForm::stepPreset(float step, int position, QPushButton* pressed) {
    pressed->setEnabled(false);
    model_.StepAngleSetting = step;
    if (running()) model_.StepAngle = model_.StepAngleSetting;
    SBStepAng->setValue(position);
}

void TMainForm::Step1Click() { stepPreset(1, 8000, Step1); }

void TMainForm::Step10Click() { stepPreset(10, 12000, Step10); }

void TMainForm::Step45Click() { stepPreset(45, 14613, Step45); }

void TMainForm::StpAngActivate() {
    TStpAng->Edit1->setText(qs(Str(model_.StepAngle, 4, 2)));
    TStpAng->Cancel->setFocus();
}

void TMainForm::StpAngOKClick() {
    stepAngleSkip_ = false;
    double v = TStpAng->value();
    if (v > 45) v = 45;
    if (v < 0.01) v = 0.01;
    model_.StepAngleSetting = static_cast<float>(v);
    // Flip the caption so that RunClick puts back the state the gear was in, now
    // with the new step.
    Run->setText(running() ? QStringLiteral("Run") : QStringLiteral("Stop"));
    RunClick();
    SBStepAng->setValue(stepAnglePosition(model_.StepAngleSetting));
    SBDrvAng->setSingleStep(roundHalfEven(double(model_.StepAngleSetting) * 100.0));
    SBDrvAng->setPageStep(roundHalfEven(double(model_.StepAngleSetting) * 500.0));
}

void TMainForm::StepAng1Click() {
    StpAngActivate();
    if (TStpAng->exec() == QDialog::Accepted) StpAngOKClick();
}

void TMainForm::FindRevArmCentClick() {
    CalcCentRevArm(model_);
    CenterClick();
}

void TMainForm::SetLineWidthClick() {
    if (model_.screen.LineWidth == 1) {
        model_.screen.LineWidth = 2;
        SetLineWidth->setText(QStringLiteral("Set&LineWidth 1"));
    } else {
        model_.screen.LineWidth = 1;
        SetLineWidth->setText(QStringLiteral("Set&LineWidth 2"));
    }
}

void TMainForm::LargeFontClick() {
    if (LargeFont->text() == QStringLiteral("SetLarge&Font")) {
        LargeFont->setText(QStringLiteral("SetSmall&Font"));
        model_.screen.text = TextScale::large();
    } else {
        LargeFont->setText(QStringLiteral("SetLarge&Font"));
        model_.screen.text = TextScale::small();
    }
}

void TMainForm::ErieTriplex1Click() {
    model_.ErieTriplexForm = model_.ErieTriplexForm ? 0 : 1;
    ErieTriplex1->setText(model_.ErieTriplexForm ? QStringLiteral("SetStandard&Form")
                                                 : QStringLiteral("SetErieTriplex&Form"));
}

void TMainForm::SetBeepOnErrorClick() {
    model_.ErrorBeepOn = model_.ErrorBeepOn ? 0 : 1;
    SetBeepOnError->setText(model_.ErrorBeepOn ? QStringLiteral("Set&ErrorBeep Off")
                                               : QStringLiteral("Set&ErrorBeep On"));
}

void TMainForm::Exit1Click() { close(); }

}  // namespace quarn
