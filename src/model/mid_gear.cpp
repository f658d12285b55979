// Mid gear: the reverse arm parallel to the upper gear connecting rod, with that rod's
// lower pin at the reverse-arm pivot and its top on the bell crank arm's circle.
#include "mid_gear.h"

#include <cmath>

#include "solver.h"

namespace quarn {

void CalcCentRevArm(GearModel& m) {
    const float savedAngle = m.DriverAngle;
    const auto& H = m.PivotHorz;
    const auto& V = m.PivotVert;
    const FrameDims& f = m.frame;

    // x: backward offset of pivot 5 from the mounting point, stepped until pivot 5
    // leaves the circle of the bell crank's horizontal arm.
    m.SearchStep = 0.1f;
    float x = static_cast<float>(H[11] - 0.5);
    for (int round = 1;; ++round) {
        if (round > MidGearRoundLimit) {
            // Some dimensions (a NaN or enormous arm) never let the search end; keep
            // the last value and report the gear as impossible.
            RaiseGeometryError(m);
            break;
        }
        const double dh = double(H[11]) - x;
        const double rise =
            std::sqrt(double(SqrtArgAbs(m, double(f.GearConRodUpper) * f.GearConRodUpper - dh * dh)));
        const double dx = double(x) - H[6];
        const double dy = double(V[6]) + V[11] - rise;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < f.BellCrankHorzLength) {
            x = static_cast<float>(double(x) + m.SearchStep);
            continue;
        }
        x = static_cast<float>(double(x) - 0.8 * m.SearchStep);
        m.SearchStep = static_cast<float>(m.SearchStep * 0.2);
        if (!(m.SearchStep > m.SolverTolerance)) break;
    }

    const double upper = ClampDivisor(m, f.GearConRodUpper);
    const auto centre = static_cast<float>((double(H[16]) - H[11]) -
                                           (double(f.RevArmUpperLength) + f.RevArmLowerLength) *
                                               (double(x) - H[11]) / upper);
    m.RevArmPositions[0] = centre;
    m.RevArmPositions[1] = centre;
    m.RevArmPositions[2] = static_cast<float>(double(centre) + f.RevArmToCentNormal);
    m.RevArmPositions[3] = static_cast<float>(double(centre) - f.RevArmToCentNormal);
    m.PivotHorz[1] = centre;
    m.RevArmPosition = centre;
    m.DriverAngle = savedAngle;
}

RevArmRange revArmRange(const GearModel& m) {
    const float c = m.RevArmCentre();
    const FrameDims& f = m.frame;
    return {c, c - f.RevArmToCentMax, c + f.RevArmToCentMax, c - f.RevArmToCentNormal,
            c + f.RevArmToCentNormal};
}

}  // namespace quarn
