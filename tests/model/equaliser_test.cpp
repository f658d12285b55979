// The equaliser: its goals and cost, its search at the working points, the limits every
// offer keeps, and applying its result as typed changes.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "model/dimensions.h"
#include "model/equaliser.h"
#include "model/mid_gear.h"
#include "model/sensitivity.h"
#include "model/solver.h"
#include "model/undo_history.h"
#include "startup_model.h"

namespace quarn {
namespace {

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

std::vector<EqualiserGoal> goals(std::string_view text) {
    std::string problem;
    const auto g = parseEqualiserGoals(text, &problem);
    EXPECT_TRUE(g.has_value()) << problem;
    return g.value_or(std::vector<EqualiserGoal>{});
}

// Small budgets: the tests check what an answer keeps, the bench how good it gets.
EqualiserOptions varying(std::vector<const DimensionDescriptor*> dims, double range = 0.05, int maxEvaluations = 24) {
    EqualiserOptions o;
    o.dims = std::move(dims);
    o.range = range;
    o.maxEvaluations = maxEvaluations;
    o.starts = 2;
    o.threads = 2;
    return o;
}

EqualiserOptions withGoals(EqualiserOptions o, std::string_view text) {
    o.goals = goals(text);
    return o;
}

EqualiserOptions withLimits(EqualiserOptions o, EqualiserLimits l) {
    o.limits = l;
    return o;
}

EqualiserOptions atPoints(EqualiserOptions o, std::string_view text) {
    o.points = *parseWorkingPoints(text, nullptr);
    return o;
}

// The valve stem 0.03 too long: the valve sits off-centre and the two ends cut off apart.
GearModel unequalDesign() {
    GearModel m = startupModel();
    setDimensionValue(m, dim("ValveCtrToJoint"), 6.42f);
    CalcCentRevArm(m);
    return m;
}

TEST(EqualiserGoals, SpellingReadsAndRefuses) {
    using K = GoalKind;
    const WorkingPoint at25{WorkingPoint::Kind::CutOff, 25, false}, arm{WorkingPoint::Kind::Setting, 1.2, false};
    const struct {
        const char* text;
        std::vector<EqualiserGoal> goals;  // empty: refused
        const char* problemHas;
    } rows[] = {
        {"cutoff-equal=1,lead-equal=0.5", {{K::CutOffEqual, 1, 0, {}}, {K::LeadEqual, 0.5, 0, {}}}, ""},
        {"cutoff-equal:2@25f", {}, "not '2@25f'"},
        {"lead-equal=3@25f", {{K::LeadEqual, 3, 0, at25}}, ""},
        {"lead=0.02@25f:2, cutoff=30@arm=1.2", {{K::Lead, 2, 0.02, at25}, {K::CutOff, 1, 30, arm}}, ""},
        {"cutoff=30", {}, "needs the setting"},
        {"cutoff=150@25f", {}, "cutoff= takes a percentage"},
        {"lead-equal:-1", {}, "weight is a number of 0 or more"},
        {"lead-equal,lead-equal:2", {}, "lead-equal is given twice"},
        {"fast", {}, "not 'fast'"},
        {"lead=0.02@30x", {}, "no working point"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::string problem;
        const auto got = parseEqualiserGoals(row.text, &problem);
        if (row.goals.empty()) {
            EXPECT_FALSE(got.has_value());
            EXPECT_NE(problem.find(row.problemHas), std::string::npos) << problem;
            continue;
        }
        ASSERT_TRUE(got.has_value()) << problem;
        EXPECT_EQ(*got, row.goals);
        EXPECT_EQ(parseEqualiserGoals(equaliserGoalsText(*got), nullptr), got);
    }
}

TEST(EqualiserGoals, CostAddsTheWeightedSquaresAtEachPoint) {
    PointEvents a, b;
    a.possible = b.possible = true;
    a.cutOff = {25.0, 24.0};
    a.lead = {0.030, 0.032};
    b.cutOff = {75.5, 75.0};
    b.lead = {0.031, 0.031};
    const std::vector<WorkingPoint> points = {{WorkingPoint::Kind::CutOff, 25, false},
                                              {WorkingPoint::Kind::CutOff, 75, false}};
    const auto cost = [&](std::string_view text) {
        const auto g = goals(text);
        return equaliserCost(g, goalTerms(g, points, {a, b}));
    };
    EXPECT_NEAR(*cost("cutoff-equal"), 1.0 + 0.25, 1e-9);
    EXPECT_NEAR(*cost("lead-equal=2"), 2 * 4.0, 1e-9);  // 0.002 is 2 thousandths
    EXPECT_NEAR(*cost("cutoff=75@75f:3"), 3 * 0.25 * 0.25, 1e-9);
    EXPECT_NEAR(*cost("lead=0.03@25f"), 0 + 4.0, 1e-9);  // front on the mark, rear 2 thousandths over
    b.cutOff[1].reset();                                  // no rear cut-off at 75 %
    EXPECT_FALSE(cost("cutoff-equal").has_value());
    EXPECT_TRUE(cost("cutoff-equal@25f").has_value());  // a goal that does not read it still has a cost
    a.possible = false;
    EXPECT_FALSE(cost("lead-equal").has_value());
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
        BadOptions{"NoGoal", withGoals(varying({&dim("Stroke")}), "lead-equal=0"), "choose at least one goal"},
        BadOptions{"LeadBandBackwards", withLimits(varying({&dim("Stroke")}), {0.05, 0, 0.005, 10}),
                   "the lead band needs a low end no higher than its high end"},
        BadOptions{"NegativeLapBand", withLimits(varying({&dim("Stroke")}), {0, 0.05, -0.001, 10}),
                   "the lap band must be a number of 0 or more"},
        BadOptions{"OpeningOver100", withLimits(varying({&dim("Stroke")}), {0, 0.05, 0.005, 150}),
                   "the opening floor must be a percentage from 0 to 100"},
        BadOptions{"Fine", varying({&dim("Stroke")}), ""}),
    [](const auto& info) { return std::string(info.param.name); });

// What every offered design keeps, read afresh at the working points.
void expectKeepsLimits(const EqualiserResult& r, const EqualiserLimits& l) {
    ASSERT_EQ(r.afterReading.events.size(), r.beforeReading.events.size());
    for (std::size_t p = 0; p < r.afterReading.events.size(); ++p) {
        const PointEvents &e = r.afterReading.events[p], &s = r.beforeReading.events[p];
        ASSERT_TRUE(e.possible);
        for (int end = 0; end < 2; ++end) {
            EXPECT_GE(e.lead[end], l.leadLow) << p << end;
            EXPECT_LE(e.lead[end], l.leadHigh) << p << end;
        }
        EXPECT_GE(e.maxOpening[0] + e.maxOpening[1], (1 - l.openingLoss / 100) * (s.maxOpening[0] + s.maxOpening[1]));
    }
}

// The cases, on budgets small enough for a test: whatever the search finds
// keeps every limit, meets the goals better than the start, and never worse.
TEST(Equaliser, CasesKeepTheLimitsAndImprove) {
    const struct {
        const char* name;
        EqualiserOptions options;
    } rows[] = {
        {"StemAloneAtDefaultPoints", varying({&dim("ValveCtrToJoint")})},
        {"StemAndThreeMore", varying({&dim("ValveCtrToJoint"), &dim("RadiusBarLength"), &dim("GearConRodUpper"),
                                      &dim("BellCrankPivotVert")}, 0.05, 12)},
        {"At25Forward", atPoints(varying({&dim("ValveCtrToJoint"), &dim("RadiusBarLength")}), "25f")},
        {"LeadsEqualAndChosen", withGoals(varying({&dim("ValveCtrToJoint")}), "lead-equal,lead=0.03@25f:0.5")},
    };
    const GearModel m = unequalDesign();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const EqualiserResult r = runEqualiser(m, row.options);
        ASSERT_TRUE(r.problem.empty()) << r.problem;
        ASSERT_TRUE(r.improved()) << r.limitProblem();
        expectKeepsLimits(r, row.options.limits);
        EXPECT_LT(*r.afterCost, *r.beforeCost);
        // Every goal term is read before and after, at every point.
        EXPECT_EQ(r.afterReading.terms.size(), r.beforeReading.terms.size());
    }
}

// A stem a little off the nominal already keeps every limit: the answer is never worse.
TEST(Equaliser, NeverWorseThanAStartThatKeepsTheLimits) {
    GearModel m = startupModel();
    setDimensionValue(m, dim("ValveCtrToJoint"), 6.40f);
    const EqualiserResult r = runEqualiser(m, varying({&dim("ValveCtrToJoint")}, 0.05, 12));
    ASSERT_TRUE(r.beforeBreaks.empty()) << r.beforeBreaks;
    ASSERT_TRUE(r.afterCost.has_value());
    EXPECT_LE(*r.afterCost, *r.beforeCost);
    EXPECT_TRUE(r.afterBreaks.empty());
}

TEST(Equaliser, AddingADimensionNeverWorsens) {
    const GearModel m = unequalDesign();
    const EqualiserResult alone = runEqualiser(m, varying({&dim("ValveCtrToJoint")}));
    const EqualiserResult more =
        runEqualiser(m, varying({&dim("ValveCtrToJoint"), &dim("RadiusBarLength"), &dim("ValveRodLength")}));
    ASSERT_TRUE(alone.afterCost && more.afterCost);
    EXPECT_LE(*more.afterCost, *alone.afterCost);
    // An earlier answer given as a start is never lost either.
    EqualiserOptions o = varying({&dim("RadiusBarLength"), &dim("ValveCtrToJoint")}, 0.05, 4);
    o.startFrom = {{&dim("ValveCtrToJoint"), alone.after[0]}};
    const EqualiserResult fromAnswer = runEqualiser(m, o);
    ASSERT_TRUE(fromAnswer.afterCost.has_value());
    EXPECT_LE(*fromAnswer.afterCost, *alone.afterCost);
}

TEST(Equaliser, SameDesignSameAnswer) {
    const GearModel m = unequalDesign();
    const EqualiserOptions o = varying({&dim("ValveCtrToJoint"), &dim("ValveRodLength")}, 0.05, 12);
    const EqualiserResult a = runEqualiser(m, o), b = runEqualiser(m, o);
    EXPECT_EQ(a.after, b.after);
    EXPECT_EQ(a.evaluations, b.evaluations);
    EXPECT_EQ(a.afterCost, b.afterCost);
}

// A radius bar that may grow by 40 units meets impossible geometry on the way; no such
// design may be offered, however the cost would look.
TEST(Equaliser, NeverOffersImpossibleGeometry) {
    const GearModel m = unequalDesign();
    const EqualiserResult r = runEqualiser(m, varying({&dim("RadiusBarLength")}, 40, 8));
    GearModel check = m;
    setDimensionValue(check, dim("RadiusBarLength"), r.after[0]);
    EXPECT_FALSE(readDesign(check, SolverKind::Precise).impossible);
    EXPECT_LT(r.after[0], 10.0f);
}

// Progress never runs backwards, never claims more done than its total, and ends full
// at the evaluations really made.
TEST(Equaliser, ProgressEndsFullAtTheEvaluationsMade) {
    std::vector<std::pair<int, int>> seen;
    WorkControl control;
    control.progress = [&](int done, int total) { seen.emplace_back(done, total); };
    const EqualiserResult r = runEqualiser(unequalDesign(), varying({&dim("ValveCtrToJoint")}), control);
    ASSERT_GE(seen.size(), 2u);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].first, seen[i - 1].first);
        EXPECT_LE(seen[i].first, seen[i].second);
    }
    EXPECT_EQ(seen.front().first, 0);
    EXPECT_EQ(seen.back(), std::make_pair(r.evaluations, r.evaluations));
}

TEST(Equaliser, CancelKeepsTheDesignAsItWas) {
    const GearModel m = unequalDesign();
    const GearModel before = m;
    std::atomic<bool> cancel{true};
    WorkControl control;
    control.cancel = &cancel;
    const EqualiserResult r = runEqualiser(m, varying({&dim("ValveCtrToJoint")}), control);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.evaluations, 0);
    EXPECT_EQ(r.after, r.before);
    EXPECT_FALSE(r.improved());
    EXPECT_EQ(dimensionValue(m, dim("ValveCtrToJoint")), dimensionValue(before, dim("ValveCtrToJoint")));
    EXPECT_EQ(m.RevArmPosition, before.RevArmPosition);
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

// Valve and port dimensions may move the lap only within its band; a search that once
// offered a lap moved by 0.037 and leads below 0 now keeps every limit, or offers
// nothing and names the limit no design kept.
TEST(EqualiserLimits, NoOfferBreaksOne) {
    const struct {
        const char* name;
        double range;
        EqualiserLimits limits;
    } rows[] = {
        {"Range004", 0.04, {}},
        {"Range02", 0.2, {}},
        {"LeadBandNoneReaches", 0.04, {1, 1.1, 0.005, 10}},
    };
    const GearModel m = unequalDesign();
    const float lap = portEdgesOf(m.cyl).SteamLapFront;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const EqualiserOptions o = withLimits(
            varying({&dim("ValveCtrToJoint"), &dim("ValveCtrToRing")}, row.range, 12), row.limits);
        const EqualiserResult r = runEqualiser(m, o);
        EXPECT_TRUE(r.variesPort);
        if (!r.improved()) {
            EXPECT_NE(r.limitProblem().find("no design within the range keeps the"), std::string::npos);
            continue;
        }
        expectKeepsLimits(r, row.limits);
        GearModel after = m;
        for (std::size_t i = 0; i < o.dims.size(); ++i) setDimensionValue(after, *o.dims[i], r.after[i]);
        EXPECT_NEAR(portEdgesOf(after.cyl).SteamLapFront, lap, row.limits.lapBand + 1e-6);
    }
}

TEST(EqualiserLimits, UnreachableLeadBandIsNamed) {
    const EqualiserOptions o = withLimits(varying({&dim("ValveCtrToJoint")}, 0.04, 4), {1, 1.1, 0.005, 10});
    const EqualiserResult r = runEqualiser(unequalDesign(), o);
    EXPECT_FALSE(r.improved());
    EXPECT_EQ(r.limitProblem(), "no design within the range keeps the front lead at 25 % fwd within 1 to 1.1");
}

// Only dimensions that move the goals are offered, the strongest first: the valve's end
// widths shape the drawing's valve and never the events.
TEST(EqualiserDimensions, OnlyThoseThatMoveTheGoalsStrongestFirst) {
    const DimensionRanking ranking =
        rankEqualiserDimensions(unequalDesign(), defaultWorkingPoints(), defaultEqualiserGoals());
    EXPECT_EQ(ranking.problem, "");
    const auto& ranked = ranking.effects;
    ASSERT_GE(ranked.size(), 4u);
    for (std::size_t i = 1; i < ranked.size(); ++i) EXPECT_GE(ranked[i - 1].effect, ranked[i].effect);
    for (const auto& e : ranked) {
        EXPECT_NE(e.dim->field, "ValveEndWidthFront");
        EXPECT_NE(e.dim->field, "ValveEndWidthRear");
        EXPECT_GE(e.effect, LeastGoalEffect);
    }
}

// Nothing ranked says why: the window shows it instead of "no dimension moves the goals".
TEST(EqualiserDimensions, NothingRankedSaysWhy) {
    GearModel impossible = unequalDesign();
    setDimensionValue(impossible, dim("RadiusBarLength"), dimensionValue(impossible, dim("RadiusBarLength")) + 40);
    std::vector<EqualiserGoal> badWeight = defaultEqualiserGoals();
    badWeight[0].weight = -1;
    const struct {
        const char* name;
        GearModel m;
        const char* points;
        std::vector<EqualiserGoal> goals;
        std::string problemStart;
    } rows[] = {
        {"unreachable point", unequalDesign(), "99f", defaultEqualiserGoals(), "the working point 99 % fwd"},
        {"negative weight", unequalDesign(), "25f", badWeight, "goal weights must be numbers of 0 or more"},
        {"impossible start", impossible, "arm=10.9", defaultEqualiserGoals(), "the design as it stands does not keep"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DimensionRanking r = rankEqualiserDimensions(row.m, *parseWorkingPoints(row.points, nullptr), row.goals);
        EXPECT_TRUE(r.effects.empty());
        EXPECT_TRUE(r.problem.starts_with(row.problemStart)) << r.problem;
    }
}

}  // namespace
}  // namespace quarn
