// The driver's advance on every tick, and the step-angle scale of the motion controls.
#pragma once

#include <string_view>

#include "gear_model.h"
#include "rounding.h"

namespace quarn {

// Adds StepAngle (subtracts it unless Direction is "Fwd") and folds the angle back into
// 0..360.1. It runs on every tick, also while stopped, so an angle set outside the
// range is folded on the next tick.
void advanceDriverAngle(GearModel& m);

// The driver turns backwards whenever the reverse arm is set to the reverse side of mid
// gear; exactly at the centre it turns forwards.
void setDirectionFromRevArm(GearModel& m);

// The absolute bars of the motion band: the reverse-arm bar counts thousandths of a
// unit from mid gear, the driver-angle bar hundredths of a degree.
inline constexpr double RevArmBarScale = 1000.0;
inline constexpr double DriverAngleBarScale = 100.0;

// Starts or stops the wheel: a turning gear advances by the chosen step on every tick,
// a standing one by nothing. The angle stays where it is.
void setRunning(GearModel& m, bool running);
// A new chosen step; a turning gear takes it at once, a standing one when it starts.
void chooseStepAngle(GearModel& m, float step);

// The step-angle scroll bar: a step v is shown at position round(4000 × log10(100 v)),
// and every position belongs to the band of the nearest preset step.
struct StepAngleBand {
    float stepAngle;
    int smallChange;  // of the driver-angle scroll bar, in hundredths of a degree
    int largeChange;
};
StepAngleBand stepAngleBand(int position);
int stepAnglePosition(double stepAngle);
// The bar positions of the three step buttons, by that rule: 1°, 10° and 45°.
inline const int Step1Position = stepAnglePosition(1);
inline const int Step10Position = stepAnglePosition(10);
inline const int Step45Position = stepAnglePosition(45);

// A typed number as the dialogs read it: the value of its leading numeric part, 0
// when there is none ("12.5x" is 12.5, "-" is 0).
double leadingNumber(std::string_view text);

}  // namespace quarn
