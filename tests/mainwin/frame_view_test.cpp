// The frame on screen: the picture where it is, the window's colour around it.
#include <gtest/gtest.h>

#include <QPalette>
#include <QTest>

#include "mainwin/frame_view.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

TEST(FrameView, LargerWindowShowsItsOwnColourOutsideTheFrame) {
    test::ensureApplication();
    QImage frame(1280, 1024, QImage::Format_RGB32);
    frame.fill(QColor(255, 0, 0));
    FrameView view(frame, nullptr);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    view.setPalette(palette);
    view.resize(1400, 1100);
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1279, 1023), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1280, 10), QColor(10, 200, 30)) << "right of the frame";
    EXPECT_EQ(shown.pixelColor(10, 1024), QColor(10, 200, 30)) << "below the frame";
    EXPECT_EQ(shown.pixelColor(1399, 1099), QColor(10, 200, 30));
}

// A press and a middle-button drag reach the frame in frame pixels, also where the frame
// is laid over the controls.
TEST(FrameView, MiddleDragIsToldInFramePixelsAlsoOverTheCover) {
    test::ensureApplication();
    const struct {
        const char* name;
        bool onCover;
    } rows[] = {{"OnTheFrame", false}, {"OnTheFrameOverTheControls", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QImage frame(1280, 1024, QImage::Format_RGB32);
        FrameView view(frame, nullptr);
        view.resize(1280, 1024);
        view.keepControlsOff(row.onCover ? QRect(100, 200, 300, 100) : QRect());
        QWidget* const cover = view.findChild<QWidget*>(QStringLiteral("FrameCover"));
        QWidget* const target = row.onCover ? cover : static_cast<QWidget*>(&view);
        const QPoint origin = row.onCover ? QPoint(100, 200) : QPoint();
        QPoint pressedAt, dragged;
        view.onPress = [&](Qt::MouseButton b, QPoint at) {
            if (b == Qt::MiddleButton) pressedAt = at;
        };
        view.onMiddleDrag = [&](QPoint by) { dragged += by; };
        QTest::mousePress(target, Qt::MiddleButton, {}, QPoint(50, 40));
        QTest::mouseMove(target, QPoint(80, 28));
        QTest::mouseMove(target, QPoint(75, 30));
        QTest::mouseRelease(target, Qt::MiddleButton, {}, QPoint(75, 30));
        EXPECT_EQ(pressedAt, origin + QPoint(50, 40));
        EXPECT_EQ(dragged, QPoint(25, -10));
    }
}

}  // namespace
}  // namespace quarn
