#include "logic/common/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A prefix in a temporary folder, laid out like an installation: bin/ and share/quarvel/.
struct Prefix
{
    QTemporaryDir dir;
    QString bin() const { return dir.path() + QStringLiteral("/bin/"); }
    QString share() const { return dir.path() + QStringLiteral("/share/quarvel/"); }

    Prefix()
    {
        QDir().mkpath(bin());
        QDir().mkpath(share());
    }
    static void putMarker(const QString &folder)
    {
        QFile file(folder + QLatin1String(ProgramFolders::MarkerFile));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

} // namespace

TEST(ProgramFolders, ShippedFilesBesideTheExecutableComeFirst)
{
    struct Case
    {
        const char *what;
        bool besideExe;
        bool inShare;
        bool expectShare;
    };
    const Case cases[] = {
        {"build folder or unpacked copy", true, false, false},
        {"installed copy", false, true, true},
        {"both: the copy beside the executable wins", true, true, false},
        {"none: the executable's folder, where a missing file is reported", false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Prefix prefix;
        if (c.besideExe)
            Prefix::putMarker(prefix.bin());
        if (c.inShare)
            Prefix::putMarker(prefix.share());
        EXPECT_EQ(ProgramFolders::findProgramFolder(prefix.bin()),
                  c.expectShare ? prefix.share() : prefix.bin());
    }
}

TEST(ProgramFolders, ProgramFolderAlwaysEndsWithOneSlash)
{
    Prefix prefix;
    Prefix::putMarker(prefix.share());
    const QString withoutSlash = prefix.bin().chopped(1);
    EXPECT_EQ(ProgramFolders::findProgramFolder(withoutSlash), prefix.share());
    const QString elsewhere = prefix.dir.path() + QStringLiteral("/a/nowhere");
    EXPECT_EQ(ProgramFolders::findProgramFolder(elsewhere), elsewhere + u'/');
}

TEST(ProgramFolders, AFolderNamedLikeTheMarkerDoesNotCount)
{
    Prefix prefix;
    QDir().mkpath(prefix.bin() + QLatin1String(ProgramFolders::MarkerFile));
    Prefix::putMarker(prefix.share());
    EXPECT_EQ(ProgramFolders::findProgramFolder(prefix.bin()), prefix.share());
}

TEST(ProgramFolders, UserFilesStayInAWritableCopyOfItsOwn)
{
    const QString exe = QStringLiteral("/opt/q/");
    const QString home = QStringLiteral("/home/u/.local/share");
    const QString userData = QStringLiteral("/home/u/.local/share/Quarvel/");
    struct Case
    {
        const char *what;
        QString programFolder;
        bool writable;
        QString expected;
    };
    const Case cases[] = {
        {"own copy, writable", exe, true, exe},
        {"own copy, read-only", exe, false, userData},
        {"own copy given without a slash", QStringLiteral("/opt/q"), true, exe},
        {"installed copy, read-only", QStringLiteral("/opt/share/quarvel/"), false, userData},
        // Even where root may write into the installation, the user's files stay out of it.
        {"installed copy, writable", QStringLiteral("/opt/share/quarvel/"), true, userData},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProgramFolders::userFileFolder(c.programFolder, exe, c.writable, home),
                  c.expected);
    }
    EXPECT_EQ(
        ProgramFolders::userFileFolder(QStringLiteral("/x/"), exe, false, QStringLiteral("/d/")),
        QStringLiteral("/d/Quarvel/"));
}

TEST(ProgramFolders, UserFileFolderAsksTheSystem)
{
    Prefix prefix;
    QTemporaryDir dataHome;
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    // A writable copy of its own keeps the user's files.
    EXPECT_EQ(ProgramFolders::userFileFolder(prefix.bin(), prefix.bin()), prefix.bin());
    // An installed copy uses $XDG_DATA_HOME/Quarvel/.
    EXPECT_EQ(ProgramFolders::userFileFolder(prefix.share(), prefix.bin()),
              dataHome.path() + QStringLiteral("/Quarvel/"));
    // A program folder that is no folder at all cannot be written into.
    const QString missing = prefix.dir.path() + QStringLiteral("/missing/");
    EXPECT_EQ(ProgramFolders::userFileFolder(missing, missing),
              dataHome.path() + QStringLiteral("/Quarvel/"));
    if (oldXdg.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldXdg);
}

TEST(ProgramFolders, UserFilePathCreatesItsFolderOnFirstUse)
{
    QTemporaryDir dataHome;
    const QString folder = dataHome.path() + QStringLiteral("/a/Quarvel/");
    ASSERT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(ProgramFolders::userFilePath(folder, QStringLiteral("Cacher.dat")),
              folder + QStringLiteral("Cacher.dat"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // A second use of the existing folder changes nothing.
    EXPECT_EQ(ProgramFolders::userFilePath(folder, QStringLiteral("Cacher.dat")),
              folder + QStringLiteral("Cacher.dat"));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("Cacher.dat")));
}
