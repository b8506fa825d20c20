#pragma once

#include "Command.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace murelo::cli {

// How a command refuses an argument that no option or file takes.
enum class StrayStyle {
    UsageOnly,         // the usage line alone
    Unexpected,        // "unexpected 'X' (USAGE)"
    UnknownOption,     // "unknown option 'X'" for an option, "only one FILE.bmp, not also 'X'" else
    UnknownLongOption, // the same, where only "--" starts an option
    TwoPictures        // "unknown option 'X' (USAGE)", "only two pictures, not also 'X' (USAGE)"
};

// A subcommand's arguments, parsed by CLI11 so that COMMAND --help lists the options with
// their values, ranges and defaults. Bad arguments give the command's own one-line messages.
class CommandLine {
  public:
    CommandLine(const std::string& name, const std::string& description, std::string usage,
                StrayStyle strays);

    CLI::App& app() { return app_; }
    // An option with a value; `values` names them in the help ("1..127", "bin|cas|wav|sc2").
    CLI::Option* value(const std::string& name, std::string& into, const std::string& values,
                       const std::string& description);
    CLI::Option* flag(const std::string& name, bool& into, const std::string& description);
    // An option whose value may be left out ("--export" alone, or "--export PATH").
    CLI::Option* optionalValue(const std::string& name, std::string& into,
                               const std::string& values, const std::string& description);
    // The picture file (or another positional).
    CLI::Option* file(const std::string& name, std::string& into, const std::string& description);
    // One or more picture files.
    CLI::Option* files(const std::string& name, std::vector<std::string>& into,
                       const std::string& description);

    // False when --help was asked for and printed: the command then ends with exit 0.
    bool parse(Args args);
    // The names of the options given, in command-line order, each once per use.
    std::vector<std::string> givenInOrder() const;
    bool given(const CLI::Option* option) const { return option->count() > 0; }
    bool given(const std::string& name) const;

  private:
    [[noreturn]] void refuseStray(const std::string& arg) const;

    CLI::App app_;
    std::string usage_;
    StrayStyle strays_;
};

} // namespace murelo::cli
