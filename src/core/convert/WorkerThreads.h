#pragma once

#include <functional>

namespace murelo {

// The threads a conversion or a score uses unless told otherwise: the machine's cores, at
// most MaxWorkerThreads.
inline constexpr int MaxWorkerThreads = 4;
int DefaultWorkerThreads();

// Runs job(part) for every part 0 .. parts - 1 on up to `threads` threads, the caller's
// among them, and returns when all are done. Parts must not depend on each other; then
// which thread takes which part never shows in a result.
void RunParts(int parts, int threads, const std::function<void(int)>& job);

} // namespace murelo
