// Dispatch of the command line and the one place errors become exit statuses.
#include "cli.h"

#include <cstring>
#include <fcntl.h>
#include <map>
#include <ostream>
#include <unistd.h>

#include "commands.h"
#include "descriptor_output.h"
#include "options.h"

namespace quarn::cli {
namespace {

// A command's usage: its usage lines first, each going on in lines indented past the
// command name, then what it does in lines indented by two spaces. The README repeats
// the usage lines, and a test holds the two together.
struct Command {
    void (*run)(const Args&, std::ostream& out, std::ostream& err);
    std::string usage;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table{
        {"solve",
         {solveCommand,
          "quarngear-cli solve [--file PATH] [--set NAME=VALUE]... [--erie]\n"
          "                    [--revarm X | --gear mid|fwd|rev|min|max]\n"
          "                    [--angles A,B,... | --step S]\n"
          "  Solves the linkage at each driver angle (default: 0 to 350 in steps of 10)\n"
          "  and prints one CSV row per angle: the reverse arm, the error flag, every\n"
          "  pivot, the eccentric lead, the gear connecting rod angle, the valve\n"
          "  displacement, the four port openings and the piston position (0..640).\n"}},
        {"centre",
         {centreCommand,
          "quarngear-cli centre [--file PATH] [--set NAME=VALUE]...\n"
          "  Prints mid gear and the reverse-arm range: centre, min, max, rev, fwd.\n"}},
        {"report",
         {reportCommand,
          "quarngear-cli report [--file PATH] [--set NAME=VALUE]... [--erie]\n"
          "                     [--solver classic|precise] [--csv]\n"
          "  Prints the valve events: steam lap, exhaust clearances and, for mid gear,\n"
          "  normal forward and normal reverse, the lead of each port and the cut-off,\n"
          "  release and compression points of each cylinder end in percent of stroke.\n"
          "  Cut-off and release count from the start of that end's working stroke,\n"
          "  compression from the start of its exhaust stroke. Reverse gear is swept\n"
          "  with the driver turning backwards, as the engine then runs. The events are\n"
          "  read on the precise solver, each at its exact crossing; --solver classic\n"
          "  reads them on the window's solver, each between two 0.1 degree steps.\n"}},
        {"diagram", {diagramCommand, diagramUsage}},
        {"render", {renderCommand, renderUsage()}},
        {"save",
         {saveCommand,
          "quarngear-cli save OUT [--file IN] [--set NAME=VALUE]...\n"
          "  Writes the design (start-up, or IN, with the changes) to the dimension file\n"
          "  OUT as the program saves it. An existing OUT is replaced only once the new\n"
          "  file is complete (written over in place if its folder takes no new file);\n"
          "  a link is followed, and a read-only file, a pipe or a device is refused.\n"}},
        {"convert",
         {convertCommand,
          "quarngear-cli convert IN.qgk OUT.qgd\n"
          "  Imports the DOS dimension file IN and saves it as the dimension file OUT.\n"}},
        {"show",
         {showCommand,
          "quarngear-cli show FILE\n"
          "  Prints the design FILE holds, one value a line by its label, as the program\n"
          "  has it after opening the file: the dimensions, the view and presets, the\n"
          "  diagram settings and the overlay items in use.\n"}},
        {"table", {tableCommand, tableUsage}},
        {"events", {eventsCommand, eventsUsage}},
        {"sensitivity", {sensitivityCommand, sensitivityUsage}},
        {"equalise", {equaliseCommand, equaliseUsage}},
        {"cutoff", {cutoffCommand, cutoffUsage}},
        {"tolerance", {toleranceCommand, toleranceUsage}},
    };
    return table;
}

void printUsage(std::ostream& os) {
    os << "usage: quarngear-cli COMMAND [OPTIONS]\n\n"
          "  --file PATH       starts from the design in a dimension file (.qgd) or a\n"
          "                    DOS dimension file (.qgk) instead of the nominal one\n"
          "  --set NAME=VALUE  changes a dimension by its field name, in any case (e.g.\n"
          "                    Stroke=4.5); the normal reverse-arm travel is held within\n"
          "                    the maximum\n"
          "  --solver S        events, report and sensitivity read the gear on the\n"
          "                    precise solver (every loop closed exactly, each event at\n"
          "                    its exact crossing); --solver classic reads it on the\n"
          "                    solver the window animates with, as solve, table, diagram\n"
          "                    and render do; equalise reads it on the precise one only\n"
          "  --NAME=VALUE      any option's value may follow an = as well as a space;\n"
          "                    numbers are decimal and finite, at most 3.4e38 in size;\n"
          "                    -- ends the options, for a file name that starts with -\n"
          "  --help            after a command: that command's usage\n\ncommands:\n";
    for (const auto& [name, command] : commands()) os << "\n" << command.usage;
}

bool wantsHelp(const Args& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

}  // namespace

std::vector<std::string> commandNames() {
    std::vector<std::string> names;
    for (const auto& [name, command] : commands()) names.push_back(name);
    return names;
}

namespace {

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(out);
        return 0;
    }
    const auto it = commands().find(args[0]);
    if (it == commands().end()) {
        err << "quarngear-cli: unknown command '" << args[0] << "'\n";
        printUsage(err);
        return 2;
    }
    const Args rest(args.begin() + 1, args.end());
    if (wantsHelp(rest)) {
        out << it->second.usage;
        return 0;
    }
    try {
        it->second.run(rest, out, err);
        return 0;
    } catch (const UsageError& e) {
        err << "quarngear-cli " << args[0] << ": " << e.message << "\n" << it->second.usage;
        return 2;
    } catch (const WorkError& e) {
        err << "quarngear-cli " << args[0] << ": " << e.message << "\n";
        return 1;
    }
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = runCommand(args, out, err);
    out.flush();
    if (status != 0 || out) return status;
    // Output that never arrived is a failed command, however well the work went: a
    // script reading it must not take a cut-off table that stops half way as whole.
    err << "quarngear-cli: the output could not be written";
    if (const auto* fd = dynamic_cast<const DescriptorOutput*>(out.rdbuf()); fd && fd->failure() != 0)
        err << ": " << std::strerror(fd->failure());
    err << "\n";
    return 1;
}

int runCliToDescriptor(const std::vector<std::string>& args, int fd, std::ostream& err) {
    DescriptorOutput buffer(fd);
    if (buffer.failure() != 0) {
        // The descriptor is closed: hold its number on /dev/null, or the first file the
        // command opens would take it and receive the output meant for it.
        const int placeholder = ::open("/dev/null", O_WRONLY);
        if (placeholder >= 0 && placeholder != fd) {
            ::dup2(placeholder, fd);
            ::close(placeholder);
        }
    }
    std::ostream out(&buffer);
    return runCli(args, out, err);
}

}  // namespace quarn::cli
