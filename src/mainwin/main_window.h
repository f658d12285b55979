// The main window: the animated gear with the panels of controls on it, the timer that
// drives it, the menus and the tool bar.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QMainWindow>
#include <string>
#include <vector>

#include "dims/file_layout.h"
#include "drawing/random.h"
#include "mainwin/design_document.h"
#include "mainwin/frame_requests.h"
#include "mainwin/tick_pace.h"
#include "model/gear_model.h"
#include "platform/sound.h"

class QAction;
class QMenu;
class QPrinter;
class QPushButton;
class QTimer;
class QToolBar;

namespace quarn {

struct DimensionDialogHost;
class TFrameDi;
class TCylDimen;

class FrameView;
class MotionPanel;
class DynVarPanel;
class ViewPanel;
class TDataTable;
class TSetRevArm;
class TSineDia;
class TOvalDia;
class TSteamDia;
class TPortDia;
struct DiagramHost;
struct PictureSource;
class TDrawLines;
class HelpMenu;
class DesignMenu;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // main() has set up the model's start state and mid gear before the window is made.
    explicit TMainForm(GearModel& model, QWidget* parent = nullptr);
    ~TMainForm() override;

    GearModel& model() { return model_; }
    const QImage& frameImage() const { return frame_; }
    const Sound& sound() const { return sound_; }

    // One tick: solve, advance the driver, draw the frame and apply what it asks for.
    // Timer1 calls it at the program's pace; tests call it by hand with Timer1 stopped.
    void Timer1Timer();

    // Opens a design file by name (a DOS file by its .qgk ending) and brings the
    // controls into line; a failure is shown in an error box and changes nothing.
    bool openDesign(const std::string& path);
    // Whether the design differs from its file (or from the nominal gear, without one).
    bool designModified() const { return document_.modified(model_); }
    // Saves the design under a name; a failure is shown in an error box and the old
    // file stays as it was.
    bool saveDesign(const std::string& path);

    // The current frame drawn afresh into a file (PNG, SVG or PDF by its ending) or
    // onto a printer's page, leaving the animation as it was. "" or an error message.
    std::string savePictureTo(const std::string& path);
    QString printTo(QPrinter& printer);

    // The size the window takes where the screen has room: the whole band of controls
    // in view, in the text layout the font switch chose.
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenusAndToolBar();
    void createFramePanels();
    void createTimer();
    void onTimer();
    void placeWindow();
    // After a change of the text layout: the window large enough for its controls.
    void growToLayout();
    void refreshCaption();
    FrameRequestTargets requestTargets();

    // Handlers of the window's own menu items, named as the program always named them.
    void SetLineWidthClick();
    // Fit to Window: the frame scaled to fill the drawing area, or at 1:1.
    void FitToWindowClick(bool on);
    // The controls lying on the frame move to the frame's layout and scale.
    void placeFrameControls();
    void LargeFontClick();
    void ErieTriplex1Click();
    void SetBeepOnErrorClick();
    void Exit1Click();
    void SetSteamClick();
    void SetScreenDataClick();
    void SetPivotDataClick();
    void DataTableButClick();
    void DrawLines1Click();
    // The lines-and-circles dialog, shown without the menu's beep (after a pick).
    void showDrawLines();
    // After a dimension file (not a DOS one) has been read: the overlay rows follow it.
    void followLoadedOverlay();
    void OpenDimensionsClick();
    void OpenDosVersionDimClick();
    void SaveAsDimensionsClick();
    void SaveDimensionsClick();
    void ResetAllClick();
    // A changed design is about to be replaced or closed: asks whether to save it
    // first. False when the user cancels (or a save fails): nothing must happen then.
    bool maySetDesignAside();
    // The File menu's recent designs, each opening its file; read afresh whenever the
    // menu opens, so that another running copy's saves show too.
    void fillRecentMenu();
    void openRecent(const QString& path);
    // A design that came from a file (or was saved to one) is the clean state from now.
    void cameFromFile(const std::string& path, bool writable);
    void FrameDimClick();
    void CylDimClick();
    void SineDiagClick();
    void OvalDiagClick();
    void SteamDiagClick();
    void FourEventsClick();
    void createDiagramWindows();
    DiagramHost diagramHost();
    // Timer1 stopped while a diagram window is open, started again when it closes.
    void setTimerRunning(bool running);
    PictureSource pictureSource();
    // The dimension graphic closes a dimension dialog and opens it again afterwards.
    void dialogRequest(DialogRequest request);
    DimensionDialogHost dimensionDialogHost();
    // After a design has been read: the controls follow it, or the error is shown.
    bool followLoadedDesign(const FileResult& result);
    // A new design is in the model: the bars and panels come into line with it.
    void followDesign();
    void FormMouseDown(Qt::MouseButton button, QPoint at);

    // Shows or hides the named controls of the frame; every name must be a control.
    void showControls(const QStringList& names, bool visible);

    GearModel& model_;
    Sound sound_;
    Random random_;
    QImage frame_;
    FrameView* view_ = nullptr;
    MotionPanel* motion_ = nullptr;
    DynVarPanel* dynVars_ = nullptr;
    ViewPanel* viewPanel_ = nullptr;
    QTimer* Timer1 = nullptr;
    QElapsedTimer clock_;
    TickSchedule pace_;

    QAction* RevArmPos = nullptr;
    QAction* DriverAng = nullptr;
    QAction* StepAng1 = nullptr;
    QAction* FindRevArmCent = nullptr;
    QAction* SetLineWidth = nullptr;
    QAction* LargeFont = nullptr;
    QAction* ErieTriplex1 = nullptr;
    QAction* SetBeepOnError = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Error = nullptr;  // shown by the frame while the gear cannot be solved
    QAction* SetSteam = nullptr;
    QAction* SetScreenData = nullptr;
    QAction* SetPivotData = nullptr;
    QAction* SetPanZoom = nullptr;
    QAction* RefPoints = nullptr;
    QAction* RefPoints1 = nullptr;
    QAction* SetGraphicZoom = nullptr;
    QAction* FitToWindow = nullptr;
    QAction* OpenDimensions = nullptr;
    QAction* OpenDosVersionDim = nullptr;
    QAction* SaveAsDimensions = nullptr;
    QAction* SaveDimensions = nullptr;
    QMenu* RecentMenu = nullptr;
    QAction* ResetAll = nullptr;
    QAction* FrameDim = nullptr;
    QAction* CylDim = nullptr;
    QAction* SineDiag = nullptr;
    QAction* OvalDiag = nullptr;
    QAction* SteamDiag = nullptr;
    QAction* FourEvents = nullptr;
    QAction* SavePicture = nullptr;
    QAction* PrintPicture = nullptr;
    TFrameDi* FrameDi = nullptr;
    TCylDimen* CylDimen = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QPushButton* DataTableBut = nullptr;
    TDataTable* dataTable_ = nullptr;
    TSetRevArm* SetRevArm = nullptr;
    TOvalDia* OvalDia = nullptr;
    TPortDia* PortDia = nullptr;
    TSineDia* SineDia = nullptr;
    TSteamDia* SteamDia = nullptr;
    QAction* DrawLines1 = nullptr;
    TDrawLines* DrawLines = nullptr;
    HelpMenu* helpMenu_ = nullptr;
    DesignMenu* design_ = nullptr;

    DesignDocument document_;
    RecentDesigns recent_;
    qint64 lastCaptionSecond_ = -1;
    QRegion lastInked_;  // what the previous frame drew
    std::vector<QRgb> keptFromLastFrame_;  // lent to each tick's canvas
    std::string captionSetName_;
    // The date and time of the caption written last; a diagram window opened while the
    // timer is stopped shows them.
    std::string captionDate_;
    std::string captionTime_;
};

}  // namespace quarn
