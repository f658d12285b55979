// One revolution of the driver, solved finely, read end by end from its dead centre:
// each port's closing and opening interpolated to a piston position.
#include "event_report.h"

#include <algorithm>
#include <cmath>

#include "mid_gear.h"
#include "solver.h"
#include "sweep.h"
#include "valve_events.h"

namespace quarn {
namespace {

struct Step {
    double fso, feo, rso, reo, piston;
};

// The events of one end, walking the whole circle once from its dead centre. Each event
// is looked for only after the one before it, so a port that never closes leaves the
// events after it empty too.
CylinderEndEvents readEnd(const std::vector<Step>& steps, int deadCentre, bool front) {
    CylinderEndEvents e;
    const auto steamOf = [front](const Step& s) { return front ? s.fso : s.rso; };
    const auto exhaustOf = [front](const Step& s) { return front ? s.feo : s.reo; };
    // Percent of this end's working stroke, and of its return stroke.
    const auto working = [front](double p) { return front ? frontStrokePercent(p) : rearStrokePercent(p); };
    const auto returning = [front](double p) { return front ? rearStrokePercent(p) : frontStrokePercent(p); };

    e.lead = static_cast<float>(steamOf(steps[deadCentre]));
    double most = steamOf(steps[0]);
    for (const Step& s : steps) most = std::max(most, steamOf(s));
    e.maxOpening = static_cast<float>(most);

    const int n = static_cast<int>(steps.size());
    int phase = 0;  // looking for: 0 cut-off, 1 release, 2 compression, 3 pre-admission
    for (int k = 1; k <= n && phase < 4; ++k) {
        const Step& a = steps[(deadCentre + k - 1) % n];
        const Step& b = steps[(deadCentre + k) % n];
        std::optional<double> at;
        switch (phase) {
            case 0:
                if ((at = closingCrossing(steamOf(a), a.piston, steamOf(b), b.piston))) e.cutOff = working(*at);
                break;
            case 1:
                if ((at = risingCrossing(exhaustOf(a), a.piston, exhaustOf(b), b.piston))) e.release = working(*at);
                break;
            case 2:
                if ((at = closingCrossing(exhaustOf(a), a.piston, exhaustOf(b), b.piston)))
                    e.compression = returning(*at);
                break;
            case 3:
                if ((at = risingCrossing(steamOf(a), a.piston, steamOf(b), b.piston)))
                    e.preAdmission = returning(*at);
                break;
        }
        if (at) ++phase;
    }
    return e;
}

// Sets the error-beep switch for the length of a sweep: a design tool must see an
// impossible gear even when the user has silenced the beep.
class ErrorReportingOn {
public:
    explicit ErrorReportingOn(GearModel& m) : m(m), was(m.ErrorBeepOn) { m.ErrorBeepOn = 1; }
    ~ErrorReportingOn() { m.ErrorBeepOn = was; }
    ErrorReportingOn(const ErrorReportingOn&) = delete;
    ErrorReportingOn& operator=(const ErrorReportingOn&) = delete;

private:
    GearModel& m;
    std::uint8_t was;
};

}  // namespace

GearSettingEvents sweepEvents(GearModel& m, float revArm, bool stopAtError) {
    const SweepGuard guard(m, SweepGuard::Error::Restore);
    const ErrorReportingOn reporting(m);
    GearSettingEvents out;
    out.revArm = revArm;
    out.backwards = revArm < m.RevArmCentre();
    m.GeometryError = 0;

    // The first solve of a setting primes the searches, as the window's first tick does.
    SolveAt(m, revArm, 0.0f);
    const double dir = out.backwards ? -1.0 : 1.0;
    std::vector<Step> steps(EventSweepSteps);
    bool finite = true;
    constexpr int half = EventSweepSteps / 2;
    for (int i = 0; i < EventSweepSteps; ++i) {
        const double angle = std::fmod(360.0 + dir * i * EventSweepStep, 360.0);
        SolveAt(m, revArm, static_cast<float>(angle));
        steps[i] = {m.FrontSteamOpening, m.FrontExhaustOpening, m.RearSteamOpening,
                    m.RearExhaustOpening, m.PistonPos640};
        // Not-a-number openings come from dimensions no guard can catch (a NaN never
        // compares); such a gear must not be called possible.
        const Step& s = steps[i];
        finite = finite && std::isfinite(s.fso + s.feo + s.rso + s.reo + s.piston);
        if (stopAtError && (!finite || m.GeometryError)) {
            out.geometryError = true;
            return out;
        }
    }

    // Front dead centre at angle 0, rear at 180: half a revolution into the sweep in
    // either direction.
    out.front = readEnd(steps, 0, true);
    out.rear = readEnd(steps, half, false);
    out.geometryError = !finite || m.GeometryError != 0;
    return out;
}

std::vector<float> eventTableSettings(const GearModel& m, int steps) {
    const RevArmRange r = revArmRange(m);
    std::vector<float> settings;
    if (steps <= 0) return {r.centre};
    const double centre = r.centre, reach = m.frame.RevArmToCentMax;
    for (int k = -steps; k <= steps; ++k)
        settings.push_back(static_cast<float>(centre + reach * k / steps));
    return settings;
}

std::vector<GearSettingEvents> sweepEventsRange(const GearModel& m, const std::vector<float>& settings,
                                                const WorkControl& control) {
    std::vector<GearSettingEvents> out(settings.size());
    runParallel(static_cast<int>(settings.size()), control, [&](int i) {
        GearModel copy = m;
        out[i] = sweepEvents(copy, settings[i]);
    });
    return out;
}

}  // namespace quarn
