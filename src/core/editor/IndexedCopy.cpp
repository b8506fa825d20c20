#include "core/editor/IndexedCopy.h"

#include "core/palette/Palettes.h"

#include <algorithm>

namespace murelo {

namespace {

// Pixel-format codes of the two indexed depths.
constexpr int Depth4Bit = 2;
constexpr int Depth8Bit = 3;

std::vector<ColorValue> ColorTable(int kind, int depth) {
    const std::size_t entries = depth == Depth4Bit ? 16 : depth == Depth8Bit ? 256 : 0;
    std::vector<ColorValue> table(entries, RgbColor(255, 255, 255));
    const auto& palette = PaletteTable(kind);
    std::copy_n(palette.begin(), std::min<std::size_t>(entries, palette.size()), table.begin());
    return table;
}

} // namespace

std::optional<IndexedPicture> BuildIndexedCopy(const Picture& picture, int kind, int depth) {
    IndexedPicture copy;
    copy.width = picture.width();
    copy.height = picture.height();
    copy.indices.reserve(picture.pixels().size());
    for (ColorValue c : picture.pixels()) {
        const int i = PaletteIndexOf(c, kind);
        if (i < 0)
            return std::nullopt;
        copy.indices.push_back(std::uint8_t(i));
    }
    copy.colorTable = ColorTable(kind, depth);
    return copy;
}

bool PictureFitsPalette(const Picture& picture, int kind) {
    return std::all_of(picture.pixels().begin(), picture.pixels().end(),
                       [kind](ColorValue c) { return PaletteIndexOf(c, kind) >= 0; });
}

} // namespace murelo
