#include "core/editor/ScreenBuffer.h"

namespace murelo {

ScreenBuffer& SharedScreenBuffer() {
    static ScreenBuffer buffer; // 64 KB: static storage rather than the stack
    return buffer;
}

} // namespace murelo
