// How the equaliser reads one design: the events at the working points, the goals'
// misses, and how far it stands outside the limits.
#pragma once

#include <string>
#include <vector>

#include "equaliser.h"

namespace quarn {

// What the search holds fixed while the dimensions change.
struct EqualiserFrame {
    std::vector<WorkingPoint> points;
    std::vector<double> settings;  // each point's reverse-arm setting
    PortEdges edges{};             // the start's lap and clearances
    // The least largest steam opening at each point, the mean of the two ends: an end
    // that opened too wide on a lopsided design may give some of it to the other.
    std::vector<double> floors;
    const std::vector<EqualiserGoal>* goals = nullptr;
    EqualiserLimits limits;
    bool variesPort = false;  // the lap band applies; else the lap may not move at all
};

// The design read at every working point: near the events in `hints` (which it then
// moves to the new places), or over whole revolutions when there are none.
EqualiserReading readEqualiserDesign(GearModel design, const EqualiserFrame& frame, std::vector<PointEvents>* hints);

// Lower is better: inside the limits first, then less outside them, then the cost.
bool betterReading(const EqualiserReading& a, const EqualiserReading& b);

}  // namespace quarn
