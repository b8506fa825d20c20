#include "core/editor/BitmapCodecRle.h"

#include <algorithm>

namespace murelo::bitmap {

namespace {

class RleCanvas {
  public:
    RleCanvas(int width, int height)
        : width_(width), height_(height), indices_(std::size_t(width) * height, 0) {}

    bool full() const { return y_ >= height_; }
    void put(std::uint8_t index) {
        if (x_ < width_ && y_ < height_)
            indices_[std::size_t(y_) * width_ + std::size_t(x_)] = index;
        // Clamped so that endless runs past the edge cannot overflow the column.
        x_ = std::min<std::int64_t>(x_ + 1, width_);
    }
    void endLine() {
        x_ = 0;
        ++y_;
    }
    void move(int dx, int dy) {
        x_ = std::min<std::int64_t>(x_ + dx, width_);
        y_ = std::min<std::int64_t>(y_ + dy, height_);
    }
    std::vector<std::uint8_t> take() { return std::move(indices_); }

  private:
    int width_, height_;
    std::int64_t x_ = 0, y_ = 0;
    std::vector<std::uint8_t> indices_;
};

std::uint8_t Nibble(std::uint8_t byte, std::size_t i) {
    return i % 2 == 0 ? std::uint8_t(byte >> 4) : std::uint8_t(byte & 0x0F);
}

} // namespace

std::vector<std::uint8_t> ExpandRle(std::span<const std::uint8_t> data, int width, int height,
                                    int bitsPerPixel) {
    RleCanvas canvas(width, height);
    const bool four = bitsPerPixel == 4;
    std::size_t pos = 0;
    while (pos + 2 <= data.size() && !canvas.full()) {
        const std::uint8_t count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (std::size_t i = 0; i < count; ++i)
                canvas.put(four ? Nibble(value, i) : value);
            continue;
        }
        if (value == 0) {
            canvas.endLine();
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (pos + 2 > data.size())
                break;
            canvas.move(data[pos], data[pos + 1]);
            pos += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            for (std::size_t i = 0; i < value; ++i) {
                const std::size_t at = pos + (four ? i / 2 : i);
                if (at >= data.size())
                    break;
                canvas.put(four ? Nibble(data[at], i) : data[at]);
            }
            pos += bytes + (bytes & 1); // absolute runs are padded to 16 bits
        }
    }
    return canvas.take();
}

} // namespace murelo::bitmap
