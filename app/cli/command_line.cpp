// The command line of one command, parsed by CLI11, its errors put in the program's words.
#include "command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <set>

#include "nearest_names.h"
#include "options.h"

namespace quarn::cli {

struct CommandLine::Parser {
    CLI::App app;
    std::set<std::string> valueNames, flagNames;
    std::vector<CLI::Option*> once;

    std::vector<std::string> optionNames() const {
        std::vector<std::string> names(valueNames.begin(), valueNames.end());
        names.insert(names.end(), flagNames.begin(), flagNames.end());
        return names;
    }
};

CommandLine::CommandLine() : parser(std::make_unique<Parser>()) {
    // --help is answered before a command is parsed, wherever it stands on the line.
    parser->app.set_help_flag();
}

CommandLine::~CommandLine() = default;

void CommandLine::value(const std::string& name, std::optional<std::string>& text) {
    CLI::Option* option =
        parser->app.add_option_function<std::string>(name, [&text](const std::string& v) { text = v; });
    // A repeat is let through here and refused after the parse, in words that name
    // the option rather than CLI11's.
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    parser->valueNames.insert(name);
    parser->once.push_back(option);
}

void CommandLine::values(const std::string& name, std::vector<std::string>& texts) {
    // One value each time: "--set A=1 B=2" leaves B=2 over, as a mistake, instead of
    // taking it quietly.
    parser->app.add_option(name, texts)->allow_extra_args(false);
    parser->valueNames.insert(name);
}

void CommandLine::flag(const std::string& name, bool& on) {
    parser->app.add_flag(name, on);
    parser->flagNames.insert(name);
}

void CommandLine::words(std::vector<std::string>& texts) { parser->app.add_option("words", texts); }

void CommandLine::parse(const std::vector<std::string>& args) {
    // CLI11 would read "--csv=0" as "not --csv"; a switch here is there or not, and a
    // value given to it is a mistake. The scan stops where the options end.
    for (const std::string& a : args) {
        if (a == "--") break;
        const auto eq = a.find('=');
        if (eq != std::string::npos && parser->flagNames.count(a.substr(0, eq)))
            throw UsageError{a.substr(0, eq) + " takes no value, not '" + a + "'"};
    }
    try {
        // CLI11 takes the arguments last first.
        parser->app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::ExtrasError&) {
        const std::vector<std::string> left = parser->app.remaining();
        const std::string first = left.empty() ? std::string() : left.front();
        throw UsageError{"unknown option '" + first + "'" +
                         (first.rfind("--", 0) == 0 ? didYouMean(first, parser->optionNames()) : "")};
    } catch (const CLI::ArgumentMismatch& e) {
        // CLI11 runs out of values only at the end of the line: the option whose value
        // is missing is the last argument.
        const std::string last = args.empty() ? std::string() : args.back();
        const std::string name = last.substr(0, last.find('='));
        if (parser->valueNames.count(name)) throw UsageError{name + " needs a value"};
        throw UsageError{e.what()};
    } catch (const CLI::ParseError& e) {
        throw UsageError{e.what()};
    }
    for (const CLI::Option* option : parser->once)
        if (option->count() > 1) throw UsageError{option->get_name() + " is given more than once"};
}

}  // namespace quarn::cli
