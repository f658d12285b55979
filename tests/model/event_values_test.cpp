// The nominal gear's valve events as numbers at normal forward and normal reverse:
// cut-off and release in percent of each end's working stroke, compression and
// pre-admission in percent of its return stroke, reverse swept with the driver backwards.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quarn
