#pragma once

#include <cstdint>
#include <vector>

namespace murelo {

// The keys the editor shows something for while they are held: Tab the check's marks, Ctrl
// the cell buffer preview, F1 the quick slot.
enum class HeldKey : std::uint8_t { Tab = 1, Ctrl = 2, F1 = 4 };

// Which of them went down on the editor and have not come up there. A window change or a
// lost focus sends their key-ups to another window, so releaseAll lets go of every one
// still held; what the editor showed only for a key that was never held stays.
class HeldKeys {
  public:
    void press(HeldKey key) { held_ |= Bit(key); }
    // True when the key was held.
    bool release(HeldKey key);
    bool held(HeldKey key) const { return (held_ & Bit(key)) != 0; }
    // The keys that were held, in the order Tab, Ctrl, F1; none are held afterwards.
    std::vector<HeldKey> releaseAll();

  private:
    static std::uint8_t Bit(HeldKey key) { return static_cast<std::uint8_t>(key); }
    std::uint8_t held_ = 0;
};

} // namespace murelo
