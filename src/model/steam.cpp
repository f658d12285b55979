// The steam display's model steps: event colours, pressure levels, beats, error flash.
#include "steam.h"

#include <algorithm>

#include "rounding.h"

namespace quarn {
namespace {

// The pressure level of a cylinder end stays in this band once the display runs.
constexpr double MinSteamLevel = 25;
constexpr double MaxSteamLevel = 2000;
// Live steam raises the level by this much per degree and unit of opening (the 0.1
// keeps a barely cracked port filling); exhaust lowers it a little faster.
constexpr double AdmissionGain = 50;
constexpr double AdmissionCrack = 0.1;
constexpr double ExhaustLoss = 60;
// Level units per pixel of the cylinder space at a view scale of 1.
constexpr double LevelPerPixel = 18.5;

// The four tests of one end, in order, each later one overriding the colour so far.
SteamEvent advanceEvent(SteamEvent c, char& state, double steamOpening, double exhaustOpening) {
    if (steamOpening > 0) {
        state = 'E';
        c = SteamEvent::Admission;
    }
    if (steamOpening <= 0 && state == 'E') c = SteamEvent::Expansion;
    if (exhaustOpening > 0) {
        state = 'C';
        c = SteamEvent::Exhaust;
    }
    if (exhaustOpening <= 0 && state == 'C') c = SteamEvent::Compression;
    return c;
}

// The level follows the colour: admission fills, exhaust empties, the rest holds.
int advanceLevel(const GearModel& m, SteamEvent c, float& level, double steamOpening,
                 double exhaustOpening) {
    double l = level;
    const double step = m.StepAngle;
    if (c == SteamEvent::Admission) l += step * AdmissionGain * (steamOpening + AdmissionCrack);
    if (c == SteamEvent::Exhaust) l -= step * ExhaustLoss * exhaustOpening;
    level = static_cast<float>(std::clamp(l, MinSteamLevel, MaxSteamLevel));
    return roundHalfEven(double(level) * steamCountScale(m) / LevelPerPixel);
}

// One end's beat: armed while its port is covered, sounded once when it opens.
std::optional<ExhaustBeat> advanceBeat(const GearModel& m, double exhaustOpening, char& armed,
                                       float& releaseLevel, float level,
                                       float otherReleaseLevel) {
    if (exhaustOpening < 0 && m.dimGraphic.ShowDimension == 0) armed = '1';
    if (exhaustOpening > 0 && armed == '1') {
        armed = '0';
        releaseLevel = level;
        return ExhaustBeat{ExhaustVolume(roundHalfEven(otherReleaseLevel))};
    }
    return std::nullopt;
}

}  // namespace

double steamCountScale(const GearModel& m) {
    return std::min(double(m.view.ViewScale), SteamCountScaleLimit);
}

SteamFrame advanceSteamLevels(GearModel& m) {
    SteamState& s = m.steam;
    SteamFrame f;
    f.front = advanceEvent(SteamEvent::None, s.FrontEventState, m.FrontSteamOpening,
                           m.FrontExhaustOpening);
    s.FrontPixelCount =
        advanceLevel(m, f.front, s.FrontSteamLevel, m.FrontSteamOpening, m.FrontExhaustOpening);
    // Not reset: until the rear end sees its first event it shows the front's colour.
    f.rear = advanceEvent(f.front, s.RearEventState, m.RearSteamOpening, m.RearExhaustOpening);
    s.RearPixelCount =
        advanceLevel(m, f.rear, s.RearSteamLevel, m.RearSteamOpening, m.RearExhaustOpening);
    f.frontPixels = s.FrontPixelCount;
    f.rearPixels = s.RearPixelCount;
    f.frontExhaustOpen = m.FrontExhaustOpening > 0;
    f.rearExhaustOpen = m.RearExhaustOpening > 0;
    return f;
}

std::optional<std::uint16_t> ExhaustVolume(int v) {
    struct Band {
        int low, high;
        std::uint16_t volume;
    };
    static constexpr Band Bands[] = {{24, 100, 0x0700},    {101, 200, 0x1400},
                                     {201, 400, 0x2800},   {401, 600, 0x4000},
                                     {601, 800, 0x5000},   {801, 1000, 0x6000},
                                     {1001, 1200, 0x7000}, {1201, 2001, 0x8000}};
    for (const Band& b : Bands)
        if (v >= b.low && v <= b.high) return b.volume;
    return std::nullopt;
}

std::vector<ExhaustBeat> advanceExhaustBeats(GearModel& m) {
    SteamState& s = m.steam;
    std::vector<ExhaustBeat> beats;
    // Each end sounds at the loudness of the other end's last release; the rear reads
    // the front's after the front may have just saved it.
    if (auto b = advanceBeat(m, m.FrontExhaustOpening, s.FrontBeatArmed, s.FrontReleaseLevel,
                             s.FrontSteamLevel, s.RearReleaseLevel))
        beats.push_back(*b);
    if (auto b = advanceBeat(m, m.RearExhaustOpening, s.RearBeatArmed, s.RearReleaseLevel,
                             s.RearSteamLevel, s.FrontReleaseLevel))
        beats.push_back(*b);
    return beats;
}

ErrorFlashSignal errorFlash(GearModel& m) {
    // Frames of the cycle: the mark shows before this count, the sound plays at it,
    // and past the last quiet frame the flag is cleared for the solver to raise again.
    constexpr int SoundFrame = 10;
    constexpr int LastQuietFrame = 20;
    ErrorFlashSignal signal;
    if (!m.GeometryError) return signal;
    int& count = m.steam.ErrorFlashCount;
    ++count;
    if (count < SoundFrame) signal.errorItemVisible = true;
    if (count == SoundFrame) {
        signal.errorItemVisible = false;
        signal.playErrorSound = true;
    }
    if (count > LastQuietFrame) {
        count = 0;
        m.GeometryError = 0;
    }
    return signal;
}

bool ZeroDivisorGuard(int& span, bool errorBeepOn) {
    if (span != 0) return false;
    span = 1;
    return errorBeepOn;
}

}  // namespace quarn
