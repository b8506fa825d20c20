#pragma once

#include "core/editor/AtomicFile.h"
#include "core/export/CasImage.h"

#include <filesystem>

namespace murelo {

constexpr int DefaultWavVolume = 64;

// The cassette audio of a tape file: silence, the long header tone, the file header
// block, silence, the short tone, addresses, loader and packed screen, silence.
// baudMultiplier 1 is 1200 baud, 2 is 2400 baud; volume 1..127. Throws FileWriteError
// (naming the file) when it cannot be written; the target then stays as it was.
void WriteWavTape(const std::filesystem::path& path, const TapeFile& tape, int baudMultiplier,
                  int volume);

} // namespace murelo
