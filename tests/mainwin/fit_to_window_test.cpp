// Fit to Window: the frame shown scaled to fill the drawing area, and the pointer read
// back through the same scale; off, the frame pixel for pixel as always.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QSettings>
#include <QTest>
#include <QWheelEvent>

#include "canvas/play_back.h"
#include "drawing/run_frame.h"
#include "mainwin/frame_view.h"
#include "platform/qt_canvas.h"
#include "model/pointer.h"
#include "support/ink_bounds.h"
#include "window_fixture.h"

namespace quarn {
namespace {

using test::WindowTest;

using test::inkBounds;

class FitTest : public WindowTest {
public:
    void TearDown() override { QSettings().remove(QStringLiteral("FitToWindow")); }

    // A window as a first start makes it: Fit to Window off, the timer stopped.
    void freshWindow() {
        QSettings().remove(QStringLiteral("FitToWindow"));
        InitStartupState(model);
        form = std::make_unique<TMainForm>(model);
        timer()->stop();
    }
    FrameView* view() const { return static_cast<FrameView*>(form->centralWidget()); }
    // Shows the window with a drawing area of `area` pixels, Fit to Window as asked.
    void showWithArea(QSize area, bool fit) {
        if (action("FitToWindow")->isChecked() != fit) action("FitToWindow")->trigger();
        form->show();
        form->resize(form->size() + area - view()->size());
        QApplication::processEvents();
        ASSERT_EQ(view()->size(), area);
    }
    // The frame as the view paints it, over its whole area.
    QImage shown() const {
        QImage image(view()->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        view()->paintFrame(p, QRegion(image.rect()));
        return image;
    }
};

// A press, the wheel and a middle-button drag on the fitted frame act on the frame pixel
// drawn under the pointer, as a press there on the 1:1 frame would.
TEST_F(FitTest, PointerOnTheFittedFrameActsOnTheFramePixelBeneath) {
    enum class Gesture { LeftPress, RightPress, Wheel, MiddleDrag };
    const struct {
        const char* name;
        QSize area;
        double scale;      // the fit that area gives the 1280 x 1024 frame
        Gesture gesture;
        QPoint framePixel;  // where the gesture starts, on the 1:1 frame
        QPoint dragBy;      // on the window, for the drag
        QPointF wantPan;    // frame pixels
    } rows[] = {
        {"LeftPressTwiceTheSize", {2560, 2048}, 2.0, Gesture::LeftPress, {300, 500}, {}, {}},
        {"RightPressWiderThanTall", {2400, 1536}, 1.5, Gesture::RightPress, {701, 333}, {}, {}},
        {"LeftPressSmallerThanTheFrame", {960, 900}, 0.75, Gesture::LeftPress, {640, 400}, {}, {}},
        {"WheelTwiceTheSize", {2560, 2048}, 2.0, Gesture::Wheel, {700, 500}, {}, {}},
        {"DragTwiceTheSize", {2560, 2048}, 2.0, Gesture::MiddleDrag, {600, 400}, {100, -40}, {50, -20}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        freshWindow();
        showWithArea(row.area, true);
        ASSERT_DOUBLE_EQ(view()->fit().scale, row.scale);
        // The middle of the frame pixel's square on the window.
        const QPoint at((row.framePixel.x() + 0.5) * row.scale, (row.framePixel.y() + 0.5) * row.scale);
        ASSERT_EQ(view()->childAt(at), nullptr) << "a control lies there";
        const PivotPoint under = modelPointAt(model, row.framePixel.x(), row.framePixel.y());
        switch (row.gesture) {
            case Gesture::LeftPress:
            case Gesture::RightPress: {
                ASSERT_FALSE(model.screen.RefPointsOn);
                action("RefPoints")->trigger();
                const bool left = row.gesture == Gesture::LeftPress;
                QTest::mouseClick(view(), left ? Qt::LeftButton : Qt::RightButton, {}, at);
                const int pivot = left ? 19 : 20;
                EXPECT_EQ(model.PivotHorz[pivot], under.Horz);
                EXPECT_EQ(model.PivotVert[pivot], under.Vert);
                break;
            }
            case Gesture::Wheel: {
                QWheelEvent wheel(at, view()->mapToGlobal(at), {}, {0, QWheelEvent::DefaultDeltasPerStep},
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(view(), &wheel);
                EXPECT_NEAR(model.view.ViewScale, 18.18, 1e-3);
                // The model point under the pointer stays under it.
                EXPECT_NEAR(under.Horz * model.view.ViewScale + model.view.ViewOffsetX, row.framePixel.x(), 1.0);
                EXPECT_NEAR(-under.Vert * model.view.ViewScale + model.view.ViewOffsetY, row.framePixel.y(), 1.0);
                break;
            }
            case Gesture::MiddleDrag: {
                const float x0 = model.view.ViewOffsetX, y0 = model.view.ViewOffsetY;
                QTest::mousePress(view(), Qt::MiddleButton, {}, at);
                QTest::mouseMove(view(), at + row.dragBy);
                QTest::mouseRelease(view(), Qt::MiddleButton, {}, at + row.dragBy);
                EXPECT_FLOAT_EQ(model.view.ViewOffsetX - x0, row.wantPan.x());
                EXPECT_FLOAT_EQ(model.view.ViewOffsetY - y0, row.wantPan.y());
                break;
            }
        }
    }
}

// Fitted, the picture and the controls on it take the scale (below full size their
// captions shrink too, to stay inside them); switched off again, the window shows the
// frame's own pixels and the controls stand where they always stood.
TEST_F(FitTest, FitScalesThePictureAndOffShowsTheFramePixelForPixel) {
    const struct {
        const char* name;
        QSize area;
        int switches;  // Fit to Window triggered so many times
        double scale;
    } rows[] = {{"NeverSwitched", {2560, 2048}, 0, 1.0},
                {"OnTwiceTheSize", {2560, 2048}, 1, 2.0},
                {"OnHalfTheSize", {800, 512}, 1, 0.5},
                {"OnThenOff", {800, 512}, 2, 1.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        freshWindow();
        const QRect runPlace = button("Run")->geometry();
        showWithArea(row.area, false);
        for (int k = 0; k < row.switches; ++k) {
            action("FitToWindow")->trigger();
            form->Timer1Timer();
        }
        for (int k = 0; k < 3; ++k) form->Timer1Timer();
        ASSERT_DOUBLE_EQ(view()->fit().scale, row.scale);
        const QImage onScreen = shown();
        const QImage& frame = form->frameImage();
        const QRect run = button("Run")->geometry();
        const double caption = button("Run")->font().pointSizeF(), font = form->font().pointSizeF();
        if (row.scale == 1.0) {
            const QRect both = frame.rect() & onScreen.rect();
            EXPECT_EQ(onScreen.copy(both), frame.copy(both));
            EXPECT_EQ(run, runPlace);
            EXPECT_EQ(caption, font);
            continue;
        }
        const double s = row.scale;
        const QRect ink = inkBounds(frame), scaledInk = inkBounds(onScreen);
        EXPECT_NEAR(scaledInk.left(), s * ink.left(), 2);
        EXPECT_NEAR(scaledInk.top(), s * ink.top(), 2);
        EXPECT_NEAR(scaledInk.right(), s * ink.right(), 3);
        EXPECT_NEAR(scaledInk.bottom(), s * ink.bottom(), 3);
        EXPECT_NEAR(run.x(), s * runPlace.x(), 0.5);
        EXPECT_NEAR(run.y(), s * runPlace.y(), 0.5);
        EXPECT_NEAR(run.width(), s * runPlace.width(), 1);
        EXPECT_EQ(caption, s < 1 ? font * s : font);
    }
}

// Each tick repaints the fitted picture only where the frame changed; with the gear
// turning and the steam on, what that leaves is the picture painted whole, larger than
// the frame and smaller (where Qt draws thin lines another way).
TEST_F(FitTest, PiecewiseRepaintsLeaveThePicturePaintedWhole) {
    const struct {
        const char* name;
        QSize area;
    } rows[] = {{"Larger", {1920, 1536}}, {"Smaller", {1000, 800}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        freshWindow();
        showWithArea(row.area, true);
        action("SetSteam")->trigger();
        for (int k = 0; k < 40; ++k) form->Timer1Timer();
        const QImage& piecewise = view()->scaledPicture();
        QImage whole(piecewise.size(), piecewise.format());
        whole.fill(Qt::white);
        {
            QPainter p(&whole);
            QtCanvas canvas(p, FrameWidth, FrameHeight, view()->fit().scale);
            playBack(view()->lastSteps(), canvas);
        }
        int differ = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) differ += whole.pixel(x, y) != piecewise.pixel(x, y);
        EXPECT_EQ(differ, 0);
    }
}

}  // namespace
}  // namespace quarn
