#pragma once

#include <span>
#include <string>
#include <string_view>

namespace murelo {

// The save dialogs of the converter window, by the object name each one carries.
enum class ScreenDialog : int {
    SaveDialog1 = 0,    // SCREEN 12
    SaveDialog2,        // SCREEN 8
    SaveDialog3,        // SCREEN 7
    SaveDialog4,        // SCREEN 5
    SaveDialog5,        // SCREEN 3
    SaveDialog6,        // SCREEN 6
    SaveDialog7,        // SCREEN 10/11
    SaveDialog8,        // SCREEN 7 interlaced
    SaveDialog9,        // SCREEN 6 interlaced
    SaveDialog10,       // PC-8801 colour planes
    SaveDialog11,       // SCREEN 5 interlaced
    SavePictureDialog1, // the companion bitmaps and the PC-6x01 bitmap
};
inline constexpr int ScreenDialogCount = 12;

struct DialogFilter {
    std::string_view description;
    std::string_view patterns; // ';' between patterns
};

struct ScreenDialogInfo {
    std::string_view objectName;
    std::span<const DialogFilter> filters;
    std::string_view defaultExtension; // without '.'; empty: the dialog appends none
};

const ScreenDialogInfo& DialogInfo(ScreenDialog dialog);

// The filter as one text, description and patterns separated by '|' in order
// ("SCREEN 5 IMAGE (*.SC5)|*.SC5").
std::string FilterText(const ScreenDialogInfo& info);

// One filter in the form "description (pattern pattern)" that toolkit dialogs parse; a
// description that already shows its patterns in parentheses is kept as it is.
std::string NameFilter(const DialogFilter& filter);

} // namespace murelo
