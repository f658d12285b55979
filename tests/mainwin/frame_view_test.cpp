// The frame on screen: the picture where it is, the window's colour around it.
#include <gtest/gtest.h>

#include <QPalette>

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

}  // namespace
}  // namespace quarn
