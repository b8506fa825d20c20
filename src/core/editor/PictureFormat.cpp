#include "core/editor/PictureFormat.h"

#include "core/editor/Sc2Decode.h"

#include <algorithm>
#include <array>

namespace murelo {

namespace {

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> file, const std::array<std::uint8_t, N>& magic) {
    return file.size() >= N && std::equal(magic.begin(), magic.end(), file.begin());
}

constexpr std::array<std::uint8_t, 2> BmpMagic{'B', 'M'};
constexpr std::array<std::uint8_t, 8> PngMagic{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::array<std::uint8_t, 3> JpegMagic{0xFF, 0xD8, 0xFF};
constexpr std::array<std::uint8_t, 6> Gif87Magic{'G', 'I', 'F', '8', '7', 'a'};
constexpr std::array<std::uint8_t, 6> Gif89Magic{'G', 'I', 'F', '8', '9', 'a'};
// BSAVE type byte and a start address of 0000h: the video memory from its first byte.
constexpr std::array<std::uint8_t, 3> Sc2Magic{0xFE, 0x00, 0x00};

} // namespace

PictureFormat DetectPictureFormat(std::span<const std::uint8_t> file) {
    if (StartsWith(file, BmpMagic))
        return PictureFormat::Bmp;
    if (StartsWith(file, PngMagic))
        return PictureFormat::Png;
    if (StartsWith(file, JpegMagic))
        return PictureFormat::Jpeg;
    if (StartsWith(file, Gif87Magic) || StartsWith(file, Gif89Magic))
        return PictureFormat::Gif;
    if (StartsWith(file, Sc2Magic) || file.size() == Sc2DumpSize || file.size() == VramDumpSize)
        return PictureFormat::Sc2;
    return PictureFormat::Unknown;
}

} // namespace murelo
