// Options shared by the commands: the dimension changes, the form and the gear setting.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "model/dimensions.h"
#include "model/event_report.h"
#include "model/gear_model.h"
#include "model/working_points.h"

namespace quarn::cli {

class CommandLine;

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
    // --set NAME=VALUE, in order
    std::vector<std::pair<const DimensionDescriptor*, float>> sets;
    bool erie = false;
    std::optional<float> revArm;      // --revarm X
    std::optional<GearSetting> gear;  // --gear G
    std::optional<std::string> file;  // --file PATH
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

// The shared options on a command's line: declared on it before it is parsed, read
// from it after.
class SharedOptions {
public:
    SharedOptions(CommandLine& line, Accepts accepts);
    SharedOptions(const SharedOptions&) = delete;
    SharedOptions& operator=(const SharedOptions&) = delete;
    // The options given, each checked: dimension names, numbers and choices.
    CommonOptions read() const;

private:
    std::vector<std::string> sets;
    std::optional<std::string> file, revArm, gear, solver;
    bool erie = false;
};

// A number as typed on the command line: decimal, finite, and no larger than a float
// holds; nullopt unless the whole text is one.
std::optional<double> parseNumber(const std::string& text);

// `v` with `decimals` decimals, as the command's tables and CSV print a figure.
std::string fixed(double v, int decimals = 6);

// A whole number from `least` to `most` for `option`; anything else is a UsageError
// saying so. A double, so that a seed up to 2^53 is taken as typed.
double wholeNumber(const std::string& option, const std::string& text, double least, double most);
inline int wholeCount(const std::string& option, const std::string& text, int least, int most) {
    return static_cast<int>(wholeNumber(option, text, least, most));
}

// The working points of --points ("25f,75f,25r", "arm=1.2"); a list that does not read is
// a UsageError that says why.
std::vector<WorkingPoint> workingPointsOption(const std::string& text);

// The items of a comma-separated list.
std::vector<std::string> listItems(const std::string& text);
// The same, where a longer list than `most` items makes no sense: such a list is a
// UsageError that names `option` and what it takes (`what`, plural).
std::vector<std::string> listItems(const std::string& text, const std::string& option,
                                   std::size_t most, const std::string& what);

// A dimension by its field name, typed in any case; an unknown name is a UsageError
// that suggests the nearest ones.
const DimensionDescriptor& dimensionNamed(const std::string& name);

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
