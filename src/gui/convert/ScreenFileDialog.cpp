#include "gui/convert/ScreenFileDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace murelo::gui {

namespace {

ScreenFileDialogHandler& Handler() {
    static ScreenFileDialogHandler handler;
    return handler;
}

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void SetScreenFileDialogHandler(ScreenFileDialogHandler handler) {
    Handler() = std::move(handler);
}

QFileDialog* CreateScreenFileDialog(ScreenDialog dialog, QWidget* parent) {
    const ScreenDialogInfo& info = DialogInfo(dialog);
    auto* fileDialog = new QFileDialog(parent);
    fileDialog->setObjectName(FromStd(info.objectName));
    fileDialog->setAcceptMode(QFileDialog::AcceptSave);
    fileDialog->setFileMode(QFileDialog::AnyFile);
    fileDialog->setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog, so that "*.SC5" also lists pic.sc5.
    fileDialog->setOption(QFileDialog::DontUseNativeDialog);
    fileDialog->setFilter(fileDialog->filter() & ~QDir::CaseSensitive);
    QStringList filters;
    for (const DialogFilter& filter : info.filters)
        filters << QString::fromStdString(NameFilter(filter));
    fileDialog->setNameFilters(filters);
    fileDialog->setDefaultSuffix(FromStd(info.defaultExtension));
    return fileDialog;
}

std::optional<std::string> RunScreenFileDialog(QFileDialog& dialog, const std::string& proposed) {
    const QString name = QString::fromLocal8Bit(proposed);
    dialog.selectFile(name);
    std::optional<QString> chosen;
    if (Handler()) {
        chosen = Handler()(dialog, name);
    } else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        chosen = dialog.selectedFiles().first();
    }
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return chosen->toLocal8Bit().toStdString();
}

} // namespace murelo::gui
