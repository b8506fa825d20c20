#pragma once

#include <string>
#include <vector>

namespace murelo::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built murelo9918-cli with the arguments (no shell involved).
CliResult RunCli(const std::vector<std::string>& args);

} // namespace murelo::test
