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

// Small helpers for the subcommands' own argument parsing.
class ArgReader {
public:
    explicit ArgReader(Args args) : args_(args) {}

    bool done() const { return pos_ >= args_.size(); }
    const std::string& next(); // throws UsageError when there is none
    const std::string& value(std::string_view option); // the value after an option
    const std::string& peek() const { return args_[pos_]; }

private:
    Args args_;
    std::size_t pos_ = 0;
};

int ParseInt(std::string_view text, std::string_view what, int min, int max);
int ParsePaletteKindArg(std::string_view text);

// A message box text as one line of output.
std::string OneLineText(std::string text);

} // namespace murelo::cli
