#include "fakes/TestApp.h"
#include "gui/app/Info_Unit.h"
#include "platform/OsInfo.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class FakeOsInfo : public OsInfo
{
public:
    OsVersionRecord versionRecord() override { return record; }
    MemoryStatus memoryStatus() override { return memory; }

    OsVersionRecord record;
    MemoryStatus memory;
};

void activate(QWidget &window)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &event);
}

} // namespace

TEST(InfoWindow, MemoryFiguresAreKilobytesWithGermanGrouping)
{
    struct Case
    {
        uint64_t bytes;
        const char *text;
    };
    const Case cases[] = {
        {67108864, "65.536 KB"},
        {0, "0 KB"},
        {1048575, "1.024 KB"}, // rounded, not cut off
        {17179869184ULL, "16.777.216 KB"}, // beyond 32 bits: not wrapped round
        {1024ULL * 1024 * 1024 * 1024, "1.073.741.824 KB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(memoryKB(c.bytes), QString::fromLatin1(c.text));
    }
}

TEST(InfoWindow, EveryActivationRefreshesTheFiguresAndShowsTheFirstPage)
{
    TestApp app;
    FakeOsInfo os;
    os.record.platformId = 2;
    os.record.major = 5;
    os.record.minor = 1;
    os.record.build = 2600;
    os.memory = {67108864, 33554432, 134217728, 1024};
    TfrmInfo info(app.context, &os);
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Information"));

    activate(info);
    EXPECT_EQ(info.lblOS->text(), QStringLiteral("Windows XP (5.1) (Build: 2600)"));
    EXPECT_EQ(info.lblMemory->text(), QStringLiteral("65.536 KB"));
    EXPECT_EQ(info.lblMemoryAvail->text(), QStringLiteral("32.768 KB"));
    EXPECT_EQ(info.lblPageMemory->text(), QStringLiteral("131.072 KB"));
    EXPECT_EQ(info.lblPageMemoryAvail->text(), QStringLiteral("1 KB"));
    EXPECT_FALSE(info.lblVersion->text().isEmpty());

    info.PageControl2->setCurrentWidget(info.tbHistorie);
    os.memory.availPhys = 2048;
    os.record.servicePack = QStringLiteral("Service Pack 3");
    activate(info);
    EXPECT_EQ(info.PageControl2->currentWidget(), info.tbAllgemeines);
    EXPECT_EQ(info.lblMemoryAvail->text(), QStringLiteral("2 KB"));
    EXPECT_EQ(info.lblOS->text(),
              QStringLiteral("Windows XP (5.1) (Build: 2600) (Service Pack 3)"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST(InfoWindow, ShowsTheHistoryBesideTheProgram)
{
    TestApp app;
    FakeOsInfo os;
    TfrmInfo info(app.context, &os);
    EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
    EXPECT_TRUE(info.rtfHistorie->isReadOnly());
    EXPECT_TRUE(info.rtfHistorie->toPlainText().contains(QStringLiteral("Version 1.0.0.0")));
    EXPECT_TRUE(info.rtfHistorie->toPlainText().contains(QStringLiteral("Erste Veröffentlichung")));
}

TEST(InfoWindow, HistoryFilesInTheWindowsCodePageKeepTheirUmlauts)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Historie.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Erste Ver\xF6"
               "ffentlichung");
    file.close();
    TestApp app;
    app.globals.ExePfad = dir.path() + u'/';
    FakeOsInfo os;
    TfrmInfo info(app.context, &os);
    EXPECT_EQ(info.rtfHistorie->toPlainText(), QStringLiteral("Erste Veröffentlichung"));
}

TEST(InfoWindow, MissingHistoryIsReportedAndTheWindowStillWorks)
{
    QTemporaryDir dir;
    TestApp app;
    app.globals.ExePfad = dir.path() + u'/';
    FakeOsInfo os;
    TfrmInfo info(app.context, &os);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    const Dialogs::Message message = app.dialogs.messages.first();
    EXPECT_EQ(message.title, QStringLiteral("Quarvel"));
    const QString prefix = QStringLiteral("Datei %1Historie.txt kann nicht geöffnet werden. ")
                               .arg(app.globals.ExePfad);
    EXPECT_TRUE(message.text.startsWith(prefix)) << message.text.toStdString();
    EXPECT_TRUE(message.text.endsWith(u'.'));
    EXPECT_EQ(info.rtfHistorie->toPlainText(), QStringLiteral("rtfHistorie"));
    activate(info);
    EXPECT_EQ(info.lblMemory->text(), QStringLiteral("0 KB"));
}

TEST(InfoWindow, LinkButtonOpensTheWebSiteAndReportsOnlyFailures)
{
    struct Case
    {
        int result;
        bool reported;
        const char16_t *text;
    };
    const Case cases[] = {
        {42, false, u""},
        {33, false, u""},
        {32, true, u""},
        {31, true, u""},
        {2, true, u"Datei wurde nicht gefunden."},
        {0, true,
         u"Zuwenig Speicher, ausführbare Datei war zerstört, Relokationswerte waren ungültig"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.result);
        TestApp app;
        FakeOsInfo os;
        TfrmInfo info(app.context, &os);
        app.launcher.result = c.result;
        info.sbtnCopyright->click();
        ASSERT_EQ(app.launcher.calls.size(), 1);
        EXPECT_EQ(app.launcher.calls[0].file, TfrmInfo::kWebSite);
        ASSERT_EQ(app.dialogs.messages.size(), c.reported ? 1 : 0);
        if (c.reported) {
            EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Fataler Dateifehler !"));
            EXPECT_EQ(app.dialogs.messages[0].icon, Dialogs::Icon::Warning);
            EXPECT_EQ(app.dialogs.messages[0].buttons, Dialogs::Ok);
            EXPECT_EQ(app.dialogs.messages[0].text, QString::fromUtf16(c.text));
        }
    }
}

TEST(InfoWindow, SystemInfoStartsTheSystemInformationProgramAndOkHides)
{
    TestApp app;
    FakeOsInfo os;
    TfrmInfo info(app.context, &os);
    info.BitBtnSys->click();
    ASSERT_EQ(app.launcher.calls.size(), 1);
    EXPECT_EQ(app.launcher.calls[0].file, QStringLiteral("MSInfo32.exe"));
    EXPECT_TRUE(app.launcher.calls[0].parameters.isEmpty());
    EXPECT_TRUE(app.launcher.calls[0].workingDirectory.isEmpty());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    // Linux has no shell that would report it: with no system monitor installed we say so.
    app.launcher.result = 2;
    info.BitBtnSys->click();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("Es wurde kein Programm für die Systeminformation gefunden. "
                             "Installieren Sie zum Beispiel gnome-system-monitor oder ksysguard."));

    info.show();
    info.BitBtnOK->click();
    EXPECT_FALSE(info.isVisible());
}
