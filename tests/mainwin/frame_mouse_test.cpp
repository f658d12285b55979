// The wheel and the middle button on the drawing move the view as the bars do; over a
// control the wheel stays the control's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "model/pointer.h"
#include "window_fixture.h"

namespace quarn {
namespace {

using test::WindowTest;

// Turns the wheel by `notches` (positive away from the user) over `at` of `target`.
void turnWheel(QWidget* target, QPoint at, double notches) {
    const int perNotch = QWheelEvent::DefaultDeltasPerStep;
    const int delta = static_cast<int>(notches * perNotch);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

// Over the drawing one notch is a page click of the zoom bar (1.01, two down 0.98) about
// the pointer; over a control nothing but the control moves.
TEST_F(WindowTest, WheelZoomsAboutThePointerOverTheDrawingOnly) {
    const struct {
        const char* name;
        const char* control;  // null: the drawing
        bool toControl;       // else the wheel the control ignored, passed on to the frame
        QPoint at;            // in the control's own pixels (the frame's for the drawing)
        double notches;
        double wantScale;
        bool viewMoves;
    } rows[] = {
        {"UpOverTheDrawingZoomsIn", nullptr, false, {700, 500}, 1, 18.18, true},
        {"TwoDownOverTheDrawingZoomOut", nullptr, false, {1000, 800}, -2, 17.64, true},
        {"OverAPanBarPansOnly", "SBPanHorz", true, {20, 5}, 1, 18, true},
        {"PassedOnByAButtonDoesNothing", "Preset3", false, {5, 5}, 1, 18, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        InitStartupState(model);
        form = std::make_unique<TMainForm>(model);
        form->resize(1400, 1200);  // the whole frame in view, whatever the screen
        form->show();
        QWidget* const frame = form->centralWidget();
        QWidget* const control = row.control ? find<QWidget>(row.control) : nullptr;
        QWidget* const target = row.toControl ? control : frame;
        const QPoint onFrame = control ? control->mapTo(frame, row.at) : row.at;
        ASSERT_TRUE(frame->rect().contains(onFrame));
        ASSERT_EQ(frame->childAt(onFrame), control) << "what lies there";
        const QPoint at = row.toControl ? row.at : onFrame;
        const PivotPoint under = modelPointAt(model, row.at.x(), row.at.y());
        turnWheel(target, at, row.notches);
        EXPECT_NEAR(model.view.ViewScale, row.wantScale, 1e-3);
        EXPECT_EQ(model.view.ViewOffsetX != 86.0f, row.viewMoves);
        EXPECT_EQ(enabled("NormVHZ"), row.viewMoves);
        if (row.control) continue;
        EXPECT_NEAR(under.Horz * model.view.ViewScale + model.view.ViewOffsetX, row.at.x(), 1.0);
        EXPECT_NEAR(-under.Vert * model.view.ViewScale + model.view.ViewOffsetY, row.at.y(), 1.0);
        click("NormVHZ");
        EXPECT_EQ(model.view.ViewScale, 18.0f);
        EXPECT_NEAR(model.view.SavedViewScale, row.wantScale, 1e-3);
    }
}

// The picture follows the pointer: (+50, −20) then (+10, +40) pans by (+60, +20).
TEST_F(WindowTest, MiddleDragPansThePictureWithThePointer) {
    form->resize(1400, 1200);
    form->show();
    QWidget* const frame = form->centralWidget();
    ASSERT_EQ(frame->childAt(600, 400), nullptr);
    QTest::mousePress(frame, Qt::MiddleButton, {}, QPoint(600, 400));
    QTest::mouseMove(frame, QPoint(650, 380));
    QTest::mouseMove(frame, QPoint(660, 420));
    QTest::mouseRelease(frame, Qt::MiddleButton, {}, QPoint(660, 420));
    QTest::mouseMove(frame, QPoint(700, 300));  // the drag has ended
    EXPECT_FLOAT_EQ(model.view.ViewOffsetX, 146.0f);
    EXPECT_FLOAT_EQ(model.view.ViewOffsetY, 300.0f);
    EXPECT_FLOAT_EQ(model.view.ViewScale, 18.0f);
    EXPECT_TRUE(enabled("NormVHZ"));
}

}  // namespace
}  // namespace quarn
