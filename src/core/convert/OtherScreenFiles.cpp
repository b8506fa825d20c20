#include "core/convert/OtherScreenFiles.h"

#include "core/convert/ConversionModes.h"
#include "core/convert/ScreenFileNames.h"
#include "core/convert/ScreenPalette.h"
#include "core/editor/FileNameRules.h"

#include <array>

namespace murelo {

namespace {

constexpr int MultiColorBands = 6;    // 32 pixel rows each
constexpr int MultiColorColumns = 32; // 8 pixels each
constexpr std::size_t PatternTableSize = 1536;
constexpr std::size_t NameTableSize = 768;
constexpr std::uint16_t NameTableAddress = 0x0800;

constexpr int PlaneRows = 200;
constexpr int PlaneRowBytes = 80;
constexpr int PlaneColors = 8;

NamedBytes BsaveFile(std::string name, std::uint16_t start, const std::vector<std::uint8_t>& data) {
    const auto end = std::uint16_t(start + data.size() - 1);
    return {std::move(name), WithBsaveHeader(BsaveHeader(start, end, start), data)};
}

std::vector<std::uint8_t> PatternTable(const ConversionState& state) {
    std::vector<std::uint8_t> table(PatternTableSize);
    for (int g = 0; g < MultiColorBands; ++g)
        for (int c = 0; c < MultiColorColumns; ++c)
            for (int k = 0; k < 8; ++k) {
                const int y = 4 * (8 * g + k);
                const int left = BlockColorIndex(state, 8 * c, y);
                const int right = BlockColorIndex(state, 8 * c + 4, y);
                table[std::size_t((32 * g + c) * 8 + k)] = std::uint8_t(left << 4 | right);
            }
    return table;
}

std::vector<std::uint8_t> NameTable() {
    std::vector<std::uint8_t> table(NameTableSize);
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 32; ++c)
            table[std::size_t(32 * r + c)] = std::uint8_t(32 * (r / 4) + c);
    return table;
}

std::array<ColorValue, PlaneColors> PlaneColorsOf(const ConversionState& state) {
    std::array<ColorValue, PlaneColors> colors{};
    const bool analog = UsesAnalogPalette(state);
    for (int k = 0; k < PlaneColors; ++k) {
        const QuantizerEntry& e = state.quantizerPalette[std::size_t(k)];
        colors[std::size_t(k)] =
            analog ? RgbColor(e.Red, e.Green, e.Blue) : PaletteColor(KindPc8801, k);
    }
    return colors;
}

// The three planes of whole rows: the bits of every colour code the pixel equals (bit 0
// blue, bit 1 red, bit 2 green), so a colour listed twice sets the bits of both codes.
std::array<std::vector<std::uint8_t>, 3> Planes(const ConversionState& state) {
    const std::array<ColorValue, PlaneColors> colors = PlaneColorsOf(state);
    const Picture& result = state.result;
    const int rows = std::min((result.height() + 1) / 2, PlaneRows);
    std::array<std::vector<std::uint8_t>, 3> planes; // red, green, blue
    for (auto& plane : planes)
        plane.assign(std::size_t(rows) * PlaneRowBytes, 0);
    for (int r = 0; r < rows; ++r)
        for (int x = 0; x < PlaneRowBytes * 8; ++x) {
            const ColorValue pixel = result.pixel(x, 2 * r) & 0xFFFFFF;
            int code = 0;
            for (int k = 0; k < PlaneColors; ++k)
                if (pixel == colors[std::size_t(k)])
                    code |= k;
            const std::size_t at = std::size_t(r * PlaneRowBytes + x / 8);
            const auto bit = std::uint8_t(0x80 >> (x % 8));
            if (code & 2)
                planes[0][at] |= bit;
            if (code & 4)
                planes[1][at] |= bit;
            if (code & 1)
                planes[2][at] |= bit;
        }
    return planes;
}

} // namespace

std::vector<NamedBytes> YjkExportFiles(const ConversionState& state, const std::string& name) {
    const std::size_t size = std::size_t(state.result.height()) * ScreenByteWidth;
    return {BsaveFile(name, 0x0000,
                      std::vector<std::uint8_t>(state.screenBytes.begin(),
                                                state.screenBytes.begin() + std::ptrdiff_t(size)))};
}

int BlockColorIndex(const ConversionState& state, int x, int y) {
    const IndexRange& range = ConversionRange(state.params.PaletteKind);
    return NearestPaletteIndex(state.palette, ColorRecFromColor(state.result.pixel(x, y)),
                               range.first, range.last, state.params.NtscWeighting);
}

std::vector<NamedBytes> MultiColorExportFiles(const ConversionState& state,
                                              const std::string& name) {
    return {BsaveFile(name, 0x0000, PatternTable(state)),
            BsaveFile(ReplaceExtension(name, ".NAM"), NameTableAddress, NameTable())};
}

bool UsesAnalogPalette(const ConversionState& state) {
    return Reads(state.mode, Parameter::AnalogPalette) && state.params.AnalogPalette;
}

std::vector<NamedBytes> Pc8801PlaneFiles(const ConversionState& state, const std::string& chosen) {
    const std::string base = CutExtension(chosen);
    auto planes = Planes(state);
    std::vector<NamedBytes> files = {{base + ".R", std::move(planes[0]), false},
                                     {base + ".G", std::move(planes[1]), false},
                                     {base + ".B", std::move(planes[2]), false}};
    if (UsesAnalogPalette(state)) {
        const auto pal = Pc8801PaletteBytes(state.quantizerPalette);
        files.push_back({base + ".PAL", std::vector<std::uint8_t>(pal.begin(), pal.end()), false});
    }
    return files;
}

} // namespace murelo
