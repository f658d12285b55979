// Answering a modal window that a pressed control opens: the test arms a wait before
// pressing, and the wait acts on the window once it is the one the user faces.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace quarn::test {

// Waits (up to about two seconds) until the active modal window is the one called
// `name`, then runs `act` on it. The wait belongs to `owner`, so one left over by a
// window that never opened dies with it. Returns whether `act` ran.
inline std::shared_ptr<bool> whenModal(QObject* owner, const QString& name,
                                       std::function<void(QWidget&)> act) {
    auto ran = std::make_shared<bool>(false);
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [owner, name, act, ran, weak = std::weak_ptr(attempt)](int left) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != name) {
            if (auto again = weak.lock(); again && left > 0)
                QTimer::singleShot(10, owner, [again, left] { (*again)(left - 1); });
            return;
        }
        *ran = true;
        act(*modal);
    };
    QTimer::singleShot(0, owner, [attempt] { (*attempt)(200); });
    return ran;
}

}  // namespace quarn::test
