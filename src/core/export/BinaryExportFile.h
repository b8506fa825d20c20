#pragma once

#include "core/editor/BsaveHeader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace murelo {

struct ExportFileFailure {
    std::filesystem::path file;
    std::string reason; // the system's words
};

// What a set of machine files came to: every file written, every file that was not.
struct ExportFilesReport {
    std::vector<std::filesystem::path> written;
    std::vector<ExportFileFailure> failures;

    bool ok() const { return failures.empty(); }
};

// Writes the optional header and the data as one file. The bytes go to a temporary file in
// the same folder that replaces the target only once complete, so a failure part-way (a full
// disk) never leaves a short file under the target's name, nor destroys an older one. The
// outcome goes into the report; nothing is thrown for an unwritable file.
void WriteExportFile(const std::filesystem::path& file,
                     const std::optional<BsaveHeaderBytes>& header,
                     std::span<const std::uint8_t> data, ExportFilesReport& report);

} // namespace murelo
