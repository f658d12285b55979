// The asymmetric design kept in tests/data: drop link, combination lever, gear mounting
// and the two cylinder ends all off the nominal design, so that every term which
// vanishes on the nominal gear is checked. The expected numbers were worked out apart
// from the program, by closing each loop of the linkage exactly in double precision.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dims/dimension_file.h"
#include "model/dimensions.h"
#include "model/sweep.h"
#include "support/event_values.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

// The crosshead and the drop link are placed in closed form: only single rounding.
constexpr double ClosedForm = 1e-4;

GearModel asymmetricGear() {
    GearModel m;  // every dimension 0: what the tests find can only come from the file
    const FileResult r = loadDesignFile(m, dataFile("asymmetric.qgd"));
    EXPECT_TRUE(r.ok) << r.message;
    return m;
}

struct DimensionRow {
    const char* field;
    float value;
};
// A front valve head wider than the rear one, over ports of their own widths: an
// exhaust lap at the front, a clearance at the rear. The longer valve stem keeps a lead
// at both ends with the drop link set back.
constexpr DimensionRow OffNominal[] = {
    {"DropLinkToCrossHBkS", 0.3f},        {"DropLinkToCrossHVert", 0.2f},
    {"ComboLeverForSet", 0.1f},           {"QuarnGearMtgHorz", 13.8f},
    {"QuarnGearMtgVert", 5.75f},          {"ValveEndWidthFront", 0.6f},
    {"ValveEndWidthRear", 0.45f},         {"ValveBorePortWidthFront", 0.3125f},
    {"ValveBorePortWidthRear", 0.28125f}, {"ValveCtrToJoint", 6.42f},
};

TEST(AsymmetricDesignFile, HoldsItsOffNominalDimensionsAndTheNominalRest) {
    const GearModel m = asymmetricGear();
    for (const DimensionDescriptor& d : allDimensions()) {
        SCOPED_TRACE(std::string(d.field));
        const auto* row = std::ranges::find_if(OffNominal, [&](auto& r) { return d.field == r.field; });
        EXPECT_EQ(dimensionValue(m, d), row != std::end(OffNominal) ? row->value : float(d.nominal));
    }
}

struct SolveRow {
    const char* name;
    float revArm, angle;
    double valveDisp, frontSteam, frontExhaust, rearSteam, rearExhaust, crosshead, dropLink;
};
// The rear exhaust at forward 135 is open by less than the front head is wider: read
// with the front width it would be shut.
constexpr SolveRow Solved[] = {
    {"fwd 0", 11.85f, 0, 0.2224, 0.0114, -0.2989, -0.4334, 0.2647, 18.62311, 18.32311},
    {"fwd 135", 11.85f, 135, 0.1019, -0.1091, -0.1784, -0.3129, 0.1441, 14.90405, 14.60405},
    {"fwd 250", 11.85f, 250, -0.5837, -0.7947, 0.5072, 0.3727, -0.5415, 15.68048, 15.38048},
    {"mid 70", 10.35f, 70, 0.0703, -0.1407, -0.1468, -0.2813, 0.1126, 17.07310, 16.77310},
    {"mid 200", 10.35f, 200, -0.2234, -0.4344, 0.1469, 0.0124, -0.1811, 14.49626, 14.19626},
    {"mid 315", 10.35f, 315, 0.1640, -0.0470, -0.2405, -0.3750, 0.2063, 17.95499, 17.65499},
    {"rev 135", 8.85f, 135, -0.4636, -0.6746, 0.3871, 0.2526, -0.4213, 14.90405, 14.60405},
    {"rev 200", 8.85f, 200, -0.0752, -0.2862, -0.0013, -0.1358, -0.0330, 14.49626, 14.19626},
    {"rev 315", 8.85f, 315, 0.4483, 0.2373, -0.5248, -0.6593, 0.4906, 17.95499, 17.65499},
};

TEST(AsymmetricDesign, SolvesAsTheExactLinkage) {
    GearModel m = asymmetricGear();
    for (const SolveRow& row : Solved) {
        SCOPED_TRACE(row.name);
        SolveAt(m, row.revArm, row.angle);
        EXPECT_FALSE(m.GeometryError);
        EXPECT_NEAR(m.ValveDisp, row.valveDisp, ValveGrain);
        EXPECT_NEAR(m.FrontSteamOpening, row.frontSteam, ValveGrain);
        EXPECT_NEAR(m.FrontExhaustOpening, row.frontExhaust, ValveGrain);
        EXPECT_NEAR(m.RearSteamOpening, row.rearSteam, ValveGrain);
        EXPECT_NEAR(m.RearExhaustOpening, row.rearExhaust, ValveGrain);
        EXPECT_NEAR(m.PivotHorz[3], row.crosshead, ClosedForm);
        EXPECT_NEAR(m.PivotHorz[21], row.dropLink, ClosedForm);
        EXPECT_NEAR(m.PivotVert[21], 0.05, ClosedForm);  // 0.2 below the cylinder centre line
    }
}

constexpr EndEventsRow AsymmetricEvents[] = {
    {"forward, front end", true, true, 0.0114, 77.20, 96.68, 89.57, 99.98},
    {"forward, rear end", true, false, 0.0455, 80.34, 91.55, 95.32, 99.78},
    {"reverse, front end", false, true, 0.0328, 80.18, 97.41, 88.44, 99.83},
    {"reverse, rear end", false, false, 0.0136, 78.79, 90.49, 96.17, 99.98},
};

TEST(AsymmetricDesign, EventsAtNormalForwardAndReverse) {
    expectEvents(asymmetricGear(), AsymmetricEvents);
}

TEST(AsymmetricDesign, SolvesOverTheWholeReverseArmRange) {
    const GearModel m = asymmetricGear();
    for (const GearSettingEvents& e : sweepEventsRange(m, eventTableSettings(m, 17)))
        EXPECT_FALSE(e.geometryError) << "reverse arm " << e.revArm;
}

}  // namespace
}  // namespace quarn::cli
