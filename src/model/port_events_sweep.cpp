// The port events diagram's sweep: 19 reverse-arm settings from mid gear to full gear,
// and at each one turn of the driver, finding where in the stroke each port opens and
// closes to steam and to exhaust.
#include <array>

#include "diagram_sweeps.h"
#include "solver.h"
#include "sweep.h"

namespace quarn {
namespace {

struct Openings {
    std::array<float, 4> v{};  // front steam, front exhaust, rear steam, rear exhaust
};

Openings openingsOf(const GearModel& m) {
    return {{m.FrontSteamOpening, m.FrontExhaustOpening, m.RearSteamOpening,
             m.RearExhaustOpening}};
}

// Events 1..4 are openings of the four port edges, 5..8 their closings, in that order.
bool happens(int event, float prev, float cur) {
    return event <= 4 ? (cur >= 0 && prev < 0) : (cur <= 0 && prev > 0);
}

}  // namespace

bool isFrontPortEvent(int event) {
    return event == 1 || event == 2 || event == 5 || event == 6;
}

PortSweep portSweep(GearModel& m, char mode) {
    SweepGuard guard(m);
    PortSweep sweep;
    sweep.mode = mode == 'R' ? 'R' : 'F';
    const bool forward = sweep.mode == 'F';
    const double centre = m.RevArmCentre();
    const double reach = m.frame.RevArmToCentMax;
    for (int i = 0; i < PortPositionCount; ++i) {
        PortPosition position;
        position.i = i;
        const double offset = i * reach / 18;
        m.RevArmPosition = static_cast<float>(forward ? centre + offset : centre - offset);
        position.revArm = m.RevArmPosition;
        m.DriverAngle = 0;
        m.PistonPos640 = 0;
        float prevPos = 0;
        Openings prev;
        for (int j = 0; j <= PortStepCount; ++j) {
            turnAndSolve(m, forward);
            const Openings cur = openingsOf(m);
            const float pos = m.PistonPos640;
            if (j > 0) {
                for (int event = 1; event <= PortEventCount; ++event) {
                    const int edge = (event - 1) % 4;
                    const double before = prev.v[edge], now = cur.v[edge];
                    if (!happens(event, prev.v[edge], cur.v[edge])) continue;
                    // The zero crossing, linear between the two steps.
                    const double c = pos - now / (before - now) * (double(prevPos) - pos);
                    position.events.push_back({event, j, c});
                }
            }
            prevPos = pos;
            prev = cur;
        }
        sweep.positions.push_back(std::move(position));
    }
    return sweep;
}

}  // namespace quarn
