// The two stages of the linkage solve. The searches, their start values, factors and
// shared round budget decide which of two geometric solutions a strange gear finds and
// when it is reported impossible, so they are followed exactly; stored reals are
// singles, everything in between is worked in double.
#include "solver.h"

#include <cmath>
#include <numbers>

namespace quarn {
namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;
constexpr double RadToDeg = 180.0 / std::numbers::pi;

// Limits of the guards: a cosine this close to ±1 or a divisor this close to zero
// means the triangle cannot close.
constexpr double CosineLimit = 0.999999;
constexpr double DivisorLimit = 0.00001;

// Tolerances of the two closing checks, in length units.
constexpr double LowerRodSlack = 0.002;
constexpr double LeverUpperSlack = 0.003;

// atan as the program computes it: the two-argument form with 1, so ±π/2 at most.
inline double atan1(double x) { return std::atan2(x, 1.0); }

inline double sq(double x) { return x * x; }

inline double dist(const GearModel& m, int a, int b) {
    return std::sqrt(sq(double(m.PivotHorz[a]) - m.PivotHorz[b]) +
                     sq(double(m.PivotVert[a]) - m.PivotVert[b]));
}

inline double sqrtAbs(GearModel& m, double x) { return std::sqrt(double(SqrtArgAbs(m, x))); }

// One bracket-and-shrink search of the inner kind: steps `coord` down until the link
// length `target` is reached, backs off by 0.8 of the step, shrinks the step by 0.2.
// `place` recomputes the dependent coordinate and returns the distance to compare.
// Returns false when the shared round budget ran out (the solve is then abandoned).
template <class Place>
bool innerSearch(GearModel& m, float& coord, double target, int& rounds, Place place) {
    m.SearchStep = 0.1f;
    for (;;) {
        const double d = place();
        const bool short_ = d < target;
        if (short_) coord = static_cast<float>(double(coord) - m.SearchStep);
        if (++rounds > SearchRoundBudget) {
            RaiseGeometryError(m);
            m.SearchStep = m.SolverTolerance - 1.0f;
            return false;
        }
        if (short_) continue;
        coord = static_cast<float>(double(coord) + 0.8 * m.SearchStep);
        m.SearchStep = static_cast<float>(m.SearchStep * 0.2);
        if (!(m.SearchStep > m.SolverTolerance)) return true;
    }
}

// Outer search step: divide the coordinate by 1 + step while `again`, else back off by
// 0.8 of the step and shrink it. Returns true while another outer round is due.
inline bool outerStep(GearModel& m, float& coord, bool again) {
    if (again) {
        coord = static_cast<float>(coord / (1.0 + m.OuterStep));
        return true;
    }
    coord = static_cast<float>(coord * (1.0 + 0.8 * m.OuterStep));
    m.OuterStep = static_cast<float>(m.OuterStep * 0.2);
    return m.OuterStep > m.SolverTolerance;
}

// Steps 7 and 8: the bell crank's horizontal arm and the gear connecting rod, closed
// through the eccentric rod and the radius bar. False when the solve is abandoned.
bool solveBellCrankAndGearRod(GearModel& m, double span) {
    auto& H = m.PivotHorz;
    auto& V = m.PivotVert;
    const FrameDims& f = m.frame;
    const double upper = f.GearConRodUpper;
    m.OuterStep = 0.1f;
    V[5] = static_cast<float>((double(V[16]) + V[6]) * 1.1);
    int rounds = 0;
    for (;;) {
        H[5] = static_cast<float>(
            H[22] - sqrtAbs(m, sq(f.BellCrankHorzLength) - sq(double(V[5]) - V[22])));
        V[15] = static_cast<float>(double(V[5]) - f.GearConRodUpper - 0.8 * f.GearConRodLower);
        const bool closed = innerSearch(m, V[15], span, rounds, [&] {
            H[15] = static_cast<float>(
                sqrtAbs(m, sq(f.EccRodLength) - sq(double(V[15]) - V[14])) + H[14]);
            return dist(m, 5, 15);
        });
        if (!closed) return false;

        const double g =
            atan1((double(H[5]) - H[15]) / double(ClampDivisor(m, double(V[5]) - V[15]))) -
            atan1(f.GearConRodLowerBkS /
                  double(ClampDivisor(m, double(f.GearConRodUpper) + f.GearConRodLower)));
        m.GearConRodAngle = static_cast<float>(g);
        H[9] = static_cast<float>(H[5] - std::sin(g) * upper);
        V[9] = static_cast<float>(V[5] - std::cos(g) * upper);

        if (!outerStep(m, V[5], dist(m, 2, 9) < f.RadiusBarLength)) break;
    }

    if (std::sqrt(sq(f.GearConRodLower) + sq(f.GearConRodLowerBkS)) <
        dist(m, 9, 15) - LowerRodSlack)
        RaiseGeometryError(m);
    return true;
}

// Step 13: the combination lever in the standard form, its top on the valve rod and
// its middle pin the valve stem joint held on the valve centre line.
bool solveStandardLever(GearModel& m) {
    auto& H = m.PivotHorz;
    auto& V = m.PivotVert;
    const FrameDims& f = m.frame;
    const double leverLength =
        std::sqrt(sq(double(f.ComboLeverUpper) + f.ComboLeverLower) + sq(f.ComboLeverForSet));

    m.OuterStep = 0.1f;
    V[8] = static_cast<float>(1.3 * f.ComboLeverUpper + V[4]);
    int rounds = 0;
    for (;;) {
        H[8] = static_cast<float>(
            sqrtAbs(m, sq(f.ValveRodLength) - sq(double(V[8]) - V[7])) + H[7]);
        V[10] = static_cast<float>(0.1 * f.ComboLeverLower + V[3]);
        const bool closed = innerSearch(m, V[10], leverLength, rounds, [&] {
            H[10] = static_cast<float>(
                sqrtAbs(m, sq(f.UnionLinkLength) - sq(double(V[10]) - V[21])) + H[21]);
            return dist(m, 8, 10);
        });
        if (!closed) return false;

        const double k =
            atan1((double(H[8]) - H[10]) / double(ClampDivisor(m, double(V[8]) - V[10]))) -
            atan1(f.ComboLeverForSet /
                  double(ClampDivisor(m, double(f.ComboLeverUpper) + f.ComboLeverLower)));
        H[4] = static_cast<float>(std::sin(k) * f.ComboLeverLower + H[10]);
        const double v = std::cos(k) * f.ComboLeverLower + V[10];

        if (!outerStep(m, V[8], v > V[4])) break;
    }

    // By the lever's own construction pivot 8 stands √(upper² + set²) from pivot 4.
    const double upperArm = std::sqrt(sq(f.ComboLeverUpper) + sq(f.ComboLeverForSet));
    if (dist(m, 8, 4) - LeverUpperSlack > upperArm) RaiseGeometryError(m);
    return true;
}

// Step 14: the Erie Triplex form, closed in one go: the lever hangs from the bell
// crank's vertical arm and the valve rod runs forward from its middle pin.
void solveErieTriplexLever(GearModel& m) {
    auto& H = m.PivotHorz;
    auto& V = m.PivotVert;
    const FrameDims& f = m.frame;
    const double q = atan1((double(H[21]) - H[7]) / double(ClampDivisor(m, double(V[7]) - V[21])));
    const double d = dist(m, 7, 21);
    const double lever = ClampDivisor(
        m, std::sqrt(sq(double(f.ComboLeverUpper) + f.ComboLeverLower) + sq(f.ComboLeverForSet)));
    const double dDivisor = ClampDivisor(m, d);
    const double c = ClampCosine(
        m, (sq(d) + sq(lever) - sq(f.UnionLinkLength)) / 2.0 / lever / dDivisor);
    double k = std::numbers::pi / 2 - atan1(c / std::sqrt(1.0 - sq(c))) - q;
    H[10] = static_cast<float>(H[7] - std::sin(k) * lever);
    V[10] = static_cast<float>(V[7] - std::cos(k) * lever);
    k -= atan1(f.ComboLeverForSet /
               double(ClampDivisor(m, double(f.ComboLeverUpper) + f.ComboLeverLower)));
    H[8] = static_cast<float>(std::sin(k) * f.ComboLeverLower + H[10]);
    V[8] = static_cast<float>(std::cos(k) * f.ComboLeverLower + V[10]);
    H[4] = static_cast<float>(sqrtAbs(m, sq(f.ValveRodLength) - sq(double(V[4]) - V[8])) + H[8]);
}

void computePortEdges(GearModel& m) {
    m.edges = portEdgesOf(m.cyl);
    m.ValveDisp = static_cast<float>(m.PivotHorz[4] + double(m.cyl.ValveCtrToJoint) - m.cyl.CylCtrToDriverCtr);
}

}  // namespace

PortEdges portEdgesOf(const CylDims& c) {
    const double o = c.ValveBoreCtrToPort, r = c.ValveCtrToRing, p = c.ValveBorePortWidthRear,
                 q = c.ValveBorePortWidthFront, s = c.ValveEndWidthRear,
                 t = c.ValveEndWidthFront, u = c.ValveCtrToJoint, z = c.CylCtrToDriverCtr;
    PortEdges e;
    auto f = [](double x) { return static_cast<float>(x); };
    e.SteamLapFront = f(o - r);
    e.SteamLapPortFront = f(o - r + q);
    e.ExClFront = f(o + q - r - t);
    e.SteamLapRear = f(o - r);
    e.SteamLapPortRear = f(o + p - r);
    e.ExClRear = f(o + p - r - s);
    e.FrontSteamEdgeNeg = f(r - o + u - z);
    e.RearSteamEdge = f(r - o + z - u);
    e.FrontSteamEdge = f(o - r + z - u);
    e.RearSteamEdgeNeg = f(o - r + u - z);
    e.FrontExhaustEdge = f(z - u + o + q - r - t);
    e.RearExhaustEdgeNeg = f(u - z + o + p - r - s);
    return e;
}

namespace {

// The pivots the linkage solve places; the heights of 3 and 4 are the cylinder and valve
// centre lines it starts from.
constexpr int SolvedPivots[] = {1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 14, 15, 21, 22, 23};

// A dimension that is no number, or infinite, slips past every guard (NaN compares false
// both ways) and leaves pivots or openings that are no numbers either: a gear as
// impossible as one whose links cannot close, and reported the same way.
bool solvedPivotsFinite(const GearModel& m) {
    for (const int p : SolvedPivots)
        if (!std::isfinite(m.PivotHorz[p]) || !std::isfinite(m.PivotVert[p])) return false;
    return true;
}

}  // namespace

void RaiseGeometryError(GearModel& m) {
    if (m.ErrorBeepOn == 1) m.GeometryError = 1;
}

float ClampCosine(GearModel& m, double c) {
    m.ScratchReal = static_cast<float>(c);
    if (m.ScratchReal > CosineLimit) {
        m.ScratchReal = static_cast<float>(CosineLimit);
        RaiseGeometryError(m);
    } else if (m.ScratchReal < -CosineLimit) {
        m.ScratchReal = static_cast<float>(-CosineLimit);
        RaiseGeometryError(m);
    }
    return m.ScratchReal;
}

float ClampDivisor(GearModel& m, double x) {
    m.ScratchDivisor = static_cast<float>(x);
    if (m.ScratchDivisor >= 0 && m.ScratchDivisor < DivisorLimit) {
        m.ScratchDivisor = static_cast<float>(DivisorLimit);
        RaiseGeometryError(m);
    } else if (m.ScratchDivisor < 0 && m.ScratchDivisor > -DivisorLimit) {
        m.ScratchDivisor = static_cast<float>(-DivisorLimit);
        RaiseGeometryError(m);
    }
    return m.ScratchDivisor;
}

float SqrtArgAbs(GearModel& m, double x) {
    m.ScratchReal = static_cast<float>(x);
    if (m.ScratchReal < 0) {
        m.ScratchReal = -m.ScratchReal;
        RaiseGeometryError(m);
    }
    return m.ScratchReal;
}

void SolveLinkage(GearModel& m) {
    auto& H = m.PivotHorz;
    auto& V = m.PivotVert;
    const FrameDims& f = m.frame;

    // 1-2: the fixed pivots, absolute, and the reverse arm's top where the driver set it.
    const PivotPoint bellCrank = bellCrankPivot(m), revArm = revArmPivot(m);
    H[22] = bellCrank.Horz;
    V[22] = bellCrank.Vert;
    H[23] = revArm.Horz;
    V[23] = revArm.Vert;
    H[1] = m.RevArmPosition;

    const double r = ClampDivisor(m, f.Stroke / 2.0);
    const double e = ClampDivisor(m, f.EccCrankCirDia / 2.0);

    // 3: the eccentric crank pin's lead on the main crank pin (−arccos c, in degrees).
    const double c = ClampCosine(m, (sq(r) + sq(e) - sq(f.EccCrankLength)) / 2.0 / r / e);
    m.EccLeadAngle = static_cast<float>(atan1(c / std::sqrt(1.0 - sq(c))) * RadToDeg - 90.0);

    // 4: the reverse arm, its top end above its pivot.
    const double armLength = double(f.RevArmUpperLength) + f.RevArmLowerLength;
    V[1] = static_cast<float>(sqrtAbs(m, sq(armLength) - sq(double(H[23]) - H[1])) + V[23]);
    const double armDivisor = ClampDivisor(m, armLength);
    H[2] = static_cast<float>(H[23] + (double(H[1]) - H[23]) * f.RevArmLowerLength / armDivisor);
    V[2] = static_cast<float>(V[23] + (double(V[1]) - V[23]) * f.RevArmLowerLength / armDivisor);

    // 5: the eccentric crank pin.
    const double ecc = (double(m.DriverAngle) + m.EccLeadAngle) * DegToRad;
    H[14] = static_cast<float>(std::cos(ecc) * e);
    V[14] = static_cast<float>(std::sin(-ecc) * e);

    // 6-8: bell crank and gear connecting rod.
    const double span = std::sqrt(sq(double(f.GearConRodUpper) + f.GearConRodLower) +
                                  sq(f.GearConRodLowerBkS));
    if (!solveBellCrankAndGearRod(m, span)) return;

    // 9: the bell crank's vertical arm, rigid with its horizontal arm.
    const double b =
        atan1((double(V[5]) - V[22]) / double(ClampDivisor(m, double(H[22]) - H[5]))) +
        atan1(f.BellCrankBackset / double(ClampDivisor(m, f.BellCrankVertLength)));
    const double vertArm = std::sqrt(sq(f.BellCrankVertLength) + sq(f.BellCrankBackset));
    H[7] = static_cast<float>(H[22] - std::sin(b) * vertArm);
    V[7] = static_cast<float>(V[22] - std::cos(b) * vertArm);

    // 10-12: main crank pin, crosshead on the cylinder centre line, drop link.
    const double a = double(m.DriverAngle) * DegToRad;
    H[12] = static_cast<float>(std::cos(a) * r + H[13]);
    V[12] = static_cast<float>(std::sin(-a) * r);
    H[3] = static_cast<float>(
        sqrtAbs(m, sq(f.MainRodLength) - sq(double(V[3]) - V[12])) + H[12]);
    H[21] = H[3] - f.DropLinkToCrossHBkS;
    V[21] = V[3] - f.DropLinkToCrossHVert;

    // 13-14: the combination lever.
    if (m.ErieTriplexForm == 0) {
        if (!solveStandardLever(m)) return;
    } else {
        solveErieTriplexLever(m);
    }

    // 15-16.
    m.RevArmPosition = H[1];
    m.SolvedMainRodLength = f.MainRodLength;
    m.SolvedStroke = f.Stroke;
    computePortEdges(m);
    if (!solvedPivotsFinite(m)) RaiseGeometryError(m);
}

void SolvePistonAndPorts(GearModel& m) {
    const FrameDims& f = m.frame;
    const double stroke = ClampDivisor(m, f.Stroke);
    const double a = double(m.DriverAngle) * DegToRad;
    const double rod = f.MainRodLength;
    const double w = sqrtAbs(m, sq(rod) - sq(std::sin(a) * f.Stroke / 2.0));
    m.PistonPos640 =
        static_cast<float>(320.0 - (std::cos(a) + w / stroke * 2.0 - rod / stroke * 2.0) * 320.0);

    const CylDims& c = m.cyl;
    const double h = m.PivotHorz[4], u = c.ValveCtrToJoint, r = c.ValveCtrToRing,
                 z = c.CylCtrToDriverCtr, o = c.ValveBoreCtrToPort,
                 p = c.ValveBorePortWidthRear, q = c.ValveBorePortWidthFront,
                 s = c.ValveEndWidthRear, t = c.ValveEndWidthFront;
    m.FrontSteamOpening = static_cast<float>(h + u + r - z - o);
    m.FrontExhaustOpening = static_cast<float>(z + o + q - h - u - r - t);
    m.RearSteamOpening = static_cast<float>(r + z - o - h - u);
    m.RearExhaustOpening = static_cast<float>(o + h + u - r - s - z + p);
    for (const float v : {m.PistonPos640, m.FrontSteamOpening, m.FrontExhaustOpening,
                          m.RearSteamOpening, m.RearExhaustOpening})
        if (!std::isfinite(v)) {
            RaiseGeometryError(m);
            break;
        }
}

}  // namespace quarn
