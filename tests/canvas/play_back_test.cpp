// A recorded picture replayed on another canvas is drawn with the same steps, so a
// window can paint it again at any size.
#include <gtest/gtest.h>

#include "canvas/play_back.h"
#include "canvas/recording_canvas.h"
#include "canvas/tee_canvas.h"

namespace quarn {
namespace {

TEST(PlayBack, ReplaysEveryStepWithItsPen) {
    RecordingCanvas first(100, 80), second(100, 80);
    TeeCanvas both(first, second);  // the tee hands each step to both
    both.clear(colors::White);
    both.setPenColor(colors::Red);
    both.moveTo(1, 2);
    both.lineTo(10, 20);
    both.lineTo(30, 5);  // a path that goes on from where it stood
    both.setPenWidth(2);
    both.ellipse(5, 5, 25, 15);
    both.moveTo(40, 40);
    both.lineTo(50, 45);
    both.setPenColor(colors::Blue);
    both.arc(0, 0, 60, 60, 60, 30, 0, 30);
    both.setPixel(7, 8, colors::Lime);
    both.text(3, 4, "Rev Arm", TextStyle{});
    ASSERT_EQ(first.items(), second.items());
    RecordingCanvas replayed(100, 80);
    playBack(first.items(), replayed);
    EXPECT_EQ(replayed.items(), first.items());
    EXPECT_EQ(replayed.items().size(), 8u);  // clear, 3 lines, ellipse, arc, pixel, text
}

}  // namespace
}  // namespace quarn
