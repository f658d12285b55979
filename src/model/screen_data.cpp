// The live cut-off read-out and the pivot data rows.
#include "screen_data.h"

#include "number_text.h"
#include "rounding.h"

namespace quarn {
namespace {

std::string cutOffText(double percent) {
    std::string t = Str(percent, 4, 1);
    if (t.size() > CutOffTextLength) t.resize(CutOffTextLength);
    return t;
}

// True when the port was open to steam last frame and is covered now. A port that
// only reaches 0 has not closed yet.
bool justClosed(float prevOpening, float opening) { return prevOpening > 0 && opening < 0; }

std::optional<std::string> countDown(int& frames, const std::string& text) {
    if (frames <= 0) return std::nullopt;
    --frames;
    return text;
}

}  // namespace

int cutOffFrames(float stepAngle) { return roundHalfEven(400.0 / (double(stepAngle) + 0.1)); }

float closingPistonPos(float prevPiston, float prevOpening, float piston, float opening) {
    // The openings differ in sign, so the divisor is never 0.
    return static_cast<float>(double(prevPiston) - double(prevOpening) *
                                                       (double(piston) - prevPiston) /
                                                       (double(opening) - prevOpening));
}

CutOffReadout advanceCutOff(GearModel& m) {
    ScreenDataState& s = m.screen;
    if (justClosed(s.PrevFrontSteamOpening, m.FrontSteamOpening)) {
        s.FrontCutOffFrames = cutOffFrames(m.StepAngle);
        s.PrevPistonPos = closingPistonPos(s.PrevPistonPos, s.PrevFrontSteamOpening,
                                           m.PistonPos640, m.FrontSteamOpening);
        s.FrontCutOffText = cutOffText(s.PrevPistonPos / 6.4);
    }
    // From the front's closing point when both ports closed in this frame.
    if (justClosed(s.PrevRearSteamOpening, m.RearSteamOpening)) {
        s.RearCutOffFrames = cutOffFrames(m.StepAngle);
        const float p = closingPistonPos(s.PrevPistonPos, s.PrevRearSteamOpening,
                                         m.PistonPos640, m.RearSteamOpening);
        s.RearCutOffText = cutOffText((640.0 - p) / 6.4);
    }
    CutOffReadout out;
    out.shown = m.StepAngle != 0 && m.StepAngle < CutOffMaxStepAngle;
    if (out.shown) {
        out.front = countDown(s.FrontCutOffFrames, s.FrontCutOffText);
        out.rear = countDown(s.RearCutOffFrames, s.RearCutOffText);
    }
    s.PrevPistonPos = m.PistonPos640;
    s.PrevFrontSteamOpening = m.FrontSteamOpening;
    s.PrevRearSteamOpening = m.RearSteamOpening;
    return out;
}

std::optional<int> pivotDataRowPivot(const GearModel& m, int k) {
    if (k < 1 || k > PivotDataRows || m.screen.PivotDataRowSet[k] != 1) return std::nullopt;
    const int p = roundHalfEven(m.screen.PivotDataRowPivot[k], 1000);
    if (p < 0 || p >= PivotCount) return std::nullopt;
    return p;
}

}  // namespace quarn

namespace quarn {

void setScreenDataOn(GearModel& m, bool on) {
    m.screen.ScreenDataOn = on ? 1 : 0;
    if (on) return;
    m.dyn.DynVarsShown = 0;
    m.screen.RefPointsOn = 0;
    m.dyn.UndoShown = 0;
    m.screen.PivotDataOn = 0;
}

bool togglePivotData(GearModel& m) {
    if (m.screen.PivotDataOn) {
        m.screen.PivotDataOn = 0;
        return false;
    }
    m.screen.PivotDataOn = 1;
    return !m.screen.RefPointsOn;
}

}  // namespace quarn
