// The main window: composition, menus and tool bar, the tick, start-up and closing.
#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <memory>

#include "diagrams/diagram_windows.h"
#include "diagrams/set_rev_arm.h"
#include "design/design_menu.h"
#include "canvas/recording_canvas.h"
#include "canvas/tee_canvas.h"
#include "dims/dimension_file.h"
#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "drawing/tick.h"
#include "mainwin/dyn_var_panel.h"
#include "mainwin/frame_view.h"
#include "mainwin/motion_panel.h"
#include "mainwin/view_panel.h"
#include "mainwin/panel_controls.h"
#include "platform/file_dialogs.h"
#include "dialogs/dimension_dialog.h"
#include "model/dimension_edits.h"
#include "model/dimension_graphic.h"
#include "model/motion.h"
#include "model/overlay.h"
#include "model/pointer.h"
#include "model/screen_data.h"
#include "model/view_control.h"
#include "model/window_caption.h"
#include "platform/clock_text.h"
#include "platform/layout_place.h"
#include "platform/picture_actions.h"
#include "platform/qt_canvas.h"
#include "tools/data_table.h"
#include "tools/draw_lines.h"
#include "tools/help_menu.h"

namespace quarn {
namespace {

constexpr char FitToWindowKey[] = "FitToWindow";

// The Error menu item is a picture only: a small red disc with a white cross.
QIcon errorIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(204, 0, 0));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return QIcon(pixmap);
}

}  // namespace

TMainForm::TMainForm(GearModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model), frame_(FrameWidth, FrameHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("TMainForm"));
    frame_.fill(Qt::white);

    // FormCreate: the frame, the panels on it, then the menus that reach into them.
    view_ = new FrameView(frame_, this);
    setCentralWidget(view_);
    motion_ = new MotionPanel(model_, view_);
    viewPanel_ = new ViewPanel(model_, view_);
    dynVars_ = new DynVarPanel(model_, view_);
    // A finished gesture on a dynamic-variable bar leaves the keyboard on the reverse arm.
    dynVars_->setFocusAfterGesture(view_->findChild<QWidget*>(QStringLiteral("SBRevArm")));
    // Beside the pivot data block, shown only while the pivot data are.
    DataTableBut = makeButton(view_, "DataTableBut", QStringLiteral("DataTable"),
                              QStringLiteral("Show the Pivot Data Table"), QRect(4, 212, 70, 20));
    DataTableBut->hide();
    connect(DataTableBut, &QPushButton::clicked, this, &TMainForm::DataTableButClick);
    createFramePanels();
    dataTable_ = new TDataTable(model_, this);
    DrawLines = new TDrawLines(model_, this);
    view_->onPress = [this](Qt::MouseButton b, QPoint at) { FormMouseDown(b, at); };
    // With the bars hidden too: they are only one way to move the view.
    view_->onWheel = [this](QPoint at, double notches) { viewPanel_->zoomAtPointer(at, notches); };
    view_->onMiddleDrag = [this](QPoint by) { viewPanel_->panWithPointer(by); };
    view_->onFitChanged = [this](double) { placeFrameControls(); };
    createDiagramWindows();
    createActions();
    createMenusAndToolBar();
    // Half volume on both channels, for this program's sounds only.
    sound_.setVolume(0x8000, 0x8000);
    statusBar();
    createTimer();
    // A choice about this screen, not about the design: kept for the user, not in the
    // design file that another user may open on another screen.
    FitToWindow->setChecked(QSettings().value(QString::fromLatin1(FitToWindowKey), false).toBool());
    view_->setFitToWindow(FitToWindow->isChecked());
    placeWindow();
    document_.markClean(model_, {});  // the nominal gear, on no file yet
    refreshCaption();
}

TMainForm::~TMainForm() = default;

void TMainForm::createActions() {
    auto make = [this](const char* name, const QString& caption, const QString& hint) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        return a;
    };
    RevArmPos = make("RevArmPos", QStringLiteral("Set&RevArmPos"),
                     QStringLiteral("Set Reverse Arm to Desired Position"));
    DriverAng = make("DriverAng", QStringLiteral("Set&DriverAng"),
                     QStringLiteral("Set Driver Angle to Desired Position"));
    StepAng1 = make("StepAng1", QStringLiteral("Set&StepAng"),
                    QStringLiteral("Set Step Angle to Desired Amount"));
    FindRevArmCent = make("FindRevArmCent", QStringLiteral("&CalcCentRevArm"),
                          QStringLiteral("Calculate Mid Gear Position if Necessary"));
    SetLineWidth = make("SetLineWidth", QStringLiteral("Set&LineWidth 2"), {});
    LargeFont = make("LargeFont", QStringLiteral("SetLarge&Font"), {});
    ErieTriplex1 = make("ErieTriplex1", QStringLiteral("SetErieTriplex&Form"), {});
    SetBeepOnError = make("SetBeepOnError", QStringLiteral("Set&ErrorBeep Off"), {});
    Exit1 = make("Exit1", QStringLiteral("E&xit"), {});
    Exit1->setShortcut(QKeySequence::Quit);
    Error = make("Error", QString(), {});
    Error->setIcon(errorIcon());
    // The menu bar shows the picture; the text is what a screen reader says.
    Error->setText(QStringLiteral("Error"));
    Error->setVisible(false);
    SetSteam = make("SetSteam", QStringLiteral("SetS&teamDisp On"),
                    QStringLiteral("Turn On Steam Display and Sound"));
    SetScreenData = make("SetScreenData", QStringLiteral("SetScree&nData Off"), {});
    SetPanZoom = make("SetPanZoom", QString::fromLatin1(SetPanZoomStartCaption), {});
    SetPanZoom->setEnabled(false);  // only while the screen data are off
    RefPoints = make("RefPoints", QStringLiteral("&ReferPoints"),
                     QStringLiteral("Turn On Reference Points"));
    RefPoints1 = make("RefPoints1", QStringLiteral("SetRef&Points"), {});
    SetGraphicZoom = make("SetGraphicZoom", QStringLiteral("Set&GraphicZoom"), {});
    FitToWindow = make("FitToWindow", QStringLiteral("&Fit to Window"),
                       QStringLiteral("Scale the drawing to fill the window"));
    FitToWindow->setCheckable(true);
    // F for fit; the program has no find for Ctrl+F to clash with.
    FitToWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    SetPivotData = make("SetPivotData", QStringLiteral("SetPiv&otData"),
                        QStringLiteral("Turn On Pivot Data"));
    OpenDimensions = make("OpenDimensions", QStringLiteral("&OpenDimensions"),
                          QStringLiteral("Open File: Dimensional Data"));
    OpenDimensions->setShortcut(QKeySequence::Open);
    OpenDosVersionDim = make("OpenDosVersionDim", QStringLiteral("Open&DosVersionDim"), {});
    SaveAsDimensions = make("SaveAsDimensions", QStringLiteral("Save&AsDimensions"),
                            QStringLiteral("Save As: Dimensional Data"));
    // Qt's SaveAs key is empty on several desktops (and under a bare X server), so the
    // usual Ctrl+Shift+S is given outright, with the desktop's own where it differs.
    QList<QKeySequence> saveAsKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)};
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::SaveAs))
        if (!saveAsKeys.contains(k)) saveAsKeys << k;
    SaveAsDimensions->setShortcuts(saveAsKeys);
    SaveDimensions = make("SaveDimensions", QStringLiteral("&Save"),
                          QStringLiteral("Save the design to its own file"));
    SaveDimensions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ResetAll = make("ResetAll", QStringLiteral("&ResetAllDimensions"), {});
    FrameDim = make("FrameDim", QStringLiteral("&FrameDimensions"),
                    QStringLiteral("Change Frame Dimensions"));
    CylDim = make("CylDim", QStringLiteral("&CylinderDimensions"),
                  QStringLiteral("Change Cylinder Dimensions"));
    SineDiag = make("SineDiag", QStringLiteral("&SineDiagram"), QStringLiteral("View Sine Diagram"));
    OvalDiag = make("OvalDiag", QStringLiteral("&OvalDiagram"), QStringLiteral("View Oval Diagram"));
    SteamDiag = make("SteamDiag", QStringLiteral("S&teamDiagram"),
                     QStringLiteral("View Steam Diagram"));
    FourEvents = make("FourEvents", QStringLiteral("&PortOpenClose"),
                      QStringLiteral("View Port Events vs Reverse Arm Position"));
    SavePicture = makeSavePictureAction(this);
    PrintPicture = makePrintAction(this);
    DrawLines1 = make("DrawLines1", QStringLiteral("&DrawLinesCircles"),
                      QStringLiteral("Draw Lines and Circles"));
    DrawLines1->setEnabled(false);  // lines are laid from the reference points

    connect(RevArmPos, &QAction::triggered, motion_, &MotionPanel::RevArmPosClick);
    connect(DriverAng, &QAction::triggered, motion_, &MotionPanel::DriverAngClick);
    connect(StepAng1, &QAction::triggered, motion_, &MotionPanel::StepAng1Click);
    connect(FindRevArmCent, &QAction::triggered, motion_, &MotionPanel::FindRevArmCentClick);
    connect(SetLineWidth, &QAction::triggered, this, &TMainForm::SetLineWidthClick);
    connect(FitToWindow, &QAction::triggered, this, &TMainForm::FitToWindowClick);
    connect(LargeFont, &QAction::triggered, this, &TMainForm::LargeFontClick);
    connect(ErieTriplex1, &QAction::triggered, this, &TMainForm::ErieTriplex1Click);
    connect(SetBeepOnError, &QAction::triggered, this, &TMainForm::SetBeepOnErrorClick);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(SetSteam, &QAction::triggered, this, &TMainForm::SetSteamClick);
    connect(SetScreenData, &QAction::triggered, this, &TMainForm::SetScreenDataClick);
    connect(SetPivotData, &QAction::triggered, this, &TMainForm::SetPivotDataClick);
    connect(OpenDimensions, &QAction::triggered, this, &TMainForm::OpenDimensionsClick);
    connect(OpenDosVersionDim, &QAction::triggered, this, &TMainForm::OpenDosVersionDimClick);
    connect(SaveAsDimensions, &QAction::triggered, this, &TMainForm::SaveAsDimensionsClick);
    connect(SaveDimensions, &QAction::triggered, this, &TMainForm::SaveDimensionsClick);
    connect(ResetAll, &QAction::triggered, this, &TMainForm::ResetAllClick);
    connect(FrameDim, &QAction::triggered, this, &TMainForm::FrameDimClick);
    connect(CylDim, &QAction::triggered, this, &TMainForm::CylDimClick);
    connect(SineDiag, &QAction::triggered, this, &TMainForm::SineDiagClick);
    connect(OvalDiag, &QAction::triggered, this, &TMainForm::OvalDiagClick);
    connect(SteamDiag, &QAction::triggered, this, &TMainForm::SteamDiagClick);
    connect(FourEvents, &QAction::triggered, this, &TMainForm::FourEventsClick);
    connect(SavePicture, &QAction::triggered, this,
            [this] { savePictureWithDialog(this, pictureSource()); });
    connect(PrintPicture, &QAction::triggered, this,
            [this] { printPictureWithDialog(this, pictureSource()); });
    connect(DrawLines1, &QAction::triggered, this, &TMainForm::DrawLines1Click);
    // The platform's undo key does what the UnDo button does, shown or not.
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, dynVars_, &DynVarPanel::undoOnce);
    connect(SetPanZoom, &QAction::triggered, viewPanel_, &ViewPanel::SetPanZoomClick);
    connect(RefPoints, &QAction::triggered, viewPanel_, &ViewPanel::RefPointsClick);
    connect(RefPoints1, &QAction::triggered, viewPanel_, &ViewPanel::RefPoints1Click);
    connect(SetGraphicZoom, &QAction::triggered, viewPanel_, &ViewPanel::SetGraphicZoomClick);
    connect(viewPanel_, &ViewPanel::panZoomCaptionChanged, SetPanZoom, &QAction::setText);
    // Without reference points there are no pivot data, and no table to open.
    connect(viewPanel_, &ViewPanel::refPointsSwitched, this,
            [this] { DataTableBut->setVisible(model_.screen.PivotDataOn != 0); });
    connect(viewPanel_, &ViewPanel::refPointsSwitched, DrawLines1, &QAction::setEnabled);
}

void TMainForm::createMenusAndToolBar() {
    menuBar()->addAction(Exit1);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File"));
    for (QAction* a : {OpenDimensions, OpenDosVersionDim, SaveDimensions, SaveAsDimensions})
        file->addAction(a);
    RecentMenu = file->addMenu(QStringLiteral("&Recent Designs"));
    RecentMenu->setObjectName(QStringLiteral("RecentDesigns"));
    connect(RecentMenu, &QMenu::aboutToShow, this, &TMainForm::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    file->addAction(SavePicture);
    file->addAction(PrintPicture);
    QMenu* dims = menuBar()->addMenu(QStringLiteral("&Dimensions"));
    dims->setObjectName(QStringLiteral("Dimensions"));
    dims->addAction(FrameDim);
    dims->addAction(CylDim);
    dims->addSeparator();
    dims->addAction(ResetAll);
    QMenu* setUp = menuBar()->addMenu(QStringLiteral("&SetUp"));
    setUp->setObjectName(QStringLiteral("SetUp"));
    for (QAction* a : {RevArmPos, DriverAng, StepAng1, FindRevArmCent}) setUp->addAction(a);
    setUp->addSeparator();
    for (QAction* a : {SetLineWidth, LargeFont, ErieTriplex1, SetBeepOnError}) setUp->addAction(a);
    setUp->addSeparator();
    for (QAction* a : {SetSteam, SetScreenData, SetPivotData}) setUp->addAction(a);
    setUp->addSeparator();
    for (QAction* a : {SetPanZoom, RefPoints1, SetGraphicZoom}) setUp->addAction(a);
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    viewMenu->setObjectName(QStringLiteral("View"));
    viewMenu->addAction(FitToWindow);
    QMenu* graphs = menuBar()->addMenu(QStringLiteral("Draw&Graphs"));
    graphs->setObjectName(QStringLiteral("DrawGraphs"));
    for (QAction* a : {SineDiag, OvalDiag, SteamDiag, FourEvents}) graphs->addAction(a);
    menuBar()->addAction(RefPoints);
    menuBar()->addAction(DrawLines1);
    menuBar()->addAction(dynVars_->DynamicVariables);
    menuBar()->addAction(dynVars_->SetUnDo);
    menuBar()->addAction(Error);
    // Last on the bar; the instruction windows read their files as it is made.
    helpMenu_ = new HelpMenu(menuBar(), this);

    QToolBar* tools = ToolBar1 = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setMovable(false);
    // Short texts stand in for the tool buttons' pictures; the hints say the rest.
    const std::pair<QAction*, const char*> buttons[] = {
        {OpenDimensions, "Open"}, {SaveAsDimensions, "Save"}, {FrameDim, "Frame"},
        {CylDim, "Cyl"},
        {RevArmPos, "RevArm"}, {DriverAng, "Angle"}, {StepAng1, "Step"}, {FindRevArmCent, "Mid"},
        {SetSteam, "Steam"}, {RefPoints, "RefPts"}, {DrawLines1, "Lines"},
        {SetPivotData, "Pivots"},
        {SineDiag, "SineDia"}, {OvalDiag, "OvalDia"}, {SteamDiag, "SteamDia"}, {FourEvents, "Ports"}};
    for (const auto& [action, text] : buttons) {
        QAction* b = tools->addAction(QString::fromLatin1(text));
        b->setObjectName(action->objectName() + QStringLiteral("Tool"));
        b->setToolTip(action->toolTip());
        b->setStatusTip(action->statusTip());
        connect(b, &QAction::triggered, action, &QAction::trigger);
        if (action == DrawLines1) {
            b->setEnabled(false);
            connect(action, &QAction::enabledChanged, b, &QAction::setEnabled);
        }
    }
    tools->addAction(dynVars_->DynamicVariablesTool);
    tools->addAction(dynVars_->SetUnDoTool);
    // The design windows; an applied equaliser result leaves the gear as a dimension
    // dialog's Close does.
    design_ = new DesignMenu(model_, {[this] {
                                          motion_->revArmBarToMiddle();
                                          dynVars_->followDesign();
                                      },
                                      [this] { return document_.path(); }},
                             this);
    design_->addTo(menuBar(), tools);
    // Qt's buttons for what a narrow window cannot show have no names of their own.
    if (auto* more = tools->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More tools"));
    if (auto* more = menuBar()->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menus"));
}

void TMainForm::createFramePanels() {
    // Thin frames that group the controls on the frame: the three rows of the motion
    // band, the view buttons, the pan and zoom bars, and the edge of the value panel.
    // They go and come with the screen data.
    const std::pair<const char*, QRect> frames[] = {
        {"Panel1", {0, 0, 143, 41}},   {"Panel2", {0, 40, 143, 41}},
        {"Panel3", {0, 80, 143, 41}},  {"Panel4", {197, 0, 280, 24}},
        {"Panel10", {245, 22, 212, 47}}, {"Panel12", {454, 22, 3, 50}}};
    for (const auto& [name, place] : frames) {
        QFrame* f = makeFramePanel(view_, name, place.width() <= 3 ? QFrame::VLine : QFrame::Box,
                                   place);
        f->lower();  // under the controls it frames
        f->show();
    }
}

void TMainForm::createTimer() {
    // One shot per tick, armed for the time left until the next tick is due (TickSchedule).
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::onTimer);
    clock_.start();
    Timer1->start(pace_.start(clock_.nsecsElapsed()));
}

void TMainForm::onTimer() {
    Timer1Timer();
    Timer1->start(pace_.delayAfterTickMs(clock_.nsecsElapsed()));
}

QSize TMainForm::sizeHint() const {
    // Room for every control of the small-font layout; the large one spreads them wider.
    return sizeInLayout({1000, 760}, model_.screen.text);
}

void TMainForm::placeWindow() {
    setMinimumSize(660, 500);
    resize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(width(), avail.width()), std::min(height(), avail.height()));
        move(avail.center() - rect().center());
    }
}

void TMainForm::growToLayout() {
    // Never smaller than the user made it; no larger than the screen, and kept on it.
    QSize wanted = size().expandedTo(sizeHint());
    const QScreen* s = screen();
    const QRect avail = s ? s->availableGeometry() : QRect();
    if (avail.isValid()) wanted = wanted.boundedTo(avail.size());
    if (wanted == size()) return;
    resize(wanted);
    if (avail.isValid() && !avail.contains(frameGeometry()))
        move(std::max(avail.left(), std::min(x(), avail.right() + 1 - frameGeometry().width())),
             std::max(avail.top(), std::min(y(), avail.bottom() + 1 - frameGeometry().height())));
}

DimensionDialogHost TMainForm::dimensionDialogHost() {
    return {[this] { motion_->setRevArmRange(); }, [this] { motion_->revArmBarToMiddle(); },
            [this] { dynVars_->followDesign(); }};
}

namespace {

// A dimension dialog may be asked for while it is open already: the user opened it
// again from the menu during a dimension graphic, whose end then asks for it too. A
// second modal run of the same dialog is refused by Qt; bring the open one forward.
void runOnce(QDialog* dialog) {
    if (dialog->isVisible()) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    dialog->exec();
}

}  // namespace

void TMainForm::FrameDimClick() {
    if (!FrameDi) FrameDi = new TFrameDi(model_, dimensionDialogHost(), this);
    runOnce(FrameDi);
}

void TMainForm::CylDimClick() {
    if (!CylDimen) CylDimen = new TCylDimen(model_, dimensionDialogHost(), this);
    runOnce(CylDimen);
}

void TMainForm::createDiagramWindows() {
    // Made once, hidden, in the program's start-up order, and kept for the whole run.
    SetRevArm = new TSetRevArm(model_, this);
    OvalDia = new TOvalDia(model_, diagramHost(), SetRevArm, this);
    PortDia = new TPortDia(model_, diagramHost(), this);
    SineDia = new TSineDia(model_, diagramHost(), SetRevArm, this);
    SteamDia = new TSteamDia(model_, diagramHost(), SetRevArm, this);
}

DiagramHost TMainForm::diagramHost() {
    return {[this](bool running) { setTimerRunning(running); },
            [this] { dynVars_->followDesign(); },
            [this](const std::string& prefix) {
                return frameCaption(prefix, model_.DimSetName, captionDate_, captionTime_);
            }};
}

void TMainForm::setTimerRunning(bool running) {
    if (!running) {
        Timer1->stop();
        return;
    }
    // The pace starts afresh: the time the diagram was open is not owed as ticks.
    if (!Timer1->isActive()) Timer1->start(pace_.start(clock_.nsecsElapsed()));
}

void TMainForm::SineDiagClick() { SineDia->exec(); }
void TMainForm::OvalDiagClick() { OvalDia->exec(); }
void TMainForm::SteamDiagClick() { SteamDia->exec(); }

void TMainForm::FourEventsClick() {
    // The port window always opens on the forward graph.
    model_.diagrams.PortDiaMode = 'F';
    PortDia->exec();
}

PictureSource TMainForm::pictureSource() {
    // The frame drawn once more from copies of the model and of the random numbers, so
    // that the animation, the steam and the blinking go on as if nothing was saved.
    auto drawn = [this](bool drawingOnly) {
        return [this, drawingOnly](Canvas& canvas) {
            GearModel copy = model_;
            Random random = random_;
            RunFrame(copy, canvas, random, FrameOptions{.drawingOnly = drawingOnly});
        };
    };
    return {FrameWidth, FrameHeight, drawn(false), model_.DimSetName, drawn(true)};
}

std::string TMainForm::savePictureTo(const std::string& path) {
    const PictureSource p = pictureSource();
    return savePicture(path, p.width, p.height, p.draw);
}

QString TMainForm::printTo(QPrinter& printer) { return printPicture(printer, pictureSource()); }

void TMainForm::dialogRequest(DialogRequest request) {
    switch (request) {
        case DialogRequest::None: break;
        case DialogRequest::CloseFrameDialog:
            if (FrameDi) FrameDi->closeForGraphic();
            break;
        case DialogRequest::CloseCylinderDialog:
            if (CylDimen) CylDimen->closeForGraphic();
            break;
        // Opened from the event loop, not from inside this tick: a modal dialog runs its
        // own loop, and the tick must return first.
        case DialogRequest::ShowFrameDialog:
            QTimer::singleShot(0, this, &TMainForm::FrameDimClick);
            break;
        case DialogRequest::ShowCylinderDialog:
            QTimer::singleShot(0, this, &TMainForm::CylDimClick);
            break;
    }
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) motion_->FormActivate();
    QMainWindow::changeEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!maySetDesignAside()) {
        event->ignore();
        return;
    }
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
    captionDate_ = shortDateText();
    captionTime_ = longTimeText();
    // "[*]": the platform shows there that the design has unsaved changes.
    setWindowTitle(
        qs(frameCaption(caption::MainWindow, model_.DimSetName, captionDate_, captionTime_)) +
        QStringLiteral("[*]"));
    // The pivot data table stays open while the gear turns; shown or hidden, its caption
    // follows the frame as the main window's does.
    dataTable_->setWindowTitle(
        qs(frameCaption(caption::DataTable, model_.DimSetName, captionDate_, captionTime_)));
    // The unsaved mark follows with the clock: comparing the design with its file on
    // every tick would cost the animation for a mark a second late does no harm. Saving
    // and opening set it at once.
    setWindowModified(designModified());
}

FrameRequestTargets TMainForm::requestTargets() {
    // The UnDo button, the dynamic-variable bars and the dimension dialogs each fill
    // their hook here once their panels exist.
    return {sound_, *Error,
            [this](std::optional<int> top) {
                // The button stands at its line of the frame, wherever the frame is shown.
                if (top) top = placeOnScaledPicture(QRect(0, *top, 1, 1), view_->fit().scale).y();
                dynVars_->placeUndoButton(top);
            },
            [this](const std::array<bool, 5>& enabled) { dynVars_->setBarsEnabled(enabled); },
            [this](DialogRequest r) { dialogRequest(r); },
            [this](const QRect& area) { view_->keepControlsOff(area); }};
}

void TMainForm::Timer1Timer() {
    FrameRequests requests;
    QRegion inked, changed;
    // Scaled, the frame is painted from its drawing steps where its pixels changed.
    const bool keepSteps = view_->paintsFromSteps();
    RecordingCanvas steps(FrameWidth, FrameHeight);
    {
        QtCanvas canvas(frame_);
        // The frame is white wherever the last tick drew nothing; what the clear covers
        // is kept to tell which squares this tick really changed.
        canvas.assumeCleared(colors::White, lastInked_, &keptFromLastFrame_);
        if (keepSteps) {
            TeeCanvas both(canvas, steps);
            requests = runTick(model_, both, random_);
        } else {
            requests = runTick(model_, canvas, random_);
        }
        inked = canvas.inkedRegion();
        changed = canvas.changedRegion();
    }
    applyFrameRequests(requests, requestTargets());
    if (requests.defaultPointer) view_->unsetCursor();
    refreshCaption();
    // Only the squares whose pixels differ travel to the display; most of the frame,
    // white or drawn the same as the tick before, stays as it is on the screen.
    view_->showTick(changed, steps.items());
    lastInked_ = inked;
}

void TMainForm::SetLineWidthClick() {
    model_.screen.LineWidth = model_.screen.LineWidth == 1 ? 2 : 1;
    // The item offers the other width.
    SetLineWidth->setText(model_.screen.LineWidth == 1 ? QStringLiteral("Set&LineWidth 2")
                                                       : QStringLiteral("Set&LineWidth 1"));
}

void TMainForm::LargeFontClick() {
    model_.screen.text = model_.screen.text.isLarge() ? TextScale::small() : TextScale::large();
    LargeFont->setText(model_.screen.text.isLarge() ? QStringLiteral("SetSmall&Font")
                                                    : QStringLiteral("SetLarge&Font"));
    placeFrameControls();
    growToLayout();
}

void TMainForm::placeFrameControls() {
    // The controls go with the texts they stand among.
    followTextScale(view_, model_.screen.text, view_->fit().scale);
}

void TMainForm::FitToWindowClick(bool on) {
    QSettings().setValue(QString::fromLatin1(FitToWindowKey), on);
    view_->setFitToWindow(on);
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

void TMainForm::SetSteamClick() {
    model_.SteamDisplayOn = model_.SteamDisplayOn ? 0 : 1;
    SetSteam->setText(model_.SteamDisplayOn ? QStringLiteral("SetS&teamDisp Off")
                                            : QStringLiteral("SetS&teamDisp On"));
}

void TMainForm::showControls(const QStringList& names, bool visible) {
    for (const QString& name : names) {
        QWidget* w = view_->findChild<QWidget*>(name);
        Q_ASSERT_X(w, "showControls", qPrintable(name));
        if (w) w->setVisible(visible);
    }
}

namespace {

// The controls on the frame that go with the screen data, in the groups the switch
// treats alike. The reference-point controls and the dynamic-variable bars are hidden
// with the screen data but come back only with their own features.
const QStringList& motionAndViewControls() {
    static const QStringList names = {
        QStringLiteral("Panel1"), QStringLiteral("Panel2"), QStringLiteral("Panel3"),
        QStringLiteral("Panel4"), QStringLiteral("Panel10"), QStringLiteral("Panel12"),
        QStringLiteral("Rev"),    QStringLiteral("Center"), QStringLiteral("Fwd"),
        QStringLiteral("Deg180"), QStringLiteral("Run"),    QStringLiteral("Deg00"),
        QStringLiteral("Step1"),  QStringLiteral("Step10"), QStringLiteral("Step45"),
        QStringLiteral("SBRevArm"), QStringLiteral("SBDrvAng"), QStringLiteral("SBStepAng")};
    return names;
}

}  // namespace

void TMainForm::SetScreenDataClick() {
    const bool on = !model_.screen.ScreenDataOn;
    setScreenDataOn(model_, on);
    SetScreenData->setText(on ? QStringLiteral("SetScree&nData Off")
                              : QStringLiteral("SetScree&nData On"));
    showControls(motionAndViewControls(), on);
    // Off hides the bars with their feature; on brings back only the lower frame line.
    dynVars_->followDesign();
    viewPanel_->showScreenDataControls(on);
    if (on) showControls({QStringLiteral("Panel9")}, true);
    for (QAction* a : {DriverAng, FindRevArmCent, SetPivotData, dynVars_->DynamicVariables,
                       dynVars_->SetUnDo, dynVars_->DynamicVariablesTool, dynVars_->SetUnDoTool,
                       RefPoints})
        a->setEnabled(on);
    RefPoints1->setVisible(on);
    SetPanZoom->setEnabled(!on);
    ToolBar1->setVisible(on);
    if (!on) DataTableBut->hide();
    if (!on) DrawLines1->setEnabled(false);  // the reference points went off with the data
}

void TMainForm::SetPivotDataClick() {
    // Pivots are picked with the reference points: they come on with the pivot data.
    if (togglePivotData(model_)) viewPanel_->RefPointsClick();
    DataTableBut->setVisible(model_.screen.PivotDataOn != 0);
}

void TMainForm::DataTableButClick() { dataTable_->exec(); }

void TMainForm::DrawLines1Click() {
    // Nothing to lay a line from yet: a warning, but the dialog opens all the same.
    if (referencePointsUnset(model_)) Sound::beep();
    showDrawLines();
}

void TMainForm::showDrawLines() {
    if (!DrawLines->isVisible()) DrawLines->exec();
}

void TMainForm::FormMouseDown(Qt::MouseButton button, QPoint at) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    const MouseDownResult placed = quarn::FormMouseDown(
        model_, button == Qt::LeftButton ? MouseButton::Left : MouseButton::Right, at.x(), at.y());
    viewPanel_->refPointsPlaced(placed);
    // Opened from the event loop: the click that picked the pivots must end first.
    if (placed.openOverlayDialog) QTimer::singleShot(0, this, &TMainForm::showDrawLines);
    // A dimension graphic on show ends at the next frame.
    endDimensionGraphicOnClick(model_);
}

}  // namespace quarn
