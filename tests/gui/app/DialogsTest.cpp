#include "fakes/FakeDialogs.h"
#include "gui/support/HandlerGuard.h"

#include <gtest/gtest.h>

TEST(GeneralErrorBox, AppendsAFullStopAfterCharactersAboveIt)
{
    const struct
    {
        const char *message;
        const char *shown;
    } cases[] = {
        {"Der Schlüssel darf nur Buchstaben enthalten",
         "Der Schlüssel darf nur Buchstaben enthalten."},
        {"Fertig.", "Fertig."},
        {"Achtung !", "Achtung !"}, // "!" lies below "."
        {"Wert 5", "Wert 5."},
        {"Zeile -", "Zeile -"},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(generalErrorText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
    }
}

TEST(HandlerGuard, ShowsTheErrorInTheGeneralBoxAndAbandonsTheHandler)
{
    FakeDialogs dialogs;
    int reached = 0;
    guarded(dialogs, nullptr, [&] {
        reached = 1;
        throw QuarvelError(QStringLiteral("''a'' ist kein gültiger Integer-Wert"));
        reached = 2;
    });
    EXPECT_EQ(reached, 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Quarvel"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("''a'' ist kein gültiger Integer-Wert."));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Ok);
}

TEST(MessageDialogs, CaptionFollowsTheKind)
{
    FakeDialogs dialogs;
    dialogs.messageDlg(nullptr, QStringLiteral("x"), Dialogs::Icon::Warning,
                       Dialogs::Yes | Dialogs::No);
    dialogs.messageDlg(nullptr, QStringLiteral("x"), Dialogs::Icon::Error, Dialogs::Ok);
    dialogs.messageDlg(nullptr, QStringLiteral("x"), Dialogs::Icon::Information, Dialogs::Ok);
    dialogs.messageDlg(nullptr, QStringLiteral("x"), Dialogs::Icon::Question, Dialogs::Ok);
    dialogs.showMessage(nullptr, QStringLiteral("x"));
    QStringList titles;
    for (const auto &m : dialogs.messages)
        titles << m.title;
    EXPECT_EQ(titles.join(u'|'), QStringLiteral("Warnung|Fehler|Informationen|Bestätigen|Quarvel"));
}
