// A main window on a fresh start-up model, its timer stopped so that the tests tick by
// hand, and the ways a user reaches its controls: by name, by click, by key, and by
// answering the dialog an action opens.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "mainwin/main_window.h"
#include "mainwin/motion_panel.h"
#include "model/gear_model.h"
#include "support/qt_app.h"

namespace quarn::test {

class WindowTest : public ::testing::Test {
public:
    void SetUp() override {
        ensureApplication();
        InitStartupState(model);
        form = std::make_unique<TMainForm>(model);
        timer()->stop();
    }

    template <class T>
    T* find(const char* name) const {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QScrollBar* bar(const char* name) const { return find<QScrollBar>(name); }
    QAction* action(const char* name) const { return find<QAction>(name); }
    QTimer* timer() const { return find<QTimer>("Timer1"); }
    MotionPanel* motion() const { return find<MotionPanel>("MotionPanel"); }
    QString caption(const char* name) const { return button(name)->text(); }
    bool enabled(const char* name) const { return form->findChild<QWidget*>(name)->isEnabled(); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Arms a single shot that waits for the next modal dialog, lets `fill` read or type
    // in it while it is open, then presses its OK or Cancel. The shot belongs to the window,
    // so one left over by a dialog that never opened dies with the window.
    // Returns whether the dialog was answered.
    std::shared_ptr<bool> answerNextDialog(std::function<void(QDialog&)> fill, bool accept) {
        auto answered = std::make_shared<bool>(false);
        auto attempt = std::make_shared<std::function<void(int)>>();
        *attempt = [this, fill, accept, answered, weak = std::weak_ptr(attempt)](int left) {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                if (auto again = weak.lock(); again && left > 0)
                    QTimer::singleShot(10, form.get(), [again, left] { (*again)(left - 1); });
                return;
            }
            fill(*dialog);
            *answered = true;
            // Pressed as a user presses it: through the dialog's own OK or Cancel button
            // when it has one, so that the button's handler runs.
            auto* button = dialog->findChild<QPushButton*>(accept ? "OK" : "Cancel");
            if (button)
                QTest::mouseClick(button, Qt::LeftButton);
            else
                accept ? dialog->accept() : dialog->reject();
            // A dialog that refuses the answer (a file that is not there) would wait
            // for a user forever.
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog did not take its answer";
                dialog->reject();
            }
        };
        QTimer::singleShot(0, form.get(), [attempt] { (*attempt)(100); });
        return answered;
    }

    // Shows the window and gives it the keyboard, as a user's desktop would.
    void showActive() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    GearModel model;
    std::unique_ptr<TMainForm> form;
};

// The dialog's number field and its labels (Label2.. from the top).
inline QLineEdit* field(QDialog& d) { return d.findChild<QLineEdit*>("Edit1"); }
inline QString labelText(QDialog& d, const char* name) {
    return d.findChild<QWidget*>(name)->property("text").toString();
}

}  // namespace quarn::test
