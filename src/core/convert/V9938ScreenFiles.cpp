#include "core/convert/V9938ScreenFiles.h"

#include "core/convert/ScreenFileNames.h"
#include "core/convert/ScreenPalette.h"

#include <stdexcept>

namespace murelo {

namespace {

// How one kind of file packs a picture row into the video memory.
struct BitmapLayout {
    int bitsPerPixel;
    int rowBytes;
    int columnStep; // 2 for interlaced SCREEN 5: its 512-wide picture shows every 2nd column
    int rowStep;    // 2 where a file keeps every second row (SCREEN 6 and 7, and the fields)
    bool fields;    // interlaced: the even rows in one file, the odd rows in a second
    int colors;     // the quantizer entries the pixels are matched against
    std::uint16_t paletteAddress;
    const char* secondField; // the odd field's extension
};

BitmapLayout LayoutOf(ScreenFileKind kind) {
    switch (kind) {
    case ScreenFileKind::Screen5:
        return {4, 128, 1, 1, false, 16, Screen56PaletteAddress, ".S15"};
    case ScreenFileKind::Screen5Interlaced:
        return {4, 128, 2, 2, true, 16, Screen56PaletteAddress, ".S15"};
    case ScreenFileKind::Screen6:
        return {2, 128, 1, 2, false, 4, Screen56PaletteAddress, ".S16"};
    case ScreenFileKind::Screen6Interlaced:
        return {2, 128, 1, 2, true, 4, Screen56PaletteAddress, ".S16"};
    case ScreenFileKind::Screen7:
        return {4, 256, 1, 2, false, 16, Screen7PaletteAddress, ".S17"};
    case ScreenFileKind::Screen7Interlaced:
        return {4, 256, 1, 2, true, 16, Screen7PaletteAddress, ".S17"};
    default:
        throw std::invalid_argument("not a SCREEN 5, 6 or 7 file");
    }
}

// The rows y = first, first + step, ... below the height, packed without gaps from address
// 0, the leftmost pixel in the highest bits. With the palette connected the memory runs up
// to the palette table's end and the table is stored in it; the rest stays zero.
std::vector<std::uint8_t> PackedField(const ConversionState& state, const BitmapLayout& layout,
                                      int first, int step, bool connectPalette) {
    const int height = state.result.height();
    const int rows = first < height ? (height - first + step - 1) / step : 0;
    const std::size_t packed = std::size_t(rows) * std::size_t(layout.rowBytes);
    const std::size_t size =
        connectPalette ? std::size_t(layout.paletteAddress) + PaletteTableSize : packed;
    std::vector<std::uint8_t> memory(size, 0);
    QuantizerIndexScan scan(state.quantizerPalette, layout.colors);
    const int perByte = 8 / layout.bitsPerPixel;
    const int mask = (1 << layout.bitsPerPixel) - 1;
    const int pixels = layout.rowBytes * perByte;
    std::size_t rowStart = 0;
    for (int y = first; y < height; y += step, rowStart += std::size_t(layout.rowBytes)) {
        for (int i = 0; i < pixels; ++i) {
            const int index = scan.QuantizerIndexOf(state.result.pixel(i * layout.columnStep, y));
            const int shift = layout.bitsPerPixel * (perByte - 1 - i % perByte);
            std::uint8_t& byte = memory[rowStart + std::size_t(i / perByte)];
            byte = std::uint8_t(byte | (index & mask) << shift);
        }
    }
    if (connectPalette)
        WritePaletteTable(memory, layout.paletteAddress, state.quantizerPalette);
    return memory;
}

NamedBytes ScreenFile(std::string name, const std::vector<std::uint8_t>& data) {
    const auto end = std::uint16_t(data.size() - 1);
    return {std::move(name), WithBsaveHeader(BsaveHeader(0x0000, end, 0x0000), data)};
}

NamedBytes PaletteFile(const std::string& name, const BitmapLayout& layout,
                       const QuantizerPalette& palette) {
    const PaletteTableBytes table = PaletteTable(palette);
    const std::uint16_t start = layout.paletteAddress;
    const auto end = std::uint16_t(start + PaletteTableSize - 1);
    return {ReplaceExtension(name, ".PAL"), WithBsaveHeader(BsaveHeader(start, end, start), table)};
}

std::vector<NamedBytes> Screen8Files(const ConversionState& state, const std::string& name) {
    const std::size_t size = std::size_t(state.result.height()) * ScreenByteWidth;
    const std::vector<std::uint8_t> data(state.screenBytes.begin(),
                                         state.screenBytes.begin() + std::ptrdiff_t(size));
    return {ScreenFile(name, data)};
}

} // namespace

std::vector<NamedBytes> V9938ExportFiles(const ConversionState& state, ScreenFileKind kind,
                                         const std::string& name, bool connectPalette) {
    if (kind == ScreenFileKind::Screen8)
        return Screen8Files(state, name);
    const BitmapLayout layout = LayoutOf(kind);
    // Without "Interlace" SCREEN 5 keeps every row; SCREEN 6 and 7 keep the even rows.
    std::vector<NamedBytes> files;
    files.push_back(
        ScreenFile(name, PackedField(state, layout, 0, layout.rowStep, connectPalette)));
    if (layout.fields) {
        // A first SCREEN 5 field that cannot be written still lets the rest be tried.
        files.back().stopOnFailure = kind != ScreenFileKind::Screen5Interlaced;
        files.push_back(ScreenFile(ReplaceExtension(name, layout.secondField),
                                   PackedField(state, layout, 1, 2, connectPalette)));
    }
    if (!connectPalette)
        files.push_back(PaletteFile(name, layout, state.quantizerPalette));
    return files;
}

} // namespace murelo
