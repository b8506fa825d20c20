#pragma once

#include "core/export/LoadAddressCheck.h"

#include <array>
#include <cstdint>
#include <span>

namespace murelo {

using LoaderBytes = std::array<std::uint8_t, LoaderSize>;

// Loader.asm assembled for each start address, in the order of StartAddresses.
extern const std::array<LoaderBytes, StartAddressCount> AssembledLoaders;

// The loader for start-address item `choice` (0..4, std::out_of_range otherwise).
const LoaderBytes& LoaderImage(int choice);

// Offsets inside the loader, and where the packed screen follows it.
constexpr std::size_t LoaderWaitFlagOffset = 0x008;
constexpr std::size_t LoaderTextOffset = 0x00A;
constexpr std::size_t LoaderTextSize = 38;
constexpr std::size_t LoaderMainOffset = 0x030;
constexpr std::size_t LoaderRoutinesOffset = 0x0D0;
constexpr std::size_t LoaderTailOffset = 0x1EE;

} // namespace murelo
