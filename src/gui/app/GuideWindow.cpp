#include "gui/app/GuideWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace murelo::gui {

GuideWindow::GuideWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("GuideWindow");
    setWindowTitle("Murelo 9918 Help");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("GuideText");
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // A readable column of text, as tall as the screen allows.
    const QFontMetrics metrics = fontMetrics();
    QSize size(metrics.averageCharWidth() * 110, metrics.lineSpacing() * 45);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void GuideWindow::showPage(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

} // namespace murelo::gui
