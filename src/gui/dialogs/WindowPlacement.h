#pragma once

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <initializer_list>
#include <utility>
#include <vector>

namespace murelo::gui {

// Every window besides the editor lives as long as the program, is shown and hidden as
// needed and never keeps the program running on its own: closing the editor ends it.
// stayOnTop keeps the window above the editor while both are shown.
void PrepareSecondaryWindow(QWidget* window, bool stayOnTop);

// Places the window's frame centred over the other window's frame.
void CentreOnWindow(QWidget* window, const QWidget* on);

// Places a tool window (the tool palette, the message window) beside the main window on the
// main window's screen, clear of the windows in `avoid` that are shown, never over the main
// window's menu bar (see PlaceBesideMainWindow in core/dialogs).
void PlaceBesideMainWindow(QWidget* window, const QWidget* mainWindow,
                           std::initializer_list<const QWidget*> avoid = {});

// Places a window beside an area of the main window (the picture's visible part, in global
// coordinates) as a tool window is placed beside the main window: clear of the area, of the
// main window's menu bar and of the windows in `avoid` that are shown, when the screen allows.
void PlaceBesideArea(QWidget* window, const QWidget* mainWindow, const QRect& area,
                     std::initializer_list<const QWidget*> avoid = {});

// The width a window needs for its caption in a title bar: the text in the bold title font
// and room for the window icon and three title-bar buttons, each as tall as the bar.
int CaptionWidth(const QWidget* window);
// Widens a dialog (through its layout, which may fix its size) so its caption fits.
void ReserveCaptionWidth(QWidget* window);

// The widget's own enabled flag (not the one inherited from a disabled parent), so it can
// be put back exactly as it was.
inline bool OwnEnabledState(const QWidget* widget) {
    return !widget->testAttribute(Qt::WA_ForceDisabled);
}

// The OK (default) and Cancel buttons of a dialog, named Button1 and Button2.
inline QDialogButtonBox* AddOkCancelButtons(QWidget* dialog, QPushButton*& ok,
                                            QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("Button1");
    ok->setDefault(true);
    cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("Button2");
    return buttons;
}

// Disables windows while a dialog is shown and, when it hides, re-enables exactly those
// that were enabled before, so a dialog never lifts another one's disabling.
class DisabledWhileShown {
  public:
    void disable(std::initializer_list<QWidget*> windows) {
        for (QWidget* w : windows) {
            if (!w)
                continue;
            saved_.emplace_back(w, OwnEnabledState(w));
            w->setEnabled(false);
        }
    }
    void restore() {
        for (auto& [window, wasEnabled] : saved_)
            if (window && wasEnabled)
                window->setEnabled(true);
        saved_.clear();
    }

  private:
    std::vector<std::pair<QPointer<QWidget>, bool>> saved_;
};

} // namespace murelo::gui
