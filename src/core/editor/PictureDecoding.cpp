#include "core/editor/PictureDecoding.h"

#include "core/editor/GifDecode.h"
#include "core/editor/JpegDecode.h"
#include "core/editor/PictureFormat.h"
#include "core/editor/PngDecode.h"
#include "core/editor/Sc2Decode.h"

namespace murelo {

DecodedBitmap DecodeAnyPicture(std::span<const std::uint8_t> file, const PictureLimits& limits) {
    switch (DetectPictureFormat(file)) {
    case PictureFormat::Bmp:
        return DecodeBitmap(file, limits);
    case PictureFormat::Png:
        return DecodePng(file, limits);
    case PictureFormat::Jpeg:
        return DecodeJpeg(file, limits);
    case PictureFormat::Gif:
        return DecodeGif(file, limits);
    case PictureFormat::Sc2:
        return DecodeSc2(file);
    case PictureFormat::Unknown:
        break;
    }
    // Short or foreign bytes: the BMP reader gives its own refusal.
    return DecodeBitmap(file, limits);
}

} // namespace murelo
