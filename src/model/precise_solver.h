// The precise solver for design work: the same linkage as SolveLinkage, on the same
// branch wherever that one closes, but every loop closed exactly in double precision
// (circle intersections in closed form, the two nested loops by a bracketed root
// finder), so that the valve position has no grain. Impossible geometry is reported,
// never forced through. Nothing of the classic solver's state is read or written.
#pragma once

#include <array>
#include <string_view>

#include "gear_model.h"

namespace quarn {

// How closely every loop of the linkage is closed, in length units: far below any
// dimension a drawing gives, and far above the rounding of double arithmetic.
constexpr double PreciseClosure = 1e-10;

// Which part of the linkage could not be put together.
enum class PreciseFailure {
    None,
    EccentricCrank,    // the eccentric crank cannot reach its circle
    ReverseArm,        // the arm's top cannot stand at the setting
    BellCrankArm,      // the bell crank's horizontal arm cannot reach pivot 5's height
    RadiusBar,         // no place of the bell crank closes the radius bar
    GearRod,           // the gear connecting rod cannot meet the eccentric rod
    MainRod,           // the main rod cannot reach the cylinder centre line
    CombinationLever,  // no place of the valve rod holds the stem joint on its line
    UnionLink,         // the union link cannot meet the combination lever
    ValveRod,          // the valve rod cannot reach its other end
    NotANumber,        // a dimension that is no number (or none that fits in a double)
};
std::string_view preciseFailureText(PreciseFailure f);

// One solve: the moving pivots (the fixed ones as the dimensions place them), the piston
// and the four port openings, all in double. Openings are above 0 when the port is open.
struct PreciseGear {
    PreciseFailure failure = PreciseFailure::None;
    bool possible() const { return failure == PreciseFailure::None; }
    std::array<double, PivotCount> horz{}, vert{};
    double piston640 = 0;  // 0 at the front dead centre, 640 at the back one
    double valveDisp = 0, frontSteam = 0, frontExhaust = 0, rearSteam = 0, rearExhaust = 0;
};

// The gear at one reverse-arm setting, ready to be solved at any driver angle: what
// does not turn with the driver is worked out once. A plain value; copies are cheap and
// independent, so a study runs one per core.
class PreciseLinkage {
public:
    PreciseLinkage(const GearModel& m, double revArm);
    PreciseGear solve(double driverAngle) const;
    // The piston position alone (the connecting-rod law), for an event's exact place.
    double piston640(double driverAngle) const;

private:
    struct Loop;
    bool closeBellCrank(PreciseGear& g) const;
    bool closeStandardLever(PreciseGear& g) const;
    bool closeErieLever(PreciseGear& g) const;
    void ports(PreciseGear& g, double driverAngle) const;

    PreciseGear fixed_;  // the pivots that do not turn with the driver, or the failure
    bool erie_ = false;
    double stroke_, rod_, eccRadius_, eccLead_, eccRod_;
    double upper_, lower_, lowerBkS_, radiusBar_, bellHorz_, bellVertArm_, bellVertAngle_;
    double gearRodSpan_, gearRodSetAngle_;
    double leverUpper_, leverLower_, leverSet_, leverLength_, leverSetAngle_, union_, valveRod_;
    double dropBkS_, dropVert_;
    double o_, r_, p_, q_, s_, t_, u_, z_;
};

// One solve without keeping the linkage, for a single reading.
PreciseGear solvePrecise(const GearModel& m, double revArm, double driverAngle);

}  // namespace quarn
