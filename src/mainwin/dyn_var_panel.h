// The dynamic-variable bars of the main window: four bars that change the four most
// recently selected dimensions while the gear turns, their frame panels, the UnDo
// button, and the two commands that show the bars and the undo line.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

#include "drawing/run_frame.h"
#include "model/gear_model.h"

class QAction;
class QFrame;
class QPushButton;
class QWidget;

namespace quarn {

class DynVarBar;

class DynVarPanel : public QObject {
    Q_OBJECT
public:
    // The controls are made on `area` at their places beside the slot panel the frame
    // draws; the panel is the area's child too.
    DynVarPanel(GearModel& model, QWidget* area);

    // The menu items "D&ynamicVari" and "&UnDo" and the two tool buttons, for the
    // window to put in its menu and tool bar; each runs the command below.
    QAction* DynamicVariables = nullptr;
    QAction* SetUnDo = nullptr;
    QAction* DynamicVariablesTool = nullptr;
    QAction* SetUnDoTool = nullptr;

    // The two commands, by the program's names.
    void DynamicVariablesClick();
    void SetUnDoClick();

    // What a frame asks of these controls: the UnDo button shown at a top (hidden
    // when empty), and which bars have a dimension to change (entry 0 unused).
    void apply(const FrameRequests& requests);
    void placeUndoButton(std::optional<int> top);
    void setBarsEnabled(const std::array<bool, 5>& enabled);

    // The bars' range is fixed, so after a design loads (or the dimensions are reset,
    // or the screen data switched) only the shown and enabled states are taken again
    // from the model.
    // The UnDo button's click, for the window's undo key.
    void undoOnce() { UnDoDnClick(); }
    void followDesign();

    // Where the keyboard focus goes when a gesture on a bar ends (the reverse-arm bar),
    // so that the next gesture takes its starting value afresh. Without one the bar
    // just gives the focus up.
    void setFocusAfterGesture(QWidget* target) { focusAfterGesture_ = target; }

private:
    void createControls(QWidget* area);
    void createActions();
    void connectControls();

    // Handlers, named as the program always named them.
    void SBDynVar1Change();
    void SBDynVar2Change();
    void SBDynVar3Change();
    void SBDynVar4Change();
    void SBDynVar1Scroll();
    void SBDynVar2Scroll();
    void SBDynVar3Scroll();
    void SBDynVar4Scroll();
    void SBDynVar1Enter();
    void SBDynVar2Enter();
    void SBDynVar3Enter();
    void SBDynVar4Enter();
    void UnDoDnClick();

    // The same for bar k (1..4).
    void barChange(int k);
    void barEndScroll(int k);
    void barEnter(int k);

    // The model's switches and slots, mirrored in the controls.
    void showBars();
    void mirrorUndoEnabled();
    void nameBar(int k);

    GearModel& model_;
    std::array<DynVarBar*, 5> SBDynVar{};  // SBDynVar1..SBDynVar4; entry 0 unused
    QFrame* Panel7 = nullptr;
    QFrame* Panel8 = nullptr;
    QFrame* Panel9 = nullptr;
    QPushButton* UnDoDn = nullptr;
    QPointer<QWidget> focusAfterGesture_;
};

}  // namespace quarn
