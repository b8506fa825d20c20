#include "core/editor/PictureFileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murelo {

namespace {

// Far above any bitmap of 640 x 640 pixels; a bigger "bitmap" is not read into memory.
constexpr off_t LargestReadableFile = 64 * 1024 * 1024;

std::string Reason() {
    return std::strerror(errno);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a failed write).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new file gets, or the existing target's, so a save keeps its permissions.
mode_t TargetMode(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileBytes ReadRegularFile(const std::string& path) {
    FileBytes result;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = path + " : " + Reason();
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error = path + " : " + Reason();
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = path + " is not a regular file";
        return result;
    }
    if (st.st_size > LargestReadableFile) {
        result.error = path + " is too large for a bitmap";
        return result;
    }
    result.bytes.resize(std::size_t(st.st_size));
    std::size_t got = 0;
    while (got < result.bytes.size()) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + got, result.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = path + " : " + Reason();
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break; // the file shrank while being read
        got += std::size_t(n);
    }
    result.bytes.resize(got);
    return result;
}

std::string WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const mode_t mode = TargetMode(path);
    std::string temp = FolderOf(path) + "/.murelo-save-XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return Reason();
    std::string failure;
    if (::fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), bytes.data(), bytes.size()) ||
        ::fsync(fd.get()) != 0)
        failure = Reason();
    if (!fd.close() && failure.empty())
        failure = Reason();
    if (failure.empty() && ::rename(temp.c_str(), path.c_str()) != 0)
        failure = Reason();
    if (!failure.empty())
        ::unlink(temp.c_str());
    return failure;
}

} // namespace murelo
