#include "core/convert/CompanionBitmaps.h"

#include "core/convert/ConversionModes.h"
#include "core/convert/ScreenPalette.h"
#include "core/editor/BitmapCodec.h"
#include "core/editor/FileNameRules.h"

namespace murelo {

namespace {

std::string NameFromPicture(std::string_view pictureFileName, CompanionKind kind) {
    return CutExtension(pictureFileName) + std::string(CompanionSuffix(kind));
}

std::vector<std::uint8_t> QuantizedBitmap(const ConversionState& state) {
    const Picture& result = state.result;
    IndexedPicture indexed;
    indexed.width = result.width();
    indexed.height = result.height();
    for (const QuantizerEntry& e : state.quantizerPalette)
        indexed.colorTable.push_back(RgbColor(e.Red, e.Green, e.Blue));
    QuantizerIndexScan scan(state.quantizerPalette, PaletteEntries);
    indexed.indices.reserve(result.pixels().size());
    for (ColorValue pixel : result.pixels())
        indexed.indices.push_back(std::uint8_t(scan.QuantizerIndexOf(pixel)));
    return EncodeIndexedBitmap(indexed, 4);
}

} // namespace

std::string ProposedSaveName(const ConverterFileNames& names, CompanionKind kind,
                             std::string_view pictureFileName) {
    const std::string& remembered = names[kind];
    return remembered.empty() ? NameFromPicture(pictureFileName, kind) : remembered;
}

std::string SaveFileName(std::string_view chosen) {
    return BitmapFileName(chosen);
}

std::string ProposedPc6001Name(ConverterFileNames& names, std::string_view pictureFileName,
                               std::string_view dialogName) {
    std::string& remembered = names[CompanionKind::P6];
    if (!remembered.empty())
        return std::string(dialogName);
    remembered = NameFromPicture(pictureFileName, CompanionKind::P6);
    return remembered;
}

std::vector<std::uint8_t> CompanionBitmap(const ConversionState& state) {
    if (CompanionIsIndexed(Describe(state.mode).companion))
        return QuantizedBitmap(state);
    return EncodeBitmap24(state.result);
}

Pc6001Bitmap Pc6001ExportBitmap(const ConversionState& state) {
    const Sampling s = Describe(state.mode).exportSampling;
    const int kind = state.params.PaletteKind;
    IndexedPicture indexed;
    indexed.width = state.result.width() / s.stepX;
    indexed.height = state.result.height() / s.stepY;
    indexed.colorTable.assign(256, RgbColor(255, 255, 255));
    for (int i = 0; i < PaletteEntries; ++i)
        indexed.colorTable[std::size_t(i)] = PaletteColor(kind, i);
    indexed.indices.reserve(std::size_t(indexed.width) * std::size_t(indexed.height));
    for (int y = 0; y < indexed.height; ++y)
        for (int x = 0; x < indexed.width; ++x) {
            const int index = PaletteIndexOf(state.result.pixel(x * s.stepX, y * s.stepY), kind);
            if (index < 0)
                return {{},
                        "the pixel at (" + std::to_string(x * s.stepX) + ", " +
                            std::to_string(y * s.stepY) + ") is not a colour of " +
                            std::string(PaletteName(kind)) + "; no bitmap was written"};
            indexed.indices.push_back(std::uint8_t(index));
        }
    return {EncodeIndexedBitmap(indexed, 8), {}};
}

} // namespace murelo
