// One solve at a chosen setting and angle.
#include "sweep.h"

#include "solver.h"

namespace quarn {

void SolveAt(GearModel& m, float revArm, float driverAngle) {
    m.RevArmPosition = revArm;
    m.DriverAngle = driverAngle;
    SolveLinkage(m);
    SolvePistonAndPorts(m);
}

}  // namespace quarn
