// The valve events as `report` lays them out, one column per reverse-arm setting and
// one row per event; `cutoff` prints the setting it found the same way.
#pragma once

#include <iosfwd>
#include <span>

#include "model/event_report.h"

namespace quarn::cli {

struct EventColumn {
    const char* name;   // CSV name
    const char* title;  // at most ten characters
    GearSettingEvents events;
};

// The titles, then the reverse arm, the leads, the cut-off, release and compression of
// each end (and, when asked, the pre-admission) and whether the geometry was impossible.
void writeEventColumns(std::ostream& out, std::span<const EventColumn> cols, bool preAdmission = false);

}  // namespace quarn::cli
