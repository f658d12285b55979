// Time of one complete tick of the main window (solve, map, advance, draw the 1280 x 1024
// frame with the screen data on), plain, with the steam display, and with steam at the
// closest zoom, beside one plain white fill of the same image, the least any frame can
// cost; and the plain and steam ticks drawn at twice the size by the scaled canvas.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <vector>

#include "drawing/frame_mapping.h"
#include "drawing/run_frame.h"
#include "drawing/tick.h"
#include "model/gear_model.h"
#include "platform/qt_canvas.h"
#include "qt_benchmark_main.h"

namespace {

// The model as the program starts (screen data on), in full forward gear.
void startModel(quarn::GearModel& m) {
    quarn::InitStartupState(m);
    m.RevArmPosition = m.RevArmCentre() + m.frame.RevArmToCentNormal;
}

// One image for every frame, cleared white by the frame itself: the same picture as a
// new image per frame, without the allocation. The window's own tick turns the driver
// by the start-up step of 10 degrees, so the steam levels, the pixel counts and the live
// cut-off go through their whole cycle.
void runTicks(benchmark::State& state, quarn::GearModel& m) {
    QImage image(quarn::FrameWidth, quarn::FrameHeight, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    quarn::Random random(1);
    // As the window does: the frame is white wherever the last tick drew nothing.
    QRegion lastInked;
    std::vector<QRgb> kept;
    for (auto _ : state) {
        quarn::QtCanvas canvas(image);
        canvas.assumeCleared(quarn::colors::White, lastInked, &kept);
        quarn::runTick(m, canvas, random);
        lastInked = canvas.inkedRegion();
        // The window asks for the squares that changed, to repaint them alone.
        benchmark::DoNotOptimize(canvas.changedRegion());
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Tick(benchmark::State& state) {
    quarn::GearModel m;
    startModel(m);
    runTicks(state, m);
}
BENCHMARK(BM_Tick);

void BM_TickSteam(benchmark::State& state) {
    quarn::GearModel m;
    startModel(m);
    m.SteamDisplayOn = 1;
    runTicks(state, m);
}
BENCHMARK(BM_TickSteam);

// The closest zoom with the cylinder's centre at the middle of the picture: the
// cylinder ends and the chest ask for about a million pixels a frame, most of them off
// the picture.
void BM_TickSteamMaxZoom(benchmark::State& state) {
    quarn::GearModel m;
    startModel(m);
    m.SteamDisplayOn = 1;
    constexpr double Scale = 3000;
    m.view.ViewScale = static_cast<float>(Scale);
    m.view.ViewOffsetX = static_cast<float>(quarn::FrameWidth / 2.0 - m.cyl.CylCtrToDriverCtr * Scale);
    m.view.ViewOffsetY = static_cast<float>(quarn::FrameHeight / 2.0 + m.PivotVert[3] * Scale);
    runTicks(state, m);
    state.counters["pixels"] = static_cast<double>(m.steam.FrontPixelCount + m.steam.RearPixelCount);
}
BENCHMARK(BM_TickSteamMaxZoom);

// The same tick drawn at twice the picture's size through the scaled canvas, as a window
// fitted to a 2560 x 2048 area draws it: Qt's own smoothed lines, circles and texts,
// clearing only the squares the tick before drew on.
void runScaledTicks(benchmark::State& state, quarn::GearModel& m, double scale) {
    QImage image(static_cast<int>(quarn::FrameWidth * scale),
                 static_cast<int>(quarn::FrameHeight * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 255, 255));
    quarn::Random random(1);
    QRegion lastInked;
    for (auto _ : state) {
        QPainter painter(&image);
        quarn::QtCanvas canvas(painter, quarn::FrameWidth, quarn::FrameHeight, scale);
        canvas.assumeCleared(quarn::colors::White, lastInked);
        quarn::runTick(m, canvas, random);
        lastInked = canvas.inkedRegion();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_TickScaled2x(benchmark::State& state) {
    quarn::GearModel m;
    startModel(m);
    runScaledTicks(state, m, 2.0);
}
BENCHMARK(BM_TickScaled2x);

void BM_TickSteamScaled2x(benchmark::State& state) {
    quarn::GearModel m;
    startModel(m);
    m.SteamDisplayOn = 1;
    runScaledTicks(state, m, 2.0);
}
BENCHMARK(BM_TickSteamScaled2x);

void BM_Fill(benchmark::State& state) {
    QImage image(quarn::FrameWidth, quarn::FrameHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(255, 255, 255));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Fill);

}  // namespace

QUARN_QT_BENCHMARK_MAIN()
