#include "gui/editor/MessageBoxes.h"

#include <QMessageBox>

namespace murelo::gui {

namespace {
BoxHandler& Handler() {
    static BoxHandler handler;
    return handler;
}
} // namespace

void SetBoxHandler(BoxHandler handler) {
    Handler() = std::move(handler);
}

void ShowReport(QWidget* parent, const QString& text, const QString& caption) {
    if (Handler()) {
        Handler()(BoxKind::Report, text, caption);
        return;
    }
    QMessageBox::information(parent, caption, text, QMessageBox::Ok);
}

bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) {
    if (Handler())
        return Handler()(BoxKind::Question, text, caption);
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

} // namespace murelo::gui
