// The four diagram windows: their names, places and drawings.
#include "diagram_windows.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "model/window_caption.h"

namespace quarn {
namespace {

const DiagramWindowLayout sineLayout{
    "TSineDia", caption::SineDiagram, DiagramHeight, "CloseSin", {408, 8}, "SBDynVarS", "UnDoDnS",
    "MainMenuSine", {"SetRevArmPos", "&SetRevArmPos"}, {"ReDraw", "&ReDraw"},
    {"UnDoSine", "&UnDo"}, {"DynVari", "&DymamicVariables"}, true, DrawSineDiagram};

const DiagramWindowLayout ovalLayout{
    "TOvalDia", caption::OvalDiagram, OvalDiagramHeight, "CloseOval", {408, 8}, "SBDynVarO",
    "UnDoDnO", "MainMenu1", {"SetRevArmPos1", "SetRevArmPos"}, {"ReDraw1", "ReDraw"},
    {"UnDoOval", "&UnDo"}, {"DynVar", "DynamicVari"}, true, DrawOvalDiagram};

const DiagramWindowLayout steamLayout{
    "TSteamDia", caption::SteamDiagram, DiagramHeight, "CloseStm", {408, 8}, "SBDynVarST",
    "UnDoDnSt", "MainMenu1", {"SetRevArmPos", "SetRevArmPos"}, {"ReDraw", "ReDraw"},
    {"UnDoSteam", "&UnDo"}, {"DynVari", "DynamicVari"}, true, DrawSteamDiagram};

const DiagramWindowLayout portLayout{
    "TPortDia", caption::PortDiagram, DiagramHeight, "ClosePort", {447, 2}, "SBDynVarP",
    "UnDoDnP", "MainMenu1", {}, {"ReDraw1", "ReDraw"}, {"UnDoPorts", "&UnDo"},
    {"DynamicVari1", "DynamicVari"}, false, drawPortDiagramForMode};

}  // namespace

TSineDia::TSineDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent)
    : DiagramWindow(sineLayout, model, std::move(host), setRevArm, parent) {}

TOvalDia::TOvalDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent)
    : DiagramWindow(ovalLayout, model, std::move(host), setRevArm, parent) {}

TSteamDia::TSteamDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent)
    : DiagramWindow(steamLayout, model, std::move(host), setRevArm, parent) {}

TPortDia::TPortDia(GearModel& model, DiagramHost host, QWidget* parent)
    : DiagramWindow(portLayout, model, std::move(host), nullptr, parent) {
    // "SetUp" stands first in the menu bar.
    auto* setUp = new QMenu(QStringLiteral("SetUp"), menu());
    setUp->setObjectName(QStringLiteral("SetUp"));
    const std::pair<const char*, void (TPortDia::*)()> items[] = {
        {"ForwardGraph", &TPortDia::ForwardGraph1Click},
        {"ReverseGraph", &TPortDia::ReverseGraph1Click},
        {"BothGraphs", &TPortDia::BothGraphs1Click}};
    for (const auto& [caption, handler] : items) {
        QAction* a = setUp->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(caption) + QStringLiteral("1"));
        connect(a, &QAction::triggered, this, handler);
    }
    menu()->insertMenu(menu()->actions().constFirst(), setUp);
}

void TPortDia::draw() {
    if (model_.diagrams.PortDiaMode == 'B') clearPicture();
    paintPicture();
}

void TPortDia::ForwardGraph1Click() {
    model_.diagrams.PortDiaMode = 'F';
    refresh();
}

void TPortDia::ReverseGraph1Click() {
    model_.diagrams.PortDiaMode = 'R';
    refresh();
}

void TPortDia::BothGraphs1Click() {
    model_.diagrams.PortDiaMode = 'B';
    refresh();
}

}  // namespace quarn
