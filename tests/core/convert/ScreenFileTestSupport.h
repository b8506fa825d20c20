#pragma once

#include "core/convert/ConversionModes.h"
#include "core/convert/ConversionState.h"
#include "core/convert/ScreenFileSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace murelo::test {

// A finished conversion of item `index` of a page's list, as the writers see it.
struct FinishedConversion {
    std::unique_ptr<ConversionState> state = std::make_unique<ConversionState>();
    std::vector<std::uint8_t>& screen = state->screenBytes;

    FinishedConversion(ConverterPage page, int index, Picture result) {
        state->mode = ModeAt(page, index).value();
        state->result = std::move(result);
        state->source = state->result;
        state->complete = true;
    }
    ConversionState& operator*() { return *state; }
    ConversionState* operator->() { return state.get(); }
};

// Quantizer entry k = (16k + 15, 8k, 255 - 16k): sixteen distinct colours in table order.
inline QuantizerPalette RampPalette() {
    QuantizerPalette p{};
    for (int k = 0; k < PaletteEntries; ++k)
        p[std::size_t(k)] = {std::uint8_t(255 - 16 * k), std::uint8_t(8 * k),
                             std::uint8_t(16 * k + 15), 0};
    return p;
}

inline ColorValue EntryColor(const QuantizerPalette& p, int k) {
    const QuantizerEntry& e = p[std::size_t(k)];
    return RgbColor(e.Red, e.Green, e.Blue);
}

// A result whose pixel (x, y) is entry index(x, y) of the palette.
template <class IndexOf>
Picture PictureOfEntries(const QuantizerPalette& p, int width, int height, IndexOf index) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, EntryColor(p, index(x, y)));
    return picture;
}

inline std::vector<std::uint8_t> Header(const std::vector<std::uint8_t>& file) {
    return std::vector<std::uint8_t>(file.begin(),
                                     file.begin() + std::min<std::size_t>(7, file.size()));
}
inline std::vector<std::uint8_t> Data(const std::vector<std::uint8_t>& file) {
    return std::vector<std::uint8_t>(file.begin() + std::min<std::size_t>(7, file.size()),
                                     file.end());
}
// The header bytes of BsaveHeader(start, end, execution), spelt out.
inline std::vector<std::uint8_t> HeaderOf(int start, int end, int execution) {
    return {0xFE,
            std::uint8_t(start),
            std::uint8_t(start >> 8),
            std::uint8_t(end),
            std::uint8_t(end >> 8),
            std::uint8_t(execution),
            std::uint8_t(execution >> 8)};
}

inline std::vector<std::string> NamesOf(const std::vector<NamedBytes>& files) {
    std::vector<std::string> names;
    for (const NamedBytes& f : files)
        names.push_back(f.name);
    return names;
}

} // namespace murelo::test
