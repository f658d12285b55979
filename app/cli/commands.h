// The commands of the command-line companion. Each takes the arguments after its
// name, writes its result to `out` and throws UsageError or WorkError.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quarn::cli {

using Args = std::vector<std::string>;

void solveCommand(const Args& args, std::ostream& out);
void centreCommand(const Args& args, std::ostream& out);
void reportCommand(const Args& args, std::ostream& out);
void renderCommand(const Args& args, std::ostream& out);
void saveCommand(const Args& args, std::ostream& out);
void convertCommand(const Args& args, std::ostream& out);
void showCommand(const Args& args, std::ostream& out);
void tableCommand(const Args& args, std::ostream& out);
extern const char tableUsage[];
void eventsCommand(const Args& args, std::ostream& out);
extern const char eventsUsage[];
void sensitivityCommand(const Args& args, std::ostream& out);
extern const char sensitivityUsage[];
void equaliseCommand(const Args& args, std::ostream& out);
extern const char equaliseUsage[];

// The help of render, made from its table of pictures and formats.
std::string renderUsage();

}  // namespace quarn::cli
