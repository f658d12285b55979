// What a screen reader and a keyboard user meet on the main window: every control has a
// name, a button's name carries its caption (and so its state), and the undo key undoes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QMenuBar>
#include <QScrollBar>

#include "diagrams/set_rev_arm.h"
#include "mainwin/window_fixture.h"
#include "model/dimensions.h"
#include "model/undo_history.h"
#include "support/modal.h"

namespace quarn {
namespace {

using AccessibleWindow = test::WindowTest;

QString spokenName(QObject* o) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

TEST_F(AccessibleWindow, EveryControlHasANameAndButtonsSayTheirCaption) {
    int buttons = 0;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->window() != form.get() || w->objectName().isEmpty()) continue;
        if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QScrollBar*>(w)) continue;
        SCOPED_TRACE(w->objectName().toStdString());
        const QString name = spokenName(w);
        EXPECT_FALSE(name.trimmed().isEmpty());
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            ++buttons;
            EXPECT_TRUE(name.contains(QString(b->text()).remove('&'))) << name.toStdString();
            // A caption of one character is spoken with a word.
            if (b->text().size() == 1) {
                EXPECT_GT(name.size(), 2);
            }
        }
    }
    EXPECT_GT(buttons, 20);
    // The running state is heard: Run becomes Stop.
    click("Run");
    EXPECT_TRUE(spokenName(button("Run")).contains(caption("Run")));
    // The Error item, a picture on the menu bar, is named when it shows.
    action("Error")->setVisible(true);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form->menuBar());
    ASSERT_NE(bar, nullptr);
    QStringList items;
    for (int i = 0; i < bar->childCount(); ++i) items << bar->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(items.contains("Error")) << items.join(", ").toStdString();
}

TEST_F(AccessibleWindow, TheUndoKeyUndoesInTheWindowAndReturnClosesThePositionDialog) {
    showActive();
    model.dyn.TypedFlag = 1;
    takeFieldValue(model, *findDimensionByField("Stroke"), 4.5f);
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model.frame.Stroke, 4.25f);
    EXPECT_EQ(model.dyn.UndoCount, 0);

    TSetRevArm positions(model, nullptr);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key == Qt::Key_Return ? "Return" : "Enter");
        const auto closed = test::whenModal(&positions, QStringLiteral("TSetRevArm"), [&](QWidget&) {
            positions.Close1->setFocus(Qt::TabFocusReason);
            QTest::keyClick(positions.Close1, key);
        });
        QTimer::singleShot(3000, &positions, [&] { positions.reject(); });  // a Return that does nothing
        EXPECT_EQ(positions.exec(), QDialog::Accepted);
        EXPECT_TRUE(*closed);
    }
}

}  // namespace
}  // namespace quarn
