#pragma once

#include "core/editor/FileFaults.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace murelo {

// A file that could not be written: the file as the caller named it and the reason, both
// also in the message ("cannot write FILE: REASON").
struct FileWriteError : std::runtime_error {
    FileWriteError(std::filesystem::path file, std::string reason);

    std::filesystem::path file;
    std::string reason; // the system's words
};

// Every file the program writes goes through one of these. The bytes go to a temporary
// ".NAME-XXXXXX.tmp" beside the file being replaced; finish() puts them on the disk (flush,
// fsync) with the target's permission bits (0666 less the umask for a new file), and only
// then does the rename put them in the target's place, after which the folder is synced.
// When the target is a symbolic link the file it points to is replaced and the link stays.
// Every failure throws FileWriteError, and whatever fails, no temporary stays behind.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::span<const std::uint8_t> bytes);
    // The next write goes to `offset`; what the file holds beyond it stays.
    void seek(std::size_t offset);
    // The whole content on the disk under the temporary name; the target is not touched yet.
    // A folder or another file that is not a regular one under the target's name fails here.
    // Sync::Later leaves the fsync to the caller, who syncs many files at once (AtomicBatch).
    enum class Sync { Now, Later };
    void finish(Sync sync = Sync::Now);
    // Renames the finished temporary over the target (finishing it first if need be).
    void replaceTarget();
    // Syncs the folder so that the rename itself survives a crash. A folder that cannot be
    // synced (some file systems refuse) changes nothing: the target already holds the file.
    void syncFolder() const noexcept;
    // finish, replaceTarget and syncFolder.
    void commit();
    // Gives up: the temporary goes, the target stays as it was. Nothing more can be written.
    void abandon() noexcept;

    bool finished() const { return state_ == State::Finished; }
    bool replaced() const { return state_ == State::Replaced; }
    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }
    // The file that is replaced: the target, or the file its links lead to.
    const std::filesystem::path& destination() const { return destination_; }

  private:
    enum class State { Open, Finished, Replaced, Abandoned };

    [[noreturn]] void fail(const std::string& reason);
    [[noreturn]] void failWithSystemReason();
    void requireOpen();
    void drain();
    void takeTargetPermissions();

    std::filesystem::path target_;      // as the caller named it, for the messages
    std::filesystem::path destination_; // the file that is replaced: the target behind its links
    std::filesystem::path temporary_;
    std::vector<std::uint8_t> buffer_;
    int fd_ = -1;
    int slot_ = -1; // in the live temporaries a signal removes
    State state_ = State::Open;
};

// Writes the bytes as the whole file `target` through an AtomicFile.
void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace murelo
