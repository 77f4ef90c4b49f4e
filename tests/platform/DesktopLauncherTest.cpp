#include "platform/linux/DesktopLauncher.h"
#include "support/core/ScopedSearchPath.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

TEST(DesktopLauncher, WindowsProgramNamesHaveLinuxStandIns)
{
    const std::pair<const char *, const char *> cases[] = {
        {"calc.exe", "gnome-calculator"},
        {"CALC.EXE", "gnome-calculator"},
        {"charmap.exe", "gucharmap"},
        {"Notepad", "gnome-text-editor"},
        {"MSInfo32.exe", "gnome-system-monitor"},
    };
    for (const auto &[name, first] : cases) {
        SCOPED_TRACE(name);
        const QStringList candidates = DesktopLauncher::roleCandidates(QString::fromLatin1(name));
        ASSERT_FALSE(candidates.isEmpty());
        EXPECT_EQ(candidates.first(), QString::fromLatin1(first));
    }
    EXPECT_TRUE(DesktopLauncher::roleCandidates(QStringLiteral("Intern")).isEmpty());
}

TEST(DesktopLauncher, MissingFilesAreReportedAsNotFound)
{
    DesktopLauncher launcher;
    EXPECT_EQ(launcher.open(QStringLiteral("/nicht/da/gsak.exe"), {}, {}), 2);
    EXPECT_EQ(launcher.open(QStringLiteral("Intern-gibt-es-nicht"), {}, {}), 2);
}

TEST(DesktopLauncher, ProgramsStartInTheGivenWorkingDirectory)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("zeige-ordner.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\npwd > ordner.tmp && mv ordner.tmp ordner.txt\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    DesktopLauncher launcher;
    EXPECT_GT(launcher.open(script, {}, dir.path()), 32);
    const QString result = dir.filePath(QStringLiteral("ordner.txt"));
    // The program runs detached; wait for what it leaves behind.
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(result) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile written(result);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().trimmed(), dir.path().toUtf8());
}

namespace {

// A shell script that leaves a file "gestartet.txt" in the folder it was started in.
QString writeMarkerProgram(const QString &folder, const QString &name)
{
    const QString path = folder + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    // Only shell built-ins: the search path the test sets holds nothing else.
    file.write("#!/bin/sh\n: > gestartet.txt\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

bool waitForFile(const QString &path)
{
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return QFile::exists(path);
}

} // namespace

TEST(DesktopLauncher, WithAnEmptySearchPathNoBareNameIsFound)
{
    QTemporaryDir emptyFolder;
    ScopedSearchPath path(emptyFolder.path());
    DesktopLauncher launcher;
    for (const char *name :
         {"calc.exe", "charmap.exe", "Notepad", "MSInfo32.exe", "Intern", "sh"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(launcher.open(QString::fromLatin1(name), {}, {}), 2);
    }
    EXPECT_EQ(launcher.open(QString(), {}, {}), 2);
}

TEST(DesktopLauncher, BareNamesAreFoundOnTheSearchPathAndStartInTheGivenFolder)
{
    QTemporaryDir programs;
    QTemporaryDir workFolder;
    ASSERT_FALSE(writeMarkerProgram(programs.path(), QStringLiteral("gnome-calculator")).isEmpty());
    ASSERT_FALSE(writeMarkerProgram(programs.path(), QStringLiteral("mein-werkzeug")).isEmpty());
    ScopedSearchPath path(programs.path());
    DesktopLauncher launcher;
    const QString marker = workFolder.filePath(QStringLiteral("gestartet.txt"));
    for (const char *name : {"calc.exe", "mein-werkzeug"}) {
        SCOPED_TRACE(name);
        QFile::remove(marker);
        EXPECT_GT(launcher.open(QString::fromLatin1(name), {}, workFolder.path()), 32);
        EXPECT_TRUE(waitForFile(marker));
    }
    // The stand-in of another role is not there.
    EXPECT_EQ(launcher.open(QStringLiteral("charmap.exe"), {}, {}), 2);
}

TEST(DesktopLauncher, AFileThatIsNoProgramFailsToStart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kaputt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x7f"
               "ELF kaputt");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    DesktopLauncher launcher;
    // The code Windows gives for a file it may not run: access denied, nothing else.
    EXPECT_EQ(launcher.open(path, {}, {}), 5);
}

TEST(DesktopLauncher, AViewerIsRegisteredOnlyWhenTheDesktopNamesOne)
{
    struct Case
    {
        const char *name;
        const char *script; // the stand-in for xdg-mime; none: not installed
        bool registered;
    };
    const Case cases[] = {
        {"no xdg-mime", nullptr, false},
        {"a default program", "echo xchm.desktop", true},
        {"no default program", "exit 0", false},
        {"query fails", "echo kaputt >&2; exit 4", false},
        {"a name, but the query fails", "echo xchm.desktop; exit 1", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir programs;
        if (c.script) {
            const QString path = programs.filePath(QStringLiteral("xdg-mime"));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            // The query names the help file's type.
            file.write(
                QByteArray("#!/bin/sh\n[ \"$3\" = application/vnd.ms-htmlhelp ] || exit 9\n") +
                c.script + "\n");
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        ScopedSearchPath path(programs.path() + QStringLiteral(":/bin:/usr/bin"));
        if (!c.script)
            qputenv("PATH", programs.path().toLocal8Bit());
        DesktopLauncher launcher;
        EXPECT_EQ(launcher.hasViewerFor(QStringLiteral("/opt/quarvel/Quarvel.chm")), c.registered);
    }
}

// Without desktop services of the platform plug-in (the tests run offscreen), a document goes
// to the freedesktop opener; without one it has no associated program.
TEST(DesktopLauncher, DocumentsGoToXdgOpenWhereThePlatformOpensNothing)
{
    QTemporaryDir programs;
    QTemporaryDir documents;
    const QString document = documents.filePath(QStringLiteral("Hilfe Seite.html"));
    QFile(document).open(QIODevice::WriteOnly);
    const QString log = documents.filePath(QStringLiteral("opened"));
    {
        ScopedSearchPath path(programs.path());
        EXPECT_EQ(DesktopLauncher().open(document, QString(), QString()), 31);
    }
    QFile script(programs.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$1\" >\"" + log.toLocal8Bit() + "\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScopedSearchPath path(programs.path() + QStringLiteral(":/bin:/usr/bin"));
    EXPECT_GT(DesktopLauncher().open(document, QString(), QString()), 32);
    QFile opened(log);
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.exists() && opened.size() > 0; }, 5000));
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(QUrl(QString::fromUtf8(opened.readAll().trimmed())).toLocalFile(), document);
}

// A folder and a file: link are no programs: they go to the opener like a document.
TEST(DesktopLauncher, FoldersAndFileLinksGoToXdgOpen)
{
    QTemporaryDir programs;
    QTemporaryDir documents;
    const QString folder = documents.filePath(QStringLiteral("Ordner"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString log = documents.filePath(QStringLiteral("opened"));
    QFile script(programs.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$1\" >\"" + log.toLocal8Bit() + "\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScopedSearchPath path(programs.path() + QStringLiteral(":/bin:/usr/bin"));
    const struct
    {
        const char *what;
        QString target;
    } cases[] = {
        {"folder", folder},
        {"file: link", QUrl::fromLocalFile(folder).toString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(log);
        EXPECT_GT(DesktopLauncher().open(c.target, QString(), QString()), 32);
        QFile opened(log);
        ASSERT_TRUE(QTest::qWaitFor([&] { return opened.exists() && opened.size() > 0; }, 5000));
        ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
        EXPECT_EQ(QUrl(QString::fromUtf8(opened.readAll().trimmed())).toLocalFile(), folder);
    }
}

// A role whose programs are all missing fails as "not found"; a file of the role's name in the
// working folder is no stand-in and is not opened as a document.
TEST(DesktopLauncher, AMissingRoleDoesNotOpenAFileOfItsName)
{
    QTemporaryDir programs;
    QTemporaryDir workFolder;
    const QString log = programs.filePath(QStringLiteral("opened"));
    QFile opener(programs.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\necho \"$1\" >\"" + log.toLocal8Bit() + "\"\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char *name : {"calc.exe", "Notepad"})
        QFile(workFolder.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workFolder.path()));
    {
        // Only the fake opener on the search path: no installed program of a role is started.
        ScopedSearchPath path(programs.path());
        for (const char *name : {"calc.exe", "Notepad"}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(DesktopLauncher().open(QString::fromLatin1(name), {}, workFolder.path()), 2);
        }
    }
    QDir::setCurrent(saved);
    QThread::msleep(200); // an opener started by mistake would have written by now
    EXPECT_FALSE(QFile::exists(log));
}
