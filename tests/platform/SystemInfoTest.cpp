#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QTemporaryFile>

#include <gtest/gtest.h>

TEST(FileVersionOf, ReadsTheVersionTheBuildStampedIntoTheExecutable)
{
    // This test executable carries the same version note as the program.
    FileVersion version;
    ASSERT_TRUE(SystemInfo::FileVersionOf(QCoreApplication::applicationFilePath(), version));
    EXPECT_EQ(versionText(version), QStringLiteral(QUARVEL_PROJECT_VERSION));
}

TEST(FileVersionOf, FilesWithoutVersionLeaveTheNumbersUntouched)
{
    QTemporaryFile text;
    ASSERT_TRUE(text.open());
    text.write("no version here");
    text.close();
    for (const QString &path :
         {text.fileName(), QStringLiteral("/nonexistent/quarvel"), QStringLiteral("/bin/sh")}) {
        SCOPED_TRACE(path.toStdString());
        FileVersion version {9, 8, 7, 6};
        EXPECT_FALSE(SystemInfo::FileVersionOf(path, version));
        EXPECT_EQ(versionText(version), QStringLiteral("9.8.7.6"));
    }
    FileVersion none;
    EXPECT_EQ(versionText(none), QStringLiteral("0.0.0.0"));
}

TEST(TempPath, EndsWithTheSeparator)
{
    EXPECT_TRUE(SystemInfo::tempPath().endsWith(u'/'));
    EXPECT_FALSE(SystemInfo::developmentEnvironmentRunning());
}
