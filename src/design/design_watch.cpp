// The design watch of the study windows.
#include "design_watch.h"

#include <QTimer>
#include <QWidget>

#include "model/dimensions.h"

namespace quarn {

DesignWatch::DesignWatch(const GearModel& model, QWidget* window, std::function<void()> changed)
    : QObject(window), model_(model), window_(window), changed_(std::move(changed)) {
    timer_ = new QTimer(this);
    // As often as the events window looks: soon enough to be seen before the next click.
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (window_->isVisible()) check();
    });
    timer_->start();
}

void DesignWatch::remember(std::vector<float> key) {
    key_ = std::move(key);
    outOfDate_ = false;
}

void DesignWatch::check() {
    if (key_.empty() || outOfDate_ || designKey(model_) == key_) return;
    outOfDate_ = true;
    changed_();
}

}  // namespace quarn
