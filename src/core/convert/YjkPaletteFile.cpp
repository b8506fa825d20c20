#include "core/convert/YjkPaletteFile.h"

#include "core/convert/ScreenFileNames.h"
#include "core/convert/ScreenPalette.h"

namespace murelo {

NamedBytes YjkPaletteFile(const QuantizerPalette& palette, const std::string& screenFileName) {
    const PaletteTableBytes table = PaletteTable(palette);
    const auto end = std::uint16_t(YjkPaletteAddress + PaletteTableSize - 1);
    return {ReplaceExtension(screenFileName, ".PAL"),
            WithBsaveHeader(BsaveHeader(YjkPaletteAddress, end), table)};
}

} // namespace murelo
