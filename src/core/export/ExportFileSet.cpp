#include "core/export/ExportFileSet.h"

namespace murelo {

void ExportFileSet::add(const std::filesystem::path& file,
                        const std::optional<BsaveHeaderBytes>& header,
                        std::span<const std::uint8_t> data) {
    try {
        AtomicFile& member = files_.add(file);
        if (header)
            member.write(*header);
        member.write(data);
        // Finished now, so that a set of many files keeps no more than one open.
        member.finish();
        targets_.push_back(file);
    } catch (const FileWriteError& e) {
        report_.failures.push_back({file, e.reason});
    }
}

ExportFilesReport ExportFileSet::commit() {
    if (!report_.ok()) {
        files_.abandon();
        return std::move(report_);
    }
    try {
        files_.commit();
        report_.written = targets_;
    } catch (const FileWriteError& e) {
        const std::size_t replaced = files_.replacedCount();
        report_.written.assign(targets_.begin(), targets_.begin() + std::ptrdiff_t(replaced));
        report_.failures.push_back({e.file, e.reason});
    }
    return std::move(report_);
}

} // namespace murelo
