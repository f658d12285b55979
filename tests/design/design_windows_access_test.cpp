// Every control of the design windows can be reached from the keyboard and is named for a
// screen reader: a button by its caption, a field by the label drawn beside it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <map>
#include <memory>

#include "design/equaliser_window.h"
#include "design/sensitivity_window.h"
#include "design/tolerance_window.h"
#include "design/valve_events_window.h"
#include "model/gear_model.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

// The letter Alt presses for a caption ("&Search": s), or none.
QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = caption.indexOf('&'); i >= 0 && i + 1 < caption.size(); i = caption.indexOf('&', i + 2))
        if (caption[i + 1] != '&') return caption[i + 1].toLower();
    return {};
}

bool isControl(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QPlainTextEdit*>(w);
}

TEST(DesignWindowAccess, EveryControlNamedAndReachable) {
    test::ensureApplication();
    GearModel model;
    InitStartupState(model);
    struct Row {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Row rows[] = {
        {"ValveEvents", [&] { return std::make_unique<ValveEventsWindow>(model); }},
        {"Sensitivity", [&] { return std::make_unique<SensitivityWindow>(model); }},
        {"Equaliser", [&] { return std::make_unique<EqualiserWindow>(model, DesignHost{}); }},
        {"Tolerance", [&] { return std::make_unique<ToleranceWindow>(model, DesignHost{}); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto window = row.make();
        window->show();
        int controls = 0;
        // Two captions sharing a letter: Alt+letter reaches only one of them.
        std::map<QChar, QString> mnemonics;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            auto* b = qobject_cast<QAbstractButton*>(w);
            auto* l = qobject_cast<QLabel*>(w);
            const QString caption = b ? b->text() : l && l->buddy() ? l->text() : QString();
            if (const QChar m = mnemonicOf(caption); !m.isNull()) {
                EXPECT_TRUE(mnemonics.emplace(m, caption).second)
                    << caption.toStdString() << " and " << mnemonics[m].toStdString();
            }
        }
        for (QWidget* w : window->findChildren<QWidget*>()) {
            // Qt's own parts (a combo box's list, a spin box's line edit, a table's
            // header buttons) are reached through the control that holds them.
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || !isControl(w))
                continue;
            SCOPED_TRACE(w->objectName().toStdString());
            ++controls;
            EXPECT_NE(w->focusPolicy() & Qt::TabFocus, 0);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            const QString name = a->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty());
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
                EXPECT_TRUE(name.contains(QString(b->text()).remove('&'))) << name.toStdString();
            }
        }
        EXPECT_GT(controls, 3);
    }
}

}  // namespace
}  // namespace quarn
