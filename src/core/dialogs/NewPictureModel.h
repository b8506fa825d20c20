#pragma once

#include "core/app/Document.h"

#include <optional>
#include <string_view>

namespace murelo {

// What the "New" dialog offers for each pixel mode when "Custom" is not chosen.
struct NewPicturePreset {
    const char* caption; // caption of the preset radio button, in logical pixels
    int width;           // physical size of the new picture
    int height;
    PaletteKindId paletteKind; // the family's first kind
};

struct PictureSize {
    int width;
    int height;
};

// The "White"/"Color" fill choice for the current palette kind.
struct WhiteChoice {
    bool whiteEnabled;
    bool selectColor; // "Color" must be chosen because the kind has no white
};

// What the New dialog's Cancel returns to.
struct ModeAndPalette {
    EditModeId editMode;
    PaletteKindId paletteKind;
};

// The "New" dialog: presets and custom sizes of each pixel mode, the fill choice, and the
// pixel mode and palette it tries out while open, which Cancel takes back.
class NewPictureModel {
  public:
    // Opening remembers what Cancel returns to; the Pixel Converter fills the same slots
    // when it opens.
    void open(ModeAndPalette current);
    void remember(ModeAndPalette current) { saved_ = current; }
    // OK: the tried-out mode stays.
    void confirm() { confirmed_ = true; }
    // Closing, by OK, Cancel or the window manager: what to return to, none after OK.
    std::optional<ModeAndPalette> close();
    const ModeAndPalette& saved() const { return saved_; }

    // A pixel mode chosen: the preset size shown with it.
    const NewPicturePreset& chooseMode(EditModeId mode);
    const NewPicturePreset& preset() const { return preset_; }

    // The physical size OK makes from the preset or from the validated custom edits.
    PictureSize sizeToMake(bool custom, int customWidth, int customHeight, EditModeId mode) const;

    static NewPicturePreset PresetFor(EditModeId mode);
    // The number typed into a size edit; an empty or non-numeric edit counts as 0.
    static int ParseSizeEdit(std::string_view text);
    // A custom logical width rounded up to a multiple of 8, at least 8, at most 320 in the
    // wide-pixel mode (whose physical picture is twice as wide) and 640 otherwise.
    static int ValidateCustomWidth(int width, EditModeId mode);
    // A custom logical height rounded up to a multiple of 4, raised to 8 when that is below
    // 5, at most 320 in the tall-pixel mode and 640 otherwise.
    static int ValidateCustomHeight(int height, EditModeId mode);
    // The physical size of a picture of validated logical size in the given pixel mode.
    static PictureSize PhysicalSize(int logicalWidth, int logicalHeight, EditModeId mode);
    static WhiteChoice WhiteChoiceFor(PaletteKindId kind);

  private:
    ModeAndPalette saved_{EditModeId::Tms99x8, PaletteKindId::Tms9918};
    bool confirmed_ = false;
    NewPicturePreset preset_ = PresetFor(EditModeId::Tms99x8);
};

} // namespace murelo
