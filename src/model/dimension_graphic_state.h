// Which dimension the drawing is showing where it lies, and the counters of that show.
#pragma once

#include <cstdint>

namespace quarn {

struct DimensionGraphicState {
    // 0 none; 1..30 frame dimension k; 101..117 cylinder dimension k - 100.
    int ShowDimension = 0;
    int DimensionGraphicFrames = 0;
    int DimensionGraphicBlink = 0;
    std::uint8_t ReopenFrameDialog = 0;
};

}  // namespace quarn
