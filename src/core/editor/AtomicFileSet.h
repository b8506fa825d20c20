#pragma once

#include "core/editor/AtomicFile.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

namespace murelo {

// Files that belong together (the tables of one export, the outputs of one command) and are
// replaced together: every file is written and finished under its temporary name first, and
// the targets are renamed one right after the other only when all of them were. A failure
// before the renames leaves every target as it was. The renames themselves cannot be made one
// step: should a later one fail, the targets renamed before it already hold their new files
// (replacedCount() says how many); the rest stay as they were. No temporary outlives the set.
class AtomicFileSet {
  public:
    AtomicFileSet() = default;
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;

    // A new member file; FileWriteError when its temporary cannot be made.
    AtomicFile& add(std::filesystem::path target);
    // Finishes the members not yet finished, then replaces every target in the order added.
    void commit();
    // Every temporary goes; no target changes.
    void abandon() noexcept;

    std::size_t size() const { return files_.size(); }
    std::size_t replacedCount() const;

  private:
    void syncFolders() const noexcept;

    std::vector<std::unique_ptr<AtomicFile>> files_;
};

} // namespace murelo
