// The dynamic-variable bars, their frame panels, the UnDo button and their handlers.
#include "dyn_var_panel.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>

#include "mainwin/panel_controls.h"
#include "model/dyn_var_bars.h"
#include "model/dyn_vars.h"
#include "model/undo_history.h"
#include "platform/dyn_var_bar.h"
#include "platform/layout_place.h"

namespace quarn {
namespace {

// The bars stand left of the slot names the frame draws at x 377, one bar on each
// row of the panel (rows 12 pixels apart from y 71); the UnDo button shares their
// column, so the frame moves it below them while they are shown.
constexpr int BarLeft = 254;
constexpr int BarWidth = 121;
constexpr int BarHeight = 11;
constexpr int BarFirstTop = 70;
constexpr int BarPitch = 12;
constexpr QRect UndoButtonPlace{268, 72, 48, 16};

}  // namespace

DynVarPanel::DynVarPanel(GearModel& model, QWidget* area) : QObject(area), model_(model) {
    setObjectName(QStringLiteral("DynVarPanel"));
    createControls(area);
    createActions();
    connectControls();
    followDesign();
}

void DynVarPanel::createControls(QWidget* area) {
    // The thin frames first, so that the bars lie on top of them.
    const int areaBottom = BarFirstTop + 3 * BarPitch + BarHeight + 2;
    Panel7 = makeFramePanel(area, "Panel7", QFrame::VLine,
                            {BarLeft - 3, BarFirstTop - 2, 3, areaBottom - BarFirstTop + 2});
    Panel8 = makeFramePanel(area, "Panel8", QFrame::HLine,
                            {BarLeft - 3, BarFirstTop - 3, BarWidth + 6, 3});
    Panel9 = makeFramePanel(area, "Panel9", QFrame::HLine,
                            {BarLeft - 3, areaBottom, BarWidth + 6, 3});
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        SBDynVar[k] = makeDynVarBar(area, QStringLiteral("SBDynVar%1").arg(k), k,
                                    {BarLeft, BarFirstTop + BarPitch * (k - 1), BarWidth, BarHeight});
    }
    UnDoDn = new QPushButton(QStringLiteral("UnDo"), area);
    UnDoDn->setObjectName(QStringLiteral("UnDoDn"));
    // Its top comes with every frame, already moved by the text layout.
    setBasePlace(UnDoDn, UndoButtonPlace);
    // Reached by Tab and pressed with Space, Return or Enter; a click leaves the
    // keyboard focus where it was.
    UnDoDn->setFocusPolicy(Qt::TabFocus);
    UnDoDn->setAutoDefault(true);
    UnDoDn->setEnabled(false);
    UnDoDn->hide();
    for (int k = 2; k <= DynVarSlotCount; ++k) QWidget::setTabOrder(SBDynVar[k - 1], SBDynVar[k]);
    QWidget::setTabOrder(SBDynVar[DynVarSlotCount], UnDoDn);
}

void DynVarPanel::createActions() {
    auto make = [this](const char* name, const QString& text, const QString& hint) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        return a;
    };
    DynamicVariables = make("DynamicVariables", QStringLiteral("D&ynamicVari"), {});
    SetUnDo = make("SetUnDo", QStringLiteral("&UnDo"), {});
    // Short texts stand in for the tool buttons' pictures; the hints say the rest.
    DynamicVariablesTool = make("DynamicVariablesTool", QStringLiteral("DynVar"),
                                QStringLiteral("Turn On Dynamic Variables"));
    SetUnDoTool = make("SetUnDoTool", QStringLiteral("UnDo"), QStringLiteral("Turn On UnDo"));
}

void DynVarPanel::connectControls() {
    using Handler = void (DynVarPanel::*)();
    const Handler changes[] = {nullptr, &DynVarPanel::SBDynVar1Change,
                               &DynVarPanel::SBDynVar2Change, &DynVarPanel::SBDynVar3Change,
                               &DynVarPanel::SBDynVar4Change};
    const Handler scrolls[] = {nullptr, &DynVarPanel::SBDynVar1Scroll,
                               &DynVarPanel::SBDynVar2Scroll, &DynVarPanel::SBDynVar3Scroll,
                               &DynVarPanel::SBDynVar4Scroll};
    const Handler enters[] = {nullptr, &DynVarPanel::SBDynVar1Enter,
                              &DynVarPanel::SBDynVar2Enter, &DynVarPanel::SBDynVar3Enter,
                              &DynVarPanel::SBDynVar4Enter};
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        connect(SBDynVar[k], &QScrollBar::valueChanged, this, changes[k]);
        SBDynVar[k]->onEndScroll = [this, h = scrolls[k]] { (this->*h)(); };
        SBDynVar[k]->onEnter = [this, h = enters[k]] { (this->*h)(); };
    }
    connect(UnDoDn, &QPushButton::clicked, this, &DynVarPanel::UnDoDnClick);
    for (QAction* a : {DynamicVariables, DynamicVariablesTool})
        connect(a, &QAction::triggered, this, &DynVarPanel::DynamicVariablesClick);
    for (QAction* a : {SetUnDo, SetUnDoTool})
        connect(a, &QAction::triggered, this, &DynVarPanel::SetUnDoClick);
}

void DynVarPanel::SBDynVar1Change() { barChange(1); }
void DynVarPanel::SBDynVar2Change() { barChange(2); }
void DynVarPanel::SBDynVar3Change() { barChange(3); }
void DynVarPanel::SBDynVar4Change() { barChange(4); }
void DynVarPanel::SBDynVar1Scroll() { barEndScroll(1); }
void DynVarPanel::SBDynVar2Scroll() { barEndScroll(2); }
void DynVarPanel::SBDynVar3Scroll() { barEndScroll(3); }
void DynVarPanel::SBDynVar4Scroll() { barEndScroll(4); }
void DynVarPanel::SBDynVar1Enter() { barEnter(1); }
void DynVarPanel::SBDynVar2Enter() { barEnter(2); }
void DynVarPanel::SBDynVar3Enter() { barEnter(3); }
void DynVarPanel::SBDynVar4Enter() { barEnter(4); }

void DynVarPanel::barChange(int k) {
    dynVarBarChange(model_, k, SBDynVar[k]->value());
    // Back to the centre: from a position other than 0 this runs the handler once
    // more, with 0, which changes nothing but shifts the remembered positions.
    SBDynVar[k]->setValue(0);
}

void DynVarPanel::barEndScroll(int k) {
    dynVarBarEndScroll(model_, k);
    mirrorUndoEnabled();
    if (focusAfterGesture_ && focusAfterGesture_->isVisible())
        focusAfterGesture_->setFocus(Qt::OtherFocusReason);
    else
        SBDynVar[k]->clearFocus();
}

void DynVarPanel::barEnter(int k) { dynVarBarEnter(model_, k); }

void DynVarPanel::UnDoDnClick() {
    undoButtonClick(model_);
    mirrorUndoEnabled();
}

void DynVarPanel::DynamicVariablesClick() {
    toggleDynVarsShown(model_);
    showBars();
}

void DynVarPanel::SetUnDoClick() {
    // The frame shows or hides the UnDo button with the undo line.
    toggleUndoShown(model_);
}

void DynVarPanel::showBars() {
    const bool shown = model_.dyn.DynVarsShown != 0;
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        // Enabled at once, not only from the next frame, so that an empty slot's
        // bar is never usable.
        SBDynVar[k]->setEnabled(dynVarSlotInUse(model_, k));
        nameBar(k);
        SBDynVar[k]->setVisible(shown);
    }
    for (QFrame* f : {Panel7, Panel8, Panel9}) f->setVisible(shown);
}

void DynVarPanel::nameBar(int k) { nameDynVarBar(SBDynVar[k], model_, k); }

void DynVarPanel::mirrorUndoEnabled() { UnDoDn->setEnabled(model_.dyn.UndoEnabled); }

void DynVarPanel::apply(const FrameRequests& requests) {
    placeUndoButton(requests.undoButtonTop);
    if (requests.dynVarBarsEnabled) setBarsEnabled(*requests.dynVarBarsEnabled);
}

void DynVarPanel::placeUndoButton(std::optional<int> top) {
    // The dimension dialogs and the diagram windows change the history between frames;
    // the button takes their enabled state with every frame.
    mirrorUndoEnabled();
    if (!top) {
        UnDoDn->hide();
        return;
    }
    if (UnDoDn->y() != *top) UnDoDn->move(UnDoDn->x(), *top);
    UnDoDn->show();
}

void DynVarPanel::setBarsEnabled(const std::array<bool, 5>& enabled) {
    for (int k = 1; k <= DynVarSlotCount; ++k) {
        SBDynVar[k]->setEnabled(enabled[std::size_t(k)]);
        nameBar(k);
    }
}

void DynVarPanel::followDesign() {
    showBars();
    mirrorUndoEnabled();
}

}  // namespace quarn
