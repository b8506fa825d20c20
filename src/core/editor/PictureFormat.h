#pragma once

#include <cstdint>
#include <span>

namespace murelo {

enum class PictureFormat { Unknown, Bmp, Png, Jpeg, Gif, Sc2 };

// The kind of picture file the bytes hold, told by their signature, never by the file's name.
// A SCREEN 2 image is known by its BSAVE header (0xFE, start 0000h) or, headerless, by the
// size of a video-memory dump (14336 or 16384 bytes).
PictureFormat DetectPictureFormat(std::span<const std::uint8_t> file);

} // namespace murelo
