#include "core/editor/Picture.h"

#include <algorithm>

namespace murelo {

Picture::Picture(int width, int height, ColorValue fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * height_, fill) {}

void Picture::fill(ColorValue c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Picture::fillRect(int x, int y, int w, int h, ColorValue c) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, width_), bottom = std::min(y + h, height_);
    for (int yy = top; yy < bottom; ++yy)
        std::fill(row(yy) + left, row(yy) + std::max(left, right), c);
}

} // namespace murelo
