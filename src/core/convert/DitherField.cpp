#include "core/convert/DitherField.h"

#include <algorithm>

namespace murelo {

void ColourCosts(const DitherWork& work, std::size_t p, const LinearColor& now,
                 std::array<float, 16>& cost) {
    const Metric& m = work.metric[p];
    const LinearColor& f = work.field[p];
    const float self = SelfReach(work);
    const LinearColor mv = Times(m, now.r, now.g, now.b);
    const float hr = 2 * (f.r - self * mv.r), hg = 2 * (f.g - self * mv.g),
                hb = 2 * (f.b - self * mv.b);
    const float base = self * Dot(now, mv) - 2 * Dot(now, f);
    const float s0 = self * m[0], s1 = self * m[1], s2 = self * m[2];
    const float s3 = self * m[3], s4 = self * m[4], s5 = self * m[5];
    const auto& c = work.channel;
    const auto& q = work.squares;
    for (std::size_t k = 0; k < 16; ++k)
        cost[k] = hr * c[0][k] + hg * c[1][k] + hb * c[2][k] + s0 * q[0][k] + s1 * q[1][k] +
                  s2 * q[2][k] + s3 * q[3][k] + s4 * q[4][k] + s5 * q[5][k] + base;
}

void SpreadChange(DitherWork& work, int x, int y, const LinearColor& change) {
    const LinearColor u{work.share * change.r, work.share * change.g, work.share * change.b};
    const int x0 = std::max(0, x - FieldRadius);
    const int x1 = std::min(work.width - 1, x + FieldRadius);
    const int y0 = std::max(0, y - FieldRadius);
    const int y1 = std::min(work.height - 1, y + FieldRadius);
    for (int yy = y0; yy <= y1; ++yy) {
        const float down = work.reach[std::size_t(std::abs(yy - y))];
        LinearColor* row = work.field.data() + std::size_t(yy) * work.width;
        for (int xx = x0; xx <= x1; ++xx) {
            const float a = down * work.reach[std::size_t(std::abs(xx - x))];
            row[xx].r += a * u.r;
            row[xx].g += a * u.g;
            row[xx].b += a * u.b;
        }
    }
}

void SpreadRunChanges(DitherWork& work, int x0, int y, int count, const LinearColor* u) {
    constexpr int Span = 8 + 2 * FieldRadius;
    LinearColor across[Span] = {};
    const int left = x0 - FieldRadius;
    for (int i = 0; i < count; ++i) {
        if (u[i].r == 0 && u[i].g == 0 && u[i].b == 0)
            continue;
        for (int d = -FieldRadius; d <= FieldRadius; ++d) {
            const float a = work.share * work.reach[std::size_t(std::abs(d))];
            LinearColor& s = across[i + d + FieldRadius];
            s.r += a * u[i].r;
            s.g += a * u[i].g;
            s.b += a * u[i].b;
        }
    }
    const int from = std::max(0, left);
    const int to = std::min(work.width, left + count + 2 * FieldRadius);
    for (int yy = std::max(0, y - FieldRadius); yy <= std::min(work.height - 1, y + FieldRadius);
         ++yy) {
        const float down = work.reach[std::size_t(std::abs(yy - y))];
        LinearColor* row = work.field.data() + std::size_t(yy) * work.width;
        for (int xx = from; xx < to; ++xx) {
            const LinearColor& s = across[xx - left];
            row[xx].r += down * s.r;
            row[xx].g += down * s.g;
            row[xx].b += down * s.b;
        }
    }
}

} // namespace murelo
