// What the four diagram windows share: a modal tool window with a white picture (drawn
// at its reference size, shown filling the window as the user sizes it), the Close button, four dynamic-variable bars that drive the same slots as
// the main window's, an UnDo button, the menu bar, and saving and printing the picture.
// The picture is drawn on demand into a backing image; painting only copies it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <array>
#include <string>

#include "canvas/recording_canvas.h"
#include "diagrams/diagram_host.h"
#include "drawing/diagrams/diagrams.h"
#include "model/gear_model.h"
#include "platform/picture_actions.h"

class QAction;
class QMenuBar;
class QPrinter;
class QPushButton;

namespace quarn {

class DynVarBar;
class TSetRevArm;
class PicturePane;

// A menu item's object name and caption.
struct MenuItemName {
    const char* name = nullptr;  // nullptr: the window has no such item
    const char* caption = nullptr;
};

// How one diagram window differs from the others: names, sizes and its drawing.
struct DiagramWindowLayout {
    const char* name;           // TSineDia, ...
    const char* captionPrefix;  // "QUARN Inside Admission      Sine Diagram    ", ...
    int height;                 // the picture's height; all are DiagramWidth wide (both
                                // in the small-font layout; the large one is larger)
    const char* closeName;      // CloseSin, ...
    QPoint closeAt;
    const char* barPrefix;      // SBDynVarS: the bars are SBDynVarS1..SBDynVarS4
    const char* undoButtonName;  // UnDoDnS, ...
    const char* menuBarName;    // MainMenuSine, MainMenu1
    MenuItemName setRevArmPos, reDraw, unDo, dynVar;
    bool asksPositions;  // opening shows the position dialog first
    DiagramRequests (*draw)(GearModel&, Canvas&);
};

class DiagramWindow : public QDialog {
    Q_OBJECT
public:
    DiagramWindow(const DiagramWindowLayout& layout, GearModel& model, DiagramHost host,
                  TSetRevArm* setRevArm, QWidget* parent);
    ~DiagramWindow() override;

    // The picture at its reference size, pixel for pixel.
    const QImage& picture() const { return image_; }
    // The picture as the window shows it: at the window's size and the screen's device
    // pixels, painted from the same drawing steps (the reference picture when the two
    // are the same).
    const QImage& shownPicture() const;
    QMenuBar* menu() const { return menuBar_; }

    // The picture drawn afresh into a file (PNG, SVG or PDF by its ending) or onto a
    // printer's page; the program's state is left as it was. "" or an error message.
    std::string savePictureTo(const std::string& path);
    QString printTo(QPrinter& printer);

    // Opens the window modally, with FormActivate's steps as it comes up.
    int exec() override;
    // Opening: the main window's timer stops, the position dialog comes first where the
    // diagram draws the list, then the picture is drawn.
    void FormActivate();

    // Clears the picture to white, then draws it.
    void refresh();
    // Draws over the picture as it stands. The port window draws both graphs afresh.
    virtual void draw();

protected:
    void done(int result) override;

    // Mouse moves over the picture: the redraw owed after the position dialog closed.
    void FormMouseMove();
    // The menu items and buttons, by what they do (each window names them its own way:
    // CloseSinClick, UnDoDnOClick, DynamicVari1Click, ...).
    void CloseClick();
    void SetRevArmPosClick();
    void ReDrawClick();
    void UnDoMenuClick();
    void DynVarMenuClick();
    void UnDoDnClick();
    // Bar k (1..4): its change, the end of a gesture on it, and its taking the focus.
    void SBDynVarChange(int k);
    void SBDynVarScroll(int k);
    void SBDynVarEnter(int k);

    // The two halves of every redraw: the picture cleared to white, and the diagram
    // drawn over it with the requests of its end applied.
    void clearPicture();
    void paintPicture();

    // Draws the picture on `canvas` with the window's drawing: the model given, not
    // necessarily the program's.
    DiagramRequests drawOn(GearModel& m, Canvas& canvas) const;
    void applyRequests(const DiagramRequests& r);

    GearModel& model_;
    DiagramHost host_;

private:
    void createControls();
    void createMenu();
    // The picture's size in the text layout the main window's font switch chose.
    QSize pictureSize() const;
    // The picture and the controls brought into that layout.
    void followTextLayout();
    // TSetRevArm, modal over this window.
    void showPositionDialog();
    // The picture for saving and printing, drawn from a copy of the model.
    PictureSource pictureSource();

    const DiagramWindowLayout& layout_;
    TSetRevArm* setRevArm_;
    QImage image_;
    RecordingCanvas drawn_;  // the steps drawn on image_ since it was last cleared
    PicturePane* surface_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    std::array<DynVarBar*, 5> bars_{};  // entry 0 unused
    bool closed_ = false;               // closed since the last opening began
};

}  // namespace quarn
