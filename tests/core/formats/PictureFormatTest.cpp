#include "core/editor/PictureFormat.h"
#include "core/editor/PictureDecoding.h"

#include <gtest/gtest.h>

namespace murelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PictureFormat, IsToldBySignatureBytesAndDumpSize) {
    struct Case {
        Bytes file;
        PictureFormat format;
    };
    const Case cases[] = {
        {{'B', 'M', 0, 0}, PictureFormat::Bmp},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0}, PictureFormat::Png},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, PictureFormat::Unknown},
        {{0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::Jpeg},
        {{0xFF, 0xD8, 0x00}, PictureFormat::Unknown},
        {{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
        {{'G', 'I', 'F', '8', '9', 'a', 1}, PictureFormat::Gif},
        {{'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::Unknown},
        {{0xFE, 0x00, 0x00, 0xFF, 0x37}, PictureFormat::Sc2},
        {{0xFE, 0x00, 0x80, 0xFF, 0x37}, PictureFormat::Unknown}, // loads at 8000h: no screen
        {Bytes(0x3800, 0), PictureFormat::Sc2},
        {Bytes(0x4000, 0x55), PictureFormat::Sc2},
        {Bytes(0x3801, 0), PictureFormat::Unknown},
        {{}, PictureFormat::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectPictureFormat(c.file), c.format) << c.file.size();
}

TEST(PictureFormat, UnknownBytesGetTheBitmapRefusal) {
    for (const Bytes& file : {Bytes{}, Bytes{'x'}, Bytes(100, 'P'), Bytes{0xFF, 0xD8, 0x00, 0}}) {
        const DecodedBitmap d = DecodeAnyPicture(file);
        EXPECT_EQ(d.fault, BitmapFault::NotBitmap);
        EXPECT_EQ(d.message, NotBitmapMessage);
    }
}

} // namespace
} // namespace murelo
