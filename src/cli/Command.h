#pragma once

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace murelo::cli {

// Exit statuses of every subcommand.
enum ExitCode : int { ExitOk = 0, ExitOffences = 1, ExitBadInput = 2 };

// Thrown for bad usage or bad input; main prints the message as one line and exits 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Args = std::span<const std::string>;

struct Command {
    std::string name;
    std::string synopsis; // one line shown by --help
    std::function<int(Args)> run;
};

// Each subcommand file registers itself with a static Registration.
std::vector<Command>& Commands();

struct Registration {
    explicit Registration(Command command) { Commands().push_back(std::move(command)); }
};

// Small helpers for the subcommands' own checks of option values.
int ParseInt(std::string_view text, std::string_view what, int min, int max);
int ParsePaletteKindArg(std::string_view text);

// A message box text as one line of output.
std::string OneLineText(std::string text);

} // namespace murelo::cli
