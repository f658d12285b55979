// The reverse-arm position dialog's rules.
#include "diagram_positions.h"

#include "gear_model.h"

#include "number_text.h"

namespace quarn {

float ClampRevArmEntry(const GearModel& m, float value) {
    // A NaN (from a damaged entry) is no position: the entry is empty.
    if (value == 0 || value != value) return 0;
    const double centre = m.RevArmCentre();
    const double reach = m.frame.RevArmToCentMax;
    const auto low = static_cast<float>(centre - reach);
    const auto high = static_cast<float>(centre + reach);
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

void storeRevArmPosition(GearModel& m, int n, float typed) {
    if (n < 1 || n > 9) return;
    float value = typed != typed ? 0.0f : typed;
    if (n == 1 && value == 0) value = 0.001f;
    m.RevArmPositions[n] = ClampRevArmEntry(m, value);
}

void storeTravelScale(GearModel& m, float typed) {
    // A NaN is not below 0.1 but is no scale either; it is taken as the smallest one.
    m.diagrams.TravelScale = (typed < 0.1f || typed != typed) ? 0.1f : typed;
}

RevArmSetView applyRevArmSetRule(GearModel& m) {
    RevArmSetView view;
    view.editVisible[1] = true;
    for (int n = 1; n <= 8; ++n) {
        if (m.RevArmPositions[n] != 0) {
            m.diagrams.RevArmPositionCount = n;
            view.editVisible[n + 1] = true;
        } else {
            m.RevArmPositions[n + 1] = 0;
            view.editVisible[n + 1] = false;
        }
    }
    if (m.RevArmPositions[9] != 0) m.diagrams.RevArmPositionCount = 9;
    return view;
}

std::array<std::string, 5> revArmRangeTexts(const GearModel& m) {
    const double centre = m.RevArmCentre();
    const double normal = m.frame.RevArmToCentNormal;
    const double reach = m.frame.RevArmToCentMax;
    return {"Min " + Str(centre - reach, 5, 3), "Rev " + Str(centre - normal, 5, 3),
            "Cent " + Str(centre, 5, 3), "Fwd " + Str(centre + normal, 5, 3),
            "Max " + Str(centre + reach, 5, 3)};
}

}  // namespace quarn
