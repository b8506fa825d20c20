#pragma once

#include <QObject>

namespace murelo::gui {

class TForm1;
class TForm10;

// While the Pixel Converter is shown nothing else may change the picture it converts or
// the result over it: the mirror key, the colour check's key, mouse events on the picture
// and on the cell frame, and dropped files are swallowed, and the result follows the picture's
// place and scale.
class ConverterGuard : public QObject {
    Q_OBJECT
  public:
    ConverterGuard(TForm1* form1, TForm10* form10);
    ~ConverterGuard() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool blocks(QObject* watched, QEvent* event) const;

    TForm1* form1_;
    TForm10* form10_;
};

} // namespace murelo::gui
