#pragma once

#include "core/editor/PictureFit.h"

#include <functional>
#include <optional>

class QWidget;

namespace murelo::gui {

// What File > Import Picture... asks after the file: the picture size and how to fit.
struct ImportChoice {
    int width = 256;
    int height = 192;
    PictureFitMode fit = PictureFitMode::Letterbox;
};

// Answers the import dialog (tests); an empty handler restores the real dialog.
using ImportChoiceHandler = std::function<std::optional<ImportChoice>()>;
void SetImportChoiceHandler(ImportChoiceHandler handler);

// The size (as the New dialog's custom size: width in steps of 8, height in steps of 4, up
// to 640) and the fit; nothing when cancelled.
std::optional<ImportChoice> RunImportChoice(QWidget* parent);

} // namespace murelo::gui
