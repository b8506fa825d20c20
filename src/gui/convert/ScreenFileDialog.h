#pragma once

#include "core/convert/ScreenFileDialogs.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace murelo::gui {

// Answers one of the converter's save dialogs, built and proposing `proposed`: the chosen
// path, or nothing when cancelled.
using ScreenFileDialogHandler =
    std::function<std::optional<QString>(QFileDialog& dialog, const QString& proposed)>;

// Replaces the showing of the dialogs (tests); an empty handler restores it.
void SetScreenFileDialogHandler(ScreenFileDialogHandler handler);

// A save dialog as its description has it: object name, filters (any letter case), default
// suffix, and no overwrite question of the toolkit's own (bitmaps ask their own once).
QFileDialog* CreateScreenFileDialog(ScreenDialog dialog, QWidget* parent);

// Shows the dialog proposing the name (a local path); the chosen local path, or nothing.
std::optional<std::string> RunScreenFileDialog(QFileDialog& dialog, const std::string& proposed);

} // namespace murelo::gui
