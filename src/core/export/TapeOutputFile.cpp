#include "core/export/TapeOutputFile.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace murelo {

namespace {

constexpr char TempSuffix[] = ".tmp";

// mkstemp makes files for the owner only; a finished tape gets the usual permissions.
void GiveUsualPermissions(int fd) {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

} // namespace

TapeOutputFile::TapeOutputFile(std::filesystem::path target) : target_(std::move(target)) {
    std::string pattern = target_.string() + "-XXXXXX" + TempSuffix;
    const int fd = mkstemps(pattern.data(), int(sizeof TempSuffix - 1));
    if (fd < 0)
        throw FileWriteError(target_, std::strerror(errno));
    temp_ = pattern;
    GiveUsualPermissions(fd);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        const int err = errno;
        ::close(fd);
        discard();
        throw FileWriteError(target_, std::strerror(err));
    }
}

TapeOutputFile::~TapeOutputFile() {
    discard();
}

void TapeOutputFile::write(std::span<const std::uint8_t> bytes) {
    if (!file_)
        fail("the file is already closed");
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        fail(std::strerror(errno));
}

void TapeOutputFile::seek(std::size_t offset) {
    if (!file_)
        fail("the file is already closed");
    if (std::fseek(file_, long(offset), SEEK_SET) != 0)
        fail(std::strerror(errno));
}

void TapeOutputFile::commit() {
    if (!file_)
        fail("the file is already closed");
    std::FILE* file = file_;
    file_ = nullptr;
    // A full disk often shows only when the buffered tail is flushed at close.
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed)
        fail(std::strerror(flushed ? errno : flushError));
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec)
        fail(ec.message());
    temp_.clear();
}

void TapeOutputFile::fail(const std::string& reason) {
    discard();
    throw FileWriteError(target_, reason);
}

void TapeOutputFile::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

} // namespace murelo
