// The linkage closed exactly. Each loop that the classic solver closes by a search is
// closed here on the branch that search would find: the search's start, direction and
// first step pick the bracket, and the root inside it is found to the last digit.
#include "precise_solver.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "root_finder.h"

namespace quarn {
namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

// Where the classic guards call a triangle impossible, so is it here: a cosine this near
// ±1, a divisor this near 0.
constexpr double CosineLimit = 0.999999;
constexpr double DivisorLimit = 0.00001;

// The classic searches: an inner search starts with a step of 0.1 downwards; started
// already past its length it climbs by 0.8 of each step as the step shrinks by 0.2 five
// times, 0.099968 at most. An outer search divides by 1 + 0.1 and climbs by the factors
// 1 + 0.8 × step in the same way.
constexpr double InnerFirstStep = 0.1;
constexpr double InnerClimb = 0.8 * (0.1 + 0.02 + 0.004 + 0.0008 + 0.00016);
constexpr double OuterFactor = 1.1;
constexpr double OuterClimb = 1.08 * 1.016 * 1.0032 * 1.00064 * 1.000128;
// A walk that has found nothing after this many steps never will: the classic solver's
// own round budget ends such a search too.
constexpr int WalkBudget = 1000;
// The width to which a loop's unknown is narrowed: its closing error is then a few units
// in the last place of double arithmetic, far inside PreciseClosure.
constexpr double RootWidth = 1e-13;

inline double sq(double x) { return x * x; }
inline double atan1(double x) { return std::atan2(x, 1.0); }
inline bool tinyDivisor(double x) { return std::fabs(x) < DivisorLimit; }

// A point on the forward half of the circle about (cx, cy) of radius rc, at a height y:
// the eccentric rod and the union link both run forwards from their rear pin. The
// classic solver takes the root of the magnitude where the height is off the circle.
double forwardX(double cx, double cy, double rc, double y) {
    return cx + std::sqrt(std::fabs(sq(rc) - sq(y - cy)));
}

// The inner loop: the point Q on the forward half of the circle (c, rc) that stands `span`
// from P, chosen as the classic search would choose it from the height `start`.
struct InnerResult {
    double x = 0, y = 0;
    bool closed = false;  // a true crossing; else where the classic search stops
    bool failed = false;  // the classic search would run off the circle: impossible
};

InnerResult closeInner(double cx, double cy, double rc, double px, double py, double span,
                       double start) {
    InnerResult out;
    const double startDistance = std::hypot(px - forwardX(cx, cy, rc, start), py - start);
    const bool shortAtStart = startDistance < span;
    // Both meeting points of the circle about c and the circle of `span` about P.
    const double dx = px - cx, dy = py - cy, d = std::hypot(dx, dy);
    double ys[2];
    int n = 0;
    if (d > 0 && d <= rc + span && d >= std::fabs(rc - span)) {
        const double a = (sq(rc) - sq(span) + sq(d)) / (2.0 * d);
        const double h = std::sqrt(std::fmax(0.0, sq(rc) - sq(a)));
        const double bx = cx + a * dx / d, by = cy + a * dy / d;
        for (int sign : {1, -1}) {
            const double x = bx - sign * h * dy / d, y = by + sign * h * dx / d;
            if (x >= cx - 1e-12) ys[n++] = y;  // the forward half only
        }
    }
    // Walking down from a short start, the first crossing is the highest one below it;
    // started past, the search climbs to the lowest one above it, within its reach.
    std::optional<double> pick;
    for (int i = 0; i < n; ++i) {
        if (shortAtStart ? ys[i] <= start : (ys[i] > start && ys[i] <= start + InnerClimb)) {
            if (!pick || (shortAtStart ? ys[i] > *pick : ys[i] < *pick)) pick = ys[i];
        }
    }
    if (pick) {
        out.y = *pick;
        out.x = forwardX(cx, cy, rc, out.y);
        out.closed = true;
    } else if (shortAtStart) {
        out.failed = true;
    } else {
        out.y = start + InnerClimb;
        out.x = forwardX(cx, cy, rc, out.y);
    }
    return out;
}

// One trial of an outer loop: how far it is from closing (below 0: the classic search
// would go on dividing), whether its inner loop truly closed, or that it cannot be.
struct Trial {
    double miss = 0;
    bool closed = false;
    bool failed = false;
};
constexpr Trial Impossible{.miss = 0, .closed = false, .failed = true};

// The outer loop, bracketed as the classic search walks and closed by the root finder.
template <class Try>
std::optional<double> closeOuter(Try&& attempt, double start) {
    const Trial first = attempt(start);
    if (first.failed) return std::nullopt;
    auto miss = [&](double y) {
        const Trial t = attempt(y);
        return t.failed ? std::nan("") : t.miss;
    };
    double lo, hi, fLo, fHi;
    if (first.miss < 0) {
        double before = start, fBefore = first.miss, y = start / OuterFactor;
        for (int step = 0;; ++step, before = y, y /= OuterFactor) {
            if (step == WalkBudget) return std::nullopt;
            const Trial t = attempt(y);
            if (t.failed) return std::nullopt;
            if (t.miss >= 0) {
                lo = y, fLo = t.miss, hi = before, fHi = fBefore;
                break;
            }
            fBefore = t.miss;
        }
    } else {
        const double top = start * OuterClimb;
        const Trial t = attempt(top);
        if (t.failed || t.miss >= 0) return std::nullopt;
        lo = start, fLo = first.miss, hi = top, fHi = t.miss;
    }
    const auto root = brentRoot(miss, lo, hi, fLo, fHi, RootWidth);
    if (!root) return std::nullopt;
    const Trial last = attempt(*root);
    if (last.failed || !last.closed || std::fabs(last.miss) > PreciseClosure) return std::nullopt;
    return root;
}

bool allFinite(std::initializer_list<double> xs) {
    for (double x : xs)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

std::string_view preciseFailureText(PreciseFailure f) {
    switch (f) {
        case PreciseFailure::None: return "";
        case PreciseFailure::EccentricCrank: return "the eccentric crank cannot reach its circle";
        case PreciseFailure::ReverseArm: return "the reverse arm cannot stand at this setting";
        case PreciseFailure::BellCrankArm: return "the bell crank cannot reach the gear connecting rod";
        case PreciseFailure::RadiusBar: return "the radius bar cannot be closed";
        case PreciseFailure::GearRod: return "the gear connecting rod cannot meet the eccentric rod";
        case PreciseFailure::MainRod: return "the main rod cannot reach the cylinder centre line";
        case PreciseFailure::CombinationLever: return "the combination lever cannot hold the valve stem on its line";
        case PreciseFailure::UnionLink: return "the union link cannot meet the combination lever";
        case PreciseFailure::ValveRod: return "the valve rod cannot reach";
        case PreciseFailure::NotANumber: return "a dimension is not a number";
    }
    return "";
}

PreciseLinkage::PreciseLinkage(const GearModel& m, double revArm) {
    const FrameDims& f = m.frame;
    const CylDims& c = m.cyl;
    PreciseGear& g = fixed_;
    auto& H = g.horz;
    auto& V = g.vert;
    for (int p : {3, 4, 6, 11, 13, 16}) {
        H[p] = m.PivotHorz[p];
        V[p] = m.PivotVert[p];
    }
    erie_ = m.ErieTriplexForm != 0;
    H[22] = H[16] - H[6];
    V[22] = V[16] + V[6];
    H[23] = H[16] - H[11];
    V[23] = V[16] - V[11];
    stroke_ = f.Stroke;
    rod_ = f.MainRodLength;
    eccRod_ = f.EccRodLength;
    upper_ = f.GearConRodUpper;
    lower_ = f.GearConRodLower;
    lowerBkS_ = f.GearConRodLowerBkS;
    radiusBar_ = f.RadiusBarLength;
    bellHorz_ = f.BellCrankHorzLength;
    bellVertArm_ = std::hypot(double(f.BellCrankVertLength), double(f.BellCrankBackset));
    gearRodSpan_ = std::hypot(upper_ + lower_, lowerBkS_);
    leverUpper_ = f.ComboLeverUpper;
    leverLower_ = f.ComboLeverLower;
    leverSet_ = f.ComboLeverForSet;
    leverLength_ = std::hypot(leverUpper_ + leverLower_, leverSet_);
    union_ = f.UnionLinkLength;
    valveRod_ = f.ValveRodLength;
    dropBkS_ = f.DropLinkToCrossHBkS;
    dropVert_ = f.DropLinkToCrossHVert;
    o_ = c.ValveBoreCtrToPort, r_ = c.ValveCtrToRing, p_ = c.ValveBorePortWidthRear;
    q_ = c.ValveBorePortWidthFront, s_ = c.ValveEndWidthRear, t_ = c.ValveEndWidthFront;
    u_ = c.ValveCtrToJoint, z_ = c.CylCtrToDriverCtr;

    auto fail = [&](PreciseFailure why) { g.failure = why; };
    if (!allFinite({revArm, stroke_, rod_, eccRod_, upper_, lower_, lowerBkS_, radiusBar_, bellHorz_,
                    bellVertArm_, leverUpper_, leverLower_, leverSet_, union_, valveRod_, dropBkS_,
                    dropVert_, o_, r_, p_, q_, s_, t_, u_, z_, double(f.EccCrankLength),
                    double(f.EccCrankCirDia), double(f.RevArmUpperLength), double(f.RevArmLowerLength),
                    H[3], V[3], V[4], H[22], V[22], H[23], V[23]}))
        {
        fail(PreciseFailure::NotANumber);
        return;
    }

    // The eccentric crank pin's lead on the main crank pin (−arccos c, in degrees).
    const double r = stroke_ / 2.0, e = f.EccCrankCirDia / 2.0;
    if (tinyDivisor(r)) {
        fail(PreciseFailure::MainRod);
        return;
    }
    if (tinyDivisor(e)) {
        fail(PreciseFailure::EccentricCrank);
        return;
    }
    const double cl = (sq(r) + sq(e) - sq(f.EccCrankLength)) / 2.0 / r / e;
    if (std::fabs(cl) > CosineLimit) {
        fail(PreciseFailure::EccentricCrank);
        return;
    }
    eccRadius_ = e;
    eccLead_ = atan1(cl / std::sqrt(1.0 - sq(cl))) * (180.0 / std::numbers::pi) - 90.0;

    // The reverse arm, its top above its pivot, and the radius bar's pin on it.
    const double arm = double(f.RevArmUpperLength) + f.RevArmLowerLength;
    const double rise = sq(arm) - sq(H[23] - revArm);
    if (rise < 0 || tinyDivisor(arm)) {
        fail(PreciseFailure::ReverseArm);
        return;
    }
    H[1] = revArm;
    V[1] = std::sqrt(rise) + V[23];
    H[2] = H[23] + (H[1] - H[23]) * f.RevArmLowerLength / arm;
    V[2] = V[23] + (V[1] - V[23]) * f.RevArmLowerLength / arm;

    if (tinyDivisor(upper_ + lower_) || tinyDivisor(f.BellCrankVertLength) ||
        tinyDivisor(leverUpper_ + leverLower_))
        {
        fail(PreciseFailure::NotANumber);
        return;
    }
    gearRodSetAngle_ = atan1(lowerBkS_ / (upper_ + lower_));
    bellVertAngle_ = atan1(double(f.BellCrankBackset) / f.BellCrankVertLength);
    leverSetAngle_ = atan1(leverSet_ / (leverUpper_ + leverLower_));
}

bool PreciseLinkage::closeBellCrank(PreciseGear& g) const {
    auto& H = g.horz;
    auto& V = g.vert;
    // Pivot 5 at the height y: the horizontal arm backwards from the bell crank pivot,
    // the gear rod's lower end on the eccentric rod, the radius-bar pin 9 on the rod.
    auto attempt = [&](double y) {
        const double reach = sq(bellHorz_) - sq(y - V[22]);
        if (reach < 0) return Impossible;
        H[5] = H[22] - std::sqrt(reach);
        V[5] = y;
        const InnerResult q =
            closeInner(H[14], V[14], eccRod_, H[5], y, gearRodSpan_, y - upper_ - 0.8 * lower_);
        if (q.failed || tinyDivisor(y - q.y)) return Impossible;
        H[15] = q.x;
        V[15] = q.y;
        const double angle = atan1((H[5] - q.x) / (y - q.y)) - gearRodSetAngle_;
        H[9] = H[5] - std::sin(angle) * upper_;
        V[9] = y - std::cos(angle) * upper_;
        return Trial{.miss = std::hypot(H[9] - H[2], V[9] - V[2]) - radiusBar_, .closed = q.closed};
    };
    const auto y = closeOuter(attempt, (V[16] + V[6]) * 1.1);
    if (!y) return false;
    attempt(*y);  // leaves the pivots of the closed loop
    return true;
}

bool PreciseLinkage::closeStandardLever(PreciseGear& g) const {
    auto& H = g.horz;
    auto& V = g.vert;
    // Pivot 8 at the height y: the valve rod forwards from the bell crank arm, the lever's
    // lower end on the union link, and the stem joint's height v against its line.
    auto attempt = [&](double y) {
        const double reach = sq(valveRod_) - sq(y - V[7]);
        if (reach < 0) return Impossible;
        H[8] = std::sqrt(reach) + H[7];
        V[8] = y;
        const InnerResult q =
            closeInner(H[21], V[21], union_, H[8], y, leverLength_, 0.1 * leverLower_ + V[3]);
        if (q.failed || tinyDivisor(y - q.y)) return Impossible;
        H[10] = q.x;
        V[10] = q.y;
        const double k = atan1((H[8] - q.x) / (y - q.y)) - leverSetAngle_;
        H[4] = std::sin(k) * leverLower_ + q.x;
        const double v = std::cos(k) * leverLower_ + q.y;
        // Below 0 the joint stands too high: pivot 8 comes down.
        return Trial{.miss = V[4] - v, .closed = q.closed};
    };
    const auto y = closeOuter(attempt, 1.3 * leverUpper_ + V[4]);
    if (!y) return false;
    attempt(*y);
    return true;
}

bool PreciseLinkage::closeErieLever(PreciseGear& g) const {
    auto& H = g.horz;
    auto& V = g.vert;
    // The lever hangs from the bell crank arm's end 7 and meets the union link at 10.
    if (tinyDivisor(V[7] - V[21])) return false;
    const double q = atan1((H[21] - H[7]) / (V[7] - V[21]));
    const double d = std::hypot(H[7] - H[21], V[7] - V[21]);
    if (tinyDivisor(d) || tinyDivisor(leverLength_)) return false;
    const double c = (sq(d) + sq(leverLength_) - sq(union_)) / 2.0 / leverLength_ / d;
    if (std::fabs(c) > CosineLimit) return false;
    double k = std::numbers::pi / 2 - atan1(c / std::sqrt(1.0 - sq(c))) - q;
    H[10] = H[7] - std::sin(k) * leverLength_;
    V[10] = V[7] - std::cos(k) * leverLength_;
    k -= leverSetAngle_;
    H[8] = std::sin(k) * leverLower_ + H[10];
    V[8] = std::cos(k) * leverLower_ + V[10];
    const double reach = sq(valveRod_) - sq(V[4] - V[8]);
    if (reach < 0) return false;
    H[4] = std::sqrt(reach) + H[8];
    return true;
}

double PreciseLinkage::piston640(double driverAngle) const {
    const double a = driverAngle * DegToRad;
    const double w = std::sqrt(std::fmax(0.0, sq(rod_) - sq(std::sin(a) * stroke_ / 2.0)));
    return 320.0 - (std::cos(a) + w / stroke_ * 2.0 - rod_ / stroke_ * 2.0) * 320.0;
}

void PreciseLinkage::ports(PreciseGear& g, double driverAngle) const {
    g.piston640 = piston640(driverAngle);
    const double h = g.horz[4];
    g.valveDisp = h + u_ - z_;
    g.frontSteam = h + u_ + r_ - z_ - o_;
    g.frontExhaust = z_ + o_ + q_ - h - u_ - r_ - t_;
    g.rearSteam = r_ + z_ - o_ - h - u_;
    g.rearExhaust = o_ + h + u_ - r_ - s_ - z_ + p_;
}

PreciseGear PreciseLinkage::solve(double driverAngle) const {
    PreciseGear g = fixed_;
    if (!g.possible()) return g;
    if (!std::isfinite(driverAngle)) {
        g.failure = PreciseFailure::NotANumber;
        return g;
    }
    auto& H = g.horz;
    auto& V = g.vert;
    const double ecc = (driverAngle + eccLead_) * DegToRad;
    H[14] = std::cos(ecc) * eccRadius_;
    V[14] = std::sin(-ecc) * eccRadius_;
    if (!closeBellCrank(g)) {
        g.failure = PreciseFailure::RadiusBar;
        return g;
    }
    // The bell crank's vertical arm, rigid with its horizontal arm.
    if (tinyDivisor(H[22] - H[5])) {
        g.failure = PreciseFailure::BellCrankArm;
        return g;
    }
    const double b = atan1((V[5] - V[22]) / (H[22] - H[5])) + bellVertAngle_;
    H[7] = H[22] - std::sin(b) * bellVertArm_;
    V[7] = V[22] - std::cos(b) * bellVertArm_;

    // Main crank pin, crosshead on the cylinder centre line, and the drop link.
    const double a = driverAngle * DegToRad;
    H[12] = std::cos(a) * stroke_ / 2.0 + H[13];
    V[12] = std::sin(-a) * stroke_ / 2.0;
    const double reach = sq(rod_) - sq(V[3] - V[12]);
    if (reach < 0 || sq(rod_) < sq(std::sin(a) * stroke_ / 2.0)) {
        g.failure = PreciseFailure::MainRod;
        return g;
    }
    H[3] = std::sqrt(reach) + H[12];
    H[21] = H[3] - dropBkS_;
    V[21] = V[3] - dropVert_;

    if (!(erie_ ? closeErieLever(g) : closeStandardLever(g))) {
        g.failure = erie_ ? PreciseFailure::UnionLink : PreciseFailure::CombinationLever;
        return g;
    }
    ports(g, driverAngle);
    if (!allFinite({g.horz[4], g.piston640})) g.failure = PreciseFailure::NotANumber;
    return g;
}

PreciseGear solvePrecise(const GearModel& m, double revArm, double driverAngle) {
    return PreciseLinkage(m, revArm).solve(driverAngle);
}

}  // namespace quarn
