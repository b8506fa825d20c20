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

namespace {

DesktopRect MenuBarOf(const QWidget* mainWindow) {
    if (const auto* main = qobject_cast<const QMainWindow*>(mainWindow); main && main->menuWidget())
        return Desktop(
            QRect(main->menuWidget()->mapToGlobal(QPoint(0, 0)), main->menuWidget()->size()));
    return {};
}

std::vector<DesktopRect> ShownFrames(const QWidget* window,
                                     std::initializer_list<const QWidget*> avoid) {
    std::vector<DesktopRect> frames;
    for (const QWidget* other : avoid)
        if (other && other != window && other->isVisible())
            frames.push_back(Desktop(other->frameGeometry()));
    return frames;
}

// Beside `anchor`, clear of `others`.
void PlaceBeside(QWidget* window, const QWidget* mainWindow, const DesktopRect& anchor,
                 const DesktopRect& menu, const std::vector<DesktopRect>& others) {
    window->adjustSize();
    const QScreen* screen =
        mainWindow->screen() ? mainWindow->screen() : QApplication::primaryScreen();
    const QSize frame = ExpectedFrameSize(window, mainWindow);
    const DesktopPoint p = murelo::PlaceBesideMainWindow(
        frame.width(), frame.height(), anchor, Desktop(screen->availableGeometry()), menu, others);
    window->move(p.x, p.y);
}

} // namespace

void PlaceBesideMainWindow(QWidget* window, const QWidget* mainWindow,
                           std::initializer_list<const QWidget*> avoid) {
    if (!mainWindow)
        return;
    PlaceBeside(window, mainWindow, Desktop(mainWindow->frameGeometry()), MenuBarOf(mainWindow),
                ShownFrames(window, avoid));
}

void PlaceBesideArea(QWidget* window, const QWidget* mainWindow, const QRect& area,
                     std::initializer_list<const QWidget*> avoid) {
    if (!mainWindow)
        return;
    // Over the rest of the main window is fine; over its menu bar is not.
    const DesktopRect menu = MenuBarOf(mainWindow);
    std::vector<DesktopRect> others = ShownFrames(window, avoid);
    if (menu.width > 0)
        others.push_back(menu);
    PlaceBeside(window, mainWindow, Desktop(area), menu, others);
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
