// The windows of an installed copy: the executable in bin/, the shipped files in
// share/quarvel/, the user's files in the data folder. Everything the windows read or propose
// comes from the folders the start-up found, none from the executable's own folder.

#include "fakes/TestApp.h"
#include "gui/app/Info_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/panels/ChartPicture.h"
#include "gui/app/panels/gboxDiagramm.h"
#include "gui/cacher/Cacher_Unit.h"
#include "logic/common/ProgramFolders.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kBin = QString::fromUtf8(QUARVEL_BIN_DIR) + u'/';

struct InstalledCopy
{
    QTemporaryDir root;
    QString exe() const { return root.path() + QStringLiteral("/usr/bin/"); }
    QString share() const { return root.path() + QStringLiteral("/usr/share/quarvel/"); }
    QString dataHome() const { return root.path() + QStringLiteral("/home/.local/share"); }

    InstalledCopy()
    {
        QDir().mkpath(exe());
        QDir().mkpath(share());
        for (const char *file : {"Historie.txt", "Morse_Code.jpg", "Quarvel.chm"})
            QFile::copy(kBin + QLatin1String(file), share() + QLatin1String(file));
    }

    void startUp(Globals &globals) const
    {
        globals.ExePfad = ProgramFolders::findProgramFolder(exe());
        // Even a program folder root may write into is no place for the user's files.
        globals.BenutzerPfad =
            ProgramFolders::userFileFolder(globals.ExePfad, exe(), true, dataHome());
    }
};

void choose(QTreeWidget *tree, const char *node)
{
    const auto found =
        tree->findItems(QString::fromUtf8(node), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << node;
    tree->setCurrentItem(found.first());
}

} // namespace

TEST(InstalledLayout, WindowsReadTheShippedFilesFromShareQuarvel)
{
    InstalledCopy copy;
    TestApp app;
    copy.startUp(app.globals);
    ASSERT_EQ(app.globals.ExePfad, copy.share());

    TfrmQuarvelMain main(app.context);
    choose(main.TreeView1, "Koordinaten"); // the first change is swallowed
    choose(main.TreeView1, "Morse-Code");
    auto *panel = main.findChild<gboxDiagramm *>(QStringLiteral("gboxDiagramm"));
    EXPECT_EQ(panel->ImageContainer->picture(), QImage(copy.share() + "Morse_Code.jpg"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();

    app.launcher.viewerRegistered = true; // the contents go to a CHM viewer where there is one
    main.findChild<QAction *>(QStringLiteral("HelpContents1"))->trigger();
    ASSERT_EQ(app.launcher.calls.size(), 1);
    EXPECT_EQ(app.launcher.calls.first().file, copy.share() + QStringLiteral("Quarvel.chm"));

    TfrmInfo info(app.context);
    EXPECT_TRUE(info.rtfHistorie->toPlainText().startsWith(QStringLiteral("Quarvel")));
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
}

TEST(InstalledLayout, AddressBookProposesTheUserDataFolder)
{
    InstalledCopy copy;
    TestApp app;
    copy.startUp(app.globals);
    TfrmCacher cacher(app.context);
    EXPECT_EQ(cacher.book().AktuelleDatei, copy.dataHome() + QStringLiteral("/Quarvel/Cacher.dat"));
    EXPECT_TRUE(QFileInfo(copy.dataHome() + QStringLiteral("/Quarvel")).isDir());
    EXPECT_FALSE(QFileInfo::exists(copy.share() + QStringLiteral("Cacher.dat")));
}
