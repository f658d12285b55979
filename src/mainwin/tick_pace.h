// The pace of the animation tick and the schedule that keeps it with a millisecond timer.
#pragma once

#include <cstdint>

namespace quarn {

// The program was designed on a desktop timer that delivered 64 ticks a second, and
// every duration it counts in frames (the error flash, the dimension graphic's blink
// and its 1000 frames, the live cut-off read-out, the wheel's step per tick) is meant
// at that pace: 15.625 ms a tick. Faster, the wheel spins a dozen turns a second and
// those signals vanish.
inline constexpr std::int64_t TickPeriodNs = 15'625'000;

// QTimer counts whole milliseconds and 15.625 is not one. Rather than alternate 15 and
// 16 ms intervals, which restarts the timer every tick and lets each tick's own work
// push the next one later, the timer is armed once per tick for the milliseconds left
// until tick n is due, n x 15.625 ms after the start. A tick then comes at most a
// millisecond late and the lateness never adds up: 64 a second on average. A window
// more than a whole period behind (the machine was busy) starts counting afresh
// instead of catching up in a burst that would spin the wheel.
class TickSchedule {
public:
    // Starts counting at `nowNs`; returns the wait for the first tick, in milliseconds.
    int start(std::int64_t nowNs);
    // After a tick that ran until `nowNs`: the wait for the next one (0 = at once).
    int delayAfterTickMs(std::int64_t nowNs);

private:
    int delayUntilNextMs(std::int64_t nowNs) const;

    std::int64_t startNs_ = 0;
    std::int64_t ticks_ = 0;  // ticks run since the start
};

}  // namespace quarn
