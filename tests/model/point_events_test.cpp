// The equaliser's events found near the last design's agree with the whole-revolution
// events of the precise solver.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/event_report.h"
#include "model/mid_gear.h"
#include "model/point_events.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(PointEvents, NearAndSweptAgreeWithTheWholeRevolution) {
    const struct {
        const char* name;
        const char* field;  // changed from the nominal gear, or none
        float value;
        double along;  // the setting: share of the reverse arm's reach from mid gear (negative: reverse)
    } rows[] = {
        {"NominalFullForward", nullptr, 0, 1.0},      {"NominalQuarterForward", nullptr, 0, 0.25},
        {"NominalHalfReverse", nullptr, 0, -0.5},     {"LongStemNearMidGear", "ValveCtrToJoint", 6.42f, 0.12},
        {"LongStemFullReverse", "ValveCtrToJoint", 6.42f, -1.0},
        {"ShortRadiusBar", "RadiusBarLength", 2.1f, 0.4},
        {"FarStemMovedFar", "ValveCtrToJoint", 6.3f, 0.3},  // the events moved a long way from the nominal's
    };
    const GearModel nominal = startupModel();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GearModel m = nominal;
        if (row.field) setDimensionValue(m, *findDimensionByField(row.field), row.value);
        CalcCentRevArm(m);
        const double arm = m.RevArmCentre() + row.along * m.frame.RevArmToCentMax;
        const GearSettingEvents whole = preciseEvents(m, arm);
        ASSERT_FALSE(whole.geometryError);
        const PointEvents last = pointEventsSwept(nominal, arm);  // the design before
        const PointEvents found[] = {pointEventsSwept(m, arm), pointEventsNear(m, arm, last)};
        for (const PointEvents& e : found) {
            ASSERT_TRUE(e.possible);
            const CylinderEndEvents* ends[2] = {&whole.front, &whole.rear};
            for (int end = 0; end < 2; ++end) {
                ASSERT_EQ(e.cutOff[end].has_value(), ends[end]->cutOff.has_value());
                if (e.cutOff[end]) {
                    EXPECT_NEAR(*e.cutOff[end], *ends[end]->cutOff, 1e-6) << end;
                }
                // The whole revolution keeps leads and openings as 4-byte reals.
                EXPECT_NEAR(e.lead[end], ends[end]->lead, 1e-6) << end;
                EXPECT_NEAR(e.maxOpening[end], ends[end]->maxOpening, 1e-6) << end;
            }
        }
    }
}

}  // namespace
}  // namespace quarn
