// The steam display's memory between frames: the pressure level of each cylinder end,
// the event each end last saw, the exhaust-beat arming and the error flash counter.
#pragma once

#include <cstdint>

namespace quarn {

// The program's sounds play at half volume on both channels from start-up, and the
// volume goes back to it when the main window closes.
inline constexpr std::uint16_t StartVolume = 0x8000;

struct SteamState {
    float FrontSteamLevel = 20;  // clamped to 25..2000 once the display runs
    float RearSteamLevel = 20;
    char FrontEventState = 0;  // 'E' after the port was open to steam, 'C' after exhaust
    char RearEventState = 0;
    int FrontPixelCount = 0;  // pixels of the cylinder space in the current frame
    int RearPixelCount = 0;
    float FrontReleaseLevel = 0;  // the level when that end's exhaust last opened
    float RearReleaseLevel = 0;
    char FrontBeatArmed = 0;  // '1' when the next exhaust opening may sound, '0' after
    char RearBeatArmed = 0;
    int ErrorFlashCount = 0;  // frames counted since GeometryError was seen
};

}  // namespace quarn
