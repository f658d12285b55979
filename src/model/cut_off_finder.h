// The reverse-arm setting that gives a chosen cut-off: what a designer who runs at 25 %
// wants to know without trying settings by hand. Read on the precise solver.
#pragma once

#include <optional>
#include <string>

#include "event_report.h"
#include "gear_model.h"

namespace quarn {

enum class CutOffEnd { Front, Rear, Mean };

struct CutOffAsk {
    double percent = 25;
    bool reverse = false;
    CutOffEnd end = CutOffEnd::Mean;
};

// How close the found setting's cut-off comes to the one asked for, in percent of stroke.
constexpr double CutOffFinderTolerance = 0.01;

struct CutOffFound {
    std::optional<double> revArm;  // empty when the gear cannot give that cut-off
    GearSettingEvents events;      // the events at the setting found
    double lowest = 0, highest = 0;  // the cut-offs the gear gives that way (percent)
    std::string problem;             // why nothing was found, in a sentence
};

// Searches from mid gear to full gear (forward, or reverse) for the setting whose cut-off
// (of the end asked for, or the mean of the two) is the one asked for. The model is
// only read; the search shares its sweeps out over the cores.
CutOffFound findCutOff(const GearModel& m, const CutOffAsk& ask);

// The cut-off of one end (or the mean) of a setting's events, when it happens.
std::optional<double> cutOffOf(const GearSettingEvents& e, CutOffEnd end);

}  // namespace quarn
