// Tick n is due n periods after the start; the timer waits for it in whole milliseconds.
#include "tick_pace.h"

namespace quarn {
namespace {

constexpr std::int64_t NsPerMs = 1'000'000;

}  // namespace

int TickSchedule::start(std::int64_t nowNs) {
    startNs_ = nowNs;
    ticks_ = 0;
    return delayUntilNextMs(nowNs);
}

int TickSchedule::delayAfterTickMs(std::int64_t nowNs) {
    ++ticks_;
    const std::int64_t dueNs = startNs_ + (ticks_ + 1) * TickPeriodNs;
    if (nowNs - dueNs > TickPeriodNs) return start(nowNs);
    return delayUntilNextMs(nowNs);
}

int TickSchedule::delayUntilNextMs(std::int64_t nowNs) const {
    const std::int64_t leftNs = startNs_ + (ticks_ + 1) * TickPeriodNs - nowNs;
    if (leftNs <= 0) return 0;
    // Rounded up: a tick may come a little late, never early.
    return static_cast<int>((leftNs + NsPerMs - 1) / NsPerMs);
}

}  // namespace quarn
