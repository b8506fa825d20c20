#include "core/editor/PictureFileIo.h"

#include <cerrno>
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

  private:
    int fd_;
};

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

} // namespace murelo
