// Runs one design study off the GUI thread: the study gets a copy of the gear, a cancel
// flag and a progress callback; the window gets queued progress and a finished signal.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "model/parallel_work.h"

class QProgressBar;
class QPushButton;

namespace quarn {

class StudyRunner : public QObject {
    Q_OBJECT
public:
    // Shows progress on `bar` and enables `cancelButton` while a study runs.
    StudyRunner(QProgressBar* bar, QPushButton* cancelButton, QObject* parent);
    ~StudyRunner() override;  // cancels a running study and waits for it

    // Runs `work` on a thread of its own; `done` is called on the GUI thread afterwards
    // (also after a cancel). Nothing happens while a study is already running.
    bool start(std::function<void(const WorkControl&)> work, std::function<void()> done);
    bool running() const { return thread_ != nullptr; }
    bool cancelled() const { return cancel_.load(); }
    void cancel() { cancel_.store(true); }
    // Waits for a running study to end, then calls its `done` (tests).
    void wait();
    // Cancels a running study and waits for it without calling its `done`: for a window
    // that is going away.
    void stop();

signals:
    void finished();

private:
    void onProgress(int done, int total);
    void onThreadFinished();

    QPointer<QProgressBar> bar_;
    QPointer<QPushButton> cancelButton_;
    std::atomic<bool> cancel_{false};
    QThread* thread_ = nullptr;
    std::function<void()> done_;
};

}  // namespace quarn
