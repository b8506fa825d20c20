#include "gui/dialogs/TForm5.h"

#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QFontDatabase>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace murelo::gui {

TForm5::TForm5(TForm1* mainWindow) : QWidget(nullptr, Qt::Tool), form1_(mainWindow) {
    setObjectName("Form5");
    setWindowTitle("Message");
    PrepareSecondaryWindow(this, true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
    resize(257, 209);
}

void TForm5::setText(const std::string& text) {
    text_ = text;
    showText();
}

void TForm5::append(const std::string& text) {
    text_ += text;
    showText();
}

void TForm5::showText() {
    Memo1->setPlainText(QString::fromStdString(text_));
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (form1_->Message1)
        form1_->Message1->setChecked(true);
    // Beside the editor (clear of the tool palette) the first time; later where it was left.
    if (!placed_) {
        placed_ = true;
        PlaceBesideMainWindow(this, form1_, {AllWindows().Form2});
    }
}

void TForm5::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Closed by its title-bar button or hidden by the menu item: the check mark follows.
    if (!event->spontaneous() && form1_->Message1)
        form1_->Message1->setChecked(false);
}

} // namespace murelo::gui
