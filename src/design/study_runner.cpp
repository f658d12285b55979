// The thread of a design study and its progress bar.
#include "study_runner.h"

#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>

namespace quarn {

StudyRunner::StudyRunner(QProgressBar* bar, QPushButton* cancelButton, QObject* parent)
    : QObject(parent), bar_(bar), cancelButton_(cancelButton) {
    if (cancelButton_) {
        cancelButton_->setEnabled(false);
        connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    }
}

StudyRunner::~StudyRunner() { stop(); }

void StudyRunner::stop() {
    cancel();
    done_ = nullptr;
    wait();
}

void StudyRunner::wait() {
    if (!thread_) return;
    thread_->wait();
    onThreadFinished();
}

bool StudyRunner::start(std::function<void(const WorkControl&)> work, std::function<void()> done) {
    if (thread_) return false;
    cancel_.store(false);
    done_ = std::move(done);
    if (bar_) {
        bar_->setRange(0, 1);
        bar_->setValue(0);
    }
    if (cancelButton_) cancelButton_->setEnabled(true);
    thread_ = QThread::create([this, work = std::move(work)] {
        WorkControl control;
        control.cancel = &cancel_;
        control.progress = [this](int done, int total) {
            QMetaObject::invokeMethod(this, [this, done, total] { onProgress(done, total); }, Qt::QueuedConnection);
        };
        work(control);
    });
    connect(thread_, &QThread::finished, this, &StudyRunner::onThreadFinished, Qt::QueuedConnection);
    thread_->start();
    return true;
}

void StudyRunner::onProgress(int done, int total) {
    if (!bar_ || !thread_) return;
    bar_->setRange(0, std::max(1, total));
    bar_->setValue(std::min(done, std::max(1, total)));
}

void StudyRunner::onThreadFinished() {
    if (!thread_) return;  // already handled by wait()
    QThread* t = thread_;
    t->wait();
    thread_ = nullptr;
    delete t;
    if (cancelButton_) cancelButton_->setEnabled(false);
    if (bar_ && !cancel_.load()) bar_->setValue(bar_->maximum());
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) done();
    emit finished();
}

}  // namespace quarn
