// One revolution of the driver, solved finely, read end by end from its dead centre:
// each port's closing and opening interpolated to a piston position.
#include "event_report.h"

#include <algorithm>
#include <cmath>

#include "mid_gear.h"
#include "precise_solver.h"
#include "root_finder.h"
#include "solver.h"
#include "sweep.h"
#include "valve_events.h"

namespace quarn {
namespace {

struct Step {
    double fso, feo, rso, reo, piston;
};

enum class Crossing { Closing, Rising };

// The events of one end, walking the whole circle once from its dead centre. Each event
// is looked for only after the one before it, so a port that never closes leaves the
// events after it empty too. `at(kind, steam, a, b)` says where the end's steam (or
// exhaust) opening crossed zero that way between steps a and b, as a piston position.
template <class At>
CylinderEndEvents readEnd(const std::vector<Step>& steps, int deadCentre, bool front, At at) {
    CylinderEndEvents e;
    const auto steamOf = [front](const Step& s) { return front ? s.fso : s.rso; };
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
        const int a = (deadCentre + k - 1) % n, b = (deadCentre + k) % n;
        std::optional<double> piston;
        switch (phase) {
            case 0:
                if ((piston = at(Crossing::Closing, true, a, b))) e.cutOff = working(*piston);
                break;
            case 1:
                if ((piston = at(Crossing::Rising, false, a, b))) e.release = working(*piston);
                break;
            case 2:
                if ((piston = at(Crossing::Closing, false, a, b))) e.compression = returning(*piston);
                break;
            case 3:
                if ((piston = at(Crossing::Rising, true, a, b))) e.preAdmission = returning(*piston);
                break;
        }
        if (piston) ++phase;
    }
    return e;
}

// The classic reading: the crossing interpolated linearly between the two steps.
CylinderEndEvents readEndBetweenSteps(const std::vector<Step>& steps, int deadCentre, bool front) {
    return readEnd(steps, deadCentre, front, [&](Crossing kind, bool steam, int a, int b) {
        const auto opening = [&](const Step& s) { return steam ? (front ? s.fso : s.rso) : (front ? s.feo : s.reo); };
        const Step &sa = steps[a], &sb = steps[b];
        return kind == Crossing::Closing ? closingCrossing(opening(sa), sa.piston, opening(sb), sb.piston)
                                         : risingCrossing(opening(sa), sa.piston, opening(sb), sb.piston);
    });
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

const char* solverName(SolverKind solver) {
    switch (solver) {
        case SolverKind::Classic: return "classic";
        case SolverKind::Precise: return "precise";
    }
    return "classic";
}

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
    out.front = readEndBetweenSteps(steps, 0, true);
    out.rear = readEndBetweenSteps(steps, half, false);
    out.geometryError = !finite || m.GeometryError != 0;
    return out;
}

GearSettingEvents preciseEvents(const GearModel& m, double revArm) {
    GearSettingEvents out;
    out.revArm = static_cast<float>(revArm);
    out.backwards = revArm < m.RevArmCentre();
    const PreciseLinkage gear(m, revArm);
    // Driver angles run on past 360 (or below 0) rather than wrapping, so that a crossing
    // between the last step and the first is narrowed like any other.
    const double dir = out.backwards ? -1.0 : 1.0;
    const auto angleOf = [dir](double sweep) { return dir * sweep; };
    std::vector<Step> steps(EventSweepSteps);
    for (int i = 0; i < EventSweepSteps; ++i) {
        const PreciseGear g = gear.solve(angleOf(i * EventSweepStep));
        if (!g.possible()) {
            out.geometryError = true;
            return out;
        }
        steps[i] = {g.frontSteam, g.frontExhaust, g.rearSteam, g.rearExhaust, g.piston640};
    }
    const auto openingAt = [&](bool front, bool steam, double sweep) {
        const PreciseGear g = gear.solve(angleOf(sweep));
        if (!g.possible()) return std::nan("");
        return steam ? (front ? g.frontSteam : g.rearSteam) : (front ? g.frontExhaust : g.rearExhaust);
    };
    const auto exactly = [&](bool front) {
        return [&, front](Crossing kind, bool steam, int a, int b) -> std::optional<double> {
            const auto opening = [&](const Step& s) { return steam ? (front ? s.fso : s.rso) : (front ? s.feo : s.reo); };
            const double oa = opening(steps[a]), ob = opening(steps[b]);
            const bool crossed = kind == Crossing::Closing ? (oa > 0 && ob <= 0) : (oa <= 0 && ob > 0);
            if (!crossed) return std::nullopt;
            const double from = a * EventSweepStep, to = (a + 1) * EventSweepStep;
            const auto at = brentRoot([&](double t) { return openingAt(front, steam, t); }, from, to, oa, ob,
                                      EventAngleTolerance);
            return gear.piston640(angleOf(at ? *at : from + (to - from) * oa / (oa - ob)));
        };
    };
    constexpr int half = EventSweepSteps / 2;
    out.front = readEnd(steps, 0, true, exactly(true));
    out.rear = readEnd(steps, half, false, exactly(false));
    // The lead at exactly the dead centre, the largest opening where it truly peaks.
    for (bool front : {true, false}) {
        CylinderEndEvents& end = front ? out.front : out.rear;
        end.lead = static_cast<float>(openingAt(front, true, front ? 0.0 : 180.0));
        int top = 0;
        for (int i = 1; i < EventSweepSteps; ++i)
            if ((front ? steps[i].fso : steps[i].rso) > (front ? steps[top].fso : steps[top].rso)) top = i;
        const double around = top * EventSweepStep;
        end.maxOpening = static_cast<float>(
            goldenMaximum([&](double t) { return openingAt(front, true, t); }, around - EventSweepStep,
                          around + EventSweepStep, EventAngleTolerance)
                .second);
    }
    return out;
}

GearSettingEvents settingEvents(const GearModel& m, double revArm, SolverKind solver, bool stopAtError) {
    if (solver == SolverKind::Precise) return preciseEvents(m, revArm);
    GearModel copy = m;
    return sweepEvents(copy, static_cast<float>(revArm), stopAtError);
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
                                                const WorkControl& control, SolverKind solver) {
    std::vector<GearSettingEvents> out(settings.size());
    runParallel(static_cast<int>(settings.size()), control,
                [&](int i) { out[i] = settingEvents(m, settings[i], solver); });
    return out;
}

}  // namespace quarn
