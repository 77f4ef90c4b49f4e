#include "logic/common/ShellErrors.h"

#include <gtest/gtest.h>

TEST(ShellErrorText, GivesTheTextOfEachKnownCodeAndNothingElse)
{
    struct Case
    {
        int code;
        const char16_t *start; // the text begins so; empty: no text
    };
    const Case cases[] = {
        {0, u"Zuwenig Speicher, ausführbare Datei war zerstört"},
        {2, u"Datei wurde nicht gefunden."},
        {3, u"Verzeichnis wurde nicht gefunden."},
        {5, u"Fehler beim gemeinsamen Zugriff"},
        {6, u"Bibliothek forderte separate Datensegmente"},
        {8, u"Zuwenig Speicher, um die Anwendung zu starten."},
        {10, u"Falsche Windows-Version."},
        {11, u"Ungültige ausführbare Datei."},
        {12, u"Anwendung für ein anderes Betriebssystem."},
        {13, u"Anwendung für MS-DOS 4.0."},
        {14, u"Typ der ausführbaren Datei unbekannt."},
        {15, u"Versuch, eine Real-Mode-Anwendung"},
        {16, u"Versuch, eine zweite Instanz"},
        {19, u"Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei muß"},
        {20, u"Ungültige dynamische Linkbibliothek (DLL)."},
        {1, u""},
        {4, u""},
        {7, u""},
        {9, u""},
        {17, u""},
        {18, u""},
        {21, u""},
        {31, u""},
        {32, u""},
        {33, u""},
        {42, u""},
        {-1, u""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        const QString text = shellErrorText(c.code);
        const QString start = QString::fromUtf16(c.start);
        if (start.isEmpty())
            EXPECT_TRUE(text.isEmpty()) << text.toStdString();
        else
            EXPECT_TRUE(text.startsWith(start)) << text.toStdString();
    }
    EXPECT_EQ(shellErrorText(0),
              QStringLiteral("Zuwenig Speicher, ausführbare Datei war zerstört, "
                             "Relokationswerte waren ungültig"));
}
