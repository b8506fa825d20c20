#include "gui/dialogs/WindowPlacement.h"

namespace murelo::gui {

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

} // namespace murelo::gui
