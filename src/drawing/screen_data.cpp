// The main frame's text panel, drawn from the model in the order it always was.
#include "screen_data.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "frame_mapping.h"
#include "model/dyn_var_text.h"
#include "model/dyn_vars.h"
#include "model/number_text.h"
#include "model/rounding.h"
#include "model/screen_data.h"
#include "overlay_drawing.h"

namespace quarn {
namespace {

TextStyle inColor(Color c, bool bold = false) {
    TextStyle s;
    s.color = c;
    s.bold = bold;
    return s;
}

// Text at a base position of the small-font layout, moved by the text factors.
void put(Canvas& canvas, const GearModel& m, int x, int y, const std::string& text,
         const TextStyle& style = {}) {
    canvas.text(m.screen.text.x(x), m.screen.text.y(y), text, style);
}

void drawUndoLine(const GearModel& m, Canvas& canvas, FrameRequests& requests, bool shown) {
    if (!m.dyn.UndoShown) return;
    const UndoLinePlace at = undoLinePlace(m);
    if (shown) canvas.text(at.x, at.y, undoLineText(m), {});
    requests.undoButtonTop = at.buttonTop;
}

void drawBarCaptions(const GearModel& m, Canvas& canvas) {
    put(canvas, m, 199, 25, "Pan Vert");
    put(canvas, m, 199, 39, "Pan Horz");
    put(canvas, m, 199, 53, "Zoom");
}

void valueLine(const GearModel& m, Canvas& canvas, int x, int y, const char* label,
               const std::string& value) {
    put(canvas, m, x, y, label + value + "  ");
}

void drawValuePanel(const GearModel& m, Canvas& canvas) {
    // The valve's centre measured from the centre of its bore.
    const double valveCentre =
        double(m.PivotHorz[4]) + m.cyl.ValveCtrToJoint - m.cyl.CylCtrToDriverCtr;
    valueLine(m, canvas, 459, 25, "Rev Arm ", Str(m.RevArmPosition, 6, 3));
    valueLine(m, canvas, 459, 39, "Driv Ang ", Str(m.DriverAngle, 6, 2));
    valueLine(m, canvas, 459, 53, "Step Ang", Str(m.StepAngleSetting, 6, 2));
    // The small addition keeps a piston a hair behind its dead centre from reading -0.00.
    valueLine(m, canvas, 545, 25, "Piston % ", Str(m.PistonPos640 / 6.4 + 0.00001, 6, 2));
    valueLine(m, canvas, 545, 37, "ValveCen", Str(valveCentre, 7, 3));
    valueLine(m, canvas, 545, 49, "ValveFSt", Str(m.FrontSteamOpening, 7, 3));
    valueLine(m, canvas, 545, 61, "ValveFEx", Str(m.FrontExhaustOpening, 7, 3));
    valueLine(m, canvas, 545, 73, "ValveRSt", Str(m.RearSteamOpening, 7, 3));
    valueLine(m, canvas, 545, 85, "ValveREx", Str(m.RearExhaustOpening, 7, 3));
    valueLine(m, canvas, 545, 97, "ConRodA",
              Str(m.GearConRodAngle * 180.0 / std::numbers::pi, 7, 2));
}

double distance(const GearModel& m, int a, int b) {
    const double dv = double(m.PivotVert[a]) - m.PivotVert[b];
    const double dh = double(m.PivotHorz[a]) - m.PivotHorz[b];
    return std::sqrt(dv * dv + dh * dh);
}

void drawPivotData(const GearModel& m, Canvas& canvas) {
    if (!m.screen.PivotDataOn) return;
    const TextStyle red = inColor(colors::Red);
    put(canvas, m, 1, 128, "    Pivot Data");
    put(canvas, m, 1, 138, "No.  Vert     Horz");
    for (int k = 1; k <= PivotDataRows; ++k) {
        const int y = 140 + 10 * k;
        const std::string number = std::to_string(k);
        put(canvas, m, 3, y, number, red);
        const std::optional<int> p = pivotDataRowPivot(m, k);
        if (!p) continue;
        put(canvas, m, 12, y, Str(m.PivotVert[*p], 7, 3));
        put(canvas, m, 50, y, Str(m.PivotHorz[*p], 7, 3));
        // Beside the pivot on the drawing, where the text factors do not apply.
        const double sx = double(m.PivotHorz[*p]) * m.view.ViewScale + m.view.ViewOffsetX + 4;
        const double sy = -double(m.PivotVert[*p]) * m.view.ViewScale + m.view.ViewOffsetY - 12;
        canvas.text(roundToScreen(sx), roundToScreen(sy), number, red);
    }
    for (int k = 1; k < PivotDataRows; ++k) {
        const std::optional<int> a = pivotDataRowPivot(m, k);
        const std::optional<int> b = pivotDataRowPivot(m, k + 1);
        if (a && b) put(canvas, m, 90, 145 + 10 * k, Str(distance(m, *a, *b), 7, 3));
    }
}

void drawPickPrompts(const GearModel& m, Canvas& canvas) {
    if (!m.screen.PickPending) return;
    const int choice = m.overlay.ReferenceChoice;
    const TextStyle style = inColor(colors::Red, true);
    if (choice >= 0 && choice <= 2) {
        put(canvas, m, 10, 130, "STOP MOTION AND SELECT PIVOT 1", style);
        put(canvas, m, 10, 143, "USE LEFT MOUSE BUTTON", style);
        put(canvas, m, 10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOT", style);
    } else if (choice == 3) {
        put(canvas, m, 10, 130, "STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2", style);
        put(canvas, m, 10, 143, "USE LEFT MOUSE BUTTON FIRST THEN RIGHT", style);
        put(canvas, m, 10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS", style);
    }
}

void drawCutOff(GearModel& m, Canvas& canvas) {
    const CutOffReadout r = advanceCutOff(m);
    if (!r.shown) return;
    put(canvas, m, 545, 109, "FrontCO% ");
    if (r.front) put(canvas, m, 600, 109, *r.front);
    put(canvas, m, 545, 121, "RearCO% ");
    if (r.rear) put(canvas, m, 600, 121, *r.rear);
}

void drawReferencePoint(const GearModel& m, Canvas& canvas, int pivot, int readoutY,
                        const std::string& name) {
    const int x = screenX(m, m.PivotHorz[pivot]);
    const int y = screenY(m, m.PivotVert[pivot]);
    canvas.line(x, y - 10, x, y + 10);
    canvas.line(x - 10, y, x + 10, y);
    put(canvas, m, 143, readoutY, "Pt" + name + "V " + Str(m.PivotVert[pivot], 6, 3));
    put(canvas, m, 143, readoutY + 12, "Pt" + name + "H " + Str(m.PivotHorz[pivot], 6, 3));
    canvas.text(x + 3, y - 17, name, {});
}

void drawReferencePoints(const GearModel& m, Canvas& canvas) {
    if (!m.screen.RefPointsOn) return;
    // The crosses take the pen the last overlay item leaves.
    canvas.setPenColor(overlayPenColor(m, OverlayItemCount));
    drawReferencePoint(m, canvas, 20, 95, "2");
    drawReferencePoint(m, canvas, 19, 71, "1");
    const double dv = double(m.PivotVert[19]) - m.PivotVert[20];
    const double dh = double(m.PivotHorz[19]) - m.PivotHorz[20];
    put(canvas, m, 210, 71, Str(dv, 6, 3));
    put(canvas, m, 210, 83, Str(dh, 6, 3));
    put(canvas, m, 207, 95, "Pt1-Pt2");
    put(canvas, m, 209, 107, Str(std::sqrt(dv * dv + dh * dh), 6, 3));
}

void drawDynVars(const GearModel& m, Canvas& canvas, FrameRequests& requests) {
    if (!m.dyn.DynVarsShown) return;
    const DynVarPanelText panel = dynVarPanelText(m);
    const TextStyle style = panel.banner ? inColor(colors::Red) : TextStyle{};
    for (int i = 0; i < panel.rowCount; ++i) {
        const DynVarPanelRow& row = panel.rows[std::size_t(i)];
        put(canvas, m, 377, 71 + row.rowOffset, row.name, style);
        if (!row.value.empty()) put(canvas, m, 498, 71 + row.rowOffset, row.value, style);
    }
    std::array<bool, 5> enabled{};
    for (int k = 1; k <= DynVarSlotCount; ++k) enabled[std::size_t(k)] = dynVarSlotInUse(m, k);
    requests.dynVarBarsEnabled = enabled;
}

}  // namespace

UndoLinePlace undoLinePlace(const GearModel& m) {
    const TextScale& t = m.screen.text;
    if (m.dyn.DynVarsShown) return {t.x(320), t.x(128), t.x(127)};
    return {t.x(320), t.x(73), t.x(72)};
}

void drawScreenDataBeforeErrorFlash(const GearModel& m, Canvas& canvas,
                                    FrameRequests& requests, bool windowNotes) {
    drawUndoLine(m, canvas, requests, windowNotes);
    if (windowNotes) drawBarCaptions(m, canvas);
    drawValuePanel(m, canvas);
}

void drawScreenDataAfterErrorFlash(GearModel& m, Canvas& canvas, FrameRequests& requests) {
    drawPivotData(m, canvas);
    drawPickPrompts(m, canvas);
    drawCutOff(m, canvas);
    drawReferencePoints(m, canvas);
    drawDynVars(m, canvas, requests);
}

}  // namespace quarn
