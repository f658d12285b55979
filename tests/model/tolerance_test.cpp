// The tolerance study: its spread against the sensitivity study's slopes, its seed, its
// Cancel and the tolerance CSV. The quick events it reads are tried in point_events_test.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "model/event_report.h"
#include "model/mid_gear.h"
#include "model/sensitivity.h"
#include "model/tolerance.h"
#include "startup_model.h"

namespace quarn {
namespace {

const DimensionDescriptor& dim(std::string_view field) { return *findDimensionByField(field); }

RevArmRange normalSettings(const GearModel& m) {
    GearModel c = m;
    CalcCentRevArm(c);
    return revArmRange(c);
}

WorkControl threads(int n, const std::atomic<bool>* cancel = nullptr) {
    WorkControl c;
    c.threads = n;
    c.cancel = cancel;
    return c;
}

// One dimension toleranced alone: the spread of each outcome is its slope (from the
// sensitivity study, at the same settings) times the spread of the drawn deviation.
// Uniform within ±t: sd t/√3. Normal with t at 3 sd, redrawn beyond: sd (t/3)·0.98658,
// the standard normal cut at ±3 having variance 1 − 6φ(3)/(2Φ(3) − 1) = 0.97334.
TEST(Tolerance, OneDimensionAloneSpreadsAsItsSlopeTimesTolerance) {
    struct Row {
        const char* field;
        ToleranceDistribution distribution;
        double sdPerTolerance;
    };
    const Row rows[] = {
        {"ValveCtrToJoint", ToleranceDistribution::Uniform, 1 / std::sqrt(3.0)},
        {"ValveBoreCtrToPort", ToleranceDistribution::Normal, 0.98658 / 3},
        {"ValveCtrToRing", ToleranceDistribution::Uniform, 1 / std::sqrt(3.0)},
    };
    const GearModel m = startupModel();
    const RevArmRange r = normalSettings(m);
    constexpr double t = 0.004;
    constexpr int samples = 1000;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        const DimensionDescriptor* only[] = {&dim(row.field)};
        const SensitivityResult s =
            runSensitivity(m, DefaultPreciseSensitivityDelta, threads(2), only, SolverKind::Precise);
        ASSERT_TRUE(s.complete);
        const SensitivityRow& sr = s.rows[0];
        ToleranceOptions o;
        o.tolerances = ToleranceTable::allAt(0);
        o.tolerances.set(*only[0], t);
        o.samples = samples;
        o.distribution = row.distribution;
        o.points = {{WorkingPoint::Kind::Setting, r.fwd, false}, {WorkingPoint::Kind::Setting, r.rev, false}};
        const ToleranceResult got = runToleranceStudy(m, o, threads(2));
        ASSERT_TRUE(got.complete) << got.problem;
        ASSERT_EQ(got.sampled.size(), 1u);
        EXPECT_EQ(got.failures, 0);
        for (int p = 0; p < 2; ++p) {
            // Slopes per unit length of the watched numbers at this setting.
            double slope[4];
            for (int i = 0; i < 4; ++i)
                slope[i] = (*sr.plus[4 * p + i] - *sr.minus[4 * p + i]) / (2 * s.delta);
            const double expected[3] = {std::abs(slope[0] - slope[1]), std::abs(slope[2]), std::abs(slope[3])};
            for (int k = 0; k < 3; ++k) {
                SCOPED_TRACE(std::string(toleranceOutcomeName(static_cast<ToleranceOutcome>(k))) + " at " +
                             (p == 0 ? "fwd" : "rev"));
                const double sd = expected[k] * t * row.sdPerTolerance;
                // The sd of 1000 draws is within 3 % of the truth far more often than
                // not (its own relative error is about 1.4 %); 6 % is past four of those.
                EXPECT_NEAR(got.points[p].outcomes[k].sd, sd, 0.06 * sd + 1e-7);
                EXPECT_EQ(got.points[p].outcomes[k].count, samples);
            }
        }
    }
}

// A radius bar drawn within ±0.3 is sometimes too long or too short for the gear to be
// put together (or to cut off) at normal forward: the share of failures is the share of
// the tolerance beyond the first lengths that fail, found here by halving on the whole
// revolution's events.
TEST(Tolerance, GearsThatCannotBeBuiltAreCountedAsFailures) {
    const GearModel m = startupModel();
    const RevArmRange r = normalSettings(m);
    const DimensionDescriptor& bar = dim("RadiusBarLength");
    constexpr double t = 0.3;
    const double nominal = dimensionValue(m, bar);
    const auto fails = [&](double change) {
        GearModel c = m;
        setDimensionValue(c, bar, static_cast<float>(nominal + change));
        const GearSettingEvents e = preciseEvents(c, r.fwd);
        return e.geometryError || !e.front.cutOff || !e.rear.cutOff;
    };
    ASSERT_FALSE(fails(0));
    double failing = 0;  // length of the tolerance band that fails, both sides
    for (const double side : {-t, t}) {
        if (!fails(side)) continue;
        double good = 0, bad = side;
        while (std::abs(bad - good) > 1e-4) (fails((good + bad) / 2) ? bad : good) = (good + bad) / 2;
        failing += t - std::abs(good);
    }
    const double expected = failing / (2 * t);
    ASSERT_GT(expected, 0.1);

    ToleranceOptions o;
    o.tolerances = ToleranceTable::allAt(0);
    o.tolerances.set(bar, t);
    o.samples = 300;
    o.points = {{WorkingPoint::Kind::Setting, r.fwd, false}};
    const ToleranceResult got = runToleranceStudy(m, o, threads(2));
    ASSERT_TRUE(got.complete) << got.problem;
    // 300 draws: the share's own sd is at most 0.029.
    EXPECT_NEAR(double(got.failures) / o.samples, expected, 0.1);
    EXPECT_EQ(got.points[0].failures, got.failures);
    EXPECT_EQ(got.points[0].outcomes[1].count, o.samples - got.failures);
}

// The same seed gives the same numbers to the last bit, on one core or two; another
// seed gives other numbers.
TEST(Tolerance, SameSeedSameAnswerOnAnyNumberOfCores) {
    const GearModel m = startupModel();
    const RevArmRange r = normalSettings(m);
    ToleranceOptions o;
    o.samples = 48;
    o.seed = 5;
    o.points = {{WorkingPoint::Kind::Setting, r.fwd, false}, {WorkingPoint::Kind::Setting, r.rev, false}};
    const ToleranceResult one = runToleranceStudy(m, o, threads(1));
    ASSERT_TRUE(one.complete) << one.problem;
    ASSERT_EQ(one.points.size(), 2u);
    struct Row {
        const char* name;
        std::uint64_t seed;
        int threads;
        bool same;
    };
    const Row rows[] = {{"two cores", 5, 2, true}, {"one core again", 5, 1, true}, {"other seed", 6, 2, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        o.seed = row.seed;
        const ToleranceResult again = runToleranceStudy(m, o, threads(row.threads));
        ASSERT_TRUE(again.complete);
        for (std::size_t p = 0; p < 2; ++p)
            for (int k = 0; k < ToleranceOutcomeCount; ++k) {
                const OutcomeStats &a = one.points[p].outcomes[k], &b = again.points[p].outcomes[k];
                EXPECT_EQ(a.mean == b.mean && a.p5 == b.p5 && a.p95 == b.p95 && a.histogram == b.histogram,
                          row.same)
                    << p << " " << k;
            }
    }
}

// Cancel stops the draws: no result, and the design as it was.
TEST(Tolerance, CancelLeavesTheModelUntouched) {
    GearModel m = startupModel();
    m.RevArmPosition = 1.25f;
    const std::vector<float> key = designKey(m);
    std::atomic<bool> cancel{false};
    WorkControl c = threads(2, &cancel);
    c.progress = [&](int done, int) {
        if (done >= 2) cancel = true;
    };
    ToleranceOptions o;
    o.samples = 400;
    const ToleranceResult r = runToleranceStudy(m, o, c);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(designKey(m), key);
    EXPECT_EQ(m.RevArmPosition, 1.25f);
}

TEST(Tolerance, CsvReadsBackAndNamesABadLine) {
    ToleranceTable t = ToleranceTable::allAt(0.002);
    t.set(dim("ValveCtrToJoint"), 0.0005);
    t.set(dim("Stroke"), 0);
    std::string problem;
    EXPECT_EQ(readToleranceCsv(toleranceCsvText(t), ToleranceTable::allAt(1), &problem), t) << problem;

    struct Row {
        const char* text;
        const char* problemHas;  // empty: reads, and ValveCtrToRing becomes 0.003
    };
    const Row rows[] = {
        {"name,tolerance\nvalvectrtoring, 0.003\r\n\n", ""},
        {"name,tolerance\nValveCtrToRing,0.003\nNoSuchPart,0.1\n", "line 3: no dimension is called \"NoSuchPart\""},
        {"ValveCtrToRing;0.003\n", "line 1: \"ValveCtrToRing;0.003\" is not NAME,TOLERANCE"},
        {"name,tolerance\nStroke,-0.1\n", "line 2: \"-0.1\" is no tolerance"},
        {"name,tolerance\nStroke,inf\n", "line 2: \"inf\" is no tolerance"},
        {"name,tolerance\nStroke,2\n", "line 2: \"2\" is no tolerance: write a number from 0 to 1"},
        {"name,tolerance\n\nStroke,\n", "line 3: \"\" is no tolerance"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        problem.clear();
        const auto got = readToleranceCsv(row.text, t, &problem);
        if (*row.problemHas) {
            EXPECT_FALSE(got.has_value());
            EXPECT_NE(problem.find(row.problemHas), std::string::npos) << problem;
        } else {
            ASSERT_TRUE(got.has_value()) << problem;
            EXPECT_EQ(got->of(dim("ValveCtrToRing")), 0.003);
            EXPECT_EQ(got->of(dim("ValveCtrToJoint")), 0.0005);  // not named: kept
        }
    }
}

}  // namespace
}  // namespace quarn
