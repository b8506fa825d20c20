#include "core/export/Sc2Image.h"

#include "core/editor/BsaveHeader.h"
#include "core/export/VramTables.h"

namespace murelo {

std::vector<std::uint8_t> Sc2ImageData(ConstVramImage vram) {
    std::vector<std::uint8_t> data(vram.begin(), vram.begin() + Sc2EndAddress + 1);
    for (std::size_t i = 0; i < VramNameTableSize; ++i)
        data[VramNameTable + i] = std::uint8_t(i);
    data[VramSpriteAttributes] = SpriteListEnd;
    return data;
}

ExportFilesReport WriteSc2Image(const std::filesystem::path& file, ConstVramImage vram) {
    const std::vector<std::uint8_t> data = Sc2ImageData(vram);
    ExportFileSet files;
    files.add(file, BsaveHeader(0x0000, Sc2EndAddress), data);
    return files.commit();
}

} // namespace murelo
