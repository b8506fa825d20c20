#pragma once

#include "core/editor/Picture.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace murelo::test {

// A binary PPM (P6) file as a picture of colour values.
Picture ReadPpm(const std::filesystem::path& file);

// Builds a bitmap file field by field, so that malformed cases can be made on purpose.
class BitmapBytes {
  public:
    // A BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER; offBits defaults to right after them.
    static BitmapBytes Info(std::int32_t width, std::int32_t height, int bitsPerPixel,
                            std::uint32_t compression = 0, std::uint32_t colorsUsed = 0);

    BitmapBytes& u8(std::uint8_t v);
    BitmapBytes& u16(std::uint16_t v);
    BitmapBytes& u32(std::uint32_t v);
    BitmapBytes& bytes(std::initializer_list<std::uint8_t> v);
    BitmapBytes& zeros(std::size_t n);
    // Overwrites a 32-bit field, e.g. bfOffBits at 10 or biClrUsed at 46.
    BitmapBytes& set32(std::size_t offset, std::uint32_t v);
    // bfOffBits = the current size (call after the colour table).
    BitmapBytes& pixelsStartHere();

    const std::vector<std::uint8_t>& data() const { return data_; }

  private:
    std::vector<std::uint8_t> data_;
};

} // namespace murelo::test
