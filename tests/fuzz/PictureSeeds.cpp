// Writes small valid files of every picture kind the editor reads, as the fuzzer's seeds.
//   picture_seeds FOLDER
#include "core/formats/TestPictureFiles.h"

#include <png.h>

#include <fstream>
#include <string>

using namespace murelo::test;

namespace {

void Save(const std::string& folder, const char* name, const Bytes& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

PngLayout Png(int type, int depth, int channels, bool interlaced) {
    PngLayout s(9, 7, type, depth);
    s.interlaced = interlaced;
    for (int i = 0; i < 9 * 7 * channels; ++i)
        s.samples.push_back(std::uint16_t((i * 2654435761u >> 7) % (1u << depth)));
    if (type == PNG_COLOR_TYPE_PALETTE)
        for (int i = 0; i < (1 << depth) * 3; ++i)
            s.palette.push_back(std::uint8_t(i * 37));
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string dir = argv[1];
    Save(dir, "palette4.png", WritePng(Png(PNG_COLOR_TYPE_PALETTE, 4, 1, false)));
    Save(dir, "grey2.png", WritePng(Png(PNG_COLOR_TYPE_GRAY, 2, 1, false)));
    Save(dir, "rgba16.png", WritePng(Png(PNG_COLOR_TYPE_RGB_ALPHA, 16, 4, false)));
    Save(dir, "rgb-interlaced.png", WritePng(Png(PNG_COLOR_TYPE_RGB, 8, 3, true)));
    GifLayout gif;
    gif.screenWidth = gif.width = 8;
    gif.screenHeight = gif.height = 9;
    gif.globalColors = {0, 0, 0, 255, 255, 255};
    gif.localColors = {10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3};
    for (int i = 0; i < 72; ++i)
        gif.indices.push_back(std::uint8_t(i % 4));
    gif.interlaced = true;
    gif.transparentIndex = 2;
    Save(dir, "local-interlaced.gif", WriteGif(gif));
    for (const bool cmyk : {false, true})
        for (const bool progressive : {false, true}) {
            JpegLayout jpeg(16, 16, cmyk);
            jpeg.progressive = progressive;
            for (int i = 0; i < 16 * 16 * (cmyk ? 4 : 3); ++i)
                jpeg.samples.push_back(std::uint8_t(i * 7));
            const std::string name =
                std::string(cmyk ? "cmyk" : "rgb") + (progressive ? "-progressive" : "") + ".jpg";
            Save(dir, name.c_str(), WriteJpeg(jpeg));
        }
    Bytes sc2 = {0xFE, 0, 0, 0xFF, 0x37, 0, 0};
    for (int i = 0; i < 0x3800; ++i)
        sc2.push_back(std::uint8_t(i >= 0x1800 && i < 0x1B00 ? (i * 5) & 0xFF : i * 13));
    Save(dir, "screen.sc2", sc2);
    return 0;
}
