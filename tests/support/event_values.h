// Valve events written down as numbers, one row per cylinder end at normal forward or
// normal reverse, and the check of a gear against them. The numbers come from closing
// the linkage exactly, apart from the program, so they are met within the grain the
// solver's searches leave.
#pragma once

#include <gtest/gtest.h>

#include <span>

#include "model/event_report.h"
#include "model/mid_gear.h"

namespace quarn {

// The searches stop at a step of 0.0001 and leave the valve up to about 0.0013 from
// where the exactly closed linkage puts it; whatever is read off the valve position
// (its displacement, the openings, the leads) is met within this.
constexpr double ValveGrain = 0.002;
// An event is an opening crossing zero, so the valve's grain moves it by the grain over
// the rate at which the opening changes. The slowest crossing is cut-off, where the
// opening closes by only about 0.0095 per percent of stroke: 0.14 % at most.
constexpr double EventGrainPercent = 0.15;

struct EndEventsRow {
    const char* name;
    bool forward, front;
    double lead, cutOff, release, compression, preAdmission;
};

// The precise solver has no grain: it meets the numbers to the digits they are written
// with (four decimals of a lead, two of a percentage).
constexpr double ExactLead = 0.00006;
constexpr double ExactPercent = 0.006;

// A missing event reads as -1, so it fails its row rather than the test stopping.
inline void expectEvents(const GearModel& m, std::span<const EndEventsRow> rows,
                         SolverKind solver = SolverKind::Classic) {
    const RevArmRange range = revArmRange(m);
    const bool exact = solver == SolverKind::Precise;
    const double lead = exact ? ExactLead : ValveGrain, percent = exact ? ExactPercent : EventGrainPercent;
    for (const EndEventsRow& row : rows) {
        SCOPED_TRACE(row.name);
        const GearSettingEvents e = settingEvents(m, row.forward ? range.fwd : range.rev, solver);
        EXPECT_FALSE(e.geometryError);
        const CylinderEndEvents& end = row.front ? e.front : e.rear;
        EXPECT_NEAR(end.lead, row.lead, lead);
        EXPECT_NEAR(end.cutOff.value_or(-1), row.cutOff, percent);
        EXPECT_NEAR(end.release.value_or(-1), row.release, percent);
        EXPECT_NEAR(end.compression.value_or(-1), row.compression, percent);
        EXPECT_NEAR(end.preAdmission.value_or(-1), row.preAdmission, percent);
    }
}

}  // namespace quarn
