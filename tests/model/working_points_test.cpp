// Working points: the spelling the command line and the windows share, and the settings
// the points come to on the nominal gear.
#include <gtest/gtest.h>

#include "model/working_points.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(WorkingPoints, SpellingReadsAndRefuses) {
    using K = WorkingPoint::Kind;
    struct Row {
        const char* text;
        std::vector<WorkingPoint> points;  // empty: refused
        const char* problemHas;
    };
    const Row rows[] = {
        {"25f,75f,25r", defaultWorkingPoints(), ""},
        {" 40F , arm=1.25 ", {{K::CutOff, 40, false}, {K::Setting, 1.25, false}}, ""},
        {"25f,,25r", {}, "missing"},
        {"25x", {}, "25f (forward)"},
        {"120f", {}, "between 0 and 100"},
        {"arm=nan", {}, "no reverse-arm setting"},
        {"", {}, "missing"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string problem;
        const auto got = parseWorkingPoints(row.text, &problem);
        if (row.points.empty()) {
            EXPECT_FALSE(got.has_value());
            EXPECT_NE(problem.find(row.problemHas), std::string::npos) << problem;
        } else {
            ASSERT_TRUE(got.has_value()) << problem;
            EXPECT_EQ(*got, row.points);
            EXPECT_EQ(parseWorkingPoints(workingPointsText(*got), nullptr), got);
        }
    }
}

TEST(WorkingPoints, CutOffPointsComeToTheirSettings) {
    const GearModel m = startupModel();
    auto points = defaultWorkingPoints();
    points.push_back({WorkingPoint::Kind::CutOff, 95, false});  // beyond full gear
    const auto resolved = resolveWorkingPoints(m, points);
    ASSERT_EQ(resolved.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(workingPointName(points[k]));
        ASSERT_TRUE(resolved[k].revArm.has_value()) << resolved[k].problem;
        EXPECT_EQ(resolved[k].backwards, points[k].reverse);
        EXPECT_EQ(*resolved[k].revArm < m.RevArmCentre(), points[k].reverse);
    }
    // 75 % needs the arm further from mid gear than 25 %.
    EXPECT_GT(*resolved[1].revArm, *resolved[0].revArm);
    EXPECT_FALSE(resolved[3].revArm.has_value());
    EXPECT_NE(resolved[3].problem.find("95 % fwd"), std::string::npos) << resolved[3].problem;
}

}  // namespace
}  // namespace quarn
