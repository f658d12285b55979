// The nominal gear's valve events as numbers at normal forward and normal reverse:
// cut-off and release in percent of each end's working stroke, compression and
// pre-admission in percent of its return stroke, reverse swept with the driver backwards.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/mid_gear.h"
#include "startup_model.h"
#include "support/event_values.h"

namespace quarn {
namespace {

constexpr EndEventsRow NominalEvents[] = {
    {"forward, front end", true, true, 0.0324, 78.30, 93.36, 93.03, 99.83},
    {"forward, rear end", true, false, 0.0358, 78.40, 92.18, 94.15, 99.86},
    {"reverse, front end", false, true, 0.0277, 78.87, 93.30, 93.45, 99.87},
    {"reverse, rear end", false, false, 0.0255, 79.21, 92.64, 94.09, 99.91},
};

TEST(EventValues, NominalGearAtNormalForwardAndReverse) {
    expectEvents(startupModel(), NominalEvents);
}

TEST(EventValues, PreciseSolverMeetsTheExactNumbers) {
    expectEvents(startupModel(), NominalEvents, SolverKind::Precise);
}

// Where a port opens after dead centre its opening crosses zero twice near it; the
// classic grain made it flicker, and the first flicker was taken for a cut-off.
TEST(EventValues, NoEventComesFromTheSolversGrain) {
    struct Row {
        const char* field;
        float value;
        double revArm;  // 0: normal reverse
        bool front;
        double low, high;  // where the cut-off truly lies
    };
    const Row rows[] = {
        {"ValveCtrToJoint", 6.46f, 11.5734, false, 60, 68},
        {"MainRodLength", 16.0f, 0, true, 50, 90},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        GearModel m = startupModel();
        setDimensionValue(m, *findDimensionByField(row.field), row.value);
        CalcCentRevArm(m);
        const GearSettingEvents e = preciseEvents(m, row.revArm ? row.revArm : revArmRange(m).rev);
        const auto cutOff = (row.front ? e.front : e.rear).cutOff;
        ASSERT_TRUE(cutOff.has_value());
        EXPECT_GT(*cutOff, row.low);
        EXPECT_LT(*cutOff, row.high);
    }
}

}  // namespace
}  // namespace quarn
