// libFuzzer target for the bitmap decoder: any input must decode or fail with a message,
// and whatever decodes must be a picture the editor can hold and write back.
#include "core/editor/BitmapCodec.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace murelo;
    const DecodedBitmap d = DecodeBitmap(std::span<const std::uint8_t>(data, size));
    if (!d.ok()) {
        if (d.message.empty())
            std::abort();
        return 0;
    }
    const Picture& p = d.picture;
    if (p.empty() || p.width() > MaxPictureSize || p.height() > MaxPictureSize ||
        p.pixels().size() != std::size_t(p.width()) * p.height() || d.formatCode < 1 ||
        d.formatCode > 7)
        std::abort();
    for (ColorValue c : p.pixels())
        if (c < 0 || c > 0xFFFFFF)
            std::abort();
    // A decoded picture written at 24 bits must read back unchanged.
    const std::vector<std::uint8_t> again = EncodeBitmap24(p);
    const DecodedBitmap back = DecodeBitmap(again);
    if (!back.ok() || back.picture != p)
        std::abort();
    return 0;
}
