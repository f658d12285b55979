// The main() of a benchmark that draws text: Qt lays out text only inside an
// application, so one is made before the benchmarks run.
#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#define QUARN_QT_BENCHMARK_MAIN()                                          \
    int main(int argc, char** argv) {                                      \
        QGuiApplication app(argc, argv);                                   \
        benchmark::Initialize(&argc, argv);                                \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;  \
        benchmark::RunSpecifiedBenchmarks();                               \
        benchmark::Shutdown();                                             \
        return 0;                                                          \
    }
