#include "platform/linux/DesktopLauncher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

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
