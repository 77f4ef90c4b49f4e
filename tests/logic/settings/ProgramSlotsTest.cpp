#include "logic/settings/ProgramSlots.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

TEST(ProgramSlots, CaptionDropsTheFolderAndTheExtension)
{
    const std::tuple<int, const char *, const char *> cases[] = {
        {1, "/opt/tools/gpsbabel.exe", "&1 gpsbabel"},
        {2, "/home/u/run.sh", "&2 run"},
        {3, "/usr/bin/notepad++.exe", "&3 notepad++"},
        {4, "/x/abc", "&4 abc"},
        {5, "/usr/bin/gpsbabel", "&5 gpsbabel"},
        {6, "/x/archiv.tar.gz", "&6 archiv.tar"},
        {7, "/home/u/.profile", "&7 .profile"},
        {8, "/opt/x.y/werkzeug", "&8 werkzeug"},
        {9, "tool.EXE", "&9 tool"},
    };
    for (const auto &[slot, path, caption] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(ProgramSlots::caption(slot, QString::fromUtf8(path)), QString::fromUtf8(caption));
    }
}

TEST(ProgramSlots, SlotNumberIsReadBackFromTheCaption)
{
    EXPECT_EQ(ProgramSlots::slotOfCaption(QStringLiteral("&3 Tool")), 3);
    EXPECT_EQ(ProgramSlots::slotOfCaption(ProgramSlots::caption(9, QStringLiteral("/a/b c.exe"))),
              9);
    EXPECT_EQ(ProgramSlots::slotOfCaption(QStringLiteral("&0 x")), std::nullopt);
    EXPECT_THROW(ProgramSlots::slotOfCaption(QStringLiteral("Action1")), QuarvelError);
}

TEST(ProgramSlots, NewProgramsNeverOverwriteAFilledSlot)
{
    Settings settings;
    EXPECT_EQ(ProgramSlots::freeSlot(settings), 1);
    settings.ExterneProgramme[0] = QStringLiteral("/a");
    settings.ExterneProgramme[2] = QStringLiteral("/c"); // a store edited by hand
    EXPECT_EQ(ProgramSlots::AnzahlProgramme(settings), 2);
    EXPECT_EQ(ProgramSlots::freeSlot(settings), 2);
    settings.ExterneProgramme.fill(QStringLiteral("/x"));
    EXPECT_EQ(ProgramSlots::AnzahlProgramme(settings), 9);
    EXPECT_EQ(ProgramSlots::freeSlot(settings), std::nullopt);
}

TEST(ProgramSlots, ProgramsStartInTheirOwnFolder)
{
    EXPECT_EQ(ProgramSlots::programFolder(QStringLiteral("/opt/gsak/gsak.exe")),
              QStringLiteral("/opt/gsak/"));
    EXPECT_EQ(ProgramSlots::programFolder(QStringLiteral("/gsak")), QStringLiteral("/"));
    EXPECT_EQ(ProgramSlots::programFolder(QStringLiteral("gsak")), QString());
}
