#include "gui/app/UserGuide.h"

#include "gui/editor/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace murelo::gui {

namespace {
constexpr const char* GuideFile = "guide.html";
}

QStringList GuideCandidates(const QString& programDir) {
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.filePath(QString::fromLatin1(GuideFile))),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/doc/murelo9918/") +
                                         QString::fromLatin1(GuideFile)))};
}

QString FindGuide(const QString& programDir) {
    for (const QString& path : GuideCandidates(programDir))
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

void OpenGuide(QWidget* parent, const QString& programDir) {
    const QString guide = FindGuide(programDir);
    if (!guide.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        return;
    // Name the file the user can open by hand: the one found, else the installed place.
    const QString named = guide.isEmpty() ? GuideCandidates(programDir).last() : guide;
    ShowReport(parent,
               (guide.isEmpty() ? QStringLiteral("The user guide was not found:\n")
                                : QStringLiteral("No browser could open the user guide:\n")) +
                   QDir::toNativeSeparators(named),
               QStringLiteral("Help"));
}

} // namespace murelo::gui
