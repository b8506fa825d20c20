#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace murelo::gui {

// Where Help > Help looks for the user guide, in this order: beside the program (the build
// tree), then the installed copy in share/doc/murelo9918 next to the program's bin folder.
QStringList GuideCandidates(const QString& programDir);
// The first candidate that exists, or an empty string.
QString FindGuide(const QString& programDir);

// Help > Help: asks the desktop to open the guide in its browser. When there is no guide or
// nothing could be started, a box names the file.
void OpenGuide(QWidget* parent, const QString& programDir);

} // namespace murelo::gui
