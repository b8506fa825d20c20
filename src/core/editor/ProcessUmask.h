#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace murelo {

// The umask given on the "Umask:" line of a process status text (as /proc/self/status has
// it, "Umask:\t0022"), or nothing when the line is missing or not an octal mask.
std::optional<mode_t> ParseStatusUmask(std::string_view status);

// The umask a new file is created under, read from the process status file without changing
// it (changing and restoring it would give files another thread creates meanwhile the mode
// 0666 or 0777). Where the file cannot be read or holds no umask: 077, so such a file is
// readable by its owner alone rather than by more people than the user allows.
mode_t ReadUmask(const std::filesystem::path& statusFile = "/proc/self/status");

} // namespace murelo
