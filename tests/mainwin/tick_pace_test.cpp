// The tick schedule: whole-millisecond waits that keep 64 ticks a second.
#include <gtest/gtest.h>

#include "mainwin/tick_pace.h"

namespace quarn {
namespace {

constexpr std::int64_t ms(double v) { return static_cast<std::int64_t>(v * 1'000'000); }

struct PaceRow {
    const char* name;
    int ticksOnTime;         // ticks that each ran exactly when due
    std::int64_t tickEndNs;  // when the next tick's work ended
    int expectedWaitMs;
};

class TickPaceTest : public ::testing::TestWithParam<PaceRow> {};

TEST_P(TickPaceTest, WaitsUntilTheNextTickIsDue) {
    const PaceRow& row = GetParam();
    TickSchedule pace;
    pace.start(0);
    for (int i = 1; i <= row.ticksOnTime; ++i) pace.delayAfterTickMs(i * TickPeriodNs);
    EXPECT_EQ(pace.delayAfterTickMs(row.tickEndNs), row.expectedWaitMs);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TickPaceTest,
    ::testing::Values(
        // Tick 1 due at 15.625 ms ends at 16.0; tick 2 is due at 31.25: 15.25 left.
        PaceRow{"FirstTickRoundsTheRestUp", 0, ms(16.0), 16},
        // Tick 3 due at 46.875 ends at 47.0; tick 4 is due at 62.5: 15.5 left.
        PaceRow{"ThirdTick", 2, ms(47.0), 16},
        // Tick 2 ends at 32.0; tick 3 is due at 46.875: 14.875 left.
        PaceRow{"ShorterWaitAfterALateTick", 1, ms(32.0), 15},
        // Tick 8 ends exactly on the 125 ms mark; tick 9 is due 15.625 later.
        PaceRow{"EighthTickOnTheMark", 7, ms(125.0), 16},
        // Tick 1 ran long, to 40 ms: tick 2 (due 31.25) is late by less than a period.
        PaceRow{"SlightlyBehindTicksAtOnce", 0, ms(40.0), 0},
        // Tick 1 ran to 60 ms, more than a period past tick 2: count afresh from there.
        PaceRow{"FarBehindStartsAfresh", 0, ms(60.0), 16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TickPace, FirstTickComesAfterOnePeriod) {
    TickSchedule pace;
    EXPECT_EQ(pace.start(ms(3.0)), 16);
}

TEST(TickPace, SixtyFourTicksTakeOneSecondWhateverTheirWork) {
    // A timer that fires exactly when asked, ticks that each take 0.4 ms of work.
    TickSchedule pace;
    std::int64_t now = 0;
    now += pace.start(now) * 1'000'000;
    for (int tick = 1; tick < 64; ++tick) {
        now += ms(0.4);
        now += pace.delayAfterTickMs(now) * 1'000'000;
    }
    // Tick 64 is due at exactly 1000 ms and comes less than a millisecond after it.
    EXPECT_GE(now, ms(1000.0));
    EXPECT_LT(now, ms(1001.0));
}

}  // namespace
}  // namespace quarn
