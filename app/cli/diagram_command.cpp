// diagram: the four diagrams without a window, as their numbers (the same sweep data the
// drawing draws), the figures they write, a picture file or the list of primitives.
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "canvas/primitive_text.h"
#include "canvas/recording_canvas.h"
#include "command_line.h"
#include "commands.h"
#include "drawing/diagrams/diagrams.h"
#include "model/diagram_positions.h"
#include "model/diagram_sweeps.h"
#include "model/solver.h"
#include "options.h"

namespace quarn::cli {

const char diagramUsage[] =
    "quarngear-cli diagram sine|oval|steam|ports [--file PATH] [--set NAME=VALUE]... [--erie]\n"
    "                    [--positions A,B,...] [--travel-scale S] [--mode fwd|rev|both]\n"
    "                    (--csv | --figures | --out FILE.png|.svg|.pdf [--scale N] [--title]\n"
    "                    | --list)\n"
    "  Runs a diagram window's drawing with no display needed: sine (valve travel\n"
    "  against driver angle), oval (valve travel against piston travel), steam (the\n"
    "  simulated cylinder pressures with their cut-offs) or ports (where each port\n"
    "  opens and closes, from mid gear to full gear).\n"
    "  --positions A,B,...  the reverse-arm positions 1 to 9 of the sine, oval and\n"
    "              steam diagrams, as typed into the position dialog (kept within the\n"
    "              reverse arm's range; the list ends at its first 0). Default: mid\n"
    "              gear, normal forward and normal reverse.\n"
    "  --travel-scale S  the travel spanned by the sine and oval diagrams' 375 pixels\n"
    "              (default 1.5, at least 0.1).\n"
    "  --mode M    ports only: the forward graph (fwd, default), the reverse one (rev)\n"
    "              or both, the reverse drawn over the forward.\n"
    "  --csv       one row per solve of the sweep (one per step and position; ports:\n"
    "              one per event found), numbers with six decimals, the angle with four:\n"
    "                sine   position,revarm,step,angle,valve_disp,joint_h\n"
    "                oval   position,revarm,step,angle,piston_u,valve_disp,joint_h\n"
    "                steam  position,revarm,step,angle,piston640,front_pressure,\n"
    "                       rear_pressure,front_phase,rear_phase\n"
    "                ports  mode,position,revarm,step,event,piston640\n"
    "  --figures   the figures the diagram writes as text, position,revarm,name,value:\n"
    "              the mid-gear column of the sine and oval diagrams (front_lead,\n"
    "              front_lap, front_exhaust_clearance, rear_exhaust_clearance, rear_lap,\n"
    "              rear_lead) and the steam diagram's last cut-off of each end of each\n"
    "              position (front_cutoff, rear_cutoff, in percent).\n"
    "  --out FILE  writes the picture at the window's size (632 x 414, oval 632 x 426)\n"
    "              in the format the name ends in; --scale N and --title as for\n"
    "              render frame (a PNG N times as large, a title block).\n"
    "  --list      prints the picture's primitives as render --list does.\n";

namespace {

enum class Kind { Sine, Oval, Steam, Ports };
enum class Output { Csv, Figures, Out, List };

struct DiagramRequest {
    Kind kind = Kind::Sine;
    std::optional<std::vector<float>> positions;
    std::optional<float> travelScale;
    std::optional<char> mode;  // 'F', 'R' or 'B'
    std::optional<Output> output;
    std::string out;
    PictureOptions picture;
};

Kind parseKind(const Args& args) {
    if (args.empty()) throw UsageError{"needs the diagram: sine, oval, steam or ports"};
    const std::string& name = args[0];
    if (name == "sine") return Kind::Sine;
    if (name == "oval") return Kind::Oval;
    if (name == "steam") return Kind::Steam;
    if (name == "ports") return Kind::Ports;
    throw UsageError{"draws sine, oval, steam or ports, not '" + name + "'"};
}

std::vector<float> parsePositions(const std::string& text) {
    std::vector<float> values;
    for (const std::string& item :
         listItems(text, "--positions", RevArmPositionSlots - 1, "positions")) {
        const auto value = parseNumber(item);
        if (!value)
            throw UsageError{"--positions takes numbers parted by commas, not '" + text + "'"};
        values.push_back(static_cast<float>(*value));
    }
    return values;
}

// The options of the diagram itself, as typed.
struct DiagramTexts {
    bool csv = false, figures = false, list = false;
    std::optional<std::string> out, positions, travelScale, mode;
    PictureTexts picture;
};

void declareDiagramOptions(CommandLine& line, DiagramTexts& t) {
    line.flag("--csv", t.csv);
    line.flag("--figures", t.figures);
    line.flag("--list", t.list);
    line.value("--out", t.out);
    line.value("--positions", t.positions);
    line.value("--travel-scale", t.travelScale);
    line.value("--mode", t.mode);
    declarePictureOptions(line, t.picture);
}

std::optional<Output> chosenOutput(const DiagramTexts& t) {
    const int chosen = int(t.csv) + int(t.figures) + int(t.list) + int(t.out.has_value());
    if (chosen > 1) throw UsageError{"takes one of --csv, --figures, --out FILE and --list"};
    if (t.csv) return Output::Csv;
    if (t.figures) return Output::Figures;
    if (t.list) return Output::List;
    if (t.out) return Output::Out;
    return std::nullopt;
}

// Each option the diagram does not draw from is refused, so that a line that asks for
// something the diagram cannot show never looks as if it had been taken.
void refuseUnused(Kind kind, const DiagramTexts& t) {
    if (t.mode && kind != Kind::Ports)
        throw UsageError{"--mode chooses the graph of the ports diagram only"};
    if (t.positions && kind == Kind::Ports)
        throw UsageError{"--positions does not apply to the ports diagram, which sweeps its own "
                         "19 settings from mid gear to full gear"};
    if (t.travelScale && (kind == Kind::Steam || kind == Kind::Ports))
        throw UsageError{std::string("--travel-scale does not apply to the ") +
                         (kind == Kind::Steam ? "steam" : "ports") +
                         " diagram: it scales the valve travel of the sine and oval diagrams"};
}

DiagramRequest readRequest(Kind kind, const DiagramTexts& t) {
    refuseUnused(kind, t);
    DiagramRequest r;
    r.kind = kind;
    r.output = chosenOutput(t);
    if (!r.output) throw UsageError{"needs --csv, --figures, --out FILE or --list"};
    r.out = t.out.value_or("");
    r.picture = readPictureOptions(t.picture, t.out, "");
    if (t.positions) r.positions = parsePositions(*t.positions);
    if (t.travelScale) {
        const auto value = parseNumber(*t.travelScale);
        if (!value) throw UsageError{"--travel-scale takes a number, not '" + *t.travelScale + "'"};
        r.travelScale = static_cast<float>(*value);
    }
    if (t.mode) {
        if (*t.mode == "fwd") r.mode = 'F';
        else if (*t.mode == "rev") r.mode = 'R';
        else if (*t.mode == "both") r.mode = 'B';
        else throw UsageError{"--mode takes fwd, rev or both, not '" + *t.mode + "'"};
    }
    return r;
}

// The positions as the dialog stores them when each field is left, then its list rule.
void applyPositions(GearModel& m, const DiagramRequest& r) {
    if (r.positions) {
        for (int n = 1; n < RevArmPositionSlots; ++n) {
            const auto index = static_cast<std::size_t>(n - 1);
            storeRevArmPosition(m, n, index < r.positions->size() ? (*r.positions)[index] : 0.0f);
        }
    }
    if (r.travelScale) storeTravelScale(m, *r.travelScale);
    applyRevArmSetRule(m);
    m.diagrams.PortDiaMode = r.mode.value_or('F');
}

// A diagram window opens over a main window that has drawn at least one frame, so the
// port edges the diagrams read from the latest solve are those of the design.
void solveAsTheMainWindowHas(GearModel& m) {
    SolveLinkage(m);
    SolvePistonAndPorts(m);
}

void travelCsv(std::ostream& out, const TravelSweep& sweep, bool oval) {
    out << (oval ? "position,revarm,step,angle,piston_u,valve_disp,joint_h\n"
                 : "position,revarm,step,angle,valve_disp,joint_h\n");
    for (const TravelPosition& p : sweep.positions)
        for (const TravelStep& s : p.steps) {
            out << p.k << ',' << fixed(p.revArm) << ',' << s.j << ',' << fixed(s.angle, 4) << ',';
            if (oval) out << fixed(s.pistonU) << ',';
            out << fixed(s.valveDisp) << ',' << fixed(s.jointH) << '\n';
        }
}

void travelFigures(std::ostream& out, const TravelSweep& sweep) {
    out << "position,revarm,name,value\n";
    for (const TravelPosition& p : sweep.positions) {
        if (!p.midGear) continue;
        const MidGearFigures& f = p.figures;
        const std::pair<const char*, double> rows[] = {
            {"front_lead", f.frontLead},
            {"front_lap", f.frontLap},
            {"front_exhaust_clearance", f.frontExhaustClearance},
            {"rear_exhaust_clearance", f.rearExhaustClearance},
            {"rear_lap", f.rearLap},
            {"rear_lead", f.rearLead}};
        for (const auto& [name, value] : rows)
            out << p.k << ',' << fixed(p.revArm) << ',' << name << ',' << fixed(value) << '\n';
    }
}

void steamCsv(std::ostream& out, const SteamSweep& sweep) {
    out << "position,revarm,step,angle,piston640,front_pressure,rear_pressure,front_phase,"
           "rear_phase\n";
    for (const SteamPosition& p : sweep.positions)
        for (const SteamStep& s : p.steps)
            out << p.k << ',' << fixed(p.revArm) << ',' << s.n << ',' << fixed(s.angle, 4) << ','
                << fixed(s.pos) << ',' << fixed(s.front.pressure) << ',' << fixed(s.rear.pressure)
                << ',' << s.front.phase << ',' << s.rear.phase << '\n';
}

void steamFigures(std::ostream& out, const SteamSweep& sweep) {
    out << "position,revarm,name,value\n";
    for (const SteamPosition& p : sweep.positions) {
        // What stays on screen: the last cut-off written for each end.
        std::optional<double> front, rear;
        for (const SteamStep& s : p.steps) {
            if (s.front.cutOff) front = s.front.cutAt / 6.4;
            if (s.rear.cutOff) rear = (640 - double(s.rear.cutAt)) / 6.4;
        }
        if (front) out << p.k << ',' << fixed(p.revArm) << ",front_cutoff," << fixed(*front) << '\n';
        if (rear) out << p.k << ',' << fixed(p.revArm) << ",rear_cutoff," << fixed(*rear) << '\n';
    }
}

void portCsv(std::ostream& out, GearModel& m, char mode) {
    out << "mode,position,revarm,step,event,piston640\n";
    const std::vector<char> passes = mode == 'B' ? std::vector<char>{'F', 'R'}
                                                 : std::vector<char>{mode};
    for (char pass : passes) {
        const PortSweep sweep = portSweep(m, pass);
        for (const PortPosition& p : sweep.positions)
            for (const PortEvent& e : p.events)
                out << sweep.mode << ',' << p.i << ',' << fixed(p.revArm) << ',' << e.j << ','
                    << e.event << ',' << fixed(e.pos) << '\n';
    }
}

void writeNumbers(std::ostream& out, GearModel& m, const DiagramRequest& r) {
    const bool csv = *r.output == Output::Csv;
    switch (r.kind) {
        case Kind::Sine:
        case Kind::Oval: {
            const bool oval = r.kind == Kind::Oval;
            const TravelSweep sweep = oval ? ovalSweep(m) : sineSweep(m);
            if (csv) travelCsv(out, sweep, oval);
            else travelFigures(out, sweep);
            return;
        }
        case Kind::Steam: {
            const SteamSweep sweep = steamSweep(m);
            if (csv) steamCsv(out, sweep);
            else steamFigures(out, sweep);
            return;
        }
        case Kind::Ports:
            // The port diagram writes no figures of its own.
            if (csv) portCsv(out, m, m.diagrams.PortDiaMode);
            else out << "position,revarm,name,value\n";
            return;
    }
}

void drawDiagram(Kind kind, GearModel& m, Canvas& canvas) {
    canvas.clear(colors::White);
    switch (kind) {
        case Kind::Sine: DrawSineDiagram(m, canvas); return;
        case Kind::Oval: DrawOvalDiagram(m, canvas); return;
        case Kind::Steam: DrawSteamDiagram(m, canvas); return;
        case Kind::Ports: drawPortDiagramForMode(m, canvas); return;
    }
}

}  // namespace

void diagramCommand(const Args& args, std::ostream& out, std::ostream& err) {
    const Kind kind = parseKind(args);
    CommandLine line;
    const SharedOptions shared(line, {.gearSetting = false, .erieForm = true});
    DiagramTexts texts;
    declareDiagramOptions(line, texts);
    line.parse(Args(args.begin() + 1, args.end()));
    const CommonOptions common = shared.read();
    const DiagramRequest request = readRequest(kind, texts);
    if (*request.output == Output::Out) checkPictureName(request.out);

    GearModel m;
    buildModel(m, common, err);
    applyPositions(m, request);
    solveAsTheMainWindowHas(m);
    const int width = DiagramWidth;
    const int height = request.kind == Kind::Oval ? OvalDiagramHeight : DiagramHeight;
    switch (*request.output) {
        case Output::Csv:
        case Output::Figures: writeNumbers(out, m, request); return;
        case Output::Out: {
            PictureOptions options = request.picture;
            options.designName = m.DimSetName;
            writePicture(request.out, width, height,
                         [&](Canvas& canvas) { drawDiagram(request.kind, m, canvas); }, options);
            return;
        }
        case Output::List: {
            RecordingCanvas canvas(width, height);
            drawDiagram(request.kind, m, canvas);
            writePrimitiveList(out, canvas.items());
            return;
        }
    }
}

}  // namespace quarn::cli
