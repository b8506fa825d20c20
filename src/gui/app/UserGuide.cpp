#include "gui/app/UserGuide.h"

#include "gui/app/GuideWindow.h"
#include "gui/editor/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace murelo::gui {

namespace {

constexpr const char* GuideFile = "guide.html";

PageOpener& Opener() {
    static PageOpener opener;
    return opener;
}

// xdg-open tells by its exit status whether a program took the page (it starts without a
// browser too, and then fails); elsewhere the desktop services say so at once.
void OpenWithDesktop(const QUrl& page, const std::function<void()>& failed) {
    const QString xdgOpen = QStandardPaths::findExecutable("xdg-open");
    if (xdgOpen.isEmpty()) {
        if (!QDesktopServices::openUrl(page))
            failed();
        return;
    }
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         failed();
                         process->deleteLater();
                     });
    process->start(xdgOpen, {page.toLocalFile()});
}

void ShowOwnWindow(QWidget* parent, const QString& guide) {
    auto* window = parent->findChild<GuideWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new GuideWindow(parent);
    window->showPage(guide);
}

} // namespace

void SetPageOpener(PageOpener opener) {
    Opener() = std::move(opener);
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
    if (guide.isEmpty()) {
        // Name the file the user can look for: the installed place.
        ShowReport(parent,
                   QStringLiteral("The user guide was not found:\n") +
                       QDir::toNativeSeparators(GuideCandidates(programDir).last()),
                   QStringLiteral("Help"));
        return;
    }
    const QPointer<QWidget> owner(parent);
    const auto failed = [owner, guide] {
        if (owner)
            ShowOwnWindow(owner, guide);
    };
    const QUrl page = QUrl::fromLocalFile(guide);
    if (Opener())
        Opener()(page, failed);
    else
        OpenWithDesktop(page, failed);
}

} // namespace murelo::gui
