#include "core/dialogs/ToolPaletteText.h"

#include "core/app/Document.h"

namespace murelo {

const char* DepthLabelText(std::uint8_t saveDepth) {
    if (saveDepth == Format4Bit)
        return "[ 4bit]";
    if (saveDepth == Format8Bit)
        return "[ 8bit]";
    return "[24bit]";
}

std::string ScaleLabelText(int scale) {
    return "x" + std::to_string(scale);
}

std::string ForegroundIndexText(int paletteIndex) {
    return paletteIndex < 0 ? "**" : std::to_string(paletteIndex);
}

} // namespace murelo
