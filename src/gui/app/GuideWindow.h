#pragma once

#include <QWidget>

class QTextBrowser;

namespace murelo::gui {

// The user guide in a window of the program's own, for a desktop where no browser opens it.
// Links within the guide are followed in the window; links to the web go to the desktop.
class GuideWindow : public QWidget {
    Q_OBJECT
  public:
    explicit GuideWindow(QWidget* parent);

    // Loads the guide page (an HTML file) and shows the window in front.
    void showPage(const QString& path);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace murelo::gui
