#include "ConvertResult.h"

#include "core/editor/BitmapCodec.h"
#include "core/editor/PngEncode.h"

namespace murelo::cli {

std::vector<std::uint8_t> EncodeResult(const Picture& result, ResultFormat format, int kind) {
    return format == ResultFormat::Png ? EncodePng(result, kind) : EncodeBitmap24(result);
}

} // namespace murelo::cli
