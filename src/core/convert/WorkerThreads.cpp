#include "core/convert/WorkerThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace murelo {

int DefaultWorkerThreads() {
    const int cores = int(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, MaxWorkerThreads);
}

void RunParts(int parts, int threads, const std::function<void(int)>& job) {
    const int helpers = std::min(threads, parts) - 1;
    if (helpers <= 0) {
        for (int part = 0; part < parts; ++part)
            job(part);
        return;
    }
    std::atomic<int> next{0};
    auto work = [&] {
        for (int part = next++; part < parts; part = next++)
            job(part);
    };
    std::vector<std::thread> pool;
    pool.reserve(std::size_t(helpers));
    for (int i = 0; i < helpers; ++i)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
}

} // namespace murelo
