// What the diagrams share: how many reverse-arm positions they draw, the travel scale,
// the position drawn last and the closing of the position dialog. The positions
// themselves are GearModel::RevArmPositions.
#pragma once

#include <cstdint>

namespace quarn {

struct DiagramPositions {
    int RevArmPositionCount = 1;     // 1..9
    float TravelScale = 1.5f;        // valve travel spanned by 375 pixels; never below 0.1
    float LastDiagramRevArm = 0;     // carried by the dimension file
    std::uint8_t RevArmSetClosed = 0;  // redraw the diagrams at the next pointer move
};

}  // namespace quarn
