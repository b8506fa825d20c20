#pragma once

#include "core/editor/AtomicFileSet.h"
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

// The machine files of one export, written as a set (see AtomicFileSet): each file, its
// optional header and its data, goes to a temporary file first, and the targets are replaced
// only when every file was written. A file that cannot be written is reported and the others
// are still tried, so the report names every file that failed; nothing is thrown for an
// unwritable file.
class ExportFileSet {
  public:
    void add(const std::filesystem::path& file, const std::optional<BsaveHeaderBytes>& header,
             std::span<const std::uint8_t> data);
    // Replaces the targets when every file was written; with any failure, none of them.
    ExportFilesReport commit();

  private:
    AtomicFileSet files_;
    std::vector<std::filesystem::path> targets_;
    ExportFilesReport report_;
};

} // namespace murelo
