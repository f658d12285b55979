// The view band of the main window and its two dialogs, pressed as a user would.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "mainwin/view_dialogs.h"
#include "mainwin/view_panel.h"
#include "model/gear_model.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

class ViewPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        InitStartupState(model);
        area = std::make_unique<QWidget>();
        area->resize(1000, 200);
        panel = new ViewPanel(model, area.get());
        area->show();
    }
    QScrollBar* bar(const char* name) const {
        auto* b = area->findChild<QScrollBar*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QPushButton* button(const char* name) const {
        auto* b = area->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    // A modal dialog runs its own loop: act on it once it is open.
    static void whenOpen(QDialog* dialog, std::function<void()> act) {
        QTimer::singleShot(0, dialog, [dialog, act] {
            EXPECT_TRUE(dialog->isVisible());
            act();
            if (dialog->isVisible()) dialog->reject();  // a missed button must not hang the run
        });
    }

    GearModel model;
    std::unique_ptr<QWidget> area;
    ViewPanel* panel = nullptr;
};

TEST_F(ViewPanelTest, StartsWithTheReferenceControlsHiddenAndNormDisabled) {
    EXPECT_FALSE(button("NormVHZ")->isEnabled());
    EXPECT_TRUE(button("Preset0")->isEnabled());
    EXPECT_FALSE(button("RefPt1")->isEnabled());
    EXPECT_FALSE(button("RefPt2")->isEnabled());
    for (const char* name : {"SBRef1Vert", "SBRef1Horz", "SBRef2Vert", "SBRef2Horz"})
        EXPECT_TRUE(bar(name)->isHidden()) << name;
    EXPECT_TRUE(button("RefPt1Zero")->isHidden());
    EXPECT_FALSE(button("RefPt1Zero")->isEnabled());
    EXPECT_EQ(bar("SBPanVert")->minimum(), -500);
    EXPECT_EQ(bar("SBZoom")->maximum(), 200);
    EXPECT_EQ(bar("SBRef1Horz")->maximum(), 10000);
    EXPECT_EQ(bar("SBRef2Vert")->pageStep(), 25);
    EXPECT_EQ(bar("SBZoom")->toolTip(), "Zoom In / Out");
    EXPECT_EQ(button("Preset4")->toolTip(), "Pan & Zoom to Preset 4");
}

TEST_F(ViewPanelTest, TwoZoomArrowsScaleByAThousandthEachAboutTheCentre) {
    QScrollBar* zoom = bar("SBZoom");
    zoom->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    zoom->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(zoom->value(), 0);  // sprung back
    EXPECT_NEAR(model.view.ViewScale, 18.036018, 1e-4);
    EXPECT_NEAR(model.view.ViewOffsetX, 85.531766, 1e-4);
    EXPECT_NEAR(model.view.ViewOffsetY, 280.08004, 1e-4);
    EXPECT_TRUE(button("NormVHZ")->isEnabled());
}

TEST_F(ViewPanelTest, ZoomPageOutThenNormReturnsToTheStartView) {
    bar("SBZoom")->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_NEAR(model.view.ViewScale, 17.82, 1e-4);
    click("NormVHZ");
    EXPECT_EQ(model.view.ViewScale, 18.0f);
    EXPECT_EQ(model.view.ViewOffsetX, 86.0f);
    EXPECT_NEAR(model.view.SavedViewScale, 17.82, 1e-4);
    EXPECT_FALSE(button("NormVHZ")->isEnabled());
}

TEST_F(ViewPanelTest, PanBarsTakeTheArrowKeys) {
    QScrollBar* horz = bar("SBPanHorz");
    horz->setFocus();
    QTest::keyClick(horz, Qt::Key_Right);
    QTest::keyClick(horz, Qt::Key_Right);
    EXPECT_FLOAT_EQ(model.view.ViewOffsetX, 86.2f);
    QScrollBar* vert = bar("SBPanVert");
    vert->setFocus();
    QTest::keyClick(vert, Qt::Key_PageUp);
    EXPECT_FLOAT_EQ(model.view.ViewOffsetY, 279.0f);
    EXPECT_EQ(vert->value(), 0);
}

// A dragged thumb springs back after every tracked position: 5, 12 and 8 pan by 0.5,
// 1.2 and then back by 0.8, as it moved left since 12.
TEST_F(ViewPanelTest, DraggingAPanBarPansByEachTrackedPosition) {
    QScrollBar* horz = bar("SBPanHorz");
    horz->setSliderDown(true);
    for (int p : {5, 12, 8}) horz->setSliderPosition(p);
    horz->setSliderDown(false);
    EXPECT_FLOAT_EQ(model.view.ViewOffsetX, 86.9f);
    EXPECT_EQ(horz->value(), 0);
}

TEST_F(ViewPanelTest, PThenThreeStoresAndThreeAloneRecalls) {
    model.view.ViewScale = 20;
    model.view.ViewOffsetX = 100;
    model.view.ViewOffsetY = 200;
    click("Preset0");
    EXPECT_FALSE(button("Preset0")->isEnabled());
    click("Preset3");
    EXPECT_TRUE(button("Preset0")->isEnabled());
    click("Preset1");
    EXPECT_EQ(model.view.ViewScale, 62.0f);
    click("Preset3");
    EXPECT_EQ(model.view.ViewScale, 20.0f);
    EXPECT_EQ(model.view.ViewOffsetX, 100.0f);
    EXPECT_EQ(model.view.ViewOffsetY, 200.0f);
}

TEST_F(ViewPanelTest, RefPointsCommandShowsAndHidesTheReferenceControls) {
    QSignalSpy switched(panel, &ViewPanel::refPointsSwitched);
    panel->RefPointsClick();
    EXPECT_TRUE(model.screen.RefPointsOn);
    for (const char* name : {"SBRef1Vert", "SBRef1Horz", "SBRef2Vert", "SBRef2Horz"})
        EXPECT_TRUE(bar(name)->isVisible()) << name;
    EXPECT_TRUE(area->findChild<QWidget*>("Panel11")->isVisible());
    EXPECT_TRUE(button("RefPt2Zero")->isVisible());
    EXPECT_TRUE(button("RefPt1")->isEnabled());
    model.screen.PivotDataOn = 1;
    panel->RefPointsClick();
    EXPECT_FALSE(model.screen.PivotDataOn);
    EXPECT_TRUE(bar("SBRef1Vert")->isHidden());
    EXPECT_TRUE(area->findChild<QWidget*>("Panel5")->isHidden());
    EXPECT_FALSE(button("RefPt2")->isEnabled());
    ASSERT_EQ(switched.count(), 2);
    EXPECT_TRUE(switched.at(0).at(0).toBool());
    EXPECT_FALSE(switched.at(1).at(0).toBool());
}

TEST_F(ViewPanelTest, ReferenceBarsNudgeTheirPointAndZeroButtonsClearIt) {
    panel->RefPointsClick();
    bar("SBRef1Vert")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar("SBRef2Horz")->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_FLOAT_EQ(model.PivotVert[19], 0.001f);
    EXPECT_FLOAT_EQ(model.PivotHorz[20], -0.025f);
    EXPECT_TRUE(button("RefPt1Zero")->isEnabled());
    EXPECT_TRUE(button("RefPt2Zero")->isEnabled());
    click("RefPt1Zero");
    EXPECT_EQ(model.PivotVert[19], 0.0f);
    EXPECT_FALSE(button("RefPt1Zero")->isEnabled());
    EXPECT_TRUE(button("RefPt2Zero")->isEnabled());
}

TEST_F(ViewPanelTest, AClickPlacingAPointEnablesItsZeroButton) {
    panel->RefPointsClick();
    panel->refPointsPlaced({true, false});
    EXPECT_TRUE(button("RefPt1Zero")->isEnabled());
    EXPECT_FALSE(button("RefPt2Zero")->isEnabled());
}

// Point 1 at Horz 10, Vert 2: the pan centres it (offsets 140, 276), the bars are set
// to -63 and -3, and their change handling pans by -6.3 and +0.3 before springing back.
TEST_F(ViewPanelTest, PanToRefPointOneGoesThroughThePanBars) {
    panel->RefPointsClick();
    model.PivotHorz[19] = 10;
    model.PivotVert[19] = 2;
    click("RefPt1");
    EXPECT_FLOAT_EQ(model.view.ViewOffsetX, 133.7f);
    EXPECT_FLOAT_EQ(model.view.ViewOffsetY, 276.3f);
    EXPECT_EQ(bar("SBPanHorz")->value(), 0);
    EXPECT_EQ(bar("SBPanVert")->value(), 0);
    EXPECT_TRUE(button("NormVHZ")->isEnabled());
}

TEST_F(ViewPanelTest, PanZoomCommandHidesAndShowsTheBars) {
    QSignalSpy caption(panel, &ViewPanel::panZoomCaptionChanged);
    panel->showScreenDataControls(false);
    EXPECT_TRUE(bar("SBZoom")->isHidden());
    EXPECT_TRUE(button("Preset6")->isHidden());
    panel->SetPanZoomClick();
    EXPECT_TRUE(bar("SBZoom")->isVisible());
    EXPECT_TRUE(button("Preset6")->isHidden());
    panel->SetPanZoomClick();
    EXPECT_TRUE(bar("SBPanVert")->isHidden());
    ASSERT_EQ(caption.count(), 2);
    EXPECT_EQ(caption.at(0).at(0).toString(), "SetP&anZoom Off");
    EXPECT_EQ(caption.at(1).at(0).toString(), "SetP&anZoom On");
    panel->showScreenDataControls(true);
    EXPECT_TRUE(bar("SBPanVert")->isVisible());
    EXPECT_EQ(caption.last().at(0).toString(), "Set&PanZoom On");
}

TEST_F(ViewPanelTest, ReferenceDialogOKTypesThePointsAndSwitchesThemOn) {
    TRefPnts* dialog = panel->refPointsDialog();
    model.PivotVert[19] = 1.5f;
    whenOpen(dialog, [dialog] {
        EXPECT_EQ(dialog->Edit1->text(), "1.500");
        EXPECT_EQ(dialog->focusWidget(), dialog->Cancel);
        dialog->Edit4->clear();
        QTest::keyClicks(dialog->Edit4, "-2x.5.7");  // the letter and second "." are dropped
        EXPECT_EQ(dialog->Edit4->text(), "-2.57");
        QTest::mouseClick(dialog->OK, Qt::LeftButton);
    });
    panel->RefPoints1Click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FLOAT_EQ(model.PivotHorz[20], -2.57f);
    EXPECT_FLOAT_EQ(model.PivotVert[19], 1.5f);
    EXPECT_TRUE(model.screen.RefPointsOn);
    EXPECT_TRUE(bar("SBRef2Horz")->isVisible());
    EXPECT_TRUE(button("RefPt1Zero")->isEnabled());
    EXPECT_TRUE(button("RefPt2Zero")->isEnabled());
}

struct DialogCase {
    const char* name;
    const char* button;
    bool zeroed;
};

class ReferenceDialogCloses : public ViewPanelTest,
                              public ::testing::WithParamInterface<DialogCase> {};

TEST_P(ReferenceDialogCloses, WithThePointsOff) {
    panel->RefPointsClick();
    model.PivotHorz[19] = 3;
    TRefPnts* dialog = panel->refPointsDialog();
    const char* name = GetParam().button;
    whenOpen(dialog, [dialog, name] {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    });
    panel->RefPoints1Click();
    EXPECT_FALSE(model.screen.RefPointsOn);
    EXPECT_TRUE(bar("SBRef1Vert")->isHidden());
    EXPECT_EQ(model.PivotHorz[19], GetParam().zeroed ? 0.0f : 3.0f);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ReferenceDialogCloses,
                         ::testing::Values(DialogCase{"Cancel", "Cancel", false},
                                           DialogCase{"Zero", "Zero", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ZoomFieldCase {
    const char* name;
    const char* typed;
    float stored;
};

class GraphicZoomDialog : public ViewPanelTest,
                          public ::testing::WithParamInterface<ZoomFieldCase> {};

TEST_P(GraphicZoomDialog, StoresTheTypedFactorWithinItsLimits) {
    TGraphZoom* dialog = panel->graphicZoomDialog();
    const char* typed = GetParam().typed;
    whenOpen(dialog, [dialog, typed] {
        EXPECT_EQ(dialog->Edit1->text(), "7.50");
        dialog->Edit1->clear();
        QTest::keyClicks(dialog->Edit1, typed);
        QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    });
    panel->SetGraphicZoomClick();
    EXPECT_EQ(model.view.GraphicZoom, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Fields, GraphicZoomDialog,
                         ::testing::Values(ZoomFieldCase{"Gauge", "16.5", 16.5f},
                                           ZoomFieldCase{"MinusIsDropped", "-3", 3.0f},
                                           ZoomFieldCase{"SecondPointDropped", "1.2.5", 1.25f},
                                           ZoomFieldCase{"TooLarge", "9999", 2000.0f}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
