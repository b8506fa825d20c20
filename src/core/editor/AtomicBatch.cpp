#include "core/editor/AtomicBatch.h"

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace murelo {

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// One syncfs per folder reaches every file of its file system; a folder that cannot be
// opened falls back to the whole system's sync.
void SyncFileSystemOf(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ::sync();
        return;
    }
    ::syncfs(fd);
    ::close(fd);
}

} // namespace

AtomicBatch::~AtomicBatch() {
    abandon();
}

void AtomicBatch::write(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    auto file = std::make_unique<AtomicFile>(target);
    file->write(bytes);
    file->finish(AtomicFile::Sync::Later);
    files_.push_back(std::move(file));
}

std::vector<FileWriteError> AtomicBatch::commit() {
    std::vector<std::filesystem::path> folders;
    for (const auto& file : files_) {
        const std::filesystem::path folder = FolderOf(file->destination());
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    for (const std::filesystem::path& folder : folders)
        SyncFileSystemOf(folder);
    std::vector<FileWriteError> failures;
    for (const auto& file : files_) {
        try {
            file->replaceTarget();
        } catch (const FileWriteError& e) {
            failures.push_back(e);
        }
    }
    for (const std::filesystem::path& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    files_.clear();
    return failures;
}

void AtomicBatch::abandon() noexcept {
    for (const auto& file : files_)
        file->abandon();
    files_.clear();
}

} // namespace murelo
