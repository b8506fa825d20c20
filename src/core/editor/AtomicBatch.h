#pragma once

#include "core/editor/AtomicFile.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace murelo {

// Many files written as one batch (a converted folder of pictures). Each file's bytes go to
// its temporary beside it at once, without a sync of its own; commit() then syncs the file
// systems they are on once, renames every temporary over its target and syncs each folder
// once. A target is never replaced by a file that is not complete on the disk, and one file
// that cannot be written costs only that file: the others are still written.
class AtomicBatch {
  public:
    AtomicBatch() = default;
    AtomicBatch(const AtomicBatch&) = delete;
    AtomicBatch& operator=(const AtomicBatch&) = delete;
    ~AtomicBatch();

    // The whole file under its temporary name; FileWriteError when it cannot be written (the
    // target then stays as it was).
    void write(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
    // Syncs, renames and syncs the folders; every file that could not be put in place is
    // returned with its reason, the rest are in place.
    std::vector<FileWriteError> commit();
    // Every temporary goes; no target changes.
    void abandon() noexcept;

    std::size_t size() const { return files_.size(); }

    // A batch this large is best committed before it grows: its temporaries are then still
    // all removed should the program be stopped by a signal.
    static constexpr std::size_t CommitSize = 512;

  private:
    std::vector<std::unique_ptr<AtomicFile>> files_;
};

} // namespace murelo
