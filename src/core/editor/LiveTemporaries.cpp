#include "core/editor/LiveTemporaries.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace murelo {

namespace {

// A bank export keeps nine temporaries at once; a batch of converted pictures keeps up to
// AtomicBatch's limit. The slots are zero until used, so the unused ones cost no memory.
constexpr std::size_t SlotCount = 1024;

enum SlotState : int { Free = 0, Busy = 1, Live = 2 };

struct Slot {
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

std::array<Slot, SlotCount> slots;

extern "C" void RemoveAndStop(int signal) {
    RemoveLiveTemporaries();
    // The handler was reset to the default on entry; the signal, blocked until the handler
    // returns, then ends the program with the status the caller expects.
    ::raise(signal);
}

void RemoveOn(int signal) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = RemoveAndStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

} // namespace

int RememberTemporary(const std::string& path) noexcept {
    if (path.size() >= PATH_MAX)
        return -1;
    for (std::size_t i = 0; i < SlotCount; ++i) {
        int expected = Free;
        if (!slots[i].state.compare_exchange_strong(expected, Busy))
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].state.store(Live, std::memory_order_release);
        return int(i);
    }
    return -1;
}

void ForgetTemporary(int slot) noexcept {
    if (slot >= 0 && std::size_t(slot) < SlotCount)
        slots[std::size_t(slot)].state.store(Free, std::memory_order_release);
}

std::size_t LiveTemporaryCount() noexcept {
    std::size_t count = 0;
    for (const Slot& slot : slots)
        count += slot.state.load(std::memory_order_acquire) == Live;
    return count;
}

void RemoveLiveTemporaries() noexcept {
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == Live)
            ::unlink(slot.path);
}

void RemoveTemporariesOnStop() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        RemoveOn(signal);
}

} // namespace murelo
