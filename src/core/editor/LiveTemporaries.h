#pragma once

#include <cstddef>
#include <string>

namespace murelo {

// The temporary files that exist right now, so that a program stopped by a signal can remove
// them before it ends. Registering and forgetting take no lock and allocate nothing.

// Returns the slot that remembers `path`, or -1 when every slot is taken (the file is then
// still removed on every ordinary path, only not by a signal).
int RememberTemporary(const std::string& path) noexcept;
// Forgets a slot from RememberTemporary; -1 is ignored.
void ForgetTemporary(int slot) noexcept;
std::size_t LiveTemporaryCount() noexcept;

// Removes every remembered temporary. Async-signal-safe: it only reads the slots and unlinks.
void RemoveLiveTemporaries() noexcept;

// Makes SIGINT, SIGTERM and SIGHUP remove the live temporaries and then end the program as
// the signal would have. A signal the program was started with ignored stays ignored.
void RemoveTemporariesOnStop();

} // namespace murelo
