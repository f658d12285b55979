// The text of the pivot data table: the coordinates of the six chosen pivots over one
// turn of the driver, one line per step, as the table window and the command line show it.
#pragma once

#include <string>
#include <vector>

#include "gear_model.h"

namespace quarn {

// The two heading lines above the columns; the same whatever the step.
inline constexpr char PivotTableColumnsLine[] =
    "  Driver         No.1                   No.2                   No.3                  No.4"
    "                   No.5                  No.6";
inline constexpr char PivotTableUnitsLine[] =
    "  Angle     Vert   Horz         Vert   Horz          Vert   Horz         Vert   Horz"
    "          Vert   Horz         Vert   Horz";

// Line 1: the set name with the date and time the caller read from the clock.
std::string pivotTableTitleLine(const GearModel& m, const std::string& date,
                                const std::string& time);
// Line 2: the reverse-arm setting and the step angle.
std::string pivotTableSettingLine(const GearModel& m);
// One data line for the pivots as they now stand, at the given driver angle.
std::string pivotTableDataLine(const GearModel& m, float driverAngle);

// Every line of the table. Sweeps the solver from 0 to 360 degrees by StepAngleSetting
// at the current reverse-arm setting; DriverAngle, StepAngle and RevArmPosition are put
// back afterwards, the pivots keep the last angle's solution.
std::vector<std::string> pivotTableLines(GearModel& m, const std::string& date,
                                         const std::string& time);

}  // namespace quarn
