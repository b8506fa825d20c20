#pragma once

namespace murelo {

// Pixel modes of the picture; the number of a mode is the edit mode dialog's item index.
enum class EditModeId : int {
    Tms99x8 = 0,    // "99x8 (1:1)": square pixels, two-colour rule tools available
    Pc6001Wide = 1, // a logical pixel is two physical pixels wide
    Pc6001 = 2,     // square pixels, Free Draw forced on
    Pc8801Tall = 3, // a logical pixel is two physical pixels high
};

constexpr int EditModeNumber(EditModeId mode) {
    return static_cast<int>(mode);
}
// The mode of an item index 0..3; any other number is the first mode.
constexpr EditModeId EditModeOfNumber(int number) {
    return number >= 0 && number <= 3 ? static_cast<EditModeId>(number) : EditModeId::Tms99x8;
}

} // namespace murelo
