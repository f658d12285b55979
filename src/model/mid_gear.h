// Mid gear: the reverse-arm setting at which the gear gives no travel of its own,
// and the working range of the reverse arm laid out around it.
#pragma once

#include "gear_model.h"

namespace quarn {

// The mid-gear search is bounded so that no dimension can freeze the program.
constexpr int MidGearRoundLimit = 100000;

// Finds RevArmCentre, fills RevArmPositions[0..3] and puts the reverse arm at mid gear.
void CalcCentRevArm(GearModel& m);

struct RevArmRange {
    float centre, min, max, rev, fwd;
};
RevArmRange revArmRange(const GearModel& m);

}  // namespace quarn
