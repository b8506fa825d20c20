#include "core/app/HeldKeys.h"

namespace murelo {

bool HeldKeys::release(HeldKey key) {
    const bool was = held(key);
    held_ &= std::uint8_t(~Bit(key));
    return was;
}

std::vector<HeldKey> HeldKeys::releaseAll() {
    std::vector<HeldKey> released;
    for (HeldKey key : {HeldKey::Tab, HeldKey::Ctrl, HeldKey::F1})
        if (release(key))
            released.push_back(key);
    return released;
}

} // namespace murelo
