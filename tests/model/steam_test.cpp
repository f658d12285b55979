// The steam display's rules between frames: event colours of both cylinder ends, the
// pressure levels and pixel counts, the exhaust beats and their loudness, the error
// flash cycle and the zero-span guard.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/gear_model.h"
#include "model/solver.h"
#include "model/steam.h"

namespace quarn {
namespace {

// A bare model: nominal view scale 18, step 10, both ends covered, no events yet.
GearModel bareModel() {
    GearModel m;
    m.view.ViewScale = 18;
    m.StepAngle = 10;
    m.FrontSteamOpening = m.FrontExhaustOpening = -1;
    m.RearSteamOpening = m.RearExhaustOpening = -1;
    return m;
}

// ---- event colours ----

struct EventCase {
    const char* name;
    char stateBefore;
    float steamOpening, exhaustOpening;
    SteamEvent expected;
    char stateAfter;
};
void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }

class FrontEvent : public ::testing::TestWithParam<EventCase> {};

TEST_P(FrontEvent, FourTestsInOrderLaterOverrides) {
    const EventCase& c = GetParam();
    GearModel m = bareModel();
    m.steam.FrontEventState = c.stateBefore;
    m.FrontSteamOpening = c.steamOpening;
    m.FrontExhaustOpening = c.exhaustOpening;
    const SteamFrame f = advanceSteamLevels(m);
    EXPECT_EQ(f.front, c.expected);
    EXPECT_EQ(m.steam.FrontEventState, c.stateAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrontEvent,
    ::testing::Values(
        EventCase{"CoveredBeforeAnyEventIsBlack", 0, -0.2f, -0.3f, SteamEvent::None, 0},
        EventCase{"ExactlyZeroOpeningsAreCovered", 0, 0, 0, SteamEvent::None, 0},
        EventCase{"SteamOpenIsAdmission", 0, 0.2f, -0.3f, SteamEvent::Admission, 'E'},
        EventCase{"CoveredAfterAdmissionIsExpansion", 'E', -0.1f, -0.3f, SteamEvent::Expansion, 'E'},
        EventCase{"ZeroSteamAfterAdmissionIsExpansion", 'E', 0, -0.3f, SteamEvent::Expansion, 'E'},
        EventCase{"ExhaustOpenIsExhaust", 'E', -0.5f, 0.3f, SteamEvent::Exhaust, 'C'},
        EventCase{"CoveredAfterExhaustIsCompression", 'C', -0.5f, -0.1f, SteamEvent::Compression, 'C'},
        EventCase{"SteamOpenAfterExhaustIsAdmission", 'C', 0.1f, -0.1f, SteamEvent::Admission, 'E'},
        EventCase{"BothOpenExhaustWins", 0, 0.1f, 0.1f, SteamEvent::Exhaust, 'C'}),
    [](const auto& info) { return std::string(info.param.name); });

struct RearCase {
    const char* name;
    float frontSteam, frontExhaust;
    char rearState;
    float rearSteam, rearExhaust;
    SteamEvent expected;
};
void PrintTo(const RearCase& c, std::ostream* os) { *os << c.name; }

class RearEvent : public ::testing::TestWithParam<RearCase> {};

TEST_P(RearEvent, StartsFromTheFrontsFinalColour) {
    const RearCase& c = GetParam();
    GearModel m = bareModel();
    m.FrontSteamOpening = c.frontSteam;
    m.FrontExhaustOpening = c.frontExhaust;
    m.steam.RearEventState = c.rearState;
    m.RearSteamOpening = c.rearSteam;
    m.RearExhaustOpening = c.rearExhaust;
    EXPECT_EQ(advanceSteamLevels(m).rear, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RearEvent,
    ::testing::Values(
        RearCase{"BothCoveredNoEventsIsBlack", -1, -1, 0, -1, -1, SteamEvent::None},
        RearCase{"FrontAdmissionStandsForTheRear", 0.4f, -1, 0, -1, -1, SteamEvent::Admission},
        RearCase{"FrontExhaustStandsForTheRear", -1, 0.4f, 0, -1, -1, SteamEvent::Exhaust},
        RearCase{"RearOwnAdmissionOverridesFront", -1, 0.4f, 0, 0.2f, -1, SteamEvent::Admission},
        RearCase{"RearExpansionOverridesFront", 0.4f, -1, 'E', -0.1f, -1, SteamEvent::Expansion},
        RearCase{"RearCompressionOverridesFront", 0.4f, -1, 'C', -1, -0.1f, SteamEvent::Compression}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- levels and pixel counts ----

struct LevelCase {
    const char* name;
    char state;
    float level;
    float scale;
    float step;
    float steamOpening, exhaustOpening;
    float expectedLevel;
    int expectedPixels;
};
void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.name; }

class FrontLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(FrontLevel, FollowsTheColourAndIsClamped) {
    const LevelCase& c = GetParam();
    GearModel m = bareModel();
    m.view.ViewScale = c.scale;
    m.StepAngle = c.step;
    m.steam.FrontEventState = c.state;
    m.steam.FrontSteamLevel = c.level;
    m.FrontSteamOpening = c.steamOpening;
    m.FrontExhaustOpening = c.exhaustOpening;
    const SteamFrame f = advanceSteamLevels(m);
    EXPECT_FLOAT_EQ(m.steam.FrontSteamLevel, c.expectedLevel);
    EXPECT_EQ(m.steam.FrontPixelCount, c.expectedPixels);
    EXPECT_EQ(f.frontPixels, c.expectedPixels);
}

// Pixels = N(level x scale / 18.5): 350 x 18 / 18.5 = 340.54; 700 -> 681.08;
// 25 -> 24.32; 2000 -> 1945.95; 500 -> 486.49; at scale 1, 46.25 -> 2.5 and 27.75 -> 1.5.
INSTANTIATE_TEST_SUITE_P(
    Cases, FrontLevel,
    ::testing::Values(
        // 100 + 10 x 50 x (0.4 + 0.1)
        LevelCase{"AdmissionFills", 0, 100, 18, 10, 0.4f, -1, 350, 341},
        // 1000 - 10 x 60 x 0.5
        LevelCase{"ExhaustEmpties", 'E', 1000, 18, 10, -1, 0.5f, 700, 681},
        LevelCase{"ExpansionHolds", 'E', 500, 18, 10, -0.2f, -1, 500, 486},
        LevelCase{"CompressionHolds", 'C', 500, 18, 10, -1, -0.2f, 500, 486},
        LevelCase{"StartLevelIsRaisedToTheFloor", 0, 20, 18, 10, -1, -1, 25, 24},
        LevelCase{"EmptyingStopsAtTheFloor", 'E', 100, 18, 10, -1, 1, 25, 24},
        LevelCase{"FillingStopsAtTheCeiling", 0, 1990, 18, 10, 1.9f, -1, 2000, 1946},
        LevelCase{"StepZeroKeepsTheLevel", 0, 500, 18, 0, 0.4f, -1, 500, 486},
        LevelCase{"HalfPixelRoundsDownToEven", 'E', 46.25f, 1, 10, -1, -1, 46.25f, 2},
        LevelCase{"HalfPixelRoundsUpToEven", 'E', 27.75f, 1, 10, -1, -1, 27.75f, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RearLevel, FrontColourDrivesTheRearLevelWithTheRearOpening) {
    GearModel m = bareModel();
    m.FrontSteamOpening = 0.4f;  // front admission, rear no event yet
    m.steam.RearSteamLevel = 500;
    m.RearSteamOpening = -0.3f;
    advanceSteamLevels(m);
    // 500 + 10 x 50 x (-0.3 + 0.1)
    EXPECT_FLOAT_EQ(m.steam.RearSteamLevel, 400);
    EXPECT_EQ(m.steam.RearPixelCount, 389);  // 400 x 18 / 18.5 = 389.19
}

TEST(SteamCounts, ScaleBeyondTheClosestZoomCountsAsTheClosestZoom) {
    GearModel m = bareModel();
    m.steam.FrontEventState = 'E';
    m.steam.FrontSteamLevel = 37;  // 37 x 3000 / 18.5 = 6000
    m.view.ViewScale = 1e20f;
    advanceSteamLevels(m);
    EXPECT_EQ(m.steam.FrontPixelCount, 6000);
}

// Over two turns of the real gear the levels leave 20 at the first frame and then stay
// inside 25..2000; with the gear stopped they hold.
struct TurnCase {
    const char* name;
    float step;
};
void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.name; }

class LevelsOverATurn : public ::testing::TestWithParam<TurnCase> {};

TEST_P(LevelsOverATurn, StayInsideTheBandAfterTheFirstFrame) {
    GearModel m;
    InitStartupState(m);
    m.StepAngle = GetParam().step;
    ASSERT_FLOAT_EQ(m.steam.FrontSteamLevel, 20);
    ASSERT_FLOAT_EQ(m.steam.RearSteamLevel, 20);
    bool filled = false;
    for (int frame = 0; frame < 72; ++frame) {
        m.DriverAngle = static_cast<float>(frame * 10 % 360);
        SolveLinkage(m);
        SolvePistonAndPorts(m);
        advanceSteamLevels(m);
        for (float level : {m.steam.FrontSteamLevel, m.steam.RearSteamLevel}) {
            EXPECT_GE(level, 25) << "frame " << frame;
            EXPECT_LE(level, 2000) << "frame " << frame;
        }
        filled = filled || m.steam.FrontSteamLevel > 25;
    }
    EXPECT_TRUE(filled) << "the front end never took steam";
}

INSTANTIATE_TEST_SUITE_P(Steps, LevelsOverATurn,
                         ::testing::Values(TurnCase{"StepTen", 10}, TurnCase{"StepThirty", 30}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LevelsOverATurn, StepZeroHoldsTheLevelsWhateverTheValveDoes) {
    GearModel m;
    InitStartupState(m);
    m.StepAngle = 0;
    m.steam.FrontSteamLevel = 640;
    m.steam.RearSteamLevel = 320;
    for (int frame = 0; frame < 36; ++frame) {
        m.DriverAngle = static_cast<float>(frame * 10);
        SolveLinkage(m);
        SolvePistonAndPorts(m);
        advanceSteamLevels(m);
        EXPECT_FLOAT_EQ(m.steam.FrontSteamLevel, 640) << "frame " << frame;
        EXPECT_FLOAT_EQ(m.steam.RearSteamLevel, 320) << "frame " << frame;
    }
}

// ---- exhaust beats ----

struct VolumeCase {
    const char* name;
    int v;
    std::optional<std::uint16_t> volume;
};
void PrintTo(const VolumeCase& c, std::ostream* os) { *os << c.name; }

class ExhaustVolumeTable : public ::testing::TestWithParam<VolumeCase> {};

TEST_P(ExhaustVolumeTable, EdgesOfEachBand) {
    EXPECT_EQ(ExhaustVolume(GetParam().v), GetParam().volume);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExhaustVolumeTable,
    ::testing::Values(VolumeCase{"Zero", 0, std::nullopt}, VolumeCase{"Negative", -5, std::nullopt},
                      VolumeCase{"V23", 23, std::nullopt}, VolumeCase{"V24", 24, 0x0700},
                      VolumeCase{"V100", 100, 0x0700}, VolumeCase{"V101", 101, 0x1400},
                      VolumeCase{"V200", 200, 0x1400}, VolumeCase{"V201", 201, 0x2800},
                      VolumeCase{"V400", 400, 0x2800}, VolumeCase{"V401", 401, 0x4000},
                      VolumeCase{"V600", 600, 0x4000}, VolumeCase{"V601", 601, 0x5000},
                      VolumeCase{"V800", 800, 0x5000}, VolumeCase{"V801", 801, 0x6000},
                      VolumeCase{"V1000", 1000, 0x6000}, VolumeCase{"V1001", 1001, 0x7000},
                      VolumeCase{"V1200", 1200, 0x7000}, VolumeCase{"V1201", 1201, 0x8000},
                      VolumeCase{"V2001", 2001, 0x8000}, VolumeCase{"V2002", 2002, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExhaustBeats, ArmedWhileCoveredSoundsOnceWhenOpen) {
    GearModel m = bareModel();
    m.RearExhaustOpening = 0;  // neither arms nor sounds
    m.steam.RearReleaseLevel = 450;
    m.steam.FrontSteamLevel = 900;
    m.FrontExhaustOpening = -0.1f;
    EXPECT_TRUE(advanceExhaustBeats(m).empty());
    EXPECT_EQ(m.steam.FrontBeatArmed, '1');
    m.FrontExhaustOpening = 0.2f;
    EXPECT_EQ(advanceExhaustBeats(m), (std::vector<ExhaustBeat>{{0x4000}}));
    EXPECT_EQ(m.steam.FrontBeatArmed, '0');
    EXPECT_FLOAT_EQ(m.steam.FrontReleaseLevel, 900);
    m.FrontExhaustOpening = 0.3f;
    EXPECT_TRUE(advanceExhaustBeats(m).empty());
    EXPECT_EQ(m.steam.RearBeatArmed, 0);
}

TEST(ExhaustBeats, ZeroOpeningNeitherArmsNorSounds) {
    GearModel m = bareModel();
    m.FrontExhaustOpening = 0;
    EXPECT_TRUE(advanceExhaustBeats(m).empty());
    EXPECT_EQ(m.steam.FrontBeatArmed, 0);
    m.steam.FrontBeatArmed = '1';
    EXPECT_TRUE(advanceExhaustBeats(m).empty());
    EXPECT_EQ(m.steam.FrontBeatArmed, '1');
}

TEST(ExhaustBeats, DuringTheDimensionGraphicOnlyTheBeatArmedBeforeSounds) {
    GearModel m = bareModel();
    m.steam.FrontBeatArmed = '1';
    m.dimGraphic.ShowDimension = 12;
    m.FrontExhaustOpening = 0.2f;
    EXPECT_EQ(advanceExhaustBeats(m).size(), 1u);
    m.FrontExhaustOpening = -0.2f;
    advanceExhaustBeats(m);
    EXPECT_EQ(m.steam.FrontBeatArmed, '0');
    m.FrontExhaustOpening = 0.2f;
    EXPECT_TRUE(advanceExhaustBeats(m).empty());
}

// Each end sounds at the other end's last release, rounded halves to even; the rear,
// sounding in the same frame, already reads the front's new release.
struct ReleaseCase {
    const char* name;
    float rearRelease;
    float frontLevel;
    std::optional<std::uint16_t> frontVolume, rearVolume;
};
void PrintTo(const ReleaseCase& c, std::ostream* os) { *os << c.name; }

class OtherEndsRelease : public ::testing::TestWithParam<ReleaseCase> {};

TEST_P(OtherEndsRelease, SetsTheVolume) {
    const ReleaseCase& c = GetParam();
    GearModel m = bareModel();
    m.steam.FrontBeatArmed = m.steam.RearBeatArmed = '1';
    m.steam.RearReleaseLevel = c.rearRelease;
    m.steam.FrontSteamLevel = c.frontLevel;
    m.steam.RearSteamLevel = 333;
    m.FrontExhaustOpening = m.RearExhaustOpening = 0.1f;
    EXPECT_EQ(advanceExhaustBeats(m),
              (std::vector<ExhaustBeat>{{c.frontVolume}, {c.rearVolume}}));
    EXPECT_FLOAT_EQ(m.steam.FrontReleaseLevel, c.frontLevel);
    EXPECT_FLOAT_EQ(m.steam.RearReleaseLevel, 333);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OtherEndsRelease,
    ::testing::Values(ReleaseCase{"NothingReleasedYetKeepsVolume", 0, 700, std::nullopt, 0x5000},
                      ReleaseCase{"HalfBelowBandEdgeRoundsToEven", 100.5f, 1200.5f, 0x0700, 0x7000},
                      ReleaseCase{"HalfAboveBandEdgeRoundsToEven", 101.5f, 23.5f, 0x1400, 0x0700},
                      ReleaseCase{"TopOfTheTable", 2001, 2000, 0x8000, 0x8000},
                      ReleaseCase{"JustBelowTheTable", 23.4f, 22, std::nullopt, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- error flash ----

TEST(ErrorFlash, NineVisibleOneSoundElevenQuietThenAgain) {
    GearModel m;
    m.GeometryError = 1;
    std::vector<ErrorFlashSignal> seen;
    for (int frame = 1; frame <= 22; ++frame) {
        seen.push_back(errorFlash(m));
        if (frame == 21) {
            EXPECT_EQ(m.GeometryError, 0);
            EXPECT_EQ(m.steam.ErrorFlashCount, 0);
            m.GeometryError = 1;  // the solver raises it again
        } else {
            EXPECT_EQ(m.GeometryError, 1) << "frame " << frame;
        }
    }
    for (int frame = 1; frame <= 22; ++frame) {
        const ErrorFlashSignal& s = seen[static_cast<std::size_t>(frame - 1)];
        if (frame <= 9 || frame == 22) {
            EXPECT_EQ(s, (ErrorFlashSignal{true, false})) << "frame " << frame;
        } else if (frame == 10) {
            EXPECT_EQ(s, (ErrorFlashSignal{false, true})) << "frame " << frame;
        } else {
            EXPECT_EQ(s, ErrorFlashSignal{}) << "frame " << frame;
        }
    }
}

TEST(ErrorFlash, WithoutTheFlagNothingHappensAndTheCountHolds) {
    GearModel m;
    m.steam.ErrorFlashCount = 5;
    EXPECT_EQ(errorFlash(m), ErrorFlashSignal{});
    EXPECT_EQ(m.steam.ErrorFlashCount, 5);
}

// ---- zero-span guard ----

struct GuardCase {
    const char* name;
    int span;
    bool beepOn;
    int after;
    bool beep;
};
void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }

class ZeroSpan : public ::testing::TestWithParam<GuardCase> {};

TEST_P(ZeroSpan, BecomesOneAndBeepsOnlyWhenAsked) {
    int span = GetParam().span;
    EXPECT_EQ(ZeroDivisorGuard(span, GetParam().beepOn), GetParam().beep);
    EXPECT_EQ(span, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZeroSpan,
                         ::testing::Values(GuardCase{"ZeroWithBeep", 0, true, 1, true},
                                           GuardCase{"ZeroWithoutBeep", 0, false, 1, false},
                                           GuardCase{"PositiveLeftAlone", 7, true, 7, false},
                                           GuardCase{"NegativeLeftAlone", -3, true, -3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
