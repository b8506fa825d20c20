#include "core/convert/Pc8801ColorTone.h"

#include "core/convert/PcConversion.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace murelo {

namespace {

constexpr int ToneLevels = 9;            // pattern levels 0..8
constexpr int ChannelSpan = 2 * 255 + 1; // differences -255..255
constexpr std::size_t ToneCacheSlots = 1 << 16;
constexpr std::uint64_t EmptySlot = ~std::uint64_t(0);

std::int32_t PackChoice(const ToneChoice& c) {
    return c.level | c.first << 4 | c.second << 8;
}
ToneChoice UnpackChoice(std::uint32_t v) {
    return {int(v & 0xF), int((v >> 4) & 0xF), int((v >> 8) & 0xF)};
}

// Candidates are kept in the order the search meets them. One whose model colour an earlier
// candidate already has can never be strictly nearer than that one, so it is left out.
void AddCandidate(std::vector<std::int32_t>& list, std::int32_t r, std::int32_t g, std::int32_t b,
                  const ToneChoice& choice) {
    for (std::size_t n = 0; n < list.size(); n += 4)
        if (list[n] == r && list[n + 1] == g && list[n + 2] == b)
            return;
    list.insert(list.end(), {r, g, b, PackChoice(choice)});
}

std::size_t CacheSlot(ColorValue target) {
    return std::size_t((std::uint32_t(target) * 2654435761u) >> 16) & (ToneCacheSlots - 1);
}

} // namespace

ToneSearch PrepareToneSearch(ConversionState& state, bool descending) {
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    const ConverterPalette& p = state.palette;
    ToneSearch search;
    for (int i = 0; i < ToneLevels; ++i) {
        for (int n = 0; n <= range.last - range.first; ++n) {
            const int j = descending ? range.last - n : range.first + n;
            for (int k = range.first; k <= j; ++k) {
                const ColorRec& pk = p[std::size_t(k)];
                const ColorRec& pj = p[std::size_t(j)];
                AddCandidate(search.candidates, i * (pk.R + pj.R) / 16, i * (pk.G + pj.G) / 16,
                             i * (pk.B + pj.B) / 16, {i, k, j});
            }
        }
    }
    PreparePcTables(state);
    search.cache.assign(ToneCacheSlots, EmptySlot);
    return search;
}

ToneChoice ChooseTone(const ToneSearch& search, const ConversionState& state,
                      const ColorRec& target) {
    // floor(sqrt(s)) < best exactly when s < best * best (best an integer), so the root is
    // taken only when a candidate wins.
    std::int64_t bestSquare = std::int64_t(DistanceUnreached) * DistanceUnreached;
    ToneChoice best;
    const std::int32_t* sr = state.channelSquares.data() + 255 + target.R;
    const std::int32_t* sg = state.channelSquares.data() + ChannelSpan + 255 + target.G;
    const std::int32_t* sb = state.channelSquares.data() + 2 * ChannelSpan + 255 + target.B;
    const std::int32_t* c = search.candidates.data();
    const std::int32_t* end = c + search.candidates.size();
    for (; c != end; c += 4) {
        const std::int64_t s = std::int64_t(sr[-c[0]]) + sg[-c[1]] + sb[-c[2]];
        if (s < bestSquare) {
            const std::int64_t root = std::int64_t(std::sqrt(double(s)));
            bestSquare = root * root;
            best = UnpackChoice(std::uint32_t(c[3]));
            if (root == 0)
                break; // nothing is strictly nearer than 0
        }
    }
    return best;
}

ToneChoice CachedTone(ToneSearch& search, const ConversionState& state, const ColorRec& target) {
    const ColorValue key = ColorOfRec(target);
    std::uint64_t& slot = search.cache[CacheSlot(key)];
    if (slot != EmptySlot && std::uint32_t(slot >> 32) == std::uint32_t(key))
        return UnpackChoice(std::uint32_t(slot));
    const ToneChoice choice = ChooseTone(search, state, target);
    slot = std::uint64_t(std::uint32_t(key)) << 32 | std::uint32_t(PackChoice(choice));
    return choice;
}

ColorRec ToneTarget(const ColorRec& balanced) {
    return RgbRec(ClampChannel(balanced.R - 50), ClampChannel(balanced.G - 50),
                  ClampChannel(balanced.B - 50));
}

} // namespace murelo
