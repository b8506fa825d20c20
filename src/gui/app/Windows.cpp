#include "gui/app/Windows.h"

#include "gui/app/TForm1.h"
#include "gui/convert/TForm10.h"
#include "gui/dialogs/TForm3.h"
#include "gui/dialogs/TForm5.h"
#include "gui/dialogs/TForm6.h"
#include "gui/dialogs/TForm7.h"
#include "gui/dialogs/TForm8.h"
#include "gui/dialogs/TForm9.h"
#include "gui/dialogs/WindowPlacement.h"
#include "gui/export/TForm4.h"
#include "gui/palette/TForm2.h"

namespace murelo::gui {

Windows& AllWindows() {
    static Windows windows;
    return windows;
}

Windows& CreateWindows() {
    Windows& w = AllWindows();
    w.Form1 = new TForm1();
    w.Form2 = new TForm2(w.Form1);
    w.Form3 = new TForm3(w.Form1);
    w.Form4 = new TForm4(w.Form1);
    w.Form5 = new TForm5(w.Form1);
    w.Form6 = new TForm6(w.Form1);
    w.Form7 = new TForm7(w.Form1);
    w.Form8 = new TForm8(w.Form1);
    w.Form9 = new TForm9(w.Form1);
    w.Form10 = new TForm10(w.Form1);
    // Their title bars show the whole caption ("Set Color Depth", not "Set C...epth").
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{w.Form3, w.Form4, w.Form6, w.Form7, w.Form8, w.Form9})
        ReserveCaptionWidth(dialog);
    w.Form1->windowsCreated();
    return w;
}

} // namespace murelo::gui
