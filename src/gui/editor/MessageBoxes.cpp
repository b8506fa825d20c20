#include "gui/editor/MessageBoxes.h"

#include "gui/dialogs/WindowPlacement.h"

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
    MakeBox(parent, BoxKind::Report, text, caption)->exec();
}

bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) {
    if (Handler())
        return Handler()(BoxKind::Question, text, caption);
    return MakeBox(parent, BoxKind::Question, text, caption)->exec() == QMessageBox::Ok;
}

std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, BoxKind kind, const QString& text,
                                     const QString& caption) {
    const bool question = kind == BoxKind::Question;
    auto box = std::make_unique<QMessageBox>(
        question ? QMessageBox::Question : QMessageBox::Information, caption, text,
        question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box->setDefaultButton(QMessageBox::Ok);
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    ReserveCaptionWidth(box.get());
    return box;
}

} // namespace murelo::gui
