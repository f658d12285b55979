// Time of the pivot data table at its finest step, against the solves it needs.
#include <benchmark/benchmark.h>

#include "model/gear_model.h"
#include "model/pivot_table.h"
#include "model/sweep.h"

namespace {

// The finest step the step-angle controls allow.
constexpr float FinestStep = 0.01f;
constexpr int FinestStepSolves = 36001;

quarn::GearModel tableModel() {
    quarn::GearModel m;
    quarn::InitStartupState(m);
    m.StepAngleSetting = FinestStep;
    for (int row = 1; row <= quarn::PivotDataRows; ++row)
        m.screen.PivotDataRowPivot[std::size_t(row)] = float(row + 1);  // pivots 2..7
    return m;
}

void BM_PivotTable(benchmark::State& state) {
    quarn::GearModel m = tableModel();
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto table = quarn::pivotTableLines(m, "09/12/2026", "02:30:00");
        lines = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_PivotTable)->Unit(benchmark::kMillisecond);

// The solves alone, at the same setting and a like number of angles.
void BM_Solve36001(benchmark::State& state) {
    quarn::GearModel m = tableModel();
    for (auto _ : state) {
        const quarn::SweepGuard guard(m);
        for (int k = 0; k < FinestStepSolves; ++k) {
            quarn::SolveAt(m, m.RevArmPosition, float(k) * FinestStep);
            benchmark::DoNotOptimize(m.PivotHorz.data());
        }
    }
}
BENCHMARK(BM_Solve36001)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
