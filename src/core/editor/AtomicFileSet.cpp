#include "core/editor/AtomicFileSet.h"

#include <algorithm>

namespace murelo {

AtomicFile& AtomicFileSet::add(std::filesystem::path target) {
    files_.push_back(std::make_unique<AtomicFile>(std::move(target)));
    return *files_.back();
}

void AtomicFileSet::commit() {
    try {
        for (const auto& file : files_)
            if (!file->finished())
                file->finish();
        // Back to back, with nothing in between that could fail or take time.
        for (const auto& file : files_)
            file->replaceTarget();
    } catch (...) {
        abandon();
        throw;
    }
    syncFolders();
}

void AtomicFileSet::abandon() noexcept {
    for (const auto& file : files_)
        file->abandon();
}

std::size_t AtomicFileSet::replacedCount() const {
    return std::size_t(std::count_if(files_.begin(), files_.end(),
                                     [](const auto& file) { return file->replaced(); }));
}

void AtomicFileSet::syncFolders() const noexcept {
    std::vector<std::filesystem::path> synced;
    for (const auto& file : files_) {
        const std::filesystem::path folder = file->destination().parent_path();
        if (std::find(synced.begin(), synced.end(), folder) != synced.end())
            continue;
        file->syncFolder();
        synced.push_back(folder);
    }
}

} // namespace murelo
