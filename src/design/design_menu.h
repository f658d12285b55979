// The "&Design" menu and its tool button: the design windows, made when first
// opened and kept, each working on copies of the one gear model.
#pragma once

#include <QObject>

#include "design/design_host.h"
#include "model/gear_model.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quarn {

class ValveEventsWindow;
class SensitivityWindow;
class EqualiserWindow;
class ToleranceWindow;

class DesignMenu : public QObject {
    Q_OBJECT
public:
    DesignMenu(GearModel& model, DesignHost host, QWidget* window);

    // Adds the menu to the bar and the events button to the tool bar.
    void addTo(QMenuBar* bar, QToolBar* tools);

    void ValveEventsClick();
    void SensitivityClick();
    void EqualiserClick();
    void ToleranceClick();

    ValveEventsWindow* valveEventsWindow() const { return events_; }
    SensitivityWindow* sensitivityWindow() const { return sensitivity_; }
    EqualiserWindow* equaliserWindow() const { return equaliser_; }
    ToleranceWindow* toleranceWindow() const { return tolerance_; }

    QAction* ValveEvents = nullptr;
    QAction* Sensitivity = nullptr;
    QAction* Equaliser = nullptr;
    QAction* Tolerance = nullptr;
    QAction* ValveEventsTool = nullptr;

private:
    GearModel& model_;
    DesignHost host_;
    QWidget* window_;
    ValveEventsWindow* events_ = nullptr;
    SensitivityWindow* sensitivity_ = nullptr;
    EqualiserWindow* equaliser_ = nullptr;
    ToleranceWindow* tolerance_ = nullptr;
};

}  // namespace quarn
