#pragma once

#include <memory>

namespace murelo::gui {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;

// The ten windows of the program, created once at start-up in this order and alive
// until it ends. Every window reaches the others through here.
struct Windows {
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
    TForm9* Form9 = nullptr;
    TForm10* Form10 = nullptr;
};

// Creates all ten windows (Form1 first). Destroying the main window ends the others.
Windows& CreateWindows();
Windows& AllWindows();

} // namespace murelo::gui
