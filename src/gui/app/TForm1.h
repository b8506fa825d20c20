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

private:
    Document doc_;
};

} // namespace murelo::gui
