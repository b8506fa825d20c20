#pragma once

#include "core/palette/ColorValue.h"

#include <cstdint>
#include <vector>

namespace murelo {

constexpr int MaxPictureSize = 640;

// A picture of colour values, row by row from the top. The pixel buffer has the byte
// order of a little-endian RGBX image, so a window can show it without conversion.
class Picture {
  public:
    Picture() = default;
    Picture(int width, int height, ColorValue fill = 0xFFFFFF);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Outside the picture: reads give NoColor, writes are dropped.
    ColorValue pixel(int x, int y) const { return contains(x, y) ? pixels_[index(x, y)] : NoColor; }
    void setPixel(int x, int y, ColorValue c) {
        if (contains(x, y))
            pixels_[index(x, y)] = c;
    }

    void fill(ColorValue c);
    // Fills the rectangle clipped to the picture.
    void fillRect(int x, int y, int w, int h, ColorValue c);

    const ColorValue* row(int y) const { return pixels_.data() + std::size_t(y) * width_; }
    ColorValue* row(int y) { return pixels_.data() + std::size_t(y) * width_; }
    const std::vector<ColorValue>& pixels() const { return pixels_; }
    std::vector<ColorValue>& pixels() { return pixels_; }

    friend bool operator==(const Picture&, const Picture&) = default;

  private:
    std::size_t index(int x, int y) const { return std::size_t(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<ColorValue> pixels_;
};

} // namespace murelo
