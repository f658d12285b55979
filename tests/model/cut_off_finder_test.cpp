// The cut-off finder: the setting it finds gives the cut-off asked for, and a cut-off the
// gear cannot give is refused with the range it can.
#include <gtest/gtest.h>

#include "model/cut_off_finder.h"
#include "model/mid_gear.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(CutOffFinder, TheSettingFoundGivesTheCutOffAskedFor) {
    const GearModel m = startupModel();
    const double centre = m.RevArmCentre();
    const CutOffAsk asks[] = {
        {25, false, CutOffEnd::Mean}, {50, false, CutOffEnd::Front}, {25, true, CutOffEnd::Rear},
        {70, true, CutOffEnd::Mean}};
    for (const CutOffAsk& ask : asks) {
        SCOPED_TRACE(testing::Message() << ask.percent << (ask.reverse ? " reverse" : " forward"));
        const CutOffFound found = findCutOff(m, ask);
        ASSERT_TRUE(found.revArm.has_value()) << found.problem;
        EXPECT_EQ(*found.revArm < centre, ask.reverse);
        // Read again, apart from the search: the events there say what was asked.
        const auto c = cutOffOf(preciseEvents(m, *found.revArm), ask.end);
        ASSERT_TRUE(c.has_value());
        EXPECT_NEAR(*c, ask.percent, CutOffFinderTolerance);
    }
}

TEST(CutOffFinder, ACutOffOutOfReachNamesTheRange) {
    const CutOffFound found = findCutOff(startupModel(), {95, false, CutOffEnd::Mean});
    EXPECT_FALSE(found.revArm.has_value());
    EXPECT_NEAR(found.highest, 80, 3);  // full gear cuts off near 80 %
    EXPECT_NE(found.problem.find("in forward gear"), std::string::npos) << found.problem;
}

}  // namespace
}  // namespace quarn
