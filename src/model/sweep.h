// What every sweep of the solver shares (the report, the diagrams, the pivot table):
// solving at one setting and angle, and putting the gear back as the user left it.
#pragma once

#include <cstdint>

#include "gear_model.h"

namespace quarn {

// SolveLinkage then SolvePistonAndPorts with the reverse arm and driver at the given
// values; RevArmPosition and DriverAngle keep them afterwards.
void SolveAt(GearModel& m, float revArm, float driverAngle);

// Saves RevArmPosition and DriverAngle (and, when asked, GeometryError) and puts them
// back when it goes, however the sweep ends. The pivots keep the sweep's last solve.
class SweepGuard {
public:
    enum class Error { Keep, Restore };
    explicit SweepGuard(GearModel& m, Error error = Error::Keep)
        : m(m), revArm(m.RevArmPosition), angle(m.DriverAngle), geometryError(m.GeometryError),
          restoreError(error == Error::Restore) {}
    ~SweepGuard() {
        m.RevArmPosition = revArm;
        m.DriverAngle = angle;
        if (restoreError) m.GeometryError = geometryError;
    }
    SweepGuard(const SweepGuard&) = delete;
    SweepGuard& operator=(const SweepGuard&) = delete;

private:
    GearModel& m;
    float revArm, angle;
    std::uint8_t geometryError;
    bool restoreError;
};

}  // namespace quarn
