#include "core/dialogs/NewPictureModel.h"

#include <algorithm>
#include <charconv>

namespace murelo {

void NewPictureModel::open(ModeAndPalette current) {
    saved_ = current;
    confirmed_ = false;
}

std::optional<ModeAndPalette> NewPictureModel::close() {
    const bool confirmed = confirmed_;
    confirmed_ = false;
    if (confirmed)
        return std::nullopt;
    return saved_;
}

const NewPicturePreset& NewPictureModel::chooseMode(EditModeId mode) {
    preset_ = PresetFor(mode);
    return preset_;
}

PictureSize NewPictureModel::sizeToMake(bool custom, int customWidth, int customHeight,
                                        EditModeId mode) const {
    if (!custom)
        return {preset_.width, preset_.height};
    return PhysicalSize(customWidth, customHeight, mode);
}

NewPicturePreset NewPictureModel::PresetFor(EditModeId mode) {
    switch (mode) {
    case EditModeId::Pc6001Wide:
        return {"128 x 192", 256, 192, PaletteKindId::Color15};
    case EditModeId::Pc6001:
        return {"256 x 192", 256, 192, PaletteKindId::Color15};
    case EditModeId::Pc8801Tall:
        return {"640 x 200", 640, 400, PaletteKindId::Pc8801};
    case EditModeId::Tms99x8:
        break;
    }
    return {"256 x 192", 256, 192, PaletteKindId::Tms9918};
}

int NewPictureModel::ParseSizeEdit(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value < 0)
        return 0;
    (void)end;
    return value;
}

int NewPictureModel::ValidateCustomWidth(int width, EditModeId mode) {
    int w = (width + 7) / 8 * 8;
    if (w < 1)
        w = 8;
    return std::min(w, mode == EditModeId::Pc6001Wide ? 320 : MaxPictureSize);
}

int NewPictureModel::ValidateCustomHeight(int height, EditModeId mode) {
    int h = (height + 3) / 4 * 4;
    if (h < 5)
        h = 8;
    return std::min(h, mode == EditModeId::Pc8801Tall ? 320 : MaxPictureSize);
}

PictureSize NewPictureModel::PhysicalSize(int logicalWidth, int logicalHeight, EditModeId mode) {
    return {mode == EditModeId::Pc6001Wide ? logicalWidth * 2 : logicalWidth,
            mode == EditModeId::Pc8801Tall ? logicalHeight * 2 : logicalHeight};
}

WhiteChoice NewPictureModel::WhiteChoiceFor(PaletteKindId kind) {
    const bool hasWhite = PaletteRange(kind).hasWhite;
    return {hasWhite, !hasWhite};
}

} // namespace murelo
