// The command-line companion: the same model code as the desktop program, no window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quarn::cli {

// Runs one command line (without the program name). Returns the exit status:
// 0 done, 1 the work failed (a file could not be read or written, or the output
// `out`), 2 bad usage.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The same with the output written to the file descriptor `fd`, as the program writes
// its standard output; an output that cannot be written is named with its reason.
int runCliToDescriptor(const std::vector<std::string>& args, int fd, std::ostream& err);

// The commands by the name that follows the program's, in the order the help lists them.
std::vector<std::string> commandNames();

}  // namespace quarn::cli
