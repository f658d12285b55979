// What the diagrams share: how many reverse-arm positions they draw, the travel scale,
// the position drawn last, the closing of the position dialog, the port window's graph
// and the undo line the diagram windows show. The positions themselves are
// GearModel::RevArmPositions; the rules of the position dialog follow the record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quarn {

struct GearModel;

struct DiagramPositions {
    int RevArmPositionCount = 1;     // 1..9
    float TravelScale = 1.5f;        // valve travel spanned by 375 pixels; never below 0.1
    float LastDiagramRevArm = 0;     // carried by the dimension file
    std::uint8_t RevArmSetClosed = 0;  // redraw the diagrams at the next pointer move
    // The port window's graph: 'F' forward, 'R' reverse, 'B' both (a window state only;
    // a drawing pass knows 'F' and 'R').
    char PortDiaMode = 'F';
    // The port legend is drawn only while set; cleared during the second pass of both
    // graphs, so the legend belongs to the forward graph.
    std::uint8_t PortLegendOn = 1;
    // The diagrams' undo line: each drawing shows the line the drawing before composed,
    // then composes the next one (so a second drawing shows a change the first missed).
    std::string UndoLine;
};

// A typed position kept within the reverse arm's range about mid gear; 0 stays 0, as
// it marks an empty entry, and a NaN becomes 0.
float ClampRevArmEntry(const GearModel& m, float value);

// A position typed into field n (1..9) and left. Position 1 is never empty: exactly 0
// there becomes 0.001 before the clamp.
void storeRevArmPosition(GearModel& m, int n, float typed);

// The vertical scale typed and left; below 0.1 it becomes 0.1.
void storeTravelScale(GearModel& m, float typed);

// Which position fields the dialog shows: entry n for field n (1..9; field 1 always).
struct RevArmSetView {
    std::array<bool, 10> editVisible{};
};

// The diagrams draw the leading run of non-zero positions: every entry after the first
// empty one is emptied, RevArmPositionCount becomes the run's length, and the field
// after each non-empty one is shown so one more position can be added.
RevArmSetView applyRevArmSetRule(GearModel& m);

// The dialog's range line, its five texts from left to right: "Min ", "Rev ", "Cent ",
// "Fwd ", "Max " each with its value (5:3).
std::array<std::string, 5> revArmRangeTexts(const GearModel& m);

}  // namespace quarn
