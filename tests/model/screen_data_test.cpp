// The live cut-off read-out: its closing test, the interpolation to the port's zero,
// the frames it stays shown, the step band that hides it; and the pivot data rows.
#include <gtest/gtest.h>

#include <string>

#include "model/screen_data.h"
#include "model/solver.h"
#include "startup_model.h"

namespace quarn {
namespace {

struct FramesCase {
    const char* name;
    float step;
    int frames;
};

class CutOffFrameCount : public ::testing::TestWithParam<FramesCase> {};

// N(400 / (step + 0.1)) by hand.
TEST_P(CutOffFrameCount, AboutFourHundredDegreesOfTurn) {
    EXPECT_EQ(cutOffFrames(GetParam().step), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Steps, CutOffFrameCount,
                         ::testing::Values(FramesCase{"Default10", 10, 40},    // 39.60
                                           FramesCase{"Step1", 1, 364},        // 363.64
                                           FramesCase{"Step22", 22, 18},       // 18.10
                                           FramesCase{"Step45", 45, 9},        // 8.87
                                           FramesCase{"Stopped", 0, 4000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CutOffInterpolation, PistonWhereTheOpeningCrossesZero) {
    // Opening 0.2 then -0.2: the zero lies half way, piston 100 -> 110 gives 105.
    EXPECT_FLOAT_EQ(closingPistonPos(100, 0.2f, 110, -0.2f), 105.0f);
    // 0.3 then -0.1: three quarters of the way.
    EXPECT_FLOAT_EQ(closingPistonPos(100, 0.3f, 110, -0.1f), 107.5f);
    // The rear end closing while the piston runs back.
    EXPECT_FLOAT_EQ(closingPistonPos(600, 0.1f, 560, -0.3f), 590.0f);
}

struct CutOffTracking : ::testing::Test {
    GearModel m = startupModel();
    void SetUp() override {
        m.StepAngle = 10;
        m.screen.PrevPistonPos = 100;
        m.PistonPos640 = 110;
        m.screen.PrevFrontSteamOpening = -1;
        m.FrontSteamOpening = -1;
        m.screen.PrevRearSteamOpening = -1;
        m.RearSteamOpening = -1;
    }
};

TEST_F(CutOffTracking, FrontClosingSetsTextAndFortyFrames) {
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.FrontSteamOpening = -0.2f;
    const CutOffReadout r = advanceCutOff(m);
    // 105 / 6.4 = 16.406
    EXPECT_EQ(m.screen.FrontCutOffText, "16.4");
    EXPECT_TRUE(r.shown);
    EXPECT_EQ(r.front, "16.4");
    EXPECT_FALSE(r.rear.has_value());
    EXPECT_EQ(m.screen.FrontCutOffFrames, 39);  // 40, one shown already
    // This frame's values are the previous ones of the next.
    EXPECT_EQ(m.screen.PrevPistonPos, 110.0f);
    EXPECT_EQ(m.screen.PrevFrontSteamOpening, -0.2f);
    EXPECT_EQ(m.screen.PrevRearSteamOpening, -1.0f);
}

TEST_F(CutOffTracking, RearAloneFromThePreviousPiston) {
    m.screen.PrevRearSteamOpening = 0.1f;
    m.RearSteamOpening = -0.3f;
    const CutOffReadout r = advanceCutOff(m);
    // p = 100 + 0.1 * 10 / 0.4 = 102.5; (640 - 102.5) / 6.4 = 83.98
    EXPECT_EQ(m.screen.RearCutOffText, "84.0");
    EXPECT_EQ(r.rear, "84.0");
    EXPECT_FALSE(r.front.has_value());
    EXPECT_EQ(m.screen.RearCutOffFrames, 39);
}

TEST_F(CutOffTracking, RearAfterFrontInOneFrameStartsFromTheFrontClosing) {
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.FrontSteamOpening = -0.2f;
    m.screen.PrevRearSteamOpening = 0.1f;
    m.RearSteamOpening = -0.3f;
    advanceCutOff(m);
    EXPECT_EQ(m.screen.FrontCutOffText, "16.4");
    // p = 105 + 0.1 * 5 / 0.4 = 106.25; (640 - 106.25) / 6.4 = 83.40
    EXPECT_EQ(m.screen.RearCutOffText, "83.4");
    EXPECT_EQ(m.screen.PrevPistonPos, 110.0f);
}

struct ClosingCase {
    const char* name;
    float prev, now;
    bool closes;
};

class CutOffClosingTest : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(CutOffClosingTest, OnlyAFallFromAboveZeroToBelowZero) {
    GearModel m = startupModel();
    m.StepAngle = 10;
    m.screen.FrontCutOffText = "old";
    m.screen.PrevFrontSteamOpening = GetParam().prev;
    m.FrontSteamOpening = GetParam().now;
    m.screen.PrevRearSteamOpening = GetParam().prev;
    m.RearSteamOpening = GetParam().now;
    advanceCutOff(m);
    EXPECT_EQ(m.screen.FrontCutOffText != "old", GetParam().closes);
    EXPECT_EQ(m.screen.FrontCutOffFrames, GetParam().closes ? 39 : 0);
    EXPECT_EQ(m.screen.RearCutOffFrames, GetParam().closes ? 39 : 0);
}

INSTANTIATE_TEST_SUITE_P(Openings, CutOffClosingTest,
                         ::testing::Values(ClosingCase{"Closes", 0.01f, -0.01f, true},
                                           ClosingCase{"FallsToZeroOnly", 0.01f, 0, false},
                                           ClosingCase{"FromZero", 0, -0.01f, false},
                                           ClosingCase{"Opens", -0.01f, 0.01f, false},
                                           ClosingCase{"StaysOpen", 0.02f, 0.01f, false},
                                           ClosingCase{"StaysClosed", -0.01f, -0.02f, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CutOffTracking, ShownForFortyFramesThenOnlyTheCaptions) {
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.FrontSteamOpening = -0.2f;
    int shown = 0;
    for (int frame = 0; frame < 60; ++frame) {
        const CutOffReadout r = advanceCutOff(m);
        EXPECT_TRUE(r.shown);
        if (r.front) ++shown;
        if (frame >= 40) {
            EXPECT_FALSE(r.front.has_value()) << frame;
        }
    }
    EXPECT_EQ(shown, 40);
    EXPECT_EQ(m.screen.FrontCutOffFrames, 0);
    EXPECT_EQ(m.screen.FrontCutOffText, "16.4");  // kept until a change empties it
}

struct BandCase {
    const char* name;
    float step;
    bool shown;
};

class CutOffStepBand : public ::testing::TestWithParam<BandCase> {};

TEST_P(CutOffStepBand, HiddenWhenStoppedOrFast) {
    GearModel m = startupModel();
    m.StepAngle = GetParam().step;
    m.screen.PrevFrontSteamOpening = 0.2f;
    m.FrontSteamOpening = -0.2f;
    const CutOffReadout r = advanceCutOff(m);
    EXPECT_EQ(r.shown, GetParam().shown);
    EXPECT_EQ(r.front.has_value(), GetParam().shown);
    // The closing is still recorded; its frames wait while the read-out is hidden.
    EXPECT_FALSE(m.screen.FrontCutOffText.empty());
    EXPECT_EQ(m.screen.FrontCutOffFrames,
              cutOffFrames(GetParam().step) - (GetParam().shown ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Steps, CutOffStepBand,
                         ::testing::Values(BandCase{"Stopped", 0, false},
                                           BandCase{"Step1", 1, true},
                                           BandCase{"Step22_9", 22.9f, true},
                                           BandCase{"Step23", 23, false},
                                           BandCase{"Step45", 45, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CutOffTracking, TextHoldsTenCharactersAtMost) {
    m.screen.PrevPistonPos = 6.4e10f;
    m.PistonPos640 = 6.4e10f;
    m.screen.PrevFrontSteamOpening = 1;
    m.FrontSteamOpening = -1;
    advanceCutOff(m);
    EXPECT_EQ(m.screen.FrontCutOffText, "1000000000");  // of "10000000000.0"
}

// The nominal set in normal forward gear closes its front port at about 78.3 % and
// its rear port at about 78.4 %; turning by 1 degree, the interpolated read-out agrees.
TEST(CutOffNominal, FrontAndRearNearSeventyEightPercent) {
    GearModel m = startupModel();
    m.RevArmPosition = m.RevArmCentre() + 1.5f;
    m.StepAngle = 1;
    for (int angle = 0; angle <= 360; ++angle) {
        m.DriverAngle = static_cast<float>(angle);
        SolveLinkage(m);
        SolvePistonAndPorts(m);
        advanceCutOff(m);
    }
    EXPECT_EQ(m.screen.FrontCutOffText, "78.3");
    EXPECT_EQ(m.screen.RearCutOffText, "78.4");
}

struct RowCase {
    const char* name;
    int set;
    float pivot;
    int expected;  // -1: nothing shown
};

class PivotDataRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(PivotDataRowTest, SetRowsNameAPivot) {
    GearModel m = startupModel();
    m.screen.PivotDataRowSet[3] = GetParam().set;
    m.screen.PivotDataRowPivot[3] = GetParam().pivot;
    const std::optional<int> p = pivotDataRowPivot(m, 3);
    EXPECT_EQ(p.value_or(-1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, PivotDataRowTest,
                         ::testing::Values(RowCase{"Unset", 0, 5, -1},
                                           RowCase{"Set", 1, 5, 5},
                                           RowCase{"SetToDriverCentre", 1, 0, 0},
                                           RowCase{"HalfToEven", 1, 4.5f, 4},
                                           RowCase{"BeyondThePivots", 1, 27, -1},
                                           RowCase{"Negative", 1, -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PivotDataRowTest, RowsOutsideOneToSixShowNothing) {
    GearModel m = startupModel();
    m.screen.PivotDataRowSet.fill(1);
    EXPECT_FALSE(pivotDataRowPivot(m, 0).has_value());
    EXPECT_FALSE(pivotDataRowPivot(m, 7).has_value());
    EXPECT_EQ(pivotDataRowPivot(m, 6), 0);
}

}  // namespace
}  // namespace quarn
