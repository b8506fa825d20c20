#pragma once

#include <QString>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace murelo::gui {

enum class FileDialogKind { Open, Save, Import };

// Answers one file dialog: the chosen path, or nothing when cancelled.
using FileDialogHandler =
    std::function<std::optional<QString>(FileDialogKind kind, const QString& fileName)>;

// Replaces the real dialogs (tests); an empty handler restores them.
void SetFileDialogHandler(FileDialogHandler handler);

// The picture dialogs of the editor, their filters matching any letter case, with no
// overwrite question of the toolkit's own (the editor asks its own), starting at fileName.
// Open and Import start at the "Pictures" filter of every kind the editor reads (Open offers
// "BITMAP IMAGE (*.bmp)" after it); Save offers the bitmap and PNG filters. The file's
// bytes, not the filter, decide how it is read.
std::optional<QString> RunPictureDialog(QWidget* parent, FileDialogKind kind,
                                        const QString& fileName);

// Every file dialog of the editor (Qt's own, not the desktop's): above the always-on-top
// tool palette, in the detail view with the size, type and date columns as wide as their
// headers and contents, and large enough for them on the screen it opens on.
void PrepareFileDialog(QFileDialog& dialog);

} // namespace murelo::gui
