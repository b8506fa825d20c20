// murelo9918-cli: the editor's checks, exports and conversions without a window.
#include "Command.h"

#include "core/app/Document.h"
#include "core/editor/LiveTemporaries.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>

using namespace murelo::cli;

namespace {

void PrintHelp() {
    std::cout << "usage: murelo9918-cli COMMAND [ARGS...]\n"
                 "       murelo9918-cli --help | --version\n\ncommands:\n";
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& c : commands)
        std::cout << "  " << c.synopsis << "\n";
    std::cout << "\nexit status: 0 success, 1 the check found offences, 2 bad usage or input\n";
}

} // namespace

int main(int argc, char** argv) {
    // Stopped half way, the program leaves no temporary file behind.
    murelo::RemoveTemporariesOnStop();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp();
        return ExitBadInput;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return ExitOk;
    }
    if (args[0] == "--version") {
        std::cout << murelo::VersionString << "\n";
        return ExitOk;
    }
    for (const Command& c : Commands()) {
        if (c.name != args[0])
            continue;
        try {
            return c.run(Args(args).subspan(1));
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << "murelo9918-cli " << c.name << ": " << e.what() << "\n";
            return ExitBadInput;
        }
    }
    std::cerr << "murelo9918-cli: unknown command '" << args[0] << "' (see --help)\n";
    return ExitBadInput;
}
