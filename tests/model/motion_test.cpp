// The driver's advance, starting and stopping, the step-angle scale and the reading of typed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/gear_model.h"
#include "model/motion.h"

namespace quarn {
namespace {

struct AdvanceRow {
    const char* direction;
    float angle, step, expected;
};

TEST(Motion, AdvanceFoldsIntoTheTurn) {
    const AdvanceRow rows[] = {
        {"Fwd", 355, 10, 5},    {"Fwd", 350, 10, 360},   {"Fwd", 355.05f, 5, 360.05f},
        {"Rev", 5, 10, 355},    {"Rev", 0, 0, 0},        {"Fwd", 400, 0, 40},
        {"Fwd", -40, 0, 320},   {"Fwd", 360.2f, 0, 0.2f}, {"XYZ", 20, 10, 10},
        // The single nearest 360.1 is above 360.1, so it folds; 360.09 does not.
        {"Fwd", 360.1f, 0, 0.1f}, {"Fwd", 360.09f, 0, 360.09f},
    };
    for (const auto& r : rows) {
        GearModel m;
        m.Direction = r.direction;
        m.DriverAngle = r.angle;
        m.StepAngle = r.step;
        AdvanceDriverAngle(m);
        EXPECT_NEAR(m.DriverAngle, r.expected, 1e-4) << r.direction << " " << r.angle;
    }
}

TEST(Motion, StepBandsAreCentredOnThePresets) {
    const struct {
        int position;
        float step;
        int small, large;
    } rows[] = {
        {0, 0.01f, 1, 5},        {704, 0.01f, 1, 5},       {705, 0.02f, 2, 10},
        {7612, 0.5f, 50, 250},   {7613, 1, 100, 500},      {8000, 1, 100, 500},
        {11453, 5, 500, 2500},   {12000, 10, 1000, 4500},  {12705, 20, 2000, 4500},
        {14408, 30, 3000, 4500}, {14409, 45, 4500, 4500},  {14613, 45, 4500, 4500},
    };
    for (const auto& r : rows) {
        const StepAngleBand b = stepAngleBand(r.position);
        EXPECT_EQ(b.stepAngle, r.step) << r.position;
        EXPECT_EQ(b.smallChange, r.small) << r.position;
        EXPECT_EQ(b.largeChange, r.large) << r.position;
    }
    for (double preset : {0.01, 0.1, 1.0, 10.0, 45.0})
        EXPECT_EQ(stepAngleBand(stepAnglePosition(preset)).stepAngle, static_cast<float>(preset));
    EXPECT_EQ(stepAnglePosition(7.3), 11453);
    EXPECT_EQ(stepAnglePosition(45), 14613);
    EXPECT_EQ(stepAnglePosition(0.01), 0);
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

TEST(Motion, TypedTextCountsAsItsLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"12.5", 12.5}, {"12.5x", 12.5}, {"", 0},     {"-", 0},      {".", 0},
        {"-.5", -0.5},  {"7.", 7},       {"abc", 0},  {"1e5", 1},    {"inf", 0},
        {"3.3.3", 3.3}, {"-2", -2},
    };
    for (const auto& r : rows) EXPECT_DOUBLE_EQ(leadingNumber(r.text), r.value) << r.text;
}

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
