#include "core/export/BinaryExportFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murelo {
namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes = bytes.subspan(std::size_t(n));
    }
    return true;
}

// Files made by mkstemp are private; a machine file gets the ordinary permissions.
void GiveOrdinaryPermissions(int fd) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        std::filesystem::path pattern = target;
        pattern += ".tmp-XXXXXX";
        name_ = pattern.string();
        fd_ = ::mkstemp(name_.data());
        if (fd_ >= 0)
            GiveOrdinaryPermissions(fd_);
    }
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Closes the file and puts it in the target's place.
    bool replace(const std::filesystem::path& target) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || std::rename(name_.c_str(), target.c_str()) != 0)
            return false;
        kept_ = true;
        return true;
    }

  private:
    std::string name_;
    int fd_ = -1;
    bool kept_ = false;
};

} // namespace

void WriteExportFile(const std::filesystem::path& file,
                     const std::optional<BsaveHeaderBytes>& header,
                     std::span<const std::uint8_t> data, ExportFilesReport& report) {
    TemporaryFile temp(file);
    const bool done = temp.created() && (!header || WriteAll(temp.fd(), *header)) &&
                      WriteAll(temp.fd(), data) && temp.replace(file);
    if (done)
        report.written.push_back(file);
    else
        report.failures.push_back({file, SystemReason(errno)});
}

} // namespace murelo
