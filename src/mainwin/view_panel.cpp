// The view band: its controls, their handlers and the two view dialogs.
#include "view_panel.h"

#include <QFrame>
#include <QPushButton>
#include <QScrollBar>

#include "mainwin/panel_controls.h"
#include "mainwin/view_dialogs.h"

namespace quarn {

ViewPanel::ViewPanel(GearModel& model, QWidget* area) : QObject(area), model_(model) {
    setObjectName(QStringLiteral("ViewPanel"));
    createControls(area);
    createReferenceControls(area);
    TRefPntsDialog = new TRefPnts(model_, area);
    TGraphZoomDialog = new TGraphZoom(model_, area);
    connectControls();
    mirror();
}

void ViewPanel::createControls(QWidget* area) {
    // Beside the motion band: the buttons in a row along the top, the three bars under
    // them to the right of their drawn captions "Pan Vert", "Pan Horz" and "Zoom".
    NormVHZ = makeButton(area, "NormVHZ", QStringLiteral("Norm"),
                         QStringLiteral("Return Pan & Zoom to Normal"), {199, 2, 36, 20});
    Preset0 = makeButton(area, "Preset0", QStringLiteral("P"),
                         QStringLiteral("Select First to Change Presets"), {237, 2, 22, 20});
    Presets[0] = Preset0;
    for (int k = 1; k < ViewPresetSlots; ++k) {
        const QByteArray name = "Preset" + QByteArray::number(k);
        Presets[k] = makeButton(area, name.constData(), QString::number(k),
                                QStringLiteral("Pan & Zoom to Preset %1").arg(k),
                                {261 + 24 * (k - 1), 2, 22, 20});
    }
    // A caption of one character says little aloud: a word goes with it.
    Preset0->setAccessibleName(QStringLiteral("Preset P"));
    for (int k = 1; k < ViewPresetSlots; ++k) Presets[k]->setAccessibleName(QStringLiteral("Preset %1").arg(k));
    RefPt1 = makeButton(area, "RefPt1", QStringLiteral("RP1"),
                        QStringLiteral("Pan to Ref Point 1"), {405, 2, 34, 20});
    RefPt2 = makeButton(area, "RefPt2", QStringLiteral("RP2"),
                        QStringLiteral("Pan to Ref Point 2"), {441, 2, 34, 20});
    const int page = PanZoomBarScale.largeStep;
    SBPanVert = makeRelativeBar(area, "SBPanVert", QStringLiteral("Pan Vertical"),
                                {247, 24, 208, 13}, PanBarLimit, page);
    SBPanHorz = makeRelativeBar(area, "SBPanHorz", QStringLiteral("Pan Horizontal"),
                                {247, 38, 208, 13}, PanBarLimit, page);
    SBZoom = makeRelativeBar(area, "SBZoom", QStringLiteral("Zoom In / Out"),
                             {247, 52, 208, 13}, ZoomBarLimit, page);
}

void ViewPanel::createReferenceControls(QWidget* area) {
    // Right of the value read-outs and above the drawing: the panels first, so that
    // the bars and buttons lie on them. Panel11 holds the group, Panel5 the controls
    // of point 1 and Panel6 those of point 2.
    Panel11 = makePanel(area, "Panel11", {660, 2, 240, 64});
    Panel5 = makePanel(area, "Panel5", {664, 6, 232, 27});
    Panel6 = makePanel(area, "Panel6", {664, 35, 232, 27});
    const int page = RefPointBarScale.largeStep;
    SBRef1Vert = makeRelativeBar(area, "SBRef1Vert", QStringLiteral("Change Ref Point 1 Vert"),
                                 {668, 8, 180, 11}, RefVertBarLimit, page);
    SBRef1Horz = makeRelativeBar(area, "SBRef1Horz", QStringLiteral("Change Ref Point 1 Horz"),
                                 {668, 20, 180, 11}, RefHorzBarLimit, page);
    RefPt1Zero = makeButton(area, "RefPt1Zero", QStringLiteral("0"),
                            QStringLiteral("Zero Reference Point 1"), {852, 8, 40, 23});
    SBRef2Vert = makeRelativeBar(area, "SBRef2Vert", QStringLiteral("Change Ref Point 2 Vert"),
                                 {668, 37, 180, 11}, RefVertBarLimit, page);
    SBRef2Horz = makeRelativeBar(area, "SBRef2Horz", QStringLiteral("Change Ref Point 2 Horz"),
                                 {668, 49, 180, 11}, RefHorzBarLimit, page);
    RefPt2Zero = makeButton(area, "RefPt2Zero", QStringLiteral("0"),
                            QStringLiteral("Zero Reference Point 2"), {852, 37, 40, 23});
    RefPt1Zero->setAccessibleName(QStringLiteral("0 Reference Point 1"));
    RefPt2Zero->setAccessibleName(QStringLiteral("0 Reference Point 2"));
    // Tab walks the band as it is read: the button row, the three bars, then each
    // reference point's bars and its zero button.
    QWidget* const tabOrder[] = {NormVHZ,    Preset0,    Presets[1], Presets[2], Presets[3],
                                 Presets[4], Presets[5], Presets[6], RefPt1,     RefPt2,
                                 SBPanVert,  SBPanHorz,  SBZoom,     SBRef1Vert, SBRef1Horz,
                                 RefPt1Zero, SBRef2Vert, SBRef2Horz, RefPt2Zero};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void ViewPanel::connectControls() {
    const std::pair<QScrollBar*, void (ViewPanel::*)()> bars[] = {
        {SBPanVert, &ViewPanel::SBPanVertChange},   {SBPanHorz, &ViewPanel::SBPanHorzChange},
        {SBZoom, &ViewPanel::SBZoomChange},         {SBRef1Vert, &ViewPanel::SBRef1VertChange},
        {SBRef1Horz, &ViewPanel::SBRef1HorzChange}, {SBRef2Vert, &ViewPanel::SBRef2VertChange},
        {SBRef2Horz, &ViewPanel::SBRef2HorzChange},
    };
    for (const auto& [bar, handler] : bars) connect(bar, &QScrollBar::valueChanged, this, handler);
    const std::pair<QPushButton*, void (ViewPanel::*)()> clicks[] = {
        {NormVHZ, &ViewPanel::NormVHZClick},       {Preset0, &ViewPanel::Preset0Click},
        {Presets[1], &ViewPanel::Preset1Click},    {Presets[2], &ViewPanel::Preset2Click},
        {Presets[3], &ViewPanel::Preset3Click},    {Presets[4], &ViewPanel::Preset4Click},
        {Presets[5], &ViewPanel::Preset5Click},    {Presets[6], &ViewPanel::Preset6Click},
        {RefPt1, &ViewPanel::RefPt1Click},         {RefPt2, &ViewPanel::RefPt2Click},
        {RefPt1Zero, &ViewPanel::RefPt1ZeroClick}, {RefPt2Zero, &ViewPanel::RefPt2ZeroClick},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, handler);
}

void ViewPanel::mirror() {
    const ViewState& v = model_.view;
    NormVHZ->setEnabled(v.NormVHZEnabled);
    Preset0->setEnabled(!v.PresetCapturing);
    const bool refOn = model_.screen.RefPointsOn != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{Panel5, Panel6, Panel11, SBRef1Vert,
                                                      SBRef1Horz, SBRef2Vert, SBRef2Horz,
                                                      RefPt1Zero, RefPt2Zero})
        w->setVisible(refOn);
    RefPt1->setEnabled(refOn);
    RefPt2->setEnabled(refOn);
    RefPt1Zero->setEnabled(v.RefPt1ZeroEnabled);
    RefPt2Zero->setEnabled(v.RefPt2ZeroEnabled);
}

void ViewPanel::followModel() { mirror(); }

void ViewPanel::springBack(QScrollBar* bar) {
    if (bar->value() != 0) bar->setValue(0);
}

void ViewPanel::SBPanVertChange() {
    panVertChange(model_, SBPanVert->value());
    mirror();
    springBack(SBPanVert);
}

void ViewPanel::SBPanHorzChange() {
    panHorzChange(model_, SBPanHorz->value());
    mirror();
    springBack(SBPanHorz);
}

void ViewPanel::SBZoomChange() {
    zoomChange(model_, SBZoom->value());
    mirror();
    springBack(SBZoom);
}

void ViewPanel::zoomAtPointer(QPoint at, double notches) {
    zoomAbout(model_, at.x(), at.y(), notches);
    mirror();
}

void ViewPanel::panWithPointer(QPoint by) {
    panBy(model_, by.x(), by.y());
    mirror();
}

void ViewPanel::NormVHZClick() {
    // The bars go to rest first; a bar at rest moves nothing, so the view they leave
    // is the one kept as the saved view.
    for (QScrollBar* bar : {SBPanVert, SBPanHorz, SBZoom}) bar->setValue(0);
    returnToNormalView(model_);
    mirror();
}

void ViewPanel::Preset0Click() {
    capturePreset(model_);
    mirror();
}

void ViewPanel::presetClick(int k) {
    selectPreset(model_, k);
    mirror();
}

void ViewPanel::Preset1Click() { presetClick(1); }
void ViewPanel::Preset2Click() { presetClick(2); }
void ViewPanel::Preset3Click() { presetClick(3); }
void ViewPanel::Preset4Click() { presetClick(4); }
void ViewPanel::Preset5Click() { presetClick(5); }
void ViewPanel::Preset6Click() { presetClick(6); }

void ViewPanel::SetPanZoomClick() {
    const bool shown = togglePanZoomBars(model_);
    for (QScrollBar* bar : {SBPanVert, SBPanHorz, SBZoom}) bar->setVisible(shown);
    emit panZoomCaptionChanged(QString::fromLatin1(setPanZoomCaption(model_.view)));
}

void ViewPanel::showScreenDataControls(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{NormVHZ, RefPt1, RefPt2, SBPanVert,
                                                      SBPanHorz, SBZoom})
        w->setVisible(on);
    for (QPushButton* b : Presets) b->setVisible(on);
    // With the screen data on again the pan/zoom command is idle and starts over.
    if (on) {
        restartPanZoomCommand(model_);
        emit panZoomCaptionChanged(QString::fromLatin1(SetPanZoomStartCaption));
    }
    mirror();
}

void ViewPanel::RefPointsClick() {
    const bool on = toggleRefPoints(model_);
    mirror();
    emit refPointsSwitched(on);
}

void ViewPanel::RefPoints1Click() {
    TRefPntsDialog->FormActivate();
    TRefPntsDialog->exec();
    // Each of the dialog's buttons ran the reference-points command once.
    mirror();
    emit refPointsSwitched(model_.screen.RefPointsOn != 0);
}

void ViewPanel::SetGraphicZoomClick() {
    TGraphZoomDialog->FormActivate();
    TGraphZoomDialog->exec();
}

void ViewPanel::refPointsPlaced(const MouseDownResult& placed) {
    notePlacedRefPoints(model_, placed);
    mirror();
}

void ViewPanel::panToPoint(int point) {
    const PanBarPositions bars = panToRefPoint(model_, point);
    // Each bar's change handling pans once more by its step and springs it back.
    SBPanHorz->setValue(bars.horz);
    SBPanVert->setValue(bars.vert);
    mirror();
}

void ViewPanel::RefPt1Click() { panToPoint(1); }
void ViewPanel::RefPt2Click() { panToPoint(2); }

void ViewPanel::nudge(QScrollBar* bar, int point, RefAxis axis) {
    nudgeRefPoint(model_, point, axis, bar->value());
    mirror();
    springBack(bar);
}

void ViewPanel::SBRef1VertChange() { nudge(SBRef1Vert, 1, RefAxis::Vert); }
void ViewPanel::SBRef1HorzChange() { nudge(SBRef1Horz, 1, RefAxis::Horz); }
void ViewPanel::SBRef2VertChange() { nudge(SBRef2Vert, 2, RefAxis::Vert); }
void ViewPanel::SBRef2HorzChange() { nudge(SBRef2Horz, 2, RefAxis::Horz); }

void ViewPanel::zeroPoint(int point, QScrollBar* vert, QScrollBar* horz) {
    // The bars go to rest first: a bar at rest moves nothing but re-enables the button.
    vert->setValue(0);
    horz->setValue(0);
    zeroRefPoint(model_, point);
    mirror();
}

void ViewPanel::RefPt1ZeroClick() { zeroPoint(1, SBRef1Vert, SBRef1Horz); }
void ViewPanel::RefPt2ZeroClick() { zeroPoint(2, SBRef2Vert, SBRef2Horz); }

}  // namespace quarn
