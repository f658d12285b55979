// The parts the four diagrams share.
#include "diagram_parts.h"

#include <algorithm>

#include "model/dyn_var_text.h"
#include "model/dyn_vars.h"
#include "model/number_text.h"
#include "model/rounding.h"

namespace quarn::diagram {
namespace {

// Pixels of the travel axis per unit of TravelScale.
constexpr double TravelPixels = 375;
constexpr int ZeroLineY = 215;
// Beyond this many main ticks either side of the zero line the ticks of a huge scale
// pile up on the zero line anyway; the bound keeps a design file's stray scale from
// drawing for ever.
constexpr int MaxMainTicks = 2500;

}  // namespace

int px(double v) { return roundHalfEven(v); }

TextStyle style(Color c, bool bold) {
    TextStyle s;
    s.pointSize = 8;
    s.color = c;
    s.bold = bold;
    s.opaque = true;
    s.background = colors::White;
    return s;
}

void put(Canvas& canvas, int x, int y, const std::string& s, const TextStyle& st) {
    canvas.text(x, y, s, st);
}

void drawPositionListHeader(const GearModel& m, Canvas& canvas) {
    const TextScale& t = m.screen.text;
    put(canvas, t.x(500), 0, "Reverse Arm Positions");
    put(canvas, t.x(520), 13, "Center");
    put(canvas, t.x(580), 13, Str(m.RevArmCentre(), 6, 3));
}

void drawPositionRow(const GearModel& m, Canvas& canvas, int k, float revArm) {
    const TextScale& t = m.screen.text;
    const int y = px(k * double(t.TextScaleY) * 12) + 12;
    put(canvas, t.x(545), y, Str(k, 5));
    put(canvas, t.x(580), y, Str(revArm, 6, 3));
    const float centre = m.RevArmCentre();
    put(canvas, t.x(533), y, revArm > centre ? "Fwd" : revArm < centre ? "Rev" : "Cen");
}

double frontTravelY(const GearModel& m, double v) {
    return ZeroLineY - v * TravelPixels / m.diagrams.TravelScale;
}

double rearTravelY(const GearModel& m, double v) {
    return ZeroLineY + v * TravelPixels / m.diagrams.TravelScale;
}

void drawPercentGrid(Canvas& canvas) {
    canvas.setPenColor(colors::Black);
    for (int i = 1; i <= 9; ++i) {
        for (int j = 2; j <= 20; ++j) canvas.line(27 * j + 17, 32 * i + 52, 27 * j + 17, 32 * i + 58);
        for (int k = 2; k <= 10; ++k) canvas.line(54 * k - 10, 32 * i + 50, 54 * k - 10, 32 * i + 60);
    }
}

void drawPercentLabels(Canvas& canvas, int labelY, int captionY) {
    const int xs[] = {45, 91, 145, 199, 253, 307, 361, 415, 469, 523};
    for (int p = 0; p < 10; ++p) put(canvas, xs[p], labelY, std::to_string(100 - 10 * p));
    put(canvas, 577, 348, "0");
    put(canvas, 186, captionY, "Percent Piston Travel");
    put(canvas, 386, captionY, "Forward End --->");
}

void drawTravelMargin(const GearModel& m, Canvas& canvas) {
    put(canvas, 9, 18, "Scale =");
    put(canvas, 50, 18, Str(m.diagrams.TravelScale, 3, 1));
    put(canvas, 9, 32, "Units Travel");
    put(canvas, 9, 46, "Front");
    put(canvas, 9, 374, "Rear");
}

void drawTravelTicks(const GearModel& m, Canvas& canvas, int labelX) {
    const double s = m.diagrams.TravelScale;
    const int g = std::clamp(roundHalfEven(s * 4), -MaxMainTicks, MaxMainTicks);
    // A coarse scale keeps every fifth tick: fine ticks every 0.1, main ticks every 0.5.
    const bool coarse = s > 3.75;
    canvas.setPenColor(colors::Black);
    for (int h = -5 * g; h <= 5 * g; ++h) {
        if (coarse && h % 5 != 0) continue;
        const int y = px(h * 7.5 / s + ZeroLineY);
        canvas.line(39, y, 44, y);
    }
    for (int l = -g; l <= g; ++l) {
        if (coarse && l % 5 != 0) continue;
        const int y = px(l * 37.5 / s + ZeroLineY);
        canvas.line(36, y, 44, y);
        put(canvas, labelX, px(210 - l * 37.5 / s), Str(l * 0.1, 1, 1));
    }
}

void drawPortEdgeLines(const GearModel& m, Canvas& canvas, const PortEdges& e,
                       const PortEdgeLabels& at) {
    const double s = m.diagrams.TravelScale;
    auto k = [s](float v) { return v * TravelPixels / s; };
    canvas.setPenColor(colors::Lime);
    for (float v : {e.SteamLapFront, e.SteamLapPortFront, e.ExClFront}) {
        const int y = px(frontTravelY(m, v));
        canvas.line(at.lineLeft, y, at.lineRight, y);
    }
    put(canvas, at.steamOpenX, px(at.steamOpenY - k(e.SteamLapFront)), "Front Steam Port Open");
    put(canvas, at.steamMaxX, px(at.steamMaxY - k(e.SteamLapPortFront)), "Front Steam Port Max");
    put(canvas, at.exhaustX, px(at.exhaustY - k(e.ExClFront)), "Front Exhaust Port Open");
    canvas.setPenColor(colors::Red);
    for (float v : {e.SteamLapRear, e.SteamLapPortRear, e.ExClRear}) {
        const int y = px(rearTravelY(m, v));
        canvas.line(at.lineLeft, y, at.lineRight, y);
    }
    put(canvas, at.rearSteamOpenX, px(at.rearSteamOpenY + k(e.SteamLapRear)),
        "Rear Steam Port Open");
    put(canvas, at.rearSteamMaxX, px(at.rearSteamMaxY + k(e.SteamLapPortRear)),
        "Rear Steam Port Max");
    put(canvas, at.rearExhaustX, px(at.rearExhaustY + k(e.ExClRear)), "Rear Exhaust Port Open");
    canvas.setPenColor(colors::Black);
}

void drawMidGearColumn(Canvas& canvas, const MidGearFigures& f) {
    put(canvas, 595, 153, "Lead");
    put(canvas, 595, 182, "Lap");
    put(canvas, 595, 211, "ExCl");
    put(canvas, 595, 253, "Lap");
    put(canvas, 595, 282, "Lead");
    put(canvas, 592, 166, Str(f.frontLead, 6, 3));
    put(canvas, 592, 195, Str(f.frontLap, 6, 3));
    put(canvas, 592, 224, Str(f.frontExhaustClearance, 6, 3));
    put(canvas, 592, 237, Str(f.rearExhaustClearance, 6, 3));
    put(canvas, 592, 266, Str(f.rearLap, 6, 3));
    put(canvas, 592, 295, Str(f.rearLead, 6, 3));
}

DiagramRequests drawDiagramEnd(GearModel& m, Canvas& canvas) {
    DiagramRequests requests;
    const TextScale& t = m.screen.text;
    if (m.dyn.DynVarsShown) {
        requests.barsVisible = true;
        const DynVarPanelText panel = dynVarPanelText(m);
        if (!panel.banner) {
            const int rows[] = {2, t.y(14), t.y(26), t.y(38)};
            for (int k = 0; k < panel.rowCount; ++k) {
                put(canvas, t.x(235), rows[k], panel.rows[k].name);
                put(canvas, t.x(363), rows[k], panel.rows[k].value);
            }
        } else {
            const TextStyle red = style(colors::Red);
            put(canvas, t.x(235), 2, std::string(DynVarBannerStars), red);
            put(canvas, t.x(235), t.y(12), std::string(DynVarBannerText), red);
            put(canvas, t.x(235), t.y(26), std::string(DynVarBannerStars), red);
        }
        for (int k = 1; k <= DynVarSlotCount; ++k) requests.barsEnabled[k] = dynVarSlotInUse(m, k);
    }
    if (m.dyn.UndoShown) {
        // The line composed by the previous drawing first, then this drawing's own:
        // the trailing blanks wipe a longer line that stood there.
        put(canvas, t.x(150), t.y(55), m.diagrams.UndoLine);
        requests.undoButtonVisible = true;
        m.diagrams.UndoLine = undoLineText(m) + std::string(46, ' ');
        if (m.dyn.DynVarsShown) put(canvas, t.x(150), t.y(55), m.diagrams.UndoLine);
    }
    return requests;
}

}  // namespace quarn::diagram
