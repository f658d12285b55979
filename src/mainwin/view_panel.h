// The view band of the main window: the pan and zoom bars, "Norm", the presets, the
// reference-point bars and buttons, and the two view dialogs.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "model/gear_model.h"
#include "model/pointer.h"
#include "model/view_control.h"

class QFrame;
class QPushButton;
class QScrollBar;
class QWidget;

namespace quarn {

class TGraphZoom;
class TRefPnts;

class ViewPanel : public QObject {
    Q_OBJECT
public:
    // The controls are made on `area` at their places in the band; the panel is the
    // area's child too.
    ViewPanel(GearModel& model, QWidget* area);

    // The menu and tool-button commands of the view, by the program's names.
    void SetPanZoomClick();
    void RefPointsClick();
    void RefPoints1Click();      // the reference-points dialog
    void SetGraphicZoomClick();  // the graphic zoom dialog

    // The mouse on the drawing, as the bars would move the view: the wheel zooms about
    // the pointer by page clicks of the zoom bar, a middle-button drag pans with it.
    void zoomAtPointer(QPoint at, double notches);
    void panWithPointer(QPoint by);

    // A click on the drawing placed reference points: their zero buttons follow.
    void refPointsPlaced(const MouseDownResult& placed);
    // The screen data were switched: the band's controls go with them. The reference
    // controls come back only with the reference points.
    void showScreenDataControls(bool on);
    // The model changed behind the panel (a design file, the screen-data command):
    // the buttons show its flags again.
    void followModel();

    TRefPnts* refPointsDialog() const { return TRefPntsDialog; }
    TGraphZoom* graphicZoomDialog() const { return TGraphZoomDialog; }

signals:
    // The main window's own items follow: the lines-and-circles command and tool
    // button, and the data-table button that goes away with the reference points.
    void refPointsSwitched(bool on);
    // The pan/zoom menu item shows what its next use does.
    void panZoomCaptionChanged(const QString& caption);

private:
    void createControls(QWidget* area);
    void createReferenceControls(QWidget* area);
    void connectControls();

    // Handlers, named as the program always named them.
    void SBPanVertChange();
    void SBPanHorzChange();
    void SBZoomChange();
    void NormVHZClick();
    void Preset0Click();
    void Preset1Click();
    void Preset2Click();
    void Preset3Click();
    void Preset4Click();
    void Preset5Click();
    void Preset6Click();
    void RefPt1Click();
    void RefPt2Click();
    void SBRef1VertChange();
    void SBRef1HorzChange();
    void SBRef2VertChange();
    void SBRef2HorzChange();
    void RefPt1ZeroClick();
    void RefPt2ZeroClick();

    void presetClick(int k);
    void panToPoint(int point);
    void nudge(QScrollBar* bar, int point, RefAxis axis);
    void zeroPoint(int point, QScrollBar* vert, QScrollBar* horz);
    // A relative bar has been acted on: it springs back to rest, which reports once more.
    static void springBack(QScrollBar* bar);
    void mirror();

    GearModel& model_;
    QScrollBar* SBPanVert = nullptr;
    QScrollBar* SBPanHorz = nullptr;
    QScrollBar* SBZoom = nullptr;
    QPushButton* NormVHZ = nullptr;
    QPushButton* Preset0 = nullptr;
    QPushButton* Presets[ViewPresetSlots] = {};  // 1..6; entry 0 is "P"
    QPushButton* RefPt1 = nullptr;
    QPushButton* RefPt2 = nullptr;
    QFrame* Panel5 = nullptr;
    QFrame* Panel6 = nullptr;
    QFrame* Panel11 = nullptr;
    QScrollBar* SBRef1Vert = nullptr;
    QScrollBar* SBRef1Horz = nullptr;
    QScrollBar* SBRef2Vert = nullptr;
    QScrollBar* SBRef2Horz = nullptr;
    QPushButton* RefPt1Zero = nullptr;
    QPushButton* RefPt2Zero = nullptr;
    TRefPnts* TRefPntsDialog = nullptr;
    TGraphZoom* TGraphZoomDialog = nullptr;
};

}  // namespace quarn
