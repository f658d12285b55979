// Time of one redraw of each diagram with the start-up positions (mid gear, normal
// forward, normal reverse), on the recording canvas and on a QImage through the Qt
// canvas (and at twice the size through the scaled canvas), beside the solver calls of
// the same sweep alone: the drawing's own share is the difference. The port diagram is timed in both graphs, as its window redraws them.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "canvas/recording_canvas.h"
#include "drawing/diagrams/diagrams.h"
#include "model/diagram_positions.h"
#include "model/diagram_sweeps.h"
#include "model/gear_model.h"
#include "model/solver.h"
#include "platform/qt_canvas.h"
#include "qt_benchmark_main.h"

namespace {

using namespace quarn;

GearModel openedModel() {
    GearModel m;
    InitStartupState(m);
    applyRevArmSetRule(m);
    SolveLinkage(m);
    SolvePistonAndPorts(m);
    return m;
}

using Draw = DiagramRequests (*)(GearModel&, Canvas&);

DiagramRequests drawBothPortGraphs(GearModel& m, Canvas& c) {
    m.diagrams.PortDiaMode = 'B';
    return drawPortDiagramForMode(m, c);
}

void recorded(benchmark::State& state, Draw draw) {
    GearModel m = openedModel();
    for (auto _ : state) {
        RecordingCanvas canvas(DiagramWidth, OvalDiagramHeight);
        draw(m, canvas);
        benchmark::DoNotOptimize(canvas.items().data());
    }
}

// As a window refreshes: white first, then the drawing.
void onImage(benchmark::State& state, Draw draw) {
    GearModel m = openedModel();
    QImage image(DiagramWidth, OvalDiagramHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QtCanvas canvas(image);
        canvas.clear(colors::White);
        draw(m, canvas);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// As a window enlarged to twice the size draws it through the scaled canvas.
void onImageAtTwice(benchmark::State& state, Draw draw) {
    GearModel m = openedModel();
    QImage image(2 * DiagramWidth, 2 * OvalDiagramHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter, DiagramWidth, OvalDiagramHeight, 2.0);
        canvas.clear(colors::White);
        draw(m, canvas);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The solver calls of each sweep alone, in the sweep's order of angles and settings.
void sineSolves(GearModel& m) {
    for (int k = 1; k <= m.diagrams.RevArmPositionCount; ++k) {
        m.RevArmPosition = m.RevArmPositions[k];
        for (int j = SineFirstStep; j <= SineLastStep; ++j) {
            m.DriverAngle = sineStepAngle(j);
            SolveLinkage(m);
        }
    }
}

void ovalSolves(GearModel& m) {
    for (int k = 1; k <= m.diagrams.RevArmPositionCount; ++k) {
        m.RevArmPosition = m.RevArmPositions[k];
        for (int j = OvalFirstStep; j <= OvalLastStep; ++j) {
            m.DriverAngle = ovalStepAngle(j);
            SolveLinkage(m);
        }
    }
}

void steamSolves(GearModel& m) {
    m.DriverAngle = 96;
    for (int k = 1; k <= m.diagrams.RevArmPositionCount; ++k) {
        m.RevArmPosition = m.RevArmPositions[k];
        const float step = m.RevArmPosition >= m.RevArmCentre() ? 4.0f : -4.0f;
        for (int n = 1; n <= SteamStepsPerPosition; ++n) {
            m.DriverAngle += step;
            while (m.DriverAngle > 360) m.DriverAngle -= 360;
            while (m.DriverAngle < 0) m.DriverAngle += 360;
            SolveLinkage(m);
            SolvePistonAndPorts(m);
        }
    }
}

void portSolves(GearModel& m) {
    for (const float sign : {1.0f, -1.0f}) {
        for (int i = 0; i < PortPositionCount; ++i) {
            m.RevArmPosition = m.RevArmCentre() + sign * i * m.frame.RevArmToCentMax / 18;
            m.DriverAngle = 0;
            for (int j = 0; j <= PortStepCount; ++j) {
                m.DriverAngle += 4 * sign;
                while (m.DriverAngle > 360) m.DriverAngle -= 360;
                while (m.DriverAngle < 0) m.DriverAngle += 360;
                SolveLinkage(m);
                SolvePistonAndPorts(m);
            }
        }
    }
}

void solvesAlone(benchmark::State& state, void (*solves)(GearModel&)) {
    GearModel m = openedModel();
    for (auto _ : state) {
        solves(m);
        benchmark::DoNotOptimize(m.PivotHorz.data());
    }
}

BENCHMARK_CAPTURE(solvesAlone, Sine, sineSolves);
BENCHMARK_CAPTURE(recorded, Sine, DrawSineDiagram);
BENCHMARK_CAPTURE(onImage, Sine, DrawSineDiagram);
BENCHMARK_CAPTURE(onImageAtTwice, Sine, DrawSineDiagram);
BENCHMARK_CAPTURE(solvesAlone, Oval, ovalSolves);
BENCHMARK_CAPTURE(recorded, Oval, DrawOvalDiagram);
BENCHMARK_CAPTURE(onImage, Oval, DrawOvalDiagram);
BENCHMARK_CAPTURE(onImageAtTwice, Oval, DrawOvalDiagram);
BENCHMARK_CAPTURE(solvesAlone, Steam, steamSolves);
BENCHMARK_CAPTURE(recorded, Steam, DrawSteamDiagram);
BENCHMARK_CAPTURE(onImage, Steam, DrawSteamDiagram);
BENCHMARK_CAPTURE(onImageAtTwice, Steam, DrawSteamDiagram);
BENCHMARK_CAPTURE(solvesAlone, PortsBoth, portSolves);
BENCHMARK_CAPTURE(recorded, PortsBoth, drawBothPortGraphs);
BENCHMARK_CAPTURE(onImage, PortsBoth, drawBothPortGraphs);
BENCHMARK_CAPTURE(onImageAtTwice, PortsBoth, drawBothPortGraphs);

}  // namespace

QUARN_QT_BENCHMARK_MAIN()
