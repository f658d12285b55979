// The reverse-arm position dialog's rules: typed positions kept in range, position 1
// never empty, the travel scale's floor, the leading run of positions and the range line.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "model/diagram_positions.h"
#include "startup_model.h"

namespace quarn {
namespace {

// The nominal design: mid gear 10.29841, normal 1.5 and full gear 1.7 either side.
constexpr float Centre = 10.29841f;
constexpr float Low = Centre - 1.7f;
constexpr float High = Centre + 1.7f;

struct TypedCase {
    const char* name;
    int field;
    float typed;
    float stored;
};
void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }

class TypedPosition : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedPosition, IsStoredAsTheDialogKeepsIt) {
    GearModel m = startupModel();
    ASSERT_NEAR(m.RevArmCentre(), Centre, 1e-4);
    storeRevArmPosition(m, GetParam().field, GetParam().typed);
    EXPECT_NEAR(m.RevArmPositions[GetParam().field], GetParam().stored, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Nominal, TypedPosition,
    ::testing::Values(
        // 0.001 lies below the reverse arm's range, so the clamp raises it to the bound.
        TypedCase{"ZeroInPositionOneBecomesTheLowerBound", 1, 0.0f, Low},
        TypedCase{"ZeroElsewhereStaysEmpty", 4, 0.0f, 0.0f},
        TypedCase{"InsideTheRangeAsTyped", 2, 11.0f, 11.0f},
        TypedCase{"BelowTheRangeToTheLowerBound", 5, 3.0f, Low},
        TypedCase{"AboveTheRangeToTheUpperBound", 9, 50.0f, High},
        TypedCase{"NegativeToTheLowerBound", 3, -2.0f, Low},
        TypedCase{"NotANumberIsAnEmptyEntry", 6, std::nanf(""), 0.0f},
        TypedCase{"NotANumberInPositionOneIsTheLowerBound", 1, std::nanf(""), Low}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypedPosition, FieldsOutsideOneToNineChangeNothing) {
    GearModel m = startupModel();
    const auto before = m.RevArmPositions;
    storeRevArmPosition(m, 0, 11.0f);
    storeRevArmPosition(m, 10, 11.0f);
    EXPECT_EQ(m.RevArmPositions, before);
}

TEST(TravelScale, HasItsFloorAtOneTenth) {
    GearModel m = startupModel();
    storeTravelScale(m, 0.05f);
    EXPECT_FLOAT_EQ(m.diagrams.TravelScale, 0.1f);
    storeTravelScale(m, -3.0f);
    EXPECT_FLOAT_EQ(m.diagrams.TravelScale, 0.1f);
    storeTravelScale(m, std::nanf(""));
    EXPECT_FLOAT_EQ(m.diagrams.TravelScale, 0.1f);
    storeTravelScale(m, 4.0f);
    EXPECT_FLOAT_EQ(m.diagrams.TravelScale, 4.0f);
}

TEST(RevArmSetRule, StartUpListIsThreePositions) {
    GearModel m = startupModel();
    EXPECT_EQ(m.diagrams.RevArmPositionCount, 1);
    const RevArmSetView view = applyRevArmSetRule(m);
    EXPECT_EQ(m.diagrams.RevArmPositionCount, 3);
    // The field after the last position is shown, to add one more.
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(view.editVisible[n], n <= 4) << n;
}

TEST(RevArmSetRule, ZeroInPositionFourOfFiveLeavesThree) {
    GearModel m = startupModel();
    m.RevArmPositions[4] = 10.5f;
    m.RevArmPositions[5] = 11.5f;
    applyRevArmSetRule(m);
    ASSERT_EQ(m.diagrams.RevArmPositionCount, 5);
    storeRevArmPosition(m, 4, 0.0f);
    const RevArmSetView view = applyRevArmSetRule(m);
    EXPECT_EQ(m.diagrams.RevArmPositionCount, 3);
    for (int n = 4; n <= 9; ++n) EXPECT_EQ(m.RevArmPositions[n], 0.0f) << n;
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(view.editVisible[n], n <= 4) << n;
}

TEST(RevArmSetRule, AllNineCountNine) {
    GearModel m = startupModel();
    for (int n = 1; n <= 9; ++n) m.RevArmPositions[n] = 9.0f + 0.2f * n;
    const RevArmSetView view = applyRevArmSetRule(m);
    EXPECT_EQ(m.diagrams.RevArmPositionCount, 9);
    for (int n = 1; n <= 9; ++n) EXPECT_TRUE(view.editVisible[n]) << n;
}

TEST(RevArmRangeTexts, NominalRange) {
    const GearModel m = startupModel();
    const auto texts = revArmRangeTexts(m);
    EXPECT_EQ(texts[0], "Min 8.598");
    EXPECT_EQ(texts[1], "Rev 8.798");
    EXPECT_EQ(texts[2], "Cent 10.298");
    EXPECT_EQ(texts[3], "Fwd 11.798");
    EXPECT_EQ(texts[4], "Max 11.998");
}

}  // namespace
}  // namespace quarn
