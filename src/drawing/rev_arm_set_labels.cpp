#include "rev_arm_set_labels.h"

#include "model/diagram_positions.h"

namespace quarn {

std::string revArmPositionLabel(int n) {
    return "Rev Arm Position  " + std::to_string(n);
}

void drawRevArmSetLabels(const GearModel& m, Canvas& canvas,
                         const std::array<bool, 10>& positionLabel) {
    const TextScale& scale = m.screen.text;
    const TextStyle style;  // the dialog's font, black, on the dialog's own background
    // The range line: the reach of the arm both ways, the normal settings and mid gear.
    const std::array<std::string, 5> range = revArmRangeTexts(m);
    for (std::size_t i = 0; i < range.size(); ++i)
        canvas.text(scale.x(10 + 65 * double(i)), 4, range[i], style);
    canvas.text(scale.x(13), scale.y(25), "Vertical Scale", style);
    // Positions 1..4 in the left column under the scale, 5..9 in the right one.
    for (int n = 1; n <= 9; ++n) {
        if (!positionLabel[std::size_t(n)]) continue;
        const int x = n <= 4 ? 13 : 165;
        const int y = n <= 4 ? 25 + 13 * n : 25 + 13 * (n - 5);
        canvas.text(scale.x(x), scale.y(y), revArmPositionLabel(n), style);
    }
    canvas.text(scale.x(13), scale.y(98), "Max of 9 Positions", style);
}

}  // namespace quarn
