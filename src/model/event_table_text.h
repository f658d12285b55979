// The valve events of a range of reverse-arm settings as text: the block the command
// line prints and the window copies, and the CSV rows for a spreadsheet.
#pragma once

#include <string>
#include <vector>

#include "event_report.h"

namespace quarn {

// "fwd" or "rev": the way the driver runs at that setting.
const char* runningDirectionName(const GearSettingEvents& e);

// One block: the setting and direction, then front and rear side by side with the
// front-minus-rear difference of lead and cut-off.
std::string eventsBlockText(const GearSettingEvents& e);

extern const char eventsCsvHeader[];
// Two rows, front then rear; every number "%.6f", an empty field for an event that does
// not happen.
std::string eventsCsvRows(const GearSettingEvents& e);

}  // namespace quarn
