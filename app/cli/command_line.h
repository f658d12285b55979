// A command's own arguments read with CLI11: "--name value" and "--name=value" alike
// (so a value that starts with a minus, such as a list of settings, can be written
// "--positions=-1,2"), and whatever the line gets wrong said as a usage error.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarn::cli {

class CommandLine {
public:
    CommandLine();
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // --name VALUE, once at most: the text as typed, nullopt when it is not given.
    void value(const std::string& name, std::optional<std::string>& text);
    // --name VALUE as often as it is given, in order.
    void values(const std::string& name, std::vector<std::string>& texts);
    // --name, a switch that takes no value.
    void flag(const std::string& name, bool& on);
    // The arguments that are no options (file names, a percentage), in order; "--"
    // ends the options, for a name that starts with a minus.
    void words(std::vector<std::string>& texts);

    // Reads the arguments into what was declared. An unknown option, a value missing,
    // a switch given one or an option given twice is a UsageError.
    void parse(const std::vector<std::string>& args);

private:
    struct Parser;
    std::unique_ptr<Parser> parser;
};

}  // namespace quarn::cli
