// The four diagram windows: the sine, oval and steam diagrams, which draw one curve per
// position of the reverse-arm position list, and the port events diagram with its
// forward, reverse and both graphs.
#pragma once

#include "diagrams/diagram_window.h"

namespace quarn {

class TSineDia : public DiagramWindow {
    Q_OBJECT
public:
    TSineDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent);
};

class TOvalDia : public DiagramWindow {
    Q_OBJECT
public:
    TOvalDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent);
};

class TSteamDia : public DiagramWindow {
    Q_OBJECT
public:
    TSteamDia(GearModel& model, DiagramHost host, TSetRevArm* setRevArm, QWidget* parent);
};

class TPortDia : public DiagramWindow {
    Q_OBJECT
public:
    TPortDia(GearModel& model, DiagramHost host, QWidget* parent);

    // In both graphs every drawing starts afresh, as "BothGraphs" does.
    void draw() override;

    // The "SetUp" items: one graph or both, drawn afresh.
    void ForwardGraph1Click();
    void ReverseGraph1Click();
    void BothGraphs1Click();
};

}  // namespace quarn
