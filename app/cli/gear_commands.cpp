// solve, centre and report: the gear's numbers as tables and a design-note summary.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>
#include <span>
#include <string>

#include "command_line.h"
#include "commands.h"
#include "event_columns.h"
#include "model/event_report.h"
#include "model/mid_gear.h"
#include "model/number_text.h"
#include "model/solver.h"
#include "options.h"

namespace quarn::cli {
namespace {

// A sweep this long would only fill a disk; nobody needs finer than a thousandth of
// a degree. A list of angles is held to as many.
constexpr std::size_t MaxRows = 360000;

std::vector<double> parseAngleList(const std::string& text) {
    std::vector<double> angles;
    for (const std::string& item : listItems(text, "--angles", MaxRows, "angles")) {
        const auto value = parseNumber(item);
        if (!value) throw UsageError{"--angles takes numbers separated by commas, not '" + item + "'"};
        angles.push_back(*value);
    }
    return angles;
}

std::vector<double> stepAngles(double step) {
    if (!(step > 0) || 360.0 / step > double(MaxRows))
        throw UsageError{"--step must be a positive number of at least 0.001 degrees"};
    std::vector<double> angles;
    for (long k = 0;; ++k) {
        const double a = double(k) * step;
        if (!(a < 360.0)) break;
        angles.push_back(a);
    }
    return angles;
}

void writeSolveHeader(std::ostream& out) {
    out << "angle,revarm,error";
    for (int p = 0; p < PivotCount - 3; ++p) out << ",h" << p << ",v" << p;
    out << ",ecc_lead,gcr_angle_deg,valve_disp,fso,feo,rso,reo,piston640\n";
}

void writeSolveRow(std::ostream& out, const GearModel& m) {
    char buf[64];
    std::string row;
    row.reserve(1024);
    auto add = [&](const char* fmt, double v) {
        std::snprintf(buf, sizeof buf, fmt, v);
        row += buf;
    };
    add("%.4f", m.DriverAngle);
    add(",%.6f", m.RevArmPosition);
    row += m.GeometryError ? ",1" : ",0";
    for (int p = 0; p < PivotCount - 3; ++p) {
        add(",%.6f", m.PivotHorz[p]);
        add(",%.6f", m.PivotVert[p]);
    }
    add(",%.6f", m.EccLeadAngle);
    add(",%.6f", m.GearConRodAngle * 180.0 / std::numbers::pi);
    add(",%.6f", m.ValveDisp);
    add(",%.6f", m.FrontSteamOpening);
    add(",%.6f", m.FrontExhaustOpening);
    add(",%.6f", m.RearSteamOpening);
    add(",%.6f", m.RearExhaustOpening);
    add(",%.6f", m.PistonPos640);
    row += '\n';
    out << row;
}

}  // namespace

void solveCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.gearSetting = true, .erieForm = true});
    std::optional<std::string> angleList, step;
    line.value("--angles", angleList);
    line.value("--step", step);
    line.parse(args);
    const CommonOptions common = shared.read();
    if (angleList && step) throw UsageError{"--angles and --step exclude each other"};
    std::vector<double> angles = stepAngles(10);
    if (angleList) angles = parseAngleList(*angleList);
    if (step) {
        const auto value = parseNumber(*step);
        if (!value) throw UsageError{"--step takes a number, not '" + *step + "'"};
        angles = stepAngles(*value);
    }

    GearModel m;
    buildModel(m, common, err);
    const float revArm = chosenRevArm(m, common);
    writeSolveHeader(out);
    for (double angle : angles) {
        m.GeometryError = 0;
        m.RevArmPosition = revArm;
        m.DriverAngle = static_cast<float>(angle);
        SolveLinkage(m);
        SolvePistonAndPorts(m);
        writeSolveRow(out, m);
    }
}

void centreCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {});
    line.parse(args);
    const CommonOptions common = shared.read();
    GearModel m;
    buildModel(m, common, err);
    const RevArmRange r = revArmRange(m);
    char buf[256];
    std::snprintf(buf, sizeof buf, "centre=%.6f min=%.6f max=%.6f rev=%.6f fwd=%.6f\n",
                  double(r.centre), double(r.min), double(r.max), double(r.rev), double(r.fwd));
    out << buf;
}

namespace {

std::string csvPercent(const std::optional<double>& v) { return v ? Str(*v, 0, 4) : ""; }

void writeReportText(std::ostream& out, const GearModel& m, const PortEdges& edges,
                     std::span<const EventColumn> cols) {
    out << "Valve events of " << m.DimSetName << " ("
        << (m.ErieTriplexForm ? "Erie Triplex form" : "standard form") << ")\n\n";
    out << "Steam lap               " << Str(edges.SteamLapFront, 8, 3) << "\n";
    out << "Exhaust clearance front " << Str(edges.ExClFront, 8, 3) << "\n";
    out << "Exhaust clearance rear  " << Str(edges.ExClRear, 8, 3) << "\n\n";
    writeEventColumns(out, cols);
}

void writeReportCsv(std::ostream& out, const PortEdges& edges, std::span<const EventColumn> cols) {
    out << "gear,revarm,steam_lap,excl_front,excl_rear,lead_front,lead_rear,cutoff_front,"
           "cutoff_rear,release_front,release_rear,compression_front,compression_rear,"
           "geometry_error\n";
    for (const auto& c : cols) {
        const auto& e = c.events;
        out << c.name << ',' << Str(e.revArm, 0, 6) << ',' << Str(edges.SteamLapFront, 0, 6)
            << ',' << Str(edges.ExClFront, 0, 6) << ',' << Str(edges.ExClRear, 0, 6) << ','
            << Str(e.front.lead, 0, 6) << ',' << Str(e.rear.lead, 0, 6) << ','
            << csvPercent(e.front.cutOff) << ',' << csvPercent(e.rear.cutOff) << ','
            << csvPercent(e.front.release) << ',' << csvPercent(e.rear.release) << ','
            << csvPercent(e.front.compression) << ',' << csvPercent(e.rear.compression) << ','
            << (e.geometryError ? 1 : 0) << "\n";
    }
}

}  // namespace

void reportCommand(const Args& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {.erieForm = true, .solverChoice = true});
    bool csv = false;
    line.flag("--csv", csv);
    line.parse(args);
    const CommonOptions common = shared.read();
    GearModel m;
    buildModel(m, common, err);
    const RevArmRange r = revArmRange(m);
    // The classic sweeps run one after another on the one model, each search starting
    // where the last left the pivots, as the report has always read them.
    const auto eventsAt = [&](float revArm) {
        return common.solver == SolverKind::Classic ? sweepEvents(m, revArm) : preciseEvents(m, revArm);
    };
    const EventColumn cols[3] = {{"mid", "Mid gear", eventsAt(r.centre)},
                                 {"fwd", "Normal fwd", eventsAt(r.fwd)},
                                 {"rev", "Normal rev", eventsAt(r.rev)}};
    // The precise solver leaves nothing in the model: the laps come from the dimensions.
    // The classic report prints what its solves left there, as it always has.
    const PortEdges edges = common.solver == SolverKind::Classic ? m.edges : portEdgesOf(m.cyl);
    if (csv)
        writeReportCsv(out, edges, cols);
    else
        writeReportText(out, m, edges, cols);
}

}  // namespace quarn::cli
