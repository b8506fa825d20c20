#include "gui/dialogs/WindowPlacement.h"

#include "core/dialogs/ToolWindowPlacement.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <vector>

namespace murelo::gui {

namespace {

DesktopRect Desktop(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// A frame not yet decorated by the window manager is as large as the window; give it the
// main window's decoration, which it will get.
QSize ExpectedFrameSize(const QWidget* window, const QWidget* mainWindow) {
    const QSize frame = window->frameGeometry().size();
    if (frame != window->size())
        return frame;
    const QSize decoration = mainWindow->frameGeometry().size() - mainWindow->size();
    return window->size() + decoration;
}

} // namespace

void PrepareSecondaryWindow(QWidget* window, bool stayOnTop) {
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (stayOnTop)
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void CentreOnWindow(QWidget* window, const QWidget* on) {
    if (!on)
        return;
    window->adjustSize();
    const QRect target = on->frameGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(target.center());
    window->move(frame.topLeft());
}

void PlaceBesideMainWindow(QWidget* window, const QWidget* mainWindow,
                           std::initializer_list<const QWidget*> avoid) {
    if (!mainWindow)
        return;
    window->adjustSize();
    const QScreen* screen =
        mainWindow->screen() ? mainWindow->screen() : QApplication::primaryScreen();
    DesktopRect menu;
    if (const auto* main = qobject_cast<const QMainWindow*>(mainWindow); main && main->menuWidget())
        menu = Desktop(
            QRect(main->menuWidget()->mapToGlobal(QPoint(0, 0)), main->menuWidget()->size()));
    std::vector<DesktopRect> others;
    for (const QWidget* other : avoid)
        if (other && other != window && other->isVisible())
            others.push_back(Desktop(other->frameGeometry()));
    const QSize frame = ExpectedFrameSize(window, mainWindow);
    const DesktopPoint p = murelo::PlaceBesideMainWindow(
        frame.width(), frame.height(), Desktop(mainWindow->frameGeometry()),
        Desktop(screen->availableGeometry()), menu, others);
    window->move(p.x, p.y);
}

int CaptionWidth(const QWidget* window) {
    QFont title = QApplication::font("QMdiSubWindowTitleBar");
    title.setBold(true);
    const QFontMetrics metrics(title);
    const int bar =
        std::max(metrics.height() + 8,
                 window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    return metrics.horizontalAdvance(window->windowTitle()) + 4 * bar + 16;
}

void ReserveCaptionWidth(QWidget* window) {
    const int width = CaptionWidth(window);
    // A spacer as wide as the caption: a layout that fixes the window's size keeps it.
    auto* spacer = new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(window->layout()))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else if (auto* box = qobject_cast<QBoxLayout*>(window->layout());
             box && (box->direction() == QBoxLayout::TopToBottom ||
                     box->direction() == QBoxLayout::BottomToTop))
        box->addItem(spacer);
    else {
        delete spacer;
        window->setMinimumWidth(std::max(window->minimumWidth(), width));
    }
}

} // namespace murelo::gui
