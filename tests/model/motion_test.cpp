// The driver's advance, starting and stopping, the step-angle scale and the reading of typed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "model/gear_model.h"
#include "model/motion.h"

namespace quarn {
namespace {

struct AdvanceRow {
    const char* name;
    const char* direction;
    float angle, step, expected;
};
void PrintTo(const AdvanceRow& r, std::ostream* os) {
    *os << r.name << ": " << r.direction << " from " << r.angle << " by " << r.step;
}

class AdvanceDriver : public ::testing::TestWithParam<AdvanceRow> {};

TEST_P(AdvanceDriver, FoldsIntoTheTurn) {
    const AdvanceRow& r = GetParam();
    GearModel m;
    m.Direction = r.direction;
    m.DriverAngle = r.angle;
    m.StepAngle = r.step;
    advanceDriverAngle(m);
    EXPECT_NEAR(m.DriverAngle, r.expected, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Motion, AdvanceDriver,
    ::testing::Values(AdvanceRow{"Fwd_355_Step10", "Fwd", 355, 10, 5},
                      AdvanceRow{"Fwd_350_Step10", "Fwd", 350, 10, 360},
                      AdvanceRow{"Fwd_355_05_Step5", "Fwd", 355.05f, 5, 360.05f},
                      AdvanceRow{"Rev_5_Step10", "Rev", 5, 10, 355},
                      AdvanceRow{"Rev_0_Step0", "Rev", 0, 0, 0},
                      AdvanceRow{"Fwd_400_Step0", "Fwd", 400, 0, 40},
                      AdvanceRow{"Fwd_Minus40_Step0", "Fwd", -40, 0, 320},
                      AdvanceRow{"Fwd_360_2_Step0", "Fwd", 360.2f, 0, 0.2f},
                      AdvanceRow{"UnknownDirection_20_Step10", "XYZ", 20, 10, 10},
                      // The single nearest 360.1 is above 360.1, so it folds; 360.09 does not.
                      AdvanceRow{"Fwd_360_1_Step0", "Fwd", 360.1f, 0, 0.1f},
                      AdvanceRow{"Fwd_360_09_Step0", "Fwd", 360.09f, 0, 360.09f}),
    [](const auto& info) { return std::string(info.param.name); });

struct BandRow {
    int position;
    float step;
    int small, large;
};
void PrintTo(const BandRow& r, std::ostream* os) { *os << "position " << r.position; }

class StepBand : public ::testing::TestWithParam<BandRow> {};

TEST_P(StepBand, IsCentredOnThePresets) {
    const BandRow& r = GetParam();
    const StepAngleBand b = stepAngleBand(r.position);
    EXPECT_EQ(b.stepAngle, r.step);
    EXPECT_EQ(b.smallChange, r.small);
    EXPECT_EQ(b.largeChange, r.large);
}

TEST(Motion, StoppingKeepsTheChosenStepForTheNextStart) {
    GearModel m;
    m.StepAngleSetting = 5;
    m.DriverAngle = 123.4f;
    setRunning(m, false);
    EXPECT_EQ(m.Running, 0);
    EXPECT_EQ(m.StepAngle, 0.0f);
    EXPECT_EQ(m.DriverAngle, 123.4f);
    chooseStepAngle(m, 45);  // standing: the wheel keeps still
    EXPECT_EQ(m.StepAngle, 0.0f);
    EXPECT_EQ(m.StepAngleSetting, 45.0f);
    setRunning(m, true);
    EXPECT_EQ(m.Running, 1);
    EXPECT_EQ(m.StepAngle, 45.0f);
    chooseStepAngle(m, 0.5f);  // turning: the new step at once
    EXPECT_EQ(m.StepAngle, 0.5f);
}

INSTANTIATE_TEST_SUITE_P(
    Motion, StepBand,
    ::testing::Values(BandRow{0, 0.01f, 1, 5}, BandRow{704, 0.01f, 1, 5},
                      BandRow{705, 0.02f, 2, 10}, BandRow{7612, 0.5f, 50, 250},
                      BandRow{7613, 1, 100, 500}, BandRow{8000, 1, 100, 500},
                      BandRow{11453, 5, 500, 2500}, BandRow{12000, 10, 1000, 4500},
                      BandRow{12705, 20, 2000, 4500}, BandRow{14408, 30, 3000, 4500},
                      BandRow{14409, 45, 4500, 4500}, BandRow{14613, 45, 4500, 4500}),
    [](const auto& info) { return "Position" + std::to_string(info.param.position); });

struct PresetRow {
    const char* name;
    double preset;
};
void PrintTo(const PresetRow& r, std::ostream* os) { *os << r.name; }

class StepPreset : public ::testing::TestWithParam<PresetRow> {};

TEST_P(StepPreset, ComesBackFromItsBarPosition) {
    const double preset = GetParam().preset;
    EXPECT_EQ(stepAngleBand(stepAnglePosition(preset)).stepAngle, static_cast<float>(preset));
}

INSTANTIATE_TEST_SUITE_P(Motion, StepPreset,
                         ::testing::Values(PresetRow{"Preset_0_01", 0.01},
                                           PresetRow{"Preset_0_1", 0.1},
                                           PresetRow{"Preset_1", 1.0},
                                           PresetRow{"Preset_10", 10.0},
                                           PresetRow{"Preset_45", 45.0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PositionRow {
    const char* name;
    double step;
    int position;
};
void PrintTo(const PositionRow& r, std::ostream* os) { *os << r.name; }

class StepPosition : public ::testing::TestWithParam<PositionRow> {};

TEST_P(StepPosition, OfAStepAngle) {
    EXPECT_EQ(stepAnglePosition(GetParam().step), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Motion, StepPosition,
                         ::testing::Values(PositionRow{"BetweenPresets_7_3", 7.3, 11453},
                                           PositionRow{"Top_45", 45, 14613},
                                           PositionRow{"Bottom_0_01", 0.01, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TypedRow {
    const char* name;
    const char* text;
    double value;
};
void PrintTo(const TypedRow& r, std::ostream* os) { *os << r.name << ": \"" << r.text << '"'; }

class TypedText : public ::testing::TestWithParam<TypedRow> {};

TEST_P(TypedText, CountsAsItsLeadingNumber) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Motion, TypedText,
    ::testing::Values(TypedRow{"Decimal", "12.5", 12.5}, TypedRow{"TrailingLetter", "12.5x", 12.5},
                      TypedRow{"Empty", "", 0}, TypedRow{"MinusAlone", "-", 0},
                      TypedRow{"PointAlone", ".", 0}, TypedRow{"MinusPointFive", "-.5", -0.5},
                      TypedRow{"TrailingPoint", "7.", 7}, TypedRow{"Letters", "abc", 0},
                      TypedRow{"ExponentNotRead", "1e5", 1}, TypedRow{"InfNotRead", "inf", 0},
                      TypedRow{"SecondPointEnds", "3.3.3", 3.3}, TypedRow{"NegativeInteger", "-2", -2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Motion, RoundingIsHalfToEvenAndSafe) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-0.4), 0);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(roundHalfEven(1e300), 1000000000);
    EXPECT_EQ(roundHalfEven(-std::numeric_limits<double>::infinity()), -1000000000);
}

}  // namespace
}  // namespace quarn
