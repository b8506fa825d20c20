#pragma once

#include <cstdint>

namespace murelo {

// The bitmap pixel format a picture is saved in; the number is the format code files and
// the command line use.
enum class PixelFormat : std::uint8_t {
    Bits1 = 1,
    Bits4 = 2,
    Bits8 = 3,
    Bits15 = 4,
    Bits16 = 5,
    Bits24 = 6,
    Bits32 = 7,
};

constexpr std::uint8_t PixelFormatCode(PixelFormat format) {
    return static_cast<std::uint8_t>(format);
}

} // namespace murelo
