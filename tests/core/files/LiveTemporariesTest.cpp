#include "core/editor/LiveTemporaries.h"
#include "FileTestSupport.h"
#include "core/editor/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace murelo {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Entries;

TEST(LiveTemporaries, EveryOpenTemporaryIsRememberedUntilItIsGone) {
    test::TempDir dir;
    const std::size_t before = LiveTemporaryCount();
    {
        AtomicFile a(dir / "a");
        AtomicFile b(dir / "b");
        EXPECT_EQ(LiveTemporaryCount(), before + 2);
        a.commit();
        EXPECT_EQ(LiveTemporaryCount(), before + 1);
    }
    EXPECT_EQ(LiveTemporaryCount(), before);
}

TEST(LiveTemporaries, RemovingThemLeavesTargetsAndFinishedFilesAlone) {
    test::TempDir dir;
    test::Write(dir / "old", Bytes(3, 3));
    AtomicFile pending(dir / "old");
    pending.write(Bytes(100, 1));
    AtomicFile done(dir / "done");
    done.commit();
    RemoveLiveTemporaries();
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"done", "old"}));
    EXPECT_EQ(test::Read(dir / "old"), Bytes(3, 3));
}

// A child writes half a file and is stopped by the signal; the temporary must be gone and the
// child must have ended by that signal, as it would have without the clean-up.
TEST(LiveTemporaries, AStopSignalRemovesTheTemporariesAndStillStops) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        test::TempDir dir;
        test::Write(dir / "old", Bytes(3, 3));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RemoveTemporariesOnStop();
            AtomicFile first(dir / "old");
            first.write(Bytes(200000, 1));
            AtomicFile second(dir / "new");
            ::raise(signal);
            ::_exit(0); // not reached when the signal stops the child
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"old"});
        EXPECT_EQ(test::Read(dir / "old"), Bytes(3, 3));
    }
}

TEST(LiveTemporaries, AnIgnoredSignalStaysIgnored) {
    test::TempDir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGHUP, SIG_IGN); // as under nohup
        RemoveTemporariesOnStop();
        AtomicFile file(dir / "kept");
        ::raise(SIGHUP);
        file.commit();
        ::_exit(7);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"kept"});
}

} // namespace
} // namespace murelo
