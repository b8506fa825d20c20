#pragma once

#include <QWidget>

namespace murelo::gui {

// Every window besides the editor lives as long as the program, is shown and hidden as
// needed and never keeps the program running on its own: closing the editor ends it.
// stayOnTop keeps the window above the editor while both are shown.
void PrepareSecondaryWindow(QWidget* window, bool stayOnTop);

// Places the window's frame centred over the other window's frame.
void CentreOnWindow(QWidget* window, const QWidget* on);

// The widget's own enabled flag (not the one inherited from a disabled parent), so it can
// be put back exactly as it was.
inline bool OwnEnabledState(const QWidget* widget) {
    return !widget->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace murelo::gui
