#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace murelo {

// Byte offset = video-memory address. The SCREEN 7 palette table ends at 0xFA9F, so the
// buffer covers the whole 64 KB address space of the V9938's first bank.
constexpr std::size_t ScreenBufferSize = 0x10000;
// The SCREEN 2 video memory at the start of the buffer.
constexpr std::size_t VramImageSize = 0x4000;

using VramImage = std::span<std::uint8_t, VramImageSize>;
using ConstVramImage = std::span<const std::uint8_t, VramImageSize>;

struct ScreenBuffer {
    std::array<std::uint8_t, ScreenBufferSize> bytes{};

    VramImage vramImage() { return VramImage(bytes.data(), VramImageSize); }
    ConstVramImage vramImage() const { return ConstVramImage(bytes.data(), VramImageSize); }
};

// The one buffer that the colour check, the export and the converters share. It is zero at
// start-up and keeps whatever its last user wrote.
ScreenBuffer& SharedScreenBuffer();

} // namespace murelo
