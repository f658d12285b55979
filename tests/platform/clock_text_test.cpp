// Captions with the desktop's own date and time, and the frame on the Qt canvas for
// every strange model.
#include <gtest/gtest.h>

#include <QImage>

#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "model/window_caption.h"
#include "platform/clock_text.h"
#include "platform/qt_canvas.h"
#include "support/qt_app.h"
#include "support/strange_models.h"

namespace quarn {
namespace {

TEST(FrameCaptionNow, KeepsThePrefixAndEndsWithTheVersion) {
    const std::string now = frameCaptionNow(caption::SineDiagram, "Nominal");
    EXPECT_EQ(now.rfind("QUARN Inside Admission      Sine Diagram    Nominal     ", 0), 0u);
    EXPECT_EQ(now.substr(now.size() - 14), "   Version 2.6");
    EXPECT_FALSE(shortDateText().empty());
    EXPECT_FALSE(longTimeText().empty());
}

class StrangeGeometryOnQt : public ::testing::TestWithParam<test::StrangeCase> {};

// The pixel canvas bounds its work to the picture, so a far-off or NaN shape neither
// stalls nor writes outside the image (the sanitizers watch the writes).
TEST_P(StrangeGeometryOnQt, FrameDrawsAtWidthTwo) {
    test::ensureApplication();
    GearModel m;
    InitStartupState(m);
    GetParam().apply(m);
    m.screen.LineWidth = 2;
    solveAndMapFrame(m);
    QImage image(FrameWidth, FrameHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QtCanvas canvas(image);
        Random random(1);
        RunFrame(m, canvas, random);
    }
    // The frame starts with a white clear; whatever the gear draws, most stays white.
    long white = 0;
    for (int y = 0; y < FrameHeight; y += 8)
        for (int x = 0; x < FrameWidth; x += 8) white += image.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, (FrameWidth / 8) * (FrameHeight / 8) / 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrangeGeometryOnQt, ::testing::ValuesIn(test::strangeModels()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
