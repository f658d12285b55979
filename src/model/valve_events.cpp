// The phase-letter rule of the steam events and the zero crossings of the openings.
#include "valve_events.h"

namespace quarn {

SteamEvent PhaseTracker::evaluate(float steamOpening, float exhaustOpening) {
    SteamEvent event = SteamEvent::None;
    if (steamOpening > 0) {
        letter_ = 'E';
        event = SteamEvent::Admission;
    } else if (letter_ == 'E') {
        event = SteamEvent::Expansion;
    }
    if (exhaustOpening > 0) {
        letter_ = 'C';
        event = SteamEvent::Exhaust;
    } else if (letter_ == 'C') {
        event = SteamEvent::Compression;
    }
    return event;
}

namespace {

double interpolate(double prevOpening, double prevPiston, double opening, double piston) {
    return prevPiston + (piston - prevPiston) * prevOpening / (prevOpening - opening);
}

}  // namespace

std::optional<double> fallingCrossing(double prevOpening, double prevPiston, double opening,
                                      double piston) {
    if (!(prevOpening > 0 && opening < 0)) return std::nullopt;
    return interpolate(prevOpening, prevPiston, opening, piston);
}

std::optional<double> closingCrossing(double prevOpening, double prevPiston, double opening,
                                      double piston) {
    if (!(prevOpening > 0 && opening <= 0)) return std::nullopt;
    return interpolate(prevOpening, prevPiston, opening, piston);
}

std::optional<double> risingCrossing(double prevOpening, double prevPiston, double opening,
                                     double piston) {
    if (!(prevOpening <= 0 && opening > 0)) return std::nullopt;
    return interpolate(prevOpening, prevPiston, opening, piston);
}

}  // namespace quarn
