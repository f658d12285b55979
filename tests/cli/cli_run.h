// Runs the command-line companion in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace quarn::cli {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun runCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> outputLines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Field `index` (from 0) of a CSV line, as a number.
inline double csvField(const std::string& line, int index) {
    std::size_t at = 0;
    for (int k = 0; k < index; ++k) at = line.find(',', at) + 1;
    return std::stod(line.substr(at, line.find(',', at) - at));
}

}  // namespace quarn::cli
