#include "gui/dialogs/TForm5.h"

#include "gui/app/TForm1.h"
#include "gui/app/Windows.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/palette/TForm2.h"

#include <QAction>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace murelo::gui {

TForm5::TForm5(TForm1* mainWindow) : QWidget(nullptr, Qt::Tool), form1_(mainWindow) {
    setObjectName("Form5");
    setWindowTitle("Message");
    PrepareSecondaryWindow(this, true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The window widens for its longest line; where the screen is narrower still, lines wrap
    // rather than run out of sight.
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
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
    const QString text = QString::fromStdString(text_);
    Memo1->setPlainText(text);
    fitLongestLine(text);
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
}

void TForm5::fitLongestLine(const QString& text) {
    const QFontMetrics metrics(Memo1->font());
    int longest = 0;
    for (const QString& line : text.split('\n'))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    // The text's margins, the frame and the scroll bar beside the longest line.
    const int needed = longest + 2 * int(Memo1->document()->documentMargin()) +
                       2 * Memo1->frameWidth() + Memo1->verticalScrollBar()->sizeHint().width() +
                       metrics.averageCharWidth();
    if (needed <= width())
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const int frame = frameGeometry().width() - width();
    const int wanted = available.isValid() ? std::min(needed, available.width() - frame) : needed;
    resize(std::max(wanted, width()), height());
    // Widened past the screen's right edge: moved back onto it.
    if (available.isValid() && frameGeometry().right() > available.right())
        move(std::max(available.left(), available.right() + 1 - frameGeometry().width()), y());
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (form1_->Message1)
        form1_->Message1->setChecked(true);
    // Beside the editor (clear of the tool palette) the first time, or when the editor fills
    // the screen beside its picture; later where it was left.
    if (!placed_) {
        placed_ = true;
        PlaceBesideMainWindow(this, form1_, {AllWindows().Form2});
        if (frameGeometry().intersects(form1_->frameGeometry()))
            PlaceBesideArea(this, form1_, form1_->visiblePictureRect(),
                            {AllWindows().Form2, AllWindows().Form10});
    }
}

void TForm5::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Closed by its title-bar button or hidden by the menu item: the check mark follows.
    if (!event->spontaneous() && form1_->Message1)
        form1_->Message1->setChecked(false);
}

} // namespace murelo::gui
