#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace murelo {

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::string error; // the reason the file could not be read; empty on success

    bool ok() const { return error.empty(); }
};

// Reads a whole regular file. A folder, a device or a pipe is refused without being read
// from, so that opening one can neither hang nor swallow endless data.
FileBytes ReadRegularFile(const std::string& path);

} // namespace murelo
