// The events found near the design before's agree with the whole-revolution events of
// the precise solver: as the equaliser reads them (with the largest openings) and as a
// tolerance sample does (leads and cut-offs, the gear put together round the turn).
#include <gtest/gtest.h>

#include <vector>

#include "model/dimensions.h"
#include "model/event_report.h"
#include "model/mid_gear.h"
#include "model/point_events.h"
#include "model/tolerance.h"
#include "model/working_points.h"
#include "startup_model.h"

namespace quarn {
namespace {

// A setting: a share of the reverse arm's reach from mid gear (negative: reverse), or a
// working point such as "25f" found on the nominal gear.
struct Setting {
    double along;
    const char* point = nullptr;
};

TEST(PointEvents, NearAndSweptAgreeWithTheWholeRevolution) {
    // Where the tolerance study reads its samples: full gear both ways and its default points.
    const std::vector<Setting> study{{1.0}, {-1.0}, {0, "25f"}, {0, "75f"}, {0, "25r"}};
    const struct {
        const char* name;
        const char* field;  // changed from the nominal gear, or none
        double by;          // added to the nominal's value, or
        float to;           // the value outright when above 0
        std::vector<Setting> at;
    } rows[] = {
        {"Nominal", nullptr, 0, 0, {{1.0}, {0.25}, {-0.5}}},
        {"LongStemNearMidGear", "ValveCtrToJoint", 0, 6.42f, {{0.12}}},
        {"LongStemFullReverse", "ValveCtrToJoint", 0, 6.42f, {{-1.0}}},
        {"ShortRadiusBar", "RadiusBarLength", 0, 2.1f, {{0.4}}},
        {"FarStemMovedFar", "ValveCtrToJoint", 0, 6.3f, {{0.3}}},  // the events moved a long way from the nominal's
        // Within a workshop's tolerance, and far enough off that the bracket must widen,
        // or the whole revolution be read.
        {"StemAsDrawn", "ValveCtrToJoint", 0, 0, study},
        {"StemALittleLong", "ValveCtrToJoint", 0.002, 0, study},
        {"RadiusBarALittleShort", "RadiusBarLength", -0.003, 0, study},
        {"EccentricRodLong", "EccRodLength", 0.01, 0, study},
        {"StemLong", "ValveCtrToJoint", 0.03, 0, study},
        {"PortMoved", "ValveBoreCtrToPort", -0.1, 0, study},
    };
    const GearModel nominal = startupModel();
    const EventsWanted wanted[] = {{}, ToleranceSampleEvents};
    for (const auto& row : rows) {
        GearModel m = nominal;
        if (row.field) {
            const DimensionDescriptor& d = *findDimensionByField(row.field);
            setDimensionValue(m, d, row.to > 0 ? row.to : static_cast<float>(dimensionValue(nominal, d) + row.by));
        }
        CalcCentRevArm(m);
        for (const Setting& s : row.at) {
            SCOPED_TRACE(std::string(row.name) + " at " + (s.point ? s.point : std::to_string(s.along)));
            double arm = m.RevArmCentre() + s.along * m.frame.RevArmToCentMax;
            if (s.point) {
                const auto point = parseWorkingPoints(s.point, nullptr);
                ASSERT_TRUE(point);
                const ResolvedPoint p = resolveWorkingPoints(nominal, *point)[0];
                ASSERT_TRUE(p.revArm) << p.problem;
                arm = *p.revArm;
            }
            const GearSettingEvents whole = preciseEvents(m, arm);
            ASSERT_FALSE(whole.geometryError);
            const PointEvents last = pointEventsSwept(nominal, arm);  // the design before
            ASSERT_TRUE(last.cutOff[0] && last.cutOff[1]);
            std::vector<std::pair<PointEvents, bool>> found{{pointEventsSwept(m, arm), true}};
            for (const EventsWanted& w : wanted) found.push_back({pointEventsNear(m, arm, last, w), w.openings});
            for (const auto& [e, openings] : found) {
                ASSERT_TRUE(e.possible);
                const CylinderEndEvents* ends[2] = {&whole.front, &whole.rear};
                for (int end = 0; end < 2; ++end) {
                    ASSERT_EQ(e.cutOff[end].has_value(), ends[end]->cutOff.has_value());
                    if (e.cutOff[end]) {
                        EXPECT_NEAR(*e.cutOff[end], *ends[end]->cutOff, 1e-6) << end;
                    }
                    // The whole revolution keeps leads and openings as 4-byte reals.
                    EXPECT_NEAR(e.lead[end], ends[end]->lead, 1e-6) << end;
                    if (openings) {
                        EXPECT_NEAR(e.maxOpening[end], ends[end]->maxOpening, 1e-6) << end;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace quarn
