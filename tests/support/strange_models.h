// Dimensions and views a hostile or damaged file could bring: every picture must draw
// them without crashing or stalling.
#pragma once

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "model/gear_model.h"

namespace quarn::test {

struct StrangeCase {
    const char* name;
    void (*apply)(GearModel&);
};
inline void PrintTo(const StrangeCase& c, std::ostream* os) { *os << c.name; }

inline std::vector<StrangeCase> strangeModels() {
    constexpr float inf = std::numeric_limits<float>::infinity();
    return {
        {"HugeDriver", [](GearModel& m) { m.frame.DriverDia = 1e30f; }},
        {"NaNDriver", [](GearModel& m) { m.frame.DriverDia = std::nanf(""); }},
        {"InfiniteScale", [](GearModel& m) { m.view.ViewScale = inf; }},
        {"NaNOffset", [](GearModel& m) { m.view.ViewOffsetX = std::nanf(""); }},
        {"HugeZoom", [](GearModel& m) { m.view.ViewScale = 1e20f; }},
        {"HugeCylinder",
         [](GearModel& m) {
             m.cyl.CylinderBoreLength = 1e35f;
             m.cyl.ValveBoreDia = -inf;
         }},
        {"NaNAngle", [](GearModel& m) { m.DriverAngle = std::nanf(""); }},
        {"ZeroEverything", [](GearModel& m) { m.frame = FrameDims{}; }},
    };
}

}  // namespace quarn::test
