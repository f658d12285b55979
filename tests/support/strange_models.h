// Dimensions and views a hostile or damaged file could bring: every picture must draw
// them without crashing or stalling.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

// What a picture or a sweep must leave behind after a strange design: the driver and the
// reverse arm where it found them (bit for bit, a NaN included), the dimensions untouched,
// and every pivot the solver places a number, unless the gear was reported impossible.
inline void expectSettled(const GearModel& before, const GearModel& after) {
    const auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    EXPECT_TRUE(same(after.DriverAngle, before.DriverAngle)) << after.DriverAngle;
    EXPECT_TRUE(same(after.RevArmPosition, before.RevArmPosition)) << after.RevArmPosition;
    EXPECT_TRUE(same(after.frame, before.frame));
    EXPECT_TRUE(same(after.cyl, before.cyl));
    bool finite = true;
    for (int p : {1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 14, 15, 21, 22, 23})
        finite = finite && std::isfinite(after.PivotHorz[p]) && std::isfinite(after.PivotVert[p]);
    EXPECT_TRUE(finite || after.GeometryError) << "pivots that are not numbers, and no error reported";
}

}  // namespace quarn::test
