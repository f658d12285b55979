// Time of one solve of the gear, classic and precise side by side, and of one mid-gear
// calculation.
#include <benchmark/benchmark.h>

#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/precise_solver.h"
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

// Both stages, at the same angles as BM_Solve; the setting's fixed part is made once, as
// a sweep makes it.
void BM_PreciseSolve(benchmark::State& state) {
    quarn::GearModel m;
    quarn::InitStartupState(m);
    const quarn::PreciseLinkage linkage(m, m.RevArmPosition);
    double angle = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(linkage.solve(angle).frontSteam);
        angle += 7;
        if (angle >= 360) angle -= 360;
    }
}
BENCHMARK(BM_PreciseSolve);

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
