#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QUrl;
class QWidget;

namespace murelo::gui {

// Where Help > Help looks for the user guide, in this order: beside the program (the build
// tree), then the installed copy in share/doc/murelo9918 next to the program's bin folder.
QStringList GuideCandidates(const QString& programDir);
// The first candidate that exists, or an empty string.
QString FindGuide(const QString& programDir);

// Asks the desktop to show a local page and calls `failed` (at once or later) when nothing
// could show it.
using PageOpener = std::function<void(const QUrl& page, std::function<void()> failed)>;
// Replaces how pages are handed to the desktop (tests); an empty opener restores it.
void SetPageOpener(PageOpener opener);

// Help > Help: asks the desktop to open the guide in its browser; when no browser opens it,
// the guide shows in a window of the program's own (a child of `parent`, reused). When
// there is no guide, a box names the file where it belongs.
void OpenGuide(QWidget* parent, const QString& programDir);

} // namespace murelo::gui
