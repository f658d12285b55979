// The settings a designer runs the engine at, where the design tools read the gear:
// a cut-off (the reverse-arm setting that gives it, found with the cut-off finder) or a
// reverse-arm setting given outright, forward or reverse.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gear_model.h"

namespace quarn {

struct WorkingPoint {
    enum class Kind { CutOff, Setting };
    Kind kind = Kind::CutOff;
    double value = 25;     // percent of stroke (mean of the two ends), or a reverse-arm setting
    bool reverse = false;  // which way a cut-off is asked for; a setting says it itself
    friend bool operator==(const WorkingPoint&, const WorkingPoint&) = default;
};

// 25 % and 75 % cut-off forward, 25 % reverse: where a goods engine spends its life.
std::vector<WorkingPoint> defaultWorkingPoints();

// "25 % fwd", "75 % rev", "arm 1.2345": how a report and a window name a point.
std::string workingPointName(const WorkingPoint& p);

// The command line's and the window's spelling: a comma-separated list of "25f" (cut-off
// forward), "25r" (cut-off reverse) and "arm=1.2" (a reverse-arm setting). Empty and a
// sentence in `problem` when the text does not read.
std::optional<std::vector<WorkingPoint>> parseWorkingPoints(std::string_view text, std::string* problem);
// The same spelling back, so that a window can show what the command line would take.
std::string workingPointsText(const std::vector<WorkingPoint>& points);

struct ResolvedPoint {
    WorkingPoint point;
    std::optional<double> revArm;  // empty when the gear cannot be set there
    bool backwards = false;        // the setting lies below mid gear
    std::string problem;           // why not, in a sentence naming the point
};

// The reverse-arm setting of each point on the design as it stands (cut-offs on the
// precise solver). A study holds these settings while it changes the design: the notch
// the driver uses, read on every design tried. The model is only read.
std::vector<ResolvedPoint> resolveWorkingPoints(const GearModel& m, const std::vector<WorkingPoint>& points);

}  // namespace quarn
