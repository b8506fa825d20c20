#include "BenchPictures.h"

#include <algorithm>

namespace murelo::bench {

Picture PhotographLike(int width, int height) {
    Picture picture(width, height);
    unsigned s = 0x9E3779B9u;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s = s * 1664525u + 1013904223u;
            const int noise = int((s >> 24) % 25) - 12;
            const int dx = x - width / 3;
            const int dy = y - height / 2;
            const int glow = std::max(0, 120 - (dx * dx + dy * dy) / 900);
            int r = x * 200 / width + glow + noise;
            int g = y * 180 / height + glow / 2 - noise;
            int b = (x + 2 * y) * 255 / (3 * width) + noise / 2;
            if ((x / 40 + y / 56) % 7 == 0) { // flat, hard-edged areas
                r = 30 + (x / 40) * 17 % 200;
                g = 200 - (y / 56) * 13 % 150;
                b = 90;
            }
            picture.setPixel(
                x, y,
                RgbColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    }
    return picture;
}

} // namespace murelo::bench
