#include "core/dialogs/ColorDepthChoice.h"

#include "core/app/Document.h"

namespace murelo {

DepthOffer OfferedDepths(bool everyPixelInPalette, std::uint8_t saveDepth) {
    if (!everyPixelInPalette)
        return {false, Depth24Bit};
    if (saveDepth == Format4Bit)
        return {true, Depth4Bit};
    if (saveDepth == Format8Bit)
        return {true, Depth8Bit};
    return {true, Depth24Bit};
}

std::uint8_t SaveDepthOfChoice(int choice) {
    if (choice == Depth4Bit)
        return Format4Bit;
    if (choice == Depth8Bit)
        return Format8Bit;
    return Format24Bit;
}

} // namespace murelo
