#include "core/editor/AtomicFile.h"

#include "core/editor/LiveTemporaries.h"
#include "core/editor/ProcessUmask.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murelo {

namespace {

constexpr std::size_t BufferBytes = 1 << 16;
constexpr int MostLinksFollowed = 40; // as the kernel's own limit, then ELOOP
constexpr char TemporarySuffix[] = ".tmp";
constexpr std::size_t TemporaryExtra = 1 + 7 + sizeof TemporarySuffix - 1; // "." "-XXXXXX" ".tmp"

std::string SystemReason() {
    return std::strerror(errno);
}

// The file a write to `target` ends up in: the target itself, or the file its chain of
// symbolic links leads to (which need not exist yet, as for open with O_CREAT).
std::filesystem::path FollowLinks(const std::filesystem::path& target) {
    std::filesystem::path path = target;
    for (int i = 0; i < MostLinksFollowed; ++i) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec)
            return path;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    errno = ELOOP;
    return {};
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// ".NAME-XXXXXX.tmp", NAME cut (at a character boundary) so that the whole stays a legal
// file name even beside a target whose name is as long as names get.
std::string TemporaryPattern(const std::filesystem::path& destination) {
    std::string name = destination.filename().string();
    const std::size_t room = NAME_MAX - TemporaryExtra;
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return (FolderOf(destination) / ("." + name + "-XXXXXX" + TemporarySuffix)).string();
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// Holds SIGINT, SIGTERM and SIGHUP back for this thread while it lives.
class StopSignalsHeld {
  public:
    StopSignalsHeld() {
        sigset_t stop;
        sigemptyset(&stop);
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&stop, signal);
        const int saved = errno;
        ::pthread_sigmask(SIG_BLOCK, &stop, &previous_);
        errno = saved;
    }
    ~StopSignalsHeld() {
        const int saved = errno;
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        errno = saved;
    }
    StopSignalsHeld(const StopSignalsHeld&) = delete;
    StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

  private:
    sigset_t previous_{};
};

mode_t NewFileMode() {
    return 0666 & ~ReadUmask();
}

} // namespace

FileWriteError::FileWriteError(std::filesystem::path file, std::string reason)
    : std::runtime_error("cannot write " + file.string() + ": " + reason), file(std::move(file)),
      reason(std::move(reason)) {}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    destination_ = FollowLinks(target_);
    if (destination_.empty())
        failWithSystemReason();
    std::string pattern = TemporaryPattern(destination_);
    if (FileFaultStrikes(FileStep::Create))
        failWithSystemReason();
    {
        // A stop signal between creating and remembering would leave the temporary behind.
        const StopSignalsHeld held;
        fd_ = ::mkostemps(pattern.data(), int(sizeof TemporarySuffix - 1), O_CLOEXEC);
        if (fd_ >= 0)
            slot_ = RememberTemporary(pattern);
    }
    if (fd_ < 0)
        failWithSystemReason();
    temporary_ = pattern;
    buffer_.reserve(BufferBytes);
}

AtomicFile::~AtomicFile() {
    if (state_ != State::Replaced)
        abandon();
}

void AtomicFile::write(std::span<const std::uint8_t> bytes) {
    requireOpen();
    if (FileFaultStrikes(FileStep::Write))
        failWithSystemReason();
    if (buffer_.size() + bytes.size() > BufferBytes)
        drain();
    if (bytes.size() >= BufferBytes) {
        if (!WriteAll(fd_, bytes.data(), bytes.size()))
            failWithSystemReason();
        return;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void AtomicFile::seek(std::size_t offset) {
    requireOpen();
    drain();
    if (::lseek(fd_, off_t(offset), SEEK_SET) < 0)
        failWithSystemReason();
}

void AtomicFile::finish(Sync sync) {
    requireOpen();
    if (FileFaultStrikes(FileStep::Flush))
        failWithSystemReason();
    drain();
    takeTargetPermissions();
    if (sync == Sync::Now && (FileFaultStrikes(FileStep::Sync) || ::fsync(fd_) != 0))
        failWithSystemReason();
    const int fd = fd_;
    fd_ = -1;
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0)
        failWithSystemReason();
    buffer_ = {};
    state_ = State::Finished;
}

void AtomicFile::replaceTarget() {
    if (state_ == State::Open)
        finish();
    if (state_ != State::Finished)
        fail("the file is already closed");
    if (FileFaultStrikes(FileStep::Rename) ||
        std::rename(temporary_.c_str(), destination_.c_str()) != 0)
        failWithSystemReason();
    state_ = State::Replaced;
    ForgetTemporary(slot_);
    slot_ = -1;
}

void AtomicFile::syncFolder() const noexcept {
    const int fd = ::open(FolderOf(destination_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void AtomicFile::commit() {
    replaceTarget();
    syncFolder();
}

void AtomicFile::abandon() noexcept {
    if (state_ == State::Replaced || state_ == State::Abandoned)
        return;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    ForgetTemporary(slot_);
    slot_ = -1;
    buffer_ = {};
    state_ = State::Abandoned;
}

void AtomicFile::fail(const std::string& reason) {
    abandon();
    throw FileWriteError(target_, reason);
}

void AtomicFile::failWithSystemReason() {
    fail(SystemReason());
}

void AtomicFile::requireOpen() {
    if (state_ != State::Open)
        fail("the file is already closed");
}

void AtomicFile::drain() {
    if (!buffer_.empty() && !WriteAll(fd_, buffer_.data(), buffer_.size()))
        failWithSystemReason();
    buffer_.clear();
}

// The replaced file's permission bits (and, where the system lets us, its owner) carry over,
// so a save never widens or narrows who may read it; set-id bits are not carried over. Only a
// regular file is ever replaced: renaming over a device or a pipe would destroy it.
void AtomicFile::takeTargetPermissions() {
    struct stat st {};
    mode_t mode = 0;
    if (::stat(destination_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            fail(std::strerror(EISDIR));
        if (!S_ISREG(st.st_mode))
            fail("not a regular file");
        mode = st.st_mode & 0777;
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not ours to give away: the new file stays the writer's own.
        }
    } else if (errno == ENOENT) {
        mode = NewFileMode();
    } else {
        failWithSystemReason();
    }
    if (::fchmod(fd_, mode) != 0)
        failWithSystemReason();
}

void WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

} // namespace murelo
