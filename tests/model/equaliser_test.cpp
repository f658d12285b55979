// The equaliser: its cost, its search, and applying its result as typed changes.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "model/dimensions.h"
#include "model/equaliser.h"
#include "model/mid_gear.h"
#include "model/solver.h"
#include "model/undo_history.h"
#include "startup_model.h"

namespace quarn {
namespace {

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

EqualiserGoals goals(double cutOffEqual, double leadEqual, std::optional<double> target = {},
                     double targetWeight = 1) {
    EqualiserGoals g;
    g.cutOffEqual = cutOffEqual;
    g.leadEqual = leadEqual;
    g.cutOffTarget = target;
    g.cutOffTargetWeight = targetWeight;
    return g;
}

EqualiserOptions varying(std::vector<const DimensionDescriptor*> dims, double range = 0.05, int maxEvaluations = 200) {
    EqualiserOptions o;
    o.dims = std::move(dims);
    o.range = range;
    o.maxEvaluations = maxEvaluations;
    o.threads = 2;
    return o;
}

EqualiserOptions withGoals(EqualiserOptions o, EqualiserGoals g) {
    o.goals = g;
    return o;
}

EqualiserOptions withLimits(EqualiserOptions o, EqualiserLimits l) {
    o.limits = l;
    return o;
}

double cutOffGap(const DesignReading& r) { return std::abs(*r.values[0] - *r.values[1]); }

// The valve stem 0.03 too long: the valve sits off-centre and the two ends cut off apart.
GearModel unequalDesign() {
    GearModel m = startupModel();
    setDimensionValue(m, dim("ValveCtrToJoint"), 6.42f);
    CalcCentRevArm(m);
    return m;
}

TEST(EqualiserCost, AddsTheWeightedSquaresOfTheGoals) {
    DesignReading r;
    // fwd cut-offs 78 and 79, fwd leads 0.030 and 0.032, rev cut-offs 77 and 77.5.
    r.values = {78.0, 79.0, 0.030, 0.032, 77.0, 77.5, 0.031, 0.031};
    EXPECT_NEAR(*equaliserCost(r, goals(1, 0)), 1.0 + 0.25, 1e-9);
    EXPECT_NEAR(*equaliserCost(r, goals(0, 2)), 2 * 4.0, 1e-9);  // 0.002 is 2 thousandths
    EXPECT_NEAR(*equaliserCost(r, goals(0, 0, 75.0, 3)),
                3 * 3.5 * 3.5, 1e-9);
    r.impossible = true;
    EXPECT_FALSE(equaliserCost(r, {}).has_value());
    r.impossible = false;
    r.values[1].reset();  // no rear cut-off at normal forward
    EXPECT_FALSE(equaliserCost(r, {}).has_value());
    // A goal that does not read the lost cut-off still has a cost.
    EXPECT_TRUE(equaliserCost(r, goals(0, 1)).has_value());
}

struct BadOptions {
    const char* name;
    EqualiserOptions options;
    const char* problem;
};
void PrintTo(const BadOptions& c, std::ostream* os) { *os << c.name; }
class EqualiserOptionsCheck : public ::testing::TestWithParam<BadOptions> {};

TEST_P(EqualiserOptionsCheck, NamesTheProblem) {
    EXPECT_EQ(equaliserOptionsProblem(GetParam().options), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EqualiserOptionsCheck,
    ::testing::Values(
        BadOptions{"NoDimension", varying({}), "choose at least one dimension to vary"},
        BadOptions{"FiveDimensions",
                   varying({&dim("Stroke"), &dim("MainRodLength"), &dim("ValveRodLength"),
                            &dim("UnionLinkLength"), &dim("EccRodLength")}),
                   "at most four dimensions can be varied"},
        BadOptions{"Twice", varying({&dim("Stroke"), &dim("Stroke")}), "Stroke is chosen twice"},
        BadOptions{"NoCode", varying({&dim("RevArmToCentNormal")}),
                   "only dimensions with a dynamic-variable code can be varied"},
        BadOptions{"NaNRange", varying({&dim("Stroke")}, std::nan("")),
                   "the range must be a positive number"},
        BadOptions{"NoGoal", withGoals(varying({&dim("Stroke")}), goals(0, 0)), "choose at least one goal"},
        BadOptions{"LeadBandBackwards", withLimits(varying({&dim("Stroke")}), {0.05, 0, 0.005, 10}),
                   "the lead band needs a low end no higher than its high end"},
        BadOptions{"NegativeLapBand", withLimits(varying({&dim("Stroke")}), {0, 0.05, -0.001, 10}),
                   "the lap band must be a number of 0 or more"},
        BadOptions{"OpeningOver100", withLimits(varying({&dim("Stroke")}), {0, 0.05, 0.005, 150}),
                   "the opening floor must be a percentage from 0 to 100"},
        BadOptions{"Fine", varying({&dim("Stroke")}), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Equaliser, BringsTheCutOffsOfAnUnequalDesignTogether) {
    const GearModel m = unequalDesign();
    // Steps of a quarter of 0.04 reach the nominal stem in three moves.
    const EqualiserOptions o = varying({&dim("ValveCtrToJoint")}, 0.04, 8);
    const EqualiserResult r = runEqualiser(m, o);
    ASSERT_TRUE(r.beforeCost && r.afterCost);
    EXPECT_TRUE(r.improved());
    EXPECT_LT(cutOffGap(r.afterReading), cutOffGap(r.beforeReading) / 2);
    EXPECT_LE(r.evaluations, 8);
    // The stem comes back towards its nominal length, within the range allowed.
    EXPECT_LT(r.after[0], 6.42f);
    EXPECT_GE(r.after[0], 6.42f - 0.04f);
    EXPECT_EQ(dimensionValue(m, dim("ValveCtrToJoint")), 6.42f);  // the model only read
}

TEST(Equaliser, SameDesignSameAnswer) {
    const GearModel m = unequalDesign();
    const EqualiserOptions o = varying({&dim("ValveCtrToJoint"), &dim("ValveRodLength")}, 0.05, 6);
    const EqualiserResult a = runEqualiser(m, o), b = runEqualiser(m, o);
    EXPECT_EQ(a.after, b.after);
    EXPECT_EQ(a.evaluations, 6);  // the limit cuts the second round short
}

// A radius bar that may grow by 40 units meets impossible geometry on the way; no such
// trial may be taken, however the cost would look.
TEST(Equaliser, NeverTakesATrialWithImpossibleGeometry) {
    const GearModel m = unequalDesign();
    const EqualiserOptions o = varying({&dim("RadiusBarLength")}, 40, 6);
    const EqualiserResult r = runEqualiser(m, o);
    EXPECT_FALSE(r.afterReading.impossible);
    GearModel check = m;
    setDimensionValue(check, dim("RadiusBarLength"), r.after[0]);
    EXPECT_FALSE(readDesign(check).impossible);
    EXPECT_LT(r.after[0], 10.0f);
}

// Progress counts against the trials still to come, not the limit, and ends full.
TEST(Equaliser, ProgressCountsTheTrialsToComeAndEndsFull) {
    const struct { const char* name; double range; int limit, firstTotal; } rows[] = {
        {"FineStepLongBeforeTheLimit", 0.0001, 200, 4},  // steps 2.5e-5 and 1.25e-5, two trials each
        {"LimitBeforeTheFineStep", 0.05, 6, 6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::pair<int, int>> seen;
        WorkControl control;
        control.progress = [&](int done, int total) { seen.emplace_back(done, total); };
        const EqualiserOptions o = varying({&dim("ValveCtrToJoint")}, row.range, row.limit);
        const EqualiserResult r = runEqualiser(unequalDesign(), o, control);
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen.front(), std::make_pair(0, row.firstTotal));
        EXPECT_EQ(seen.back(), std::make_pair(r.evaluations, r.evaluations));
    }
}

TEST(Equaliser, CancelKeepsTheDesignAsItWas) {
    const GearModel m = unequalDesign();
    std::atomic<bool> cancel{true};
    WorkControl control;
    control.cancel = &cancel;
    const EqualiserResult r = runEqualiser(m, varying({&dim("ValveCtrToJoint")}), control);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.evaluations, 0);
    EXPECT_EQ(r.after, r.before);
    EXPECT_FALSE(r.improved());
}

TEST(Equaliser, ApplyIsOneTypedChangeEachAndReturnsToMidGear) {
    GearModel m = unequalDesign();
    m.RevArmPosition = 11.5f;
    const EqualiserOptions o = varying({&dim("ValveCtrToJoint"), &dim("ValveRodLength")});
    EqualiserResult r;
    r.before = {6.42f, dimensionValue(m, dim("ValveRodLength"))};
    r.after = {6.4f, r.before[1] + 0.01f};
    applyEqualiserResult(m, o, r);
    EXPECT_EQ(dimensionValue(m, dim("ValveCtrToJoint")), 6.4f);
    EXPECT_EQ(m.dyn.UndoCount, 2);
    EXPECT_EQ(m.RevArmPosition, m.RevArmCentre());
    // The newest change is undone first, then the stem comes back to 6.42.
    UndoLast(m);
    EXPECT_EQ(dimensionValue(m, dim("ValveRodLength")), r.before[1]);
    UndoLast(m);
    EXPECT_EQ(dimensionValue(m, dim("ValveCtrToJoint")), 6.42f);
}

// Searches that once offered a lead below 0, or a lap moved by 0.037: whatever they
// find now keeps every limit, or they offer nothing and say which limit failed.
struct LimitedSearch {
    const char* name;
    double range;
    EqualiserLimits limits;
};

TEST(EqualiserLimits, NoOfferBreaksOne) {
    const LimitedSearch rows[] = {
        {"Range004", 0.04, {}},
        {"Range02", 0.2, {}},
        {"StartOutsideALeadBandNoneReaches", 0.04, {1, 1.1, 0.005, 10}},
    };
    const GearModel m = unequalDesign();
    const float lap = portEdgesOf(m.cyl).SteamLapFront;
    for (const LimitedSearch& row : rows) {
        SCOPED_TRACE(row.name);
        EqualiserOptions o = withLimits(
            varying({&dim("ValveCtrToRing"), &dim("ValveEndWidthRear"), &dim("ValveEndWidthFront"),
                     &dim("ValveCtrToJoint")}, row.range, 12),
            row.limits);
        o.solver = SolverKind::Precise;
        const EqualiserResult r = runEqualiser(m, o);
        if (!r.improved()) {
            // Nothing offered: either the start already kept the limits, or the limit
            // that no design kept is named.
            if (!r.beforeBreaks.empty()) {
                EXPECT_NE(r.limitProblem().find("no design within the range keeps the"), std::string::npos);
            }
            continue;
        }
        for (const int lead : {2, 3, 6, 7}) {
            EXPECT_GE(*r.afterReading.values[lead], row.limits.leadLow) << watchedNames[lead];
            EXPECT_LE(*r.afterReading.values[lead], row.limits.leadHigh) << watchedNames[lead];
        }
        GearModel after = m;
        for (std::size_t i = 0; i < o.dims.size(); ++i) setDimensionValue(after, *o.dims[i], r.after[i]);
        EXPECT_NEAR(portEdgesOf(after.cyl).SteamLapFront, lap, 0.005 + 1e-6);
        for (int i = 0; i < 4; ++i)
            EXPECT_GE(*r.afterReading.maxOpenings[i], 0.9 * *r.beforeReading.maxOpenings[i] - 1e-9) << i;
    }
}

TEST(EqualiserLimits, UnreachableLeadBandIsNamed) {
    const GearModel m = unequalDesign();
    const EqualiserOptions o = withLimits(varying({&dim("ValveCtrToJoint")}, 0.04, 4), {1, 1.1, 0.005, 10});
    const EqualiserResult r = runEqualiser(m, o);
    EXPECT_FALSE(r.improved());
    EXPECT_EQ(r.limitProblem(), "no design within the range keeps the front lead at normal forward within 1 to 1.1");
}

}  // namespace
}  // namespace quarn
