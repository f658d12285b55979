// The steam display's rules between frames: which event each cylinder end is in, its
// pressure level and pixel count, the exhaust beats and their loudness, the error flash
// and the guard of a zero pixel span. The pixels themselves are drawn from what these
// return (drawing/steam_drawing.h).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "gear_model.h"

namespace quarn {

inline constexpr const char* ExhaustSoundFile = "Exhaust.wav";
inline constexpr const char* ErrorSoundFile = "Error.wav";

// The closest zoom the view allows. A larger scale comes only from a damaged file; the
// steam pixel counts are taken at this scale then, so that such a view cannot ask for
// a billion pixels a frame and stall the animation.
inline constexpr double SteamCountScaleLimit = 3000;
// The view scale that the steam pixel counts follow: ViewScale, at most the limit.
double steamCountScale(const GearModel& m);

// The colour of a cylinder end's steam: admission red, expansion magenta, exhaust blue,
// compression dark green, and black before the end has seen any event.
enum class SteamEvent { None, Admission, Expansion, Exhaust, Compression };

// This frame's colour and pixel count of each cylinder end, as the levels were advanced,
// and whether each exhaust port is open: the pixels are painted from these alone, so the
// picture shows the very colours that moved the levels.
struct SteamFrame {
    SteamEvent front = SteamEvent::None;
    SteamEvent rear = SteamEvent::None;
    int frontPixels = 0;
    int rearPixels = 0;
    bool frontExhaustOpen = false;
    bool rearExhaustOpen = false;
};

// Event states, levels and pixel counts of both ends for this frame, the front first;
// the rear's colour starts from the front's final one.
SteamFrame advanceSteamLevels(GearModel& m);

// One exhaust beat to play; no volume leaves the loudness as it was.
struct ExhaustBeat {
    std::optional<std::uint16_t> volume;
    friend bool operator==(const ExhaustBeat&, const ExhaustBeat&) = default;
};

// The loudness of a beat from the other end's release level, N(level); values outside
// 24..2001 leave the volume unchanged.
std::optional<std::uint16_t> ExhaustVolume(int v);

// Arms each end's beat while its exhaust port is covered (not while a dimension graphic
// is shown) and sounds it once when the port opens; front first, then rear.
std::vector<ExhaustBeat> advanceExhaustBeats(GearModel& m);

// What the error flash asks of the window this frame.
struct ErrorFlashSignal {
    std::optional<bool> errorItemVisible;  // show or hide the Error menu item
    bool playErrorSound = false;
    friend bool operator==(const ErrorFlashSignal&, const ErrorFlashSignal&) = default;
};

// One frame of the flash while GeometryError is set: the mark for 9 frames, the sound
// and hiding at the 10th, and after the 21st the count and the flag cleared.
ErrorFlashSignal errorFlash(GearModel& m);

// A zero pixel span becomes 1 so that it can divide. Returns true when that happened
// with ErrorBeepOn set: the caller asks for the system beep (once a frame is enough).
bool ZeroDivisorGuard(int& span, bool errorBeepOn);

}  // namespace quarn
