#include "core/convert/WorkerThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace murelo {
namespace {

TEST(WorkerThreadsTest, EveryPartRunsOnceWhateverTheThreads) {
    struct Case {
        int parts;
        int threads;
    };
    for (const Case& c :
         {Case{0, 2}, Case{1, 4}, Case{7, 1}, Case{7, 2}, Case{3, 8}, Case{100, 3}, Case{5, 0}}) {
        std::vector<std::atomic<int>> runs(std::size_t(c.parts));
        RunParts(c.parts, c.threads, [&](int part) { ++runs[std::size_t(part)]; });
        for (int part = 0; part < c.parts; ++part)
            EXPECT_EQ(runs[std::size_t(part)].load(), 1)
                << c.parts << " parts, " << c.threads << " threads, part " << part;
    }
    EXPECT_GE(DefaultWorkerThreads(), 1);
    EXPECT_LE(DefaultWorkerThreads(), MaxWorkerThreads);
}

} // namespace
} // namespace murelo
