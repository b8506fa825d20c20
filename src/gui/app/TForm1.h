#pragma once

#include "core/app/Document.h"

#include <QMainWindow>

namespace murelo::gui {

// The editor: menu, magnified picture and the document it owns.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();

    Document& document() { return doc_; }

    // Called once all ten windows exist: each subsystem wires its menu items and the
    // windows it shows (each defined in the TForm1<Subsystem>.cpp beside this file).
    void windowsCreated();
    void connectDialogs(); // TForm1Dialogs.cpp: tool palette, New, Edit Mode, depth, message, about
    void connectExport();  // TForm1Export.cpp: File > Export

    // --- declarations of TForm1Dialogs.cpp / TForm1Export.cpp (kept by the dialogs' owner) ---
    // --- end of the dialogs' declarations ---

private:
    Document doc_;
};

} // namespace murelo::gui
