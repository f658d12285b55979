// The steam diagram's pressure model: at every 4-degree step the valve's openings decide
// whether each cylinder end is in exhaust, compression, admission or expansion, and a
// fixed formula moves that end's pressure. The state runs on from one position to the
// next; each position's first 60 steps let the cycle settle before it is drawn.
#include <algorithm>

#include "diagram_sweeps.h"
#include "solver.h"
#include "sweep.h"

namespace quarn {
namespace {

// Admission fills an end up to this pressure at most; exhaust empties it down to this.
constexpr double AdmissionCeiling = 303;
constexpr double ExhaustFloor = 5;
// An admitting port is never taken as narrower than this.
constexpr float SmallestAdmission = 0.005f;

// One end of the cylinder. The front end's volume grows with the piston position
// (0..640), the rear end's shrinks; the formulas differ only in that.
struct EndState {
    bool rear = false;
    float pressure = 0;
    float releasePressure = 0;
    char phase = '1';
    char labelState = '1';  // '1' number not yet written on this position's curve
    float prevSteamOpening = 0;
};

struct Openings {
    float& steam;  // admission may widen a nearly closed port, and keeps it so
    float exhaust;
};

void exhaustStep(EndState& e) {
    const double p = double(e.pressure) - double(e.releasePressure) / 15;
    e.pressure = static_cast<float>(std::max(p, ExhaustFloor));
}

// The divisors stay clear of zero while the piston keeps to its stroke (0..640); a
// main rod shorter than the crank takes it outside, and the values may then run off
// to infinity: the curve leaves the window, nothing worse.
void compressionStep(EndState& e, double prev, double pos) {
    const double ratio = e.rear ? (640 - prev) / (641 - pos) : prev / (pos + 1);
    const double r = ratio + 0.3;
    e.pressure = static_cast<float>(e.pressure + r * r * r * r);
}

void admissionStep(EndState& e, Openings& o, double pos) {
    if (o.steam < SmallestAdmission) o.steam = SmallestAdmission;
    const double gain = double(o.steam) * 100000 / (e.rear ? 685 - pos : pos + 45);
    e.pressure = static_cast<float>(std::min(e.pressure + gain, AdmissionCeiling));
}

void expansionStep(EndState& e, double prev, double pos) {
    const double p = e.rear ? (740 - prev) * e.pressure / (740 - pos)
                            : (prev + 100) * e.pressure / (pos + 100);
    e.pressure = static_cast<float>(p * 0.96);
}

void phaseStep(EndState& e, Openings o, double prev, double pos) {
    switch (e.phase) {
        case '1':
            if (o.exhaust > 0) {
                exhaustStep(e);
            } else {
                compressionStep(e, prev, pos);
                e.phase = '2';
            }
            break;
        case '2': {
            if (o.steam > 0) {
                admissionStep(e, o, pos);
                e.phase = '3';
            } else {
                compressionStep(e, prev, pos);
            }
            // The piston has turned and moves away from this end.
            const bool movesAway = e.rear ? prev > pos : prev < pos;
            if (movesAway) e.phase = '3';
            break;
        }
        case '3':
            if (o.steam > 0) {
                admissionStep(e, o, pos);
            } else {
                expansionStep(e, prev, pos);
                e.phase = '4';
            }
            if (e.labelState == '2') e.labelState = '1';
            break;
        default:  // '4'
            if (o.exhaust > 0) {
                e.releasePressure = e.pressure;
                exhaustStep(e);
                e.phase = '1';
            } else {
                expansionStep(e, prev, pos);
            }
            if (o.steam > 0) e.phase = '3';
            break;
    }
}

// Cut-off and label of one end within a drawn step. `prev` is the shared previous
// piston position: a cut-off moves it to the point where the port closed.
void finishEnd(EndState& e, float steamOpening, float startPressure, float& prev, float pos,
               SteamEnd& out) {
    out.from = prev;
    if (e.prevSteamOpening > 0 && steamOpening <= 0) {
        const double f = double(e.prevSteamOpening) / (double(e.prevSteamOpening) - steamOpening);
        out.cutOff = true;
        prev = static_cast<float>(prev + (double(pos) - prev) * f);
        e.pressure = static_cast<float>(e.pressure - f * (double(e.pressure) - startPressure));
    }
    out.cutAt = prev;
    if (e.phase == '4' && e.pressure > 150 && e.pressure < 250 && e.labelState == '1') {
        e.labelState = '2';
        out.label = true;
    }
}

}  // namespace

SteamSweep steamSweep(GearModel& m) {
    SweepGuard guard(m);
    SteamSweep sweep;
    EndState front, rear;
    rear.rear = true;
    rear.phase = '3';
    float prevPos = 0;
    float prevFrontPressure = 0, prevRearPressure = 0;
    int ordinal = 0;
    m.DriverAngle = 96;

    const int count = std::clamp(m.diagrams.RevArmPositionCount, 0, RevArmPositionSlots - 1);
    for (int k = 1; k <= count; ++k) {
        SteamPosition position;
        position.k = k;
        position.revArm = m.RevArmPositions[k];
        m.RevArmPosition = m.diagrams.LastDiagramRevArm = m.RevArmPositions[k];
        position.ordinal = ++ordinal;
        for (EndState* e : {&front, &rear})
            if (e->labelState == '2') e->labelState = '1';
        const bool forward = m.RevArmPosition >= m.RevArmCentre();
        position.steps.reserve(SteamStepsPerPosition);
        for (int n = 1; n <= SteamStepsPerPosition; ++n) {
            turnAndSolve(m, forward);
            const float pos = m.PistonPos640;
            phaseStep(front, {m.FrontSteamOpening, m.FrontExhaustOpening}, prevPos, pos);
            phaseStep(rear, {m.RearSteamOpening, m.RearExhaustOpening}, prevPos, pos);

            SteamStep step;
            step.n = n;
            step.angle = m.DriverAngle;
            step.pos = pos;
            step.front.startPressure = prevFrontPressure;
            step.rear.startPressure = prevRearPressure;
            step.drawn = prevFrontPressure != 0;
            if (step.drawn) {
                float prev = prevPos;
                finishEnd(front, m.FrontSteamOpening, prevFrontPressure, prev, pos, step.front);
                finishEnd(rear, m.RearSteamOpening, prevRearPressure, prev, pos, step.rear);
            }
            step.front.pressure = front.pressure;
            step.front.phase = front.phase;
            step.rear.pressure = rear.pressure;
            step.rear.phase = rear.phase;
            position.steps.push_back(step);

            prevPos = pos;
            prevFrontPressure = front.pressure;
            prevRearPressure = rear.pressure;
            front.prevSteamOpening = m.FrontSteamOpening;
            rear.prevSteamOpening = m.RearSteamOpening;
        }
        sweep.positions.push_back(std::move(position));
    }
    return sweep;
}

}  // namespace quarn
