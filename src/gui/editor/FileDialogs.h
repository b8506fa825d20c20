#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace murelo::gui {

enum class FileDialogKind { Open, Save, Import };

// Answers one file dialog: the chosen path, or nothing when cancelled.
using FileDialogHandler =
    std::function<std::optional<QString>(FileDialogKind kind, const QString& fileName)>;

// Replaces the real dialogs (tests); an empty handler restores them.
void SetFileDialogHandler(FileDialogHandler handler);

// The bitmap dialogs of the editor: filter "BITMAP IMAGE (*.bmp)" matching any letter
// case, no overwrite question of the toolkit's own (the editor asks its own), starting
// at fileName. Open and Import also offer every picture kind the editor reads, Save also
// PNG; the file's bytes, not the filter, decide how it is read.
std::optional<QString> RunPictureDialog(QWidget* parent, FileDialogKind kind,
                                        const QString& fileName);

} // namespace murelo::gui
