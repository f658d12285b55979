// Tells a study window that the design its shown result belongs to is gone: a dimension
// or the form changed, by a dialog, a dynamic variable or an UnDo.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "model/gear_model.h"

class QTimer;
class QWidget;

namespace quarn {

class DesignWatch : public QObject {
    Q_OBJECT
public:
    // Looks at the design twice a second while `window` is shown; `changed` is called
    // once each time the design leaves the one remembered.
    DesignWatch(const GearModel& model, QWidget* window, std::function<void()> changed);

    // The design the window's shown result now belongs to.
    void remember(std::vector<float> key);
    void check();
    bool outOfDate() const { return outOfDate_; }
    // What a window's status says once its result is out of date.
    static QString outOfDateText() {
        return QStringLiteral("The design has changed since this study: run it again.");
    }

private:
    const GearModel& model_;
    QWidget* window_;
    std::function<void()> changed_;
    std::vector<float> key_;  // empty until a result is shown
    bool outOfDate_ = false;
    QTimer* timer_ = nullptr;
};

}  // namespace quarn
