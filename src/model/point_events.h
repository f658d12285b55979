// The few events an equaliser goal reads at one reverse-arm setting — each end's cut-off,
// lead and largest steam opening — found on the precise solver near where the design
// before had them, so that thousands of designs need not each sweep a whole revolution.
#pragma once

#include <array>
#include <optional>

#include "gear_model.h"

namespace quarn {

// Front end first, then rear. Angles count degrees of driver travel from the front dead
// centre in the way the engine runs at the setting (backwards below mid gear).
struct PointEvents {
    bool possible = false;  // false: the gear could not be put together at some angle read
    std::array<std::optional<double>, 2> cutOff;  // percent of each end's working stroke
    std::array<double, 2> lead{}, maxOpening{};
    // Where the events were: the next design looks for them here.
    std::array<double, 2> cutOffTravel{}, peakTravel{};
};

// A whole revolution in the events table's steps, then every event narrowed: what
// preciseEvents finds, with the places kept.
PointEvents pointEventsSwept(const GearModel& m, double revArm);

// What a reader needs beyond each end's lead and cut-off.
struct EventsWanted {
    // Each end's largest steam opening (the equaliser's floor reads it; a tolerance
    // sample does not, and saves the narrowing of both peaks).
    bool openings = true;
    // Above 0: the gear is first put together this often (degrees) round the whole turn,
    // and is not possible when it jams at one of them, even if it closes at its events.
    double assemblyStep = 0;
};

// The events looked for only about the places in `near` (a bracket a few degrees wide,
// widened when the event has moved further); falls back to the whole revolution when
// they are not found there, or `near` has none.
PointEvents pointEventsNear(const GearModel& m, double revArm, const PointEvents& near,
                            const EventsWanted& want = {});

}  // namespace quarn
