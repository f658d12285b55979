// The lines-and-circles dialog from the main window: the menu item that follows the
// reference points, the pick of a pivot by a click on the frame, and an overlay that
// travels through a saved design.
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <cstdio>

#include "drawing/frame_mapping.h"
#include "mainwin/window_fixture.h"
#include "tools/draw_lines.h"

namespace quarn {
namespace {

struct DrawLinesWindow : test::WindowTest {
    TDrawLines* lines() const { return find<TDrawLines>("TDrawLines"); }
    static void press(QDialog& d, const QString& name) {
        auto* b = d.findChild<QAbstractButton*>(name);
        ASSERT_NE(b, nullptr) << name.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static QString rowLabel(QDialog& d, int n) {
        return d.findChild<QLabel*>(QStringLiteral("Label%1").arg(n))->text();
    }
    static QString field(QDialog& d, int n) {
        return d.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n))->text();
    }
    void waitFor(const std::shared_ptr<bool>& answered) {
        for (int i = 0; i < 200 && !*answered; ++i) QTest::qWait(10);
        EXPECT_TRUE(*answered);
    }
};

TEST_F(DrawLinesWindow, MenuItemAndToolButtonFollowTheReferencePoints) {
    QAction* item = action("DrawLines1");
    QAction* tool = action("DrawLines1Tool");
    EXPECT_EQ(item->text(), "&DrawLinesCircles");
    EXPECT_EQ(tool->toolTip(), "Draw Lines and Circles");
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(tool->isEnabled());
    action("RefPoints")->trigger();
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(tool->isEnabled());
    action("RefPoints")->trigger();
    EXPECT_FALSE(item->isEnabled());
    action("RefPoints")->trigger();
    action("SetScreenData")->trigger();  // off: the reference points go with it
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(tool->isEnabled());
}

// The user chooses a line tied to one pivot; the dialog shuts; a left click beside the
// crank pin reopens it, which ties the line to that pin; Draw Close stores it.
TEST_F(DrawLinesWindow, ClickOnThePivotReopensTheDialogAndTiesTheLine) {
    action("RefPoints")->trigger();
    timer()->stop();
    form->Timer1Timer();  // the pivots of this frame
    // The line runs between the reference points as they stand when its reference is
    // chosen; the pick click moves point 1 but not the line.
    model.PivotHorz[19] = 1, model.PivotVert[19] = 2;
    model.PivotHorz[20] = 4, model.PivotVert[20] = 6;
    const float pinHorz = model.PivotHorz[12], pinVert = model.PivotVert[12];
    const int x = model.PivotScreenX[12] + 1, y = model.PivotScreenY[12] - 1;
    auto chosen = answerNextDialog(
        [](QDialog& d) {
            press(d, "RadioGroup1_0");
            press(d, "RadioGroup2_1");
            press(d, "RadioGroup3_1");  // Pivot1: the dialog shuts for the pick
            EXPECT_FALSE(d.isVisible());
        },
        false);
    action("DrawLines1")->trigger();
    EXPECT_TRUE(*chosen);
    EXPECT_EQ(model.screen.PickPending, 1);
    EXPECT_EQ(model.overlay.CurrentItem, 0);

    auto stored = answerNextDialog([](QDialog& d) { press(d, "DrawBut"); }, false);
    QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(x, y));
    waitFor(stored);
    const OverlayItems& o = model.overlay;
    EXPECT_EQ(o.Pivot1[1], 12.0f);
    EXPECT_EQ(o.ItemType[1], 0.0f);
    EXPECT_EQ(o.ItemRef[1], 1.0f);
    EXPECT_EQ(o.CurrentItem, 2);
    EXPECT_EQ(model.screen.PickPending, 0);
    // Both ends measured from the pin where it was picked, to three decimals.
    EXPECT_NEAR(o.Horz1[1], 1 - pinHorz, 0.0005);
    EXPECT_NEAR(o.Vert1[1], 2 - pinVert, 0.0005);
    EXPECT_NEAR(o.Horz2[1], 4 - pinHorz, 0.0005);
    EXPECT_NEAR(o.Vert2[1], 6 - pinVert, 0.0005);
    EXPECT_NE(model.PivotHorz[19], 1.0f);  // the click moved point 1
}

TEST_F(DrawLinesWindow, OverlayTravelsThroughASavedDesign) {
    model.PivotHorz[19] = 1, model.PivotVert[19] = 2;
    model.PivotHorz[20] = 4, model.PivotVert[20] = 6;
    TDrawLines& d = *lines();
    d.beep = [] {};
    d.show();
    for (const char* name : {"RadioGroup1_0", "RadioGroup2_2", "RadioGroup3_0", "DrawBut"})
        press(d, QString::fromLatin1(name));
    d.show();
    for (const char* name : {"RadioGroup1_1", "RadioGroup2_5", "RadioGroup3_0", "DrawBut"})
        press(d, QString::fromLatin1(name));
    const std::string path = ::testing::TempDir() + "/overlay_round_trip.qgd";
    ASSERT_TRUE(form->saveDesign(path));

    // Item 1 cleared and item 9 chosen before the design comes back.
    d.show();
    press(d, "Label1");
    press(d, "ClearLine");
    press(d, "Label33");
    d.hide();
    ASSERT_EQ(model.overlay.ItemType[1], -1.0f);
    ASSERT_TRUE(form->openDesign(path));
    std::remove(path.c_str());

    const OverlayItems& o = model.overlay;
    EXPECT_EQ(o.ItemType[1], 0.0f);
    EXPECT_EQ(o.ItemColor[1], 32768.0f);
    EXPECT_EQ(o.Vert2[1], 6.0f);
    EXPECT_EQ(o.ItemType[2], 1.0f);
    EXPECT_EQ(o.ItemColor[2], 8421504.0f);
    EXPECT_EQ(o.Horz2[2], 5.0f);
    EXPECT_EQ(o.CurrentItem, 3);
    EXPECT_EQ(rowLabel(d, 2), "Line");
    EXPECT_EQ(rowLabel(d, 3), "Green");
    EXPECT_EQ(rowLabel(d, 4), "0 , 0");
    EXPECT_EQ(field(d, 1), "  2.000");
    EXPECT_EQ(field(d, 4), "  4.000");
    EXPECT_EQ(rowLabel(d, 6), "Circle");
    EXPECT_EQ(rowLabel(d, 7), "Gray");
    EXPECT_EQ(field(d, 8), "  5.000");
    const auto colour = [&](int k) {
        return d.findChild<QFrame*>(QStringLiteral("Panel%1").arg(k))->palette().color(
            QPalette::Window);
    };
    EXPECT_EQ(colour(3), QColor(0, 255, 255));
    EXPECT_EQ(colour(9), QColor(Qt::white));
}

}  // namespace
}  // namespace quarn
