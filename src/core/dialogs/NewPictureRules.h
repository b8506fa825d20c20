#pragma once

#include <string>
#include <string_view>

namespace murelo {

// What the "New" dialog offers for each pixel mode when "Custom" is not chosen.
struct NewPicturePreset {
    const char* caption; // caption of the preset radio button, in logical pixels
    int width;           // physical size of the new picture
    int height;
    int paletteKind; // the family's first kind
};

NewPicturePreset PresetForEditMode(int editMode);

// The number typed into a size edit; an empty or non-numeric edit counts as 0.
int ParseSizeEdit(std::string_view text);

// A custom logical width rounded up to a multiple of 8, at least 8, at most 320 in the
// wide-pixel mode (whose physical picture is twice as wide) and 640 otherwise.
int ValidateCustomWidth(int width, int editMode);
// A custom logical height rounded up to a multiple of 4, raised to 8 when that is below 5,
// at most 320 in the tall-pixel mode and 640 otherwise.
int ValidateCustomHeight(int height, int editMode);

struct PictureSize {
    int width;
    int height;
};

// The physical size of a picture of validated logical size in the given pixel mode.
PictureSize PhysicalSize(int logicalWidth, int logicalHeight, int editMode);

} // namespace murelo
