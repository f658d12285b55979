// The valve events of one setting as every design study reads them, and the settings of
// the events table.
#include <gtest/gtest.h>

#include "model/dimensions.h"
#include "model/event_report.h"
#include "model/event_table_text.h"
#include "model/mid_gear.h"
#include "model/valve_events.h"
#include "startup_model.h"

namespace quarn {
namespace {

TEST(EventDefinition, NominalNormalForwardCutsOffNear78Percent) {
    GearModel m = startupModel();
    const GearSettingEvents e = sweepEvents(m, revArmRange(m).fwd);
    EXPECT_FALSE(e.backwards);
    EXPECT_FALSE(e.geometryError);
    ASSERT_TRUE(e.front.cutOff && e.rear.cutOff);
    EXPECT_NEAR(*e.front.cutOff, 78.3, 0.05);
    EXPECT_NEAR(*e.rear.cutOff, 78.4, 0.05);
    // Each end's events follow one another: release late in the working stroke,
    // compression then pre-admission in the return stroke.
    for (const CylinderEndEvents* end : {&e.front, &e.rear}) {
        ASSERT_TRUE(end->release && end->compression && end->preAdmission);
        EXPECT_GT(*end->release, *end->cutOff);
        EXPECT_LT(*end->release, 100.0);
        EXPECT_GT(*end->preAdmission, *end->compression);
        EXPECT_LT(*end->preAdmission, 100.0);
        // Fully open to steam from 0.508 of travel, so the largest opening is well above
        // the lead at this long cut-off.
        EXPECT_GT(end->maxOpening, end->lead + 0.1f);
    }
}

TEST(EventDefinition, MidGearLeadsAreTheOpeningsAtTheDeadCentres) {
    GearModel m = startupModel();
    const GearSettingEvents e = sweepEvents(m, m.RevArmCentre());
    EXPECT_FALSE(e.backwards);  // mid gear itself counts as forward
    EXPECT_NEAR(e.front.lead, 0.030, 0.0005);
    EXPECT_NEAR(e.rear.lead, 0.031, 0.0005);
    // At mid gear the port opens by little more than the lead.
    EXPECT_LT(e.front.maxOpening, 0.05f);
    EXPECT_GE(e.front.maxOpening, e.front.lead);
}

TEST(EventDefinition, NormalReverseRunsBackwardsWithTheSameKindOfCutOff) {
    GearModel m = startupModel();
    const GearSettingEvents e = sweepEvents(m, revArmRange(m).rev);
    EXPECT_TRUE(e.backwards);
    EXPECT_FALSE(e.geometryError);
    ASSERT_TRUE(e.front.cutOff && e.rear.cutOff);
    // A gear laid out symmetrically about mid gear cuts off about as late in reverse.
    EXPECT_GT(*e.front.cutOff, 60.0);
    EXPECT_GT(*e.rear.cutOff, 60.0);
    EXPECT_TRUE(e.rear.compression && e.rear.preAdmission);
}

TEST(EventDefinition, ValveThatNeverOpensHasNoEvents) {
    GearModel m = startupModel();
    // Rings 0.6 inside the port edges: a lap far beyond the valve's travel at mid gear.
    setDimensionValue(m, *findDimensionByField("ValveCtrToRing"), 1.189f);
    const GearSettingEvents e = sweepEvents(m, m.RevArmCentre());
    for (const CylinderEndEvents* end : {&e.front, &e.rear}) {
        EXPECT_FALSE(end->cutOff.has_value());
        EXPECT_FALSE(end->release.has_value());
        EXPECT_FALSE(end->compression.has_value());
        EXPECT_FALSE(end->preAdmission.has_value());
        EXPECT_LT(end->maxOpening, 0.0f);
    }
    const std::string csv = eventsCsvRows(e);
    EXPECT_NE(csv.find(",fwd,front,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",,,,,0\n"), std::string::npos) << csv;  // four empty events
}

TEST(EventDefinition, ImpossibleGearIsReportedEvenWithTheBeepOff) {
    GearModel m = startupModel();
    m.ErrorBeepOn = 0;
    m.frame.EccRodLength = 1;  // far too short to reach the gear connecting rod
    const GearSettingEvents e = sweepEvents(m, m.RevArmCentre());
    EXPECT_TRUE(e.geometryError);
    EXPECT_EQ(m.ErrorBeepOn, 0);
    EXPECT_EQ(m.GeometryError, 0);
}

TEST(EventDefinition, PortThatOnlyJustClosesHasClosed) {
    // Interpolated in the opening: 0.03 to -0.01 is three quarters of the way.
    EXPECT_DOUBLE_EQ(*closingCrossing(0.03, 100, -0.01, 120), 115.0);
    // Falling exactly to 0 closes the port at that step...
    EXPECT_DOUBLE_EQ(*closingCrossing(0.02, 100, 0.0, 110), 110.0);
    // ...while the live read-out of the window waits for an overlap.
    EXPECT_FALSE(fallingCrossing(0.02, 100, 0.0, 110).has_value());
    EXPECT_FALSE(closingCrossing(0.0, 100, -0.01, 110).has_value());
    // Opening: from 0 or below to above 0, 0 to 0.04 a quarter of the way at 0.01 past.
    EXPECT_DOUBLE_EQ(*risingCrossing(-0.01, 200, 0.03, 208), 202.0);
}

TEST(EventTable, TenStepsEachWayFromFullReverseToFullForward) {
    GearModel m = startupModel();
    const RevArmRange r = revArmRange(m);
    const std::vector<float> s = eventTableSettings(m, 10);
    ASSERT_EQ(s.size(), 21u);
    EXPECT_FLOAT_EQ(s.front(), r.min);
    EXPECT_FLOAT_EQ(s[10], r.centre);
    EXPECT_FLOAT_EQ(s.back(), r.max);
    EXPECT_NEAR(s[11] - s[10], 0.17, 1e-5);  // 1.7 / 10
    EXPECT_EQ(eventTableSettings(m, 0), std::vector<float>{r.centre});
}

TEST(EventTable, SharedOutSweepsMatchOneByOne) {
    GearModel m = startupModel();
    const RevArmRange r = revArmRange(m);
    const std::vector<float> settings{r.rev, r.centre, r.fwd, r.max};
    WorkControl two;
    two.threads = 2;
    const auto together = sweepEventsRange(m, settings, two);
    ASSERT_EQ(together.size(), settings.size());
    for (std::size_t i = 0; i < settings.size(); ++i) {
        GearModel alone = m;
        const GearSettingEvents e = sweepEvents(alone, settings[i]);
        EXPECT_EQ(eventsCsvRows(together[i]), eventsCsvRows(e)) << i;
    }
}

TEST(EventTable, BlockShowsFrontAndRearWithTheirDifference) {
    GearSettingEvents e;
    e.revArm = 11.798f;
    e.front.lead = 0.032f;
    e.rear.lead = 0.030f;
    e.front.cutOff = 78.25;
    e.rear.cutOff = 78.5;
    const std::string text = eventsBlockText(e);
    EXPECT_NE(text.find("Reverse arm 11.798, running forwards\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Lead                 0.0320     0.0300     0.0020\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Cut-off %             78.25      78.50      -0.25\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Release %              none       none\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace quarn
