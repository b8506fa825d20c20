#include "gui/editor/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

namespace murelo::gui {

namespace {
FileDialogHandler& Handler() {
    static FileDialogHandler handler;
    return handler;
}
} // namespace

void SetFileDialogHandler(FileDialogHandler handler) {
    Handler() = std::move(handler);
}

std::optional<QString> RunPictureDialog(QWidget* parent, FileDialogKind kind,
                                        const QString& fileName) {
    if (Handler())
        return Handler()(kind, fileName);
    QFileDialog dialog(parent);
    const bool save = kind == FileDialogKind::Save;
    const QString bitmaps = QStringLiteral("BITMAP IMAGE (*.bmp)");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog, so the filter's letter case can be switched off.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    // Every kind the readers take, first, so that none is hidden behind the bitmap filter.
    const QString pictures = QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.sc2)");
    const QString all = QStringLiteral("ALL FILES (*)");
    if (save)
        dialog.setNameFilters({bitmaps, QStringLiteral("PNG IMAGE (*.png)")});
    else if (kind == FileDialogKind::Import)
        dialog.setNameFilters({pictures, all});
    else
        dialog.setNameFilters({pictures, bitmaps, all});
    PrepareFileDialog(dialog);
    dialog.setDefaultSuffix(save ? QStringLiteral("bmo") : QStringLiteral("bmp"));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void PrepareFileDialog(QFileDialog& dialog) {
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* view = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    const QFontMetrics metrics = dialog.fontMetrics();
    QSize size = dialog.sizeHint().expandedTo(
        QSize(metrics.averageCharWidth() * 100, metrics.lineSpacing() * 28));
    const QScreen* screen = dialog.screen() ? dialog.screen() : QApplication::primaryScreen();
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);
}

} // namespace murelo::gui
