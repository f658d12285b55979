// The command-line companion: the same model code as the desktop program, no window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quarn::cli {

// Runs one command line (without the program name). Returns the exit status:
// 0 done, 1 the work failed (a file could not be read or written), 2 bad usage.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The commands by the name that follows the program's, in the order the help lists them.
std::vector<std::string> commandNames();

}  // namespace quarn::cli
