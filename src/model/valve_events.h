// Steam events of one cylinder end, piston percentage and cut-off, as every view
// reads them from the port openings.
#pragma once

#include <optional>

namespace quarn {

enum class SteamEvent { None, Admission, Expansion, Exhaust, Compression };

// Remembers which port of one cylinder end closed last ('E' after steam, 'C' after
// exhaust), so expansion and compression can be told apart while both are covered.
class PhaseTracker {
public:
    SteamEvent evaluate(float steamOpening, float exhaustOpening);
    char letter() const { return letter_; }  // 0 before the first event

private:
    char letter_ = 0;
};

// "Piston % " as the read-out shows it: 0 at driver angle 0, 100 at 180.
inline double pistonPercent(float pistonPos640) { return pistonPos640 / 6.4 + 0.00001; }

// Cut-off (and any other event) in percent of the end's own stroke: the front end's
// stroke runs from 0 to 640, the rear end's from 640 back to 0.
inline double frontStrokePercent(double pistonPos640) { return pistonPos640 / 6.4; }
inline double rearStrokePercent(double pistonPos640) { return (640.0 - pistonPos640) / 6.4; }

// A steam opening that fell from above 0 to below 0 between two evaluations: the
// piston position interpolated linearly to the opening's zero. An opening that only
// reaches 0 is no cut-off.
std::optional<double> fallingCrossing(double prevOpening, double prevPiston, double opening,
                                      double piston);
// An opening that fell from above 0 to 0 or below: a port that only just closes has
// closed, which is how the events table counts cut-off and compression.
std::optional<double> closingCrossing(double prevOpening, double prevPiston, double opening,
                                      double piston);
// The same for an opening that rose from 0 or below to above 0.
std::optional<double> risingCrossing(double prevOpening, double prevPiston, double opening,
                                     double piston);

}  // namespace quarn
