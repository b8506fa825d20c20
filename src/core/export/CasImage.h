#pragma once

#include "core/export/LoadAddressCheck.h"
#include "core/export/TapeName.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace murelo {

// What both tape outputs carry: one binary file of the loader and the packed screen.
struct TapeFile {
    TapeFileName name{};
    TapeHeader header;
    std::span<const std::uint8_t> loader; // the loader for header.start
    std::span<const std::uint8_t> packed; // the packed screen's bytes
};

// Put before every block of a CAS image.
constexpr std::array<std::uint8_t, 8> CasBlockSync = {0x1F, 0xA6, 0xDE, 0xBA,
                                                      0xCC, 0x13, 0x7D, 0x74};
// Ten of these open the header block of a binary file.
constexpr std::uint8_t BinaryFileMark = 0xD0;
constexpr int BinaryFileMarkCount = 10;

// Sync, ten 0xD0, the name, sync, the three addresses, loader, packed screen, then 1..16
// zero bytes up to the next multiple of 16 (a length that is one already gets 16).
std::vector<std::uint8_t> BuildCasImage(const TapeFile& tape);

// Writes the image; FileWriteError names the file and the reason on any failure.
void WriteCasImage(const std::filesystem::path& path, const TapeFile& tape);

} // namespace murelo
