#include "BitmapTestFiles.h"

#include <fstream>
#include <stdexcept>

namespace murelo::test {

namespace {

// The next whitespace-separated header token of a PPM file.
std::string Token(std::istream& in) {
    std::string t;
    in >> t;
    return t;
}

} // namespace

Picture ReadPpm(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (Token(in) != "P6")
        throw std::runtime_error("not a binary PPM: " + file.string());
    const int w = std::stoi(Token(in)), h = std::stoi(Token(in));
    if (Token(in) != "255")
        throw std::runtime_error("PPM with a maximum other than 255: " + file.string());
    in.get(); // the single whitespace before the samples
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char rgb[3];
            if (!in.read(reinterpret_cast<char*>(rgb), 3))
                throw std::runtime_error("PPM cut off: " + file.string());
            p.setPixel(x, y, RgbColor(rgb[0], rgb[1], rgb[2]));
        }
    return p;
}

BitmapBytes BitmapBytes::Info(std::int32_t width, std::int32_t height, int bitsPerPixel,
                              std::uint32_t compression, std::uint32_t colorsUsed) {
    BitmapBytes b;
    b.bytes({'B', 'M'}).u32(0).u32(0).u32(54);
    b.u32(40)
        .u32(std::uint32_t(width))
        .u32(std::uint32_t(height))
        .u16(1)
        .u16(std::uint16_t(bitsPerPixel));
    b.u32(compression).u32(0).u32(2835).u32(2835).u32(colorsUsed).u32(0);
    return b;
}

BitmapBytes& BitmapBytes::u8(std::uint8_t v) {
    data_.push_back(v);
    return *this;
}
BitmapBytes& BitmapBytes::u16(std::uint16_t v) {
    return u8(std::uint8_t(v)).u8(std::uint8_t(v >> 8));
}
BitmapBytes& BitmapBytes::u32(std::uint32_t v) {
    return u16(std::uint16_t(v)).u16(std::uint16_t(v >> 16));
}
BitmapBytes& BitmapBytes::bytes(std::initializer_list<std::uint8_t> v) {
    data_.insert(data_.end(), v);
    return *this;
}
BitmapBytes& BitmapBytes::zeros(std::size_t n) {
    data_.resize(data_.size() + n, 0);
    return *this;
}
BitmapBytes& BitmapBytes::set32(std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        data_.at(offset + i) = std::uint8_t(v >> (8 * i));
    return *this;
}
BitmapBytes& BitmapBytes::pixelsStartHere() {
    return set32(10, std::uint32_t(data_.size()));
}

} // namespace murelo::test
