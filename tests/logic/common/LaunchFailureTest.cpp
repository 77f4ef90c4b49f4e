#include "logic/common/LaunchFailure.h"

#include <gtest/gtest.h>

TEST(LaunchFailureText, NamesWhatWasLookedForAndWhyItFailed)
{
    struct Case
    {
        const char16_t *file;
        int code;
        const char16_t *text;
    };
    const Case cases[] = {
        {u"calc.exe", 2,
         u"Es wurde kein Rechner gefunden. Installieren Sie zum Beispiel gnome-calculator oder "
         u"kcalc."},
        {u"CHARMAP.EXE", 2,
         u"Es wurde keine Zeichentabelle gefunden. Installieren Sie zum Beispiel gucharmap oder "
         u"kcharselect."},
        {u"Notepad", 2,
         u"Es wurde kein Texteditor gefunden. Installieren Sie zum Beispiel gnome-text-editor "
         u"oder gedit."},
        {u"MSInfo32.exe", 2,
         u"Es wurde kein Programm für die Systeminformation gefunden. Installieren Sie zum "
         u"Beispiel gnome-system-monitor oder ksysguard."},
        // A stand-in that was found but would not start is named by its role.
        {u"calc.exe", 5,
         u"„Rechner“ konnte nicht geöffnet werden.\nDas Programm konnte nicht "
         u"gestartet werden."},
        // The shell's own words for a missing file or folder.
        {u"Intern", 2, u"„Intern“ konnte nicht geöffnet werden.\nDatei wurde nicht gefunden."},
        {u"/opt/gsak/gsak.exe", 2,
         u"„/opt/gsak/gsak.exe“ konnte nicht geöffnet werden.\nDatei wurde nicht gefunden."},
        {u"/opt/gsak/gsak.exe", 3,
         u"„/opt/gsak/gsak.exe“ konnte nicht geöffnet werden.\nVerzeichnis wurde nicht "
         u"gefunden."},
        // Failures the shell's table has no text for get ours.
        {u"/home/a/karte.gpx", 31,
         u"„/home/a/karte.gpx“ konnte nicht geöffnet werden.\nEs ist kein Programm "
         u"eingerichtet, das diese Datei öffnen kann."},
        {u"/opt/x/run", 5,
         u"„/opt/x/run“ konnte nicht geöffnet werden.\nDas Programm konnte nicht gestartet "
         u"werden."},
        {u"/opt/x/run", 0,
         u"„/opt/x/run“ konnte nicht geöffnet werden.\nDas Programm konnte nicht gestartet "
         u"werden."},
        {u"", 2, u"Es ist kein Programm angegeben, das gestartet werden könnte."},
        {u"  ", 2, u"Es ist kein Programm angegeben, das gestartet werden könnte."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.file).toStdString() + " " + std::to_string(c.code));
        EXPECT_EQ(launchFailureText(QString::fromUtf16(c.file), c.code),
                  QString::fromUtf16(c.text));
    }
}

TEST(LaunchFailureText, SuccessSaysNothingFromThirtyThreeOn)
{
    EXPECT_FALSE(launchFailureText(QStringLiteral("calc.exe"), 32).isEmpty());
    EXPECT_TRUE(launchFailureText(QStringLiteral("calc.exe"), 33).isEmpty());
    EXPECT_TRUE(launchFailureText(QStringLiteral("calc.exe"), 42).isEmpty());
}
