#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace murelo::gui {

class TForm1;

// "Message": the text reports of the colour check and the export. Its text is one plain
// string: replacing sets it, appending adds exactly what is given (the reports carry their
// own line breaks).
class TForm5 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm5(TForm1* mainWindow);

    void setText(const std::string& text);
    void append(const std::string& text);
    const std::string& text() const { return text_; }

    QPlainTextEdit* Memo1 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void showText();
    // Widens the window (never narrows it) so its longest line shows whole, as far as the
    // screen allows.
    void fitLongestLine(const QString& text);

    TForm1* form1_;
    std::string text_;
    bool placed_ = false;
};

} // namespace murelo::gui
