#pragma once

#include "core/editor/ScreenBuffer.h"
#include "core/export/ExportFileSet.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace murelo {

constexpr std::string_view Sc2SaveFilter = "SCREEN 2 IMAGE (*.SC2)|*.SC2";
constexpr std::string_view Sc2Extension = ".SC2";
// The image covers the video memory from the pattern table to the end of the colour table.
constexpr std::uint16_t Sc2EndAddress = 0x37FF;
// A first sprite Y of D0h ends the sprite list, so no sprite shows.
constexpr std::uint8_t SpriteListEnd = 0xD0;

// The bytes after the BSAVE header: 0000h..37FFh of the checked video-memory image with the
// name table numbering the cells of each third 0..255 and the sprite list ended at once.
std::vector<std::uint8_t> Sc2ImageData(ConstVramImage vram);

// The one-file image that `SCREEN 2:BLOAD"PIC.SC2",S` shows: the BSAVE header (0000h, 37FFh,
// 0000h) and Sc2ImageData, written whole or not at all.
ExportFilesReport WriteSc2Image(const std::filesystem::path& file, ConstVramImage vram);

} // namespace murelo
