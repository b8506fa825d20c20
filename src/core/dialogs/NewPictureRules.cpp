#include "core/dialogs/NewPictureRules.h"

#include "core/app/Document.h"
#include "core/palette/Palettes.h"

#include <algorithm>
#include <charconv>

namespace murelo {

NewPicturePreset PresetForEditMode(int editMode) {
    switch (editMode) {
    case EditModePc6001Wide:
        return {"128 x 192", 256, 192, KindColor15};
    case EditModePc6001:
        return {"256 x 192", 256, 192, KindColor15};
    case EditModePc8801Tall:
        return {"640 x 200", 640, 400, KindPc8801};
    default:
        return {"256 x 192", 256, 192, KindTms9918};
    }
}

int ParseSizeEdit(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value < 0)
        return 0;
    (void)end;
    return value;
}

int ValidateCustomWidth(int width, int editMode) {
    int w = (width + 7) / 8 * 8;
    if (w < 1)
        w = 8;
    return std::min(w, editMode == EditModePc6001Wide ? 320 : MaxPictureSize);
}

int ValidateCustomHeight(int height, int editMode) {
    int h = (height + 3) / 4 * 4;
    if (h < 5)
        h = 8;
    return std::min(h, editMode == EditModePc8801Tall ? 320 : MaxPictureSize);
}

PictureSize PhysicalSize(int logicalWidth, int logicalHeight, int editMode) {
    return {editMode == EditModePc6001Wide ? logicalWidth * 2 : logicalWidth,
            editMode == EditModePc8801Tall ? logicalHeight * 2 : logicalHeight};
}

} // namespace murelo
