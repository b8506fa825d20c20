#include "core/editor/PictureFileEncoding.h"

#include "core/editor/BitmapCodec.h"
#include "core/editor/IndexedCopy.h"

namespace murelo {

EncodedPicture EncodePictureForSave(const Picture& picture, int kind, int saveDepth) {
    EncodedPicture out;
    if (saveDepth == 2 || saveDepth == 3) {
        if (auto indexed = BuildIndexedCopy(picture, kind, saveDepth)) {
            out.bitsPerPixel = saveDepth == 2 ? 4 : 8;
            out.bytes = EncodeIndexedBitmap(*indexed, out.bitsPerPixel);
            return out;
        }
    }
    out.bytes = EncodeBitmap24(picture);
    return out;
}

} // namespace murelo
