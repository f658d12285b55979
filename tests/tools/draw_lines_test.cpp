// The lines-and-circles dialog pressed as a user presses it: the choices, the item
// numbers, the fields and the buttons, with the refusals counted instead of heard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "model/gear_model.h"
#include "support/qt_app.h"
#include "tools/draw_lines.h"

namespace quarn {
namespace {

class DrawLinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        for (int p = 1; p < PivotCount; ++p) {
            model.PivotHorz[std::size_t(p)] = 500;
            model.PivotVert[std::size_t(p)] = 500;
        }
        refPoints(1, 2, 4, 6);
        dialog = std::make_unique<TDrawLines>(model);
        dialog->beep = [this] { ++beeps; };
        dialog->show();
    }
    void refPoints(float h1, float v1, float h2, float v2) {
        model.PivotHorz[19] = h1, model.PivotVert[19] = v1;
        model.PivotHorz[20] = h2, model.PivotVert[20] = v2;
    }
    template <class T>
    T* find(const QString& name) const {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QRadioButton* choice(int group, int item) const {
        return find<QRadioButton>(QStringLiteral("RadioGroup%1_%2").arg(group).arg(item));
    }
    void press(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void press(const char* name) { press(find<QPushButton>(QString::fromLatin1(name))); }
    QString label(int n) const { return find<QLabel>(QStringLiteral("Label%1").arg(n))->text(); }
    QLineEdit* edit(int n) const { return find<QLineEdit>(QStringLiteral("Edit%1").arg(n)); }
    QColor rowColour(int k) const {
        return find<QFrame>(QStringLiteral("Panel%1").arg(k))->palette().color(QPalette::Window);
    }
    GearModel model;
    std::unique_ptr<TDrawLines> dialog;
    int beeps = 0;
};

TEST_F(DrawLinesTest, BuiltWithItsCaptionsAndTheFirstRowHighlighted) {
    EXPECT_EQ(dialog->windowTitle(), "Draw Lines");
    EXPECT_EQ(dialog->RadioGroup1->title(), "  Type    ");
    EXPECT_EQ(dialog->RadioGroup2->title(), "  Color  ");
    EXPECT_EQ(dialog->RadioGroup3->title(), "  Referenced to  ");
    EXPECT_EQ(choice(2, 5)->text(), "Gray");
    EXPECT_EQ(choice(3, 3)->text(), "Piv1/Piv2");
    EXPECT_FALSE(dialog->DrawBut->isEnabled());
    EXPECT_FALSE(dialog->LinesData->isVisible());
    EXPECT_EQ(find<QPushButton>("Label1")->text(), "1  ");
    EXPECT_EQ(find<QPushButton>("Label77")->text(), "20");
    EXPECT_EQ(rowColour(1), QColor(0, 255, 255));
    EXPECT_EQ(rowColour(2), QColor(Qt::white));
    EXPECT_EQ(edit(80)->accessibleName(), "Item 20 Horz2");
}

TEST_F(DrawLinesTest, FixedCircleIsStoredShownAndTheNextRowHighlighted) {
    press(choice(1, 1));  // Circle
    EXPECT_EQ(label(2), "Circle");
    press(choice(2, 1));  // Red
    EXPECT_EQ(label(3), "Red");
    EXPECT_FALSE(dialog->DrawBut->isEnabled());
    press(choice(3, 0));  // 0,0
    EXPECT_EQ(label(4), "0 , 0");
    EXPECT_TRUE(dialog->DrawBut->isEnabled());
    press("DrawBut");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(edit(1)->text(), "  2.000");
    EXPECT_EQ(edit(2)->text(), "  1.000");
    EXPECT_EQ(edit(3)->text(), "");
    EXPECT_EQ(edit(4)->text(), "  5.000");
    EXPECT_EQ(model.overlay.Horz2[1], 5.0f);
    EXPECT_EQ(model.overlay.ItemColor[1], 255.0f);
    EXPECT_EQ(rowColour(1), QColor(Qt::white));
    EXPECT_EQ(rowColour(2), QColor(0, 255, 255));
    EXPECT_FALSE(choice(1, 1)->isChecked());
    EXPECT_FALSE(dialog->DrawBut->isEnabled());
}

TEST_F(DrawLinesTest, TypeWithoutReferencePointsBeepsAndShuts) {
    refPoints(0, 0, 0, 0);
    press(choice(1, 0));
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(choice(1, 0)->isChecked());
    EXPECT_EQ(label(2), "");
}

TEST_F(DrawLinesTest, OutOfOrderChoicesBeepAndStayUnchecked) {
    press(choice(2, 3));  // a colour first
    press(choice(3, 1));  // a reference first
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(choice(2, 3)->isChecked());
    EXPECT_FALSE(choice(3, 1)->isChecked());
    EXPECT_TRUE(dialog->isVisible());
    press(choice(1, 1));  // Circle
    press(choice(2, 3));
    press(choice(3, 3));  // a circle cannot be tied at both ends
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(label(2), "");
    EXPECT_EQ(label(3), "");
    EXPECT_FALSE(choice(1, 1)->isChecked());
    EXPECT_EQ(model.overlay.ItemType[1], -1.0f);
}

TEST_F(DrawLinesTest, LineTiedToAPivotShutsForThePickAndComesBack) {
    model.PivotHorz[12] = 1.5f, model.PivotVert[12] = 2;
    press(find<QPushButton>("Label13"));  // item 4
    EXPECT_EQ(rowColour(4), QColor(0, 255, 255));
    press(choice(1, 0));
    press(choice(2, 4));  // Blue
    press(choice(3, 1));  // Pivot1
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(model.screen.PickPending, 1);
    EXPECT_EQ(model.overlay.CurrentItem, 3);
    EXPECT_EQ(label(16), "Pivot1");
    dialog->show();  // the pick click reopens it
    EXPECT_EQ(model.overlay.CurrentItem, 4);
    EXPECT_EQ(model.overlay.Pivot1[4], 12.0f);
    EXPECT_TRUE(choice(3, 1)->isChecked());
    press("DrawBut");
    EXPECT_EQ(edit(13)->text(), "  0.000");   // Vert1: 2 - 2
    EXPECT_EQ(edit(14)->text(), " -0.500");   // Horz1: 1 - 1.5
    EXPECT_EQ(edit(15)->text(), "  4.000");
    EXPECT_EQ(edit(16)->text(), "  2.500");
    EXPECT_EQ(model.screen.PickPending, 0);
    EXPECT_EQ(rowColour(5), QColor(0, 255, 255));
}

TEST_F(DrawLinesTest, TypedValuesAreFilteredAndStoredOnLeaving) {
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QLineEdit* vert1 = edit(5);  // item 2
    vert1->setFocus();
    QTest::keyClicks(vert1, "-1.5-.x7");
    EXPECT_EQ(vert1->text(), "-1.57");
    QTest::keyClick(vert1, Qt::Key_Tab);
    EXPECT_EQ(model.overlay.Vert1[2], -1.57f);
    EXPECT_EQ(model.overlay.rows[2].fields[0], "-1.57");
}

TEST_F(DrawLinesTest, ClearLineAndCloseDropThePendingPick) {
    press(choice(1, 0));
    press(choice(2, 0));
    press(choice(3, 2));  // Piv1/0,0: shut for the pick
    dialog->show();
    press("ClearLine");
    EXPECT_EQ(model.screen.PickPending, 0);
    EXPECT_EQ(label(2), "");
    EXPECT_EQ(label(4), "");
    EXPECT_FALSE(choice(3, 2)->isChecked());
    EXPECT_TRUE(dialog->isVisible());
    press(choice(1, 0));
    press(choice(2, 0));
    press(choice(3, 3));
    dialog->show();
    press("CloseBut");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(model.screen.PickPending, 0);
    EXPECT_EQ(model.overlay.ReferenceChoice, -1);
}

TEST_F(DrawLinesTest, HiddenLinesDataShowsTheItems) {
    OverlayItems& o = model.overlay;
    o.ItemType[7] = 1, o.ItemColor[7] = 8421504, o.ItemRef[7] = 1;
    o.Vert1[7] = 1, o.Horz1[7] = 2, o.Vert2[7] = 0, o.Horz2[7] = 3.25f;
    dialog->LinesData->click();
    EXPECT_EQ(label(26), "Circle");
    EXPECT_EQ(label(27), "Gray");
    EXPECT_EQ(label(28), "Pivot1");
    EXPECT_EQ(edit(28)->text(), "  3.250");
    EXPECT_EQ(edit(1)->text(), "");
}

}  // namespace
}  // namespace quarn
