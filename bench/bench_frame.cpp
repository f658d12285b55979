// Time of one complete tick of the main window (solve, map, draw the 1280 x 1024 frame),
// beside one plain white fill of the same image, the least any frame can cost.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>

#include "drawing/run_frame.h"
#include "drawing/frame_mapping.h"
#include "model/gear_model.h"
#include "platform/qt_canvas.h"

namespace {

// One image for every frame, cleared white by the frame itself: the same picture as a
// new image per frame, without the allocation.
void BM_Tick(benchmark::State& state) {
    quarn::GearModel m;
    quarn::InitStartupState(m);
    m.RevArmPosition = m.RevArmCentre() + m.frame.RevArmToCentNormal;
    QImage image(quarn::FrameWidth, quarn::FrameHeight, QImage::Format_RGB32);
    quarn::Random random(1);
    float angle = 0;
    for (auto _ : state) {
        m.DriverAngle = angle;
        quarn::SolveAndMapFrame(m);
        quarn::QtCanvas canvas(image);
        quarn::RunFrame(m, canvas, random);
        benchmark::DoNotOptimize(image.constBits());
        angle += 10;
        if (angle > 360.1f) angle -= 360;
    }
}
BENCHMARK(BM_Tick);

void BM_Fill(benchmark::State& state) {
    QImage image(quarn::FrameWidth, quarn::FrameHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(255, 255, 255));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Fill);

}  // namespace

BENCHMARK_MAIN();
