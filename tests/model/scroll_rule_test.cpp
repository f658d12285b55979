// The spring-back step rule of the relative scroll bars, for each kind of bar.
#include <gtest/gtest.h>

#include <vector>

#include "model/scroll_rule.h"

namespace quarn {
namespace {

struct ScrollRow {
    const char* name;
    SpringBackScale scale;
    std::vector<int> positions;  // every change the bar reports, spring-back passes included
    std::vector<double> steps;
};

class SpringBackRule : public ::testing::TestWithParam<ScrollRow> {};

TEST_P(SpringBackRule, GivesTheStepOfEachChange) {
    const ScrollRow& row = GetParam();
    ASSERT_EQ(row.positions.size(), row.steps.size());
    SpringBackBar bar;
    for (std::size_t i = 0; i < row.positions.size(); ++i)
        EXPECT_DOUBLE_EQ(springBackChange(bar, row.positions[i], row.scale), row.steps[i])
            << "change " << i << " to " << row.positions[i];
}

// A thumb dragged to 5, 12, 8 springs back to 0 after each, so the prior position
// is the previous tracked one and 8 after 12 moves back. Without the passes to 0
// the rule compares 8 with 5 and still moves forward.
INSTANTIATE_TEST_SUITE_P(
    Bars, SpringBackRule,
    ::testing::Values(
        ScrollRow{"DynVarWithoutSpringBack", DynVarBarScale, {0, 5, 12, 8, 0},
                  {0, 0.005, 0.012, 0.008, 0}},
        ScrollRow{"DynVarDrag", DynVarBarScale, {5, 0, 12, 0, 8, 0},
                  {0.005, 0, 0.012, 0, -0.008, 0}},
        ScrollRow{"PanDrag", PanZoomBarScale, {5, 0, 12, 0, 8, 0}, {0.5, 0, 1.2, 0, -0.8, 0}},
        ScrollRow{"DynVarClicksAtRest", DynVarBarScale, {1, 0, -1, 0, 10, 0, -10, 0},
                  {0.001, 0, -0.001, 0, 0.010, 0, -0.010, 0}},
        // After a drag the prior position would reverse a click; it still goes the
        // way it points. The page step is 10 here, 25 on a reference bar.
        ScrollRow{"DynVarArrowAfterDrag", DynVarBarScale, {5, 0, 1, 0}, {0.005, 0, 0.001, 0}},
        ScrollRow{"DynVarPageAfterDrag", DynVarBarScale, {-20, 0, -10, 0},
                  {-0.020, 0, -0.010, 0}},
        ScrollRow{"RefPointTenAfterDragIsADrag", RefPointBarScale, {-20, 0, -10, 0},
                  {-0.020, 0, 0.010, 0}},
        ScrollRow{"RefPointPageAfterDrag", RefPointBarScale, {-30, 0, -25, 0},
                  {-0.030, 0, -0.025, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
