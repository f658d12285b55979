// The design studies: the events of 21 settings on each solver against the classic
// solves alone, the sensitivity of all 47 dimensions in wall time, the cut-off finder,
// and the equaliser's evaluations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "model/cut_off_finder.h"
#include "model/dimensions.h"
#include "model/design_text.h"
#include "model/equaliser.h"
#include "model/event_report.h"
#include "model/gear_model.h"
#include "model/sensitivity.h"
#include "model/sweep.h"
#include "bench_models.h"

namespace quarn {
namespace {

// The solves an events table of 21 settings needs (a priming solve and one revolution
// in 0.1 degree steps each), with nothing read from them: the floor for the table.
void BM_SolvesOf21Settings(benchmark::State& state) {
    GearModel m = nominal();
    const std::vector<float> settings = eventTableSettings(m, 10);
    for (auto _ : state) {
        for (const float s : settings) {
            const double dir = s < m.RevArmCentre() ? -1.0 : 1.0;
            SolveAt(m, s, 0.0f);
            for (int i = 0; i < EventSweepSteps; ++i)
                SolveAt(m, s, static_cast<float>(std::fmod(360.0 + dir * i * EventSweepStep, 360.0)));
            benchmark::DoNotOptimize(m.FrontSteamOpening);
        }
    }
}
BENCHMARK(BM_SolvesOf21Settings)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The events table of 21 settings, both ends, on one thread: the classic solver's and
// the precise one's side by side, and against the solves alone.
void BM_EventsOf21Settings(benchmark::State& state, SolverKind solver) {
    const GearModel m = nominal();
    const std::vector<float> settings = eventTableSettings(m, 10);
    WorkControl one;
    one.threads = 1;
    for (auto _ : state) benchmark::DoNotOptimize(sweepEventsRange(m, settings, one, solver));
}
BENCHMARK_CAPTURE(BM_EventsOf21Settings, classic, SolverKind::Classic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_EventsOf21Settings, precise, SolverKind::Precise)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// The events table of 21 settings on every core, in wall time.
void BM_EventsOf21SettingsAllCores(benchmark::State& state, SolverKind solver) {
    const GearModel m = nominal();
    const std::vector<float> settings = eventTableSettings(m, 10);
    for (auto _ : state) benchmark::DoNotOptimize(sweepEventsRange(m, settings, {}, solver));
}
BENCHMARK_CAPTURE(BM_EventsOf21SettingsAllCores, classic, SolverKind::Classic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_EventsOf21SettingsAllCores, precise, SolverKind::Precise)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// All 47 dimensions up and down on every core, in wall time, each solver with its own
// default change.
void BM_SensitivityAll47(benchmark::State& state, SolverKind solver) {
    const GearModel m = nominal();
    for (auto _ : state)
        benchmark::DoNotOptimize(runSensitivity(m, defaultSensitivityDelta(solver), {}, {}, solver));
}
BENCHMARK_CAPTURE(BM_SensitivityAll47, classic, SolverKind::Classic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_SensitivityAll47, precise, SolverKind::Precise)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(2);

// The setting of 25 % forward mean cut-off, on every core, in wall time.
void BM_CutOffFinder25(benchmark::State& state) {
    const GearModel m = nominal();
    for (auto _ : state) benchmark::DoNotOptimize(findCutOff(m, CutOffAsk{25, false, CutOffEnd::Mean}));
}
BENCHMARK(BM_CutOffFinder25)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The equaliser's three cases, in wall time on every core: the valve stem put 0.03 too
// long and searched alone; the stem and the three dimensions that move the goals most
// after it; and a designer who runs the nominal gear at 25 % cut-off forward only, the
// four dimensions that move the goals there most varied. The counters give the
// cost before and after, the largest front-rear cut-off difference at the working
// points after, and the evaluations made.
GearModel longStem() {
    GearModel m = nominal();
    setDimensionValue(m, *findDimensionByField("ValveCtrToJoint"), 6.42f);
    return m;
}

EqualiserOptions equaliserCase(const GearModel& m, int dims, const char* points, bool stemFirst) {
    EqualiserOptions o;
    o.points = *parseWorkingPoints(points, nullptr);
    const DimensionDescriptor* stem = findDimensionByField("ValveCtrToJoint");
    if (stemFirst) o.dims = {stem};
    for (const DimensionEffect& e : rankEqualiserDimensions(m, o.points, o.goals).effects)
        if (static_cast<int>(o.dims.size()) < dims && e.dim != stem) o.dims.push_back(e.dim);
    return o;
}

void BM_EqualiserCase(benchmark::State& state, int dims, const char* points, bool longStemDesign) {
    const GearModel m = longStemDesign ? longStem() : nominal();
    const EqualiserOptions o = equaliserCase(m, dims, points, longStemDesign);
    EqualiserResult r;
    for (auto _ : state) r = runEqualiser(m, o);
    double worst = 0;
    for (const PointEvents& e : r.afterReading.events)
        if (e.cutOff[0] && e.cutOff[1]) worst = std::max(worst, std::abs(*e.cutOff[0] - *e.cutOff[1]));
    state.counters["costBefore"] = r.beforeCost.value_or(-1);
    state.counters["costAfter"] = r.afterCost.value_or(-1);
    state.counters["worstCutOffGapAfter"] = worst;
    state.counters["evaluations"] = r.evaluations;
    state.counters["keepsLimits"] = r.afterBreaks.empty();
    // The whole before-and-after report, for the note, when asked for.
    if (std::getenv("QUARN_BENCH_REPORT")) std::cerr << equaliserText(o, r) << "\n";
}
BENCHMARK_CAPTURE(BM_EqualiserCase, stemAlone, 1, "25f,75f,25r", true)
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_EqualiserCase, stemAndThreeMore, 4, "25f,75f,25r", true)
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_EqualiserCase, nominalAt25Forward, 4, "25f", false)
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);

// The dimensions the equaliser window offers on opening: every dimension that can be
// varied, up and down, read at the three default working points, in wall time.
void BM_EqualiserOffer(benchmark::State& state) {
    const GearModel m = longStem();
    std::size_t offered = 0;
    for (auto _ : state) offered = rankEqualiserDimensions(m, defaultWorkingPoints(), defaultEqualiserGoals()).effects.size();
    state.counters["offered"] = static_cast<double>(offered);
}
BENCHMARK(BM_EqualiserOffer)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
