// Options shared by the commands: the dimension changes, the form and the gear setting.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "model/event_report.h"
#include "model/gear_model.h"

namespace quarn::cli {

// Thrown by option parsing; its message goes to stderr with exit status 2.
struct UsageError {
    std::string message;
};
// The work itself failed (a file); message to stderr, exit status 1.
struct WorkError {
    std::string message;
};

enum class GearSetting { Mid, Fwd, Rev, Min, Max };

struct CommonOptions {
    std::vector<std::pair<std::string, float>> sets;  // --set NAME=VALUE, in order
    bool erie = false;
    std::optional<float> revArm;                      // --revarm X
    std::optional<GearSetting> gear;                  // --gear G
    std::optional<std::string> file;                  // --file PATH
    // --solver: the design studies read the gear on the precise solver unless the
    // classic one, the window's, is asked for.
    SolverKind solver = SolverKind::Precise;
};

// The shared options a command takes beyond --file and --set, which every one that
// builds a design takes; the others are unknown options to it.
struct Accepts {
    bool gearSetting = false;  // --revarm X or --gear G
    bool erieForm = false;     // --erie
    bool solverChoice = false;  // --solver classic|precise
};

// Walks the arguments: shared options go into `common`, anything else is offered to
// `other(arg, next)` which returns how many arguments it took (0: unknown option).
using OtherOption = std::function<int(const std::string& arg, const std::string* next)>;
void parseOptions(const std::vector<std::string>& args, CommonOptions& common,
                  const OtherOption& other, Accepts accepts);

// A number as typed on the command line: decimal, finite, and no larger than a float
// holds; nullopt unless the whole text is one.
std::optional<double> parseNumber(const std::string& text);

// Opens a dimension file, or a DOS file by its name, into the model as the program
// does; a file that cannot be read stops the command with WorkError.
void loadDesign(GearModel& m, const std::string& path);
// The program's start-up state, then --file, the --set changes and --erie. Each
// change is taken as the dimension dialog takes a field that is left, so the two
// reverse-arm limits hold each other in check; a value pulled to the other limit is
// noted on `notes`.
void buildModel(GearModel& m, const CommonOptions& common, std::ostream& notes);
// The reverse-arm setting the options ask for (mid gear without one).
float chosenRevArm(const GearModel& m, const CommonOptions& common);

}  // namespace quarn::cli
