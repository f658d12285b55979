// The linkage solver on the nominal gear, in both lever forms, and its guards.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "model/dimensions.h"
#include "model/gear_model.h"
#include "model/mid_gear.h"
#include "model/solver.h"
#include "startup_model.h"

namespace quarn {
namespace {

void solveAt(GearModel& m, float angle, float revArm) {
    m.DriverAngle = angle;
    m.RevArmPosition = revArm;
    SolveLinkage(m);
    SolvePistonAndPorts(m);
}

TEST(Solver, CrankPinAndCrossheadAtDeadCentre) {
    GearModel m = startupModel();
    solveAt(m, 0, m.RevArmCentre());
    EXPECT_FLOAT_EQ(m.PivotHorz[12], 2.125f);
    EXPECT_FLOAT_EQ(m.PivotVert[12], 0.0f);
    EXPECT_NEAR(m.PivotHorz[3], 2.125 + std::sqrt(16.5 * 16.5 - 0.25 * 0.25), 2e-6);
    EXPECT_NEAR(m.PivotHorz[3], 18.623, 0.0005);
    EXPECT_NEAR(m.PistonPos640, 0.0, 1e-3);
}

TEST(Solver, EccentricTrailsTheCrankBy97Point49Degrees) {
    GearModel m = startupModel();
    solveAt(m, 0, m.RevArmCentre());
    EXPECT_NEAR(m.EccLeadAngle, -97.49, 0.005);
}

TEST(Solver, MidGearLeadsAtBothDeadCentres) {
    GearModel m = startupModel();
    solveAt(m, 0, m.RevArmCentre());
    EXPECT_NEAR(m.ValveDisp, 0.241, 0.0005);
    EXPECT_NEAR(m.FrontSteamOpening, 0.030, 0.0005);
    solveAt(m, 180, m.RevArmCentre());
    EXPECT_NEAR(m.RearSteamOpening, 0.031, 0.0005);
    EXPECT_NEAR(m.PistonPos640, 640.0, 1e-3);
    EXPECT_EQ(m.GeometryError, 0);
}

TEST(Solver, SearchesEndBelowTheTolerance) {
    GearModel m = startupModel();
    solveAt(m, 37, m.RevArmCentre());
    // 0.1 shrunk by 0.2 five times.
    EXPECT_FLOAT_EQ(m.SearchStep, 0.1f * 0.2f * 0.2f * 0.2f * 0.2f * 0.2f);
    EXPECT_EQ(m.RevArmPosition, m.PivotHorz[1]);
}

TEST(Solver, NominalGearClosesEverywhereInTheRange) {
    GearModel m = startupModel();
    const RevArmRange r = revArmRange(m);
    for (int s = 0; s <= 20; ++s) {
        const float revArm = r.min + (r.max - r.min) * static_cast<float>(s) / 20.0f;
        for (int a = 0; a < 360; a += 3) {
            m.GeometryError = 0;
            solveAt(m, static_cast<float>(a), revArm);
            ASSERT_EQ(m.GeometryError, 0) << "reverse arm " << revArm << " angle " << a;
        }
    }
}

TEST(Solver, StandardLeverKeepsTheValveJointOnItsCentreLine) {
    GearModel m = startupModel();
    solveAt(m, 75, m.RevArmCentre() + 1.5f);
    const double dx = double(m.PivotHorz[4]) - m.PivotHorz[10];
    const double dy = double(m.PivotVert[4]) - m.PivotVert[10];
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), m.frame.ComboLeverLower, 0.002);
    const double ux = double(m.PivotHorz[8]) - m.PivotHorz[4];
    const double uy = double(m.PivotVert[8]) - m.PivotVert[4];
    const double upper = std::hypot(double(m.frame.ComboLeverUpper), m.frame.ComboLeverForSet);
    EXPECT_NEAR(std::sqrt(ux * ux + uy * uy), upper, 0.003);
}

// A forward set large enough that the old check (against the upper length alone)
// would call every solve impossible; the lever itself closes perfectly.
TEST(Solver, LargeForwardSetIsNoGeometryError) {
    GearModel m = startupModel();
    m.frame.ComboLeverForSet = 0.2f;
    for (int a = 0; a < 360; a += 30) {
        m.GeometryError = 0;
        solveAt(m, static_cast<float>(a), m.RevArmCentre());
        EXPECT_EQ(m.GeometryError, 0) << a;
    }
}

TEST(Solver, ErieTriplexFormPlacesTheLeverFromTheBellCrank) {
    GearModel m = startupModel();
    m.ErieTriplexForm = 1;
    solveAt(m, 40, m.RevArmCentre());
    const double lever =
        std::hypot(double(m.frame.ComboLeverUpper) + m.frame.ComboLeverLower,
                   double(m.frame.ComboLeverForSet));
    EXPECT_NEAR(std::hypot(double(m.PivotHorz[10]) - m.PivotHorz[7],
                           double(m.PivotVert[10]) - m.PivotVert[7]),
                lever, 1e-4);
    EXPECT_NEAR(std::hypot(double(m.PivotHorz[10]) - m.PivotHorz[21],
                           double(m.PivotVert[10]) - m.PivotVert[21]),
                m.frame.UnionLinkLength, 1e-4);
    EXPECT_NEAR(std::hypot(double(m.PivotHorz[8]) - m.PivotHorz[10],
                           double(m.PivotVert[8]) - m.PivotVert[10]),
                m.frame.ComboLeverLower, 1e-4);
    // The valve rod runs forward from the lever's middle pin to the stem joint.
    EXPECT_GT(m.PivotHorz[4], m.PivotHorz[8]);
    EXPECT_NEAR(std::hypot(double(m.PivotHorz[4]) - m.PivotHorz[8],
                           double(m.PivotVert[4]) - m.PivotVert[8]),
                m.frame.ValveRodLength, 1e-4);
}

TEST(Solver, UnreachableRadiusBarUsesUpTheBudgetAndAbandons) {
    GearModel m = startupModel();
    solveAt(m, 0, m.RevArmCentre());
    const float crossheadBefore = m.PivotHorz[3];
    const float valveBefore = m.PivotHorz[4];
    m.frame.RadiusBarLength = 50;
    m.GeometryError = 0;
    solveAt(m, 90, m.RevArmCentre());
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_FLOAT_EQ(m.SearchStep, -0.9999f);  // the mark of a spent budget: 0.0001 - 1
    // Nothing after the failing search is computed: the crosshead keeps its place.
    EXPECT_EQ(m.PivotHorz[3], crossheadBefore);
    EXPECT_EQ(m.PivotHorz[4], valveBefore);
}

TEST(Solver, ShortValveRodMirrorsTheSquareRoot) {
    GearModel m = startupModel();
    m.frame.ValveRodLength = 0.5f;
    m.GeometryError = 0;
    solveAt(m, 0, m.RevArmCentre());
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_TRUE(std::isfinite(m.PivotHorz[8]));
    EXPECT_TRUE(std::isfinite(m.FrontSteamOpening));
}

TEST(Solver, ZeroStrokeDividesByTheSmallestDivisor) {
    GearModel m = startupModel();
    m.frame.Stroke = 0;
    m.GeometryError = 0;
    solveAt(m, 90, m.RevArmCentre());
    EXPECT_EQ(m.GeometryError, 1);
    EXPECT_TRUE(std::isfinite(m.PistonPos640));
    EXPECT_NEAR(m.PivotHorz[12], 0.0, 1e-5);
}

TEST(Solver, ErrorBeepOffRaisesNothingAtAll) {
    GearModel m = startupModel();
    m.ErrorBeepOn = 0;
    m.frame.Stroke = 0;
    m.frame.ValveRodLength = 0.5f;
    m.frame.RadiusBarLength = 50;
    solveAt(m, 90, m.RevArmCentre());
    CalcCentRevArm(m);
    EXPECT_EQ(m.GeometryError, 0);
}

struct GuardRow {
    const char* name;
    float (*guard)(GearModel&, double);
    double in;
    float out;
    bool raises;
};
void PrintTo(const GuardRow& r, std::ostream* os) { *os << r.name << ": " << r.in; }

class SolverGuard : public ::testing::TestWithParam<GuardRow> {};

TEST_P(SolverGuard, ClampsAndReports) {
    const GuardRow& row = GetParam();
    GearModel m;
    EXPECT_EQ(row.guard(m, row.in), row.out);
    EXPECT_EQ(m.GeometryError, row.raises ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Solver, SolverGuard,
    ::testing::Values(GuardRow{"CosineAboveOne", ClampCosine, 1.2, 0.999999f, true},
                      GuardRow{"CosineBelowMinusOne", ClampCosine, -3, -0.999999f, true},
                      GuardRow{"CosineInside", ClampCosine, 0.5, 0.5f, false},
                      GuardRow{"DivisorZero", ClampDivisor, 0, 0.00001f, true},
                      GuardRow{"DivisorTinyNegative", ClampDivisor, -1e-7, -0.00001f, true},
                      GuardRow{"DivisorFine", ClampDivisor, -2, -2.0f, false},
                      GuardRow{"SquareRootNegative", SqrtArgAbs, -4, 4.0f, true},
                      GuardRow{"SquareRootPositive", SqrtArgAbs, 9, 9.0f, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Solver, WorkingValuesAreSingles) {
    // A cosine just under the limit survives only as its nearest single.
    GearModel m;
    EXPECT_EQ(ClampCosine(m, 0.1), 0.1f);
    EXPECT_EQ(SqrtArgAbs(m, 2.0 / 3.0), static_cast<float>(2.0 / 3.0));
}

TEST(Solver, FormChangesOnlyTheLever) {
    // Switching forms changes only the lever: the crosshead and bell crank agree.
    GearModel a = startupModel();
    GearModel b = startupModel();
    b.ErieTriplexForm = 1;
    solveAt(a, 120, a.RevArmCentre() + 1);
    solveAt(b, 120, b.RevArmCentre() + 1);
    for (int p : {1, 2, 3, 5, 7, 9, 12, 14, 15, 21}) {
        EXPECT_EQ(a.PivotHorz[p], b.PivotHorz[p]) << p;
        EXPECT_EQ(a.PivotVert[p], b.PivotVert[p]) << p;
    }
    EXPECT_NE(a.PivotHorz[4], b.PivotHorz[4]);
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

// A dimension that is no number, or infinite, passes every guard; the pivots or openings
// it leaves are reported as any impossible gear is, subject to the error beep.
TEST(Solver, GearWithoutNumbersIsAGeometryError) {
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float Inf = std::numeric_limits<float>::infinity();
    struct Row {
        const char* field;
        float value;
        bool erie;
    } const rows[] = {{"Stroke", NaN, false},         {"Stroke", NaN, true},
                      {"ValveRodLength", NaN, true},  {"MainRodLength", Inf, false},
                      {"ValveCtrToRing", NaN, false},  // reaches the openings only
                      {"CylCtrToDriverCtr", -Inf, false}};
    for (const Row& row : rows)
        for (const std::uint8_t beep : {1, 0}) {
            SCOPED_TRACE(std::string(row.field) + (row.erie ? ", Erie" : "") + ", beep " +
                         std::to_string(beep));
            GearModel m = startupModel();
            m.ErrorBeepOn = beep;
            m.ErieTriplexForm = row.erie;
            setDimensionValue(m, *findDimensionByField(row.field), row.value);
            solveAt(m, 90, m.RevArmCentre());
            EXPECT_EQ(int(m.GeometryError), int(beep));
        }
}

}  // namespace
}  // namespace quarn
