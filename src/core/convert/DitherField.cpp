#include "core/convert/DitherField.h"

#include <algorithm>

namespace murelo {

void RunColourCosts(const DitherWork& work, std::size_t p0, int count, const LinearColor* now,
                    RunCosts& cost) {
    constexpr std::size_t Lanes = std::tuple_size_v<RunCosts::value_type>;
    const float self = SelfReach(work);
    // Per pixel: the factors of the colours' channels and squares, and the constant term.
    alignas(16) std::array<std::array<float, Lanes>, 3> h{};
    alignas(16) std::array<std::array<float, Lanes>, 6> s{};
    alignas(16) std::array<float, Lanes> base{};
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        const Metric& m = work.metric[p0 + i];
        const LinearColor& f = work.field[p0 + i];
        const LinearColor& v = now[i];
        const LinearColor mv = Times(m, v.r, v.g, v.b);
        h[0][i] = 2 * (f.r - self * mv.r);
        h[1][i] = 2 * (f.g - self * mv.g);
        h[2][i] = 2 * (f.b - self * mv.b);
        base[i] = self * Dot(v, mv) - 2 * Dot(v, f);
        for (std::size_t j = 0; j < 6; ++j)
            s[j][i] = self * m[j];
    }
    const auto& c = work.channel;
    const auto& q = work.squares;
    for (std::size_t k = 0; k < 16; ++k)
        for (std::size_t i = 0; i < Lanes; ++i)
            cost[k][i] = h[0][i] * c[0][k] + h[1][i] * c[1][k] + h[2][i] * c[2][k] +
                         s[0][i] * q[0][k] + s[1][i] * q[1][k] + s[2][i] * q[2][k] +
                         s[3][i] * q[3][k] + s[4][i] * q[4][k] + s[5][i] * q[5][k] + base[i];
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
    float taps[2 * FieldRadius + 1];
    for (int d = -FieldRadius; d <= FieldRadius; ++d)
        taps[d + FieldRadius] = work.share * work.reach[std::size_t(std::abs(d))];
    for (int i = 0; i < count; ++i) {
        if (u[i].r == 0 && u[i].g == 0 && u[i].b == 0)
            continue;
        for (int t = 0; t <= 2 * FieldRadius; ++t) {
            LinearColor& s = across[i + t];
            s.r += taps[t] * u[i].r;
            s.g += taps[t] * u[i].g;
            s.b += taps[t] * u[i].b;
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
