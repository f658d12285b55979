// The design menu.
#include "design_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include "design/equaliser_window.h"
#include "design/sensitivity_window.h"
#include "design/tolerance_window.h"
#include "design/valve_events_window.h"

namespace quarn {
namespace {

QAction* makeAction(QObject* parent, const char* name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

template <class W>
void raise(W* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

DesignMenu::DesignMenu(GearModel& model, DesignHost host, QWidget* window)
    : QObject(window), model_(model), host_(std::move(host)), window_(window) {
    ValveEvents = makeAction(this, "ValveEvents", QStringLiteral("Valve &Events..."),
                             QStringLiteral("Valve Events over the Reverse-Arm Range"));
    ValveEvents->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    Sensitivity = makeAction(this, "Sensitivity", QStringLiteral("&Sensitivity..."),
                             QStringLiteral("Rank the Dimensions by their Effect on Cut-Off and Lead"));
    Equaliser = makeAction(this, "Equaliser", QStringLiteral("E&qualiser..."),
                           QStringLiteral("Search Dimensions for Equal Steam at Both Ends"));
    ValveEventsTool = makeAction(this, "ValveEventsTool", QStringLiteral("Events"), ValveEvents->toolTip());
    connect(ValveEvents, &QAction::triggered, this, &DesignMenu::ValveEventsClick);
    connect(ValveEventsTool, &QAction::triggered, ValveEvents, &QAction::trigger);
    connect(Sensitivity, &QAction::triggered, this, &DesignMenu::SensitivityClick);
    connect(Equaliser, &QAction::triggered, this, &DesignMenu::EqualiserClick);
    Tolerance = makeAction(this, "Tolerance", QStringLiteral("&Tolerance Study..."),
                           QStringLiteral("Draw Many Gears within the Parts' Tolerances and Read their Spread"));
    connect(Tolerance, &QAction::triggered, this, &DesignMenu::ToleranceClick);
}

void DesignMenu::addTo(QMenuBar* bar, QToolBar* tools) {
    QMenu* menu = bar->addMenu(QStringLiteral("&Design"));
    menu->setObjectName(QStringLiteral("Design"));
    menu->addAction(ValveEvents);
    menu->addAction(Sensitivity);
    menu->addAction(Equaliser);
    menu->addAction(Tolerance);
    if (tools) tools->addAction(ValveEventsTool);
}

void DesignMenu::ValveEventsClick() {
    if (!events_) events_ = new ValveEventsWindow(model_, window_);
    raise(events_);
}

void DesignMenu::SensitivityClick() {
    if (!sensitivity_) sensitivity_ = new SensitivityWindow(model_, window_);
    raise(sensitivity_);
}

void DesignMenu::EqualiserClick() {
    if (!equaliser_) equaliser_ = new EqualiserWindow(model_, host_, window_);
    raise(equaliser_);
}

void DesignMenu::ToleranceClick() {
    if (!tolerance_) tolerance_ = new ToleranceWindow(model_, host_, window_);
    raise(tolerance_);
}

}  // namespace quarn
