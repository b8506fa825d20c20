#include "core/dialogs/ColorDepthModel.h"

namespace murelo {

void ColorDepthModel::open(bool everyPixelInPalette, PixelFormat saveDepth) {
    indexedEnabled_ = everyPixelInPalette;
    if (!everyPixelInPalette)
        chosen_ = DepthChoice::Bits24;
    else if (saveDepth == PixelFormat::Bits4)
        chosen_ = DepthChoice::Bits4;
    else if (saveDepth == PixelFormat::Bits8)
        chosen_ = DepthChoice::Bits8;
    else
        chosen_ = DepthChoice::Bits24;
}

PixelFormat ColorDepthModel::DepthOfChoice(DepthChoice choice) {
    switch (choice) {
    case DepthChoice::Bits4:
        return PixelFormat::Bits4;
    case DepthChoice::Bits8:
        return PixelFormat::Bits8;
    case DepthChoice::Bits24:
        break;
    }
    return PixelFormat::Bits24;
}

} // namespace murelo
