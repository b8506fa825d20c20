// Help > Help: the guide rendered at build time, the desktop asked to open it, and the
// program's own window when no browser does.
#include "gui/app/UserGuide.h"
#include "gui/app/GuideWindow.h"
#include "gui/app/TForm1.h"
#include "gui/editor/MessageBoxes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

using namespace murelo::gui;

namespace {

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class UserGuideTest : public QObject {
    Q_OBJECT
    QList<QUrl> opened;
    QStringList boxes;
    bool browserOpens = true;

  private slots:
    void init() {
        opened.clear();
        boxes.clear();
        browserOpens = true;
        // The desktop for the duration of the test: it takes the page, or no browser does.
        SetPageOpener([this](const QUrl& page, const std::function<void()>& failed) {
            opened << page;
            if (!browserOpens)
                failed();
        });
        SetBoxHandler([this](BoxKind, const QString& text, const QString& caption) {
            boxes << caption + "|" + text;
            return true;
        });
    }
    void cleanup() {
        SetPageOpener({});
        SetBoxHandler({});
    }

    void thePageIsBuiltFromEveryChapterOfTheMarkdown() {
        const QString page = FindGuide(MURELO_GUIDE_DIR);
        QCOMPARE(page, QDir::cleanPath(MURELO_GUIDE_DIR "/guide.html"));
        const QString html = ReadText(page);
        const QString markdown = ReadText(MURELO_TEST_DATA "/../../docs/guide.md");
        QVERIFY(!markdown.isEmpty());
        const QRegularExpression heading("^## (.+)$", QRegularExpression::MultilineOption);
        int chapters = 0;
        for (auto it = heading.globalMatch(markdown); it.hasNext(); ++chapters) {
            const QString title = it.next().captured(1).toHtmlEscaped();
            QVERIFY2(html.contains("<h2>" + title + "</h2>"), qPrintable(title));
        }
        QVERIFY(chapters >= 8);
        QVERIFY(html.contains("<table>")); // the tables extension was on
        QVERIFY(html.startsWith("<!DOCTYPE html>"));
    }

    void theProgramsOwnFolderComesBeforeTheInstalledCopy() {
        QCOMPARE(GuideCandidates("/opt/m/bin"),
                 (QStringList{"/opt/m/bin/guide.html", "/opt/m/share/doc/murelo9918/guide.html"}));
        QTemporaryDir dir;
        const QString bin = dir.filePath("bin");
        QDir().mkpath(bin);
        QCOMPARE(FindGuide(bin), QString());
        Touch(dir.filePath("share/doc/murelo9918/guide.html"));
        QCOMPARE(FindGuide(bin), dir.filePath("share/doc/murelo9918/guide.html"));
        Touch(dir.filePath("bin/guide.html"));
        QCOMPARE(FindGuide(bin), dir.filePath("bin/guide.html"));
    }

    void helpAsksTheDesktopToOpenTheLocalPage() {
        TForm1 w;
        w.programDir = MURELO_GUIDE_DIR;
        QVERIFY(w.Help2->isEnabled());
        w.Help2->trigger();
        QCOMPARE(opened,
                 QList<QUrl>{QUrl::fromLocalFile(QDir::cleanPath(MURELO_GUIDE_DIR "/guide.html"))});
        QVERIFY(boxes.isEmpty() && !w.findChild<GuideWindow*>());
    }

    void withoutABrowserTheGuideShowsInAWindowOfItsOwn() {
        TForm1 w;
        w.programDir = MURELO_GUIDE_DIR;
        browserOpens = false;
        for (int times = 0; times < 2; ++times) // asked again, the same window comes up
            w.Help2->trigger();
        QCOMPARE(w.findChildren<GuideWindow*>().size(), 1);
        GuideWindow* window = w.findChild<GuideWindow*>();
        QVERIFY(window->isVisible());
        QCOMPARE(window->browser()->source(), opened.value(0));
        QVERIFY(window->browser()->toPlainText().contains("The two-colour rule"));
        QCOMPARE(boxes, QStringList());
    }

    void aMissingGuideIsNamedInABox() {
        QTemporaryDir dir;
        TForm1 w;
        w.programDir = dir.filePath("bin");
        w.Help2->trigger();
        QCOMPARE(opened, QList<QUrl>());
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith("Help|"), qPrintable(boxes[0]));
        QVERIFY2(boxes[0].endsWith(dir.filePath("share/doc/murelo9918/guide.html")),
                 qPrintable(boxes[0]));
    }
};

QTEST_MAIN(UserGuideTest)
#include "UserGuideTest.moc"
