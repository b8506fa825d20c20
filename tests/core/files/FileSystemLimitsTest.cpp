// Real file-system refusals: a full disk, a read-only folder, a file-size limit.
#include "FileTestSupport.h"
#include "core/editor/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Entries;
using test::Pattern;
using test::Read;

std::string ReasonOf(const fs::path& target, const Bytes& bytes) {
    try {
        WriteFileAtomically(target, bytes);
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.file, target);
        return e.reason;
    }
    return "";
}

TEST(FileSystemLimits, AFullDiskKeepsTheOldFile) {
    test::SmallFileSystem disk("256k");
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const Bytes old = Pattern(1000, 1);
    test::Write(disk / "pic.bmp", old);
    // Fill what is left, so that a file of any size finds no room.
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::vector<char> block(4096, 'x');
        while (filler.write(block.data(), std::streamsize(block.size())))
            ;
    }
    fs::resize_file(disk / "filler", fs::file_size(disk / "filler") / 4096 * 4096 - 8192);
    EXPECT_EQ(ReasonOf(disk / "pic.bmp", Pattern(300000, 2)), "No space left on device");
    EXPECT_EQ(Read(disk / "pic.bmp"), old);
    EXPECT_EQ(Entries(disk.path()), (std::vector<std::string>{"filler", "pic.bmp"}));
}

TEST(FileSystemLimits, AReadOnlyFolderKeepsTheOldFile) {
    test::SmallFileSystem disk("64k");
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    test::Write(disk / "pic.bmp", Bytes(10, 1));
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_EQ(ReasonOf(disk / "pic.bmp", Bytes(20, 2)), "Read-only file system");
    EXPECT_EQ(ReasonOf(disk / "new.bmp", Bytes(20, 2)), "Read-only file system");
    EXPECT_EQ(Read(disk / "pic.bmp"), Bytes(10, 1));
    EXPECT_EQ(Entries(disk.path()), std::vector<std::string>{"pic.bmp"});
}

TEST(FileSystemLimits, AFileSizeLimitStopsTheWritePartWay) {
    test::TempDir dir;
    test::Write(dir / "pic.bmp", Bytes(10, 1));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const std::string reason = ReasonOf(dir / "pic.bmp", Pattern(300000, 3));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(Read(dir / "pic.bmp"), Bytes(10, 1));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"pic.bmp"});
}

} // namespace
} // namespace murelo
