#pragma once

#include "support/TestData.h"

#include <string>
#include <vector>

namespace murelo {
class Picture;
}

namespace murelo::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built murelo9918-cli with the arguments (no shell involved).
CliResult RunCli(const std::vector<std::string>& args);

// Writes the picture as a 24-bit bitmap into the folder and returns its path, the way a
// user hands a picture to the command line.
std::string SaveBitmap(const TempDir& dir, const std::string& name, const Picture& picture);

} // namespace murelo::test
