// The tolerance study: 2000 gears at the three default working points on every core, in
// wall time; and the events one gear needs at one setting found near the design's own
// against the whole revolution.
#include <benchmark/benchmark.h>

#include "model/event_report.h"
#include "model/gear_model.h"
#include "model/tolerance.h"
#include "bench_models.h"

namespace quarn {
namespace {

void BM_ToleranceStudy2000At3Points(benchmark::State& state) {
    const GearModel m = nominal();
    const ToleranceOptions o;  // 2000 samples, ±0.002 on every dimension, 25f,75f,25r
    int failures = 0;
    for (auto _ : state) failures += runToleranceStudy(m, o).failures;
    state.counters["failures"] = failures;
}
BENCHMARK(BM_ToleranceStudy2000At3Points)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

// One setting's leads and cut-offs on one thread: near the nominal's events, or over the
// whole revolution as the events report reads them.
void BM_OneSettingEvents(benchmark::State& state, bool near) {
    const GearModel m = nominal();
    const ResolvedPoint p = resolveWorkingPoints(m, {defaultWorkingPoints()[0]})[0];
    const PointEvents nominalEvents = pointEventsSwept(m, *p.revArm);
    for (auto _ : state) {
        if (near)
            benchmark::DoNotOptimize(pointEventsNear(m, *p.revArm, nominalEvents, ToleranceSampleEvents));
        else
            benchmark::DoNotOptimize(preciseEvents(m, *p.revArm));
    }
}
BENCHMARK_CAPTURE(BM_OneSettingEvents, near, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OneSettingEvents, full_revolution, false)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
