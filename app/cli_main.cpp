// quarngear-cli: the gear model without a window, for tables, reports and files.
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return quarn::cli::runCliToDescriptor(args, STDOUT_FILENO, std::cerr);
}
