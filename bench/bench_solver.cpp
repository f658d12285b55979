// Time of one solve of the gear, and of one mid-gear calculation.
#include <benchmark/benchmark.h>

#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/solver.h"

namespace {

void BM_Solve(benchmark::State& state) {
    quarn::GearModel m;
    quarn::InitStartupState(m);
    float angle = 0;
    for (auto _ : state) {
        m.DriverAngle = angle;
        quarn::SolveLinkage(m);
        quarn::SolvePistonAndPorts(m);
        benchmark::DoNotOptimize(m.FrontSteamOpening);
        angle += 7;  // a different closing of the searches on every call
        if (angle >= 360) angle -= 360;
    }
}
BENCHMARK(BM_Solve);

void BM_CalcCentRevArm(benchmark::State& state) {
    quarn::GearModel m;
    quarn::InitStartupState(m);
    for (auto _ : state) {
        quarn::CalcCentRevArm(m);
        benchmark::DoNotOptimize(m.RevArmPositions[0]);
    }
}
BENCHMARK(BM_CalcCentRevArm);

}  // namespace

BENCHMARK_MAIN();
