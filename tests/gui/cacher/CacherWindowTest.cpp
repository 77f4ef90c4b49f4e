#include "CacherFixture.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

using CacherWindow = CacherFixture;

TEST_F(CacherWindow, FreshWindowShowsOneEmptyRecord)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Datenbank - Cacher"));
    EXPECT_EQ(window->gboxDaten->title(), QStringLiteral(" Aktueller Index: 1 "));
    EXPECT_FALSE(window->fSave->isEnabled());
    EXPECT_EQ(book().AktuelleDatei, app.globals.ExePfad + QStringLiteral("Cacher.dat"));
    EXPECT_TRUE(window->edtVorname->font().bold());
    for (const char *name : {"btnRückwärts", "btnDatensatzlöschen", "sbtnProfil", "cboxPLZ"})
        EXPECT_NE(window->findChild<QWidget *>(QString::fromUtf8(name)), nullptr) << name;

    // Without a name there is no profile address to make.
    enter(window->cboxCachername);
    leave();
    EXPECT_EQ(window->edtProfil->text(), QString());

    window->btnVorwärts->click();
    window->btnRückwärts->click();
    EXPECT_EQ(book().AktuellerIndex, 0);
    EXPECT_EQ(window->gboxDaten->title(), QStringLiteral(" Aktueller Index: 1 "));
}

TEST_F(CacherWindow, PhoneFieldsTakeOnlyDigitsAndSeparators)
{
    const struct
    {
        QString typed;
        QString kept;
    } cases[] = {
        {"0221 / 123-45 (6)", "0221 / 123-45 (6)"},
        {"+49 171", "49 171"},
        {"12abc3.4", "1234"},
    };
    for (QLineEdit *field : {window->edtTelefon, window->edtHandy}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.typed.toStdString());
            field->clear();
            QTest::keyClicks(field, c.typed);
            EXPECT_EQ(field->text(), c.kept);
        }
    }
    QTest::keyClick(window->edtTelefon, Qt::Key_Backspace);
    EXPECT_EQ(window->edtTelefon->text(), QStringLiteral("123"));
    QTest::keyClick(window->edtTelefon, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(window->edtTelefon, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->edtTelefon->text(), QStringLiteral("123")); // clipboard keys swallowed
}

TEST_F(CacherWindow, PostalCodeTakesFiveDigits)
{
    QComboBox *plz = window->cboxPLZ;
    QTest::keyClicks(plz, QStringLiteral("12a3x456"));
    EXPECT_EQ(plz->currentText(), QStringLiteral("12345"));
    QTest::keyClick(plz, Qt::Key_Backspace);
    EXPECT_EQ(plz->currentText(), QStringLiteral("1234"));
    QTest::keyClicks(plz, QStringLiteral("9"));
    EXPECT_EQ(plz->currentText(), QStringLiteral("12349"));
    QTest::keyClick(plz, Qt::Key_Return);
    EXPECT_EQ(plz->count(), 0); // the list stays empty
}

TEST_F(CacherWindow, OnlyARealChangeMarksTheBookChanged)
{
    openBook({"Anna"});
    enter(window->edtVorname);
    leave();
    EXPECT_FALSE(book().Geaendert);
    EXPECT_EQ(window->edtVorname->palette().color(QPalette::Base), QColor(Qt::white));

    enter(window->cboxWohnort);
    EXPECT_EQ(window->FeldText(), QStringLiteral("Ort Anna"));
    EXPECT_EQ(window->cboxWohnort->lineEdit()->palette().color(QPalette::Base),
              QColor(255, 255, 0));
    QTest::keyClick(window->cboxWohnort, Qt::Key_End);
    QTest::keyClicks(window->cboxWohnort, QStringLiteral("x"));
    QTest::keyClick(window->cboxWohnort, Qt::Key_Backspace);
    leave();
    EXPECT_FALSE(book().Geaendert);

    typeInto(window->edtNachname, QStringLiteral("B"));
    EXPECT_TRUE(book().Geaendert);
    // Typed text reaches the record only when the fields are stored.
    EXPECT_EQ(book().current().field(TPerson::Nachname), QString());
}

TEST_F(CacherWindow, NewRecordGetsItsNameAndProfileWithPlusEncoded)
{
    openBook({"Anna", "Bert"});
    window->btnEnde->click();
    window->btnNeuerDatensatz->click();
    EXPECT_EQ(window->gboxDaten->title(), QStringLiteral(" Aktueller Index: 3 "));
    window->edtProfil->setText(QStringLiteral("wird ersetzt"));
    typeInto(window->cboxCachername, QStringLiteral("Ab+Cd"));
    EXPECT_EQ(nameList(), QStringList({"Anna", "Bert", "Ab+Cd"}));
    EXPECT_EQ(window->edtProfil->text(), TfrmCacher::ProfilPrefix() + QStringLiteral("Ab%2bCd"));
    EXPECT_FALSE(book().NeuerDatensatz);

    // A record that is not new: the name as typed, and only into an empty profile field.
    window->btnAnfang->click();
    window->edtProfil->clear();
    enter(window->cboxCachername);
    window->cboxCachername->setEditText(QStringLiteral("Xy+Z"));
    leave();
    EXPECT_EQ(window->edtProfil->text(), TfrmCacher::ProfilPrefix() + QStringLiteral("Xy+Z"));
    EXPECT_EQ(nameList().first(), QStringLiteral("Xy+Z")); // the entry follows the name
    window->edtProfil->setText(QStringLiteral("bleibt"));
    enter(window->cboxCachername);
    leave();
    EXPECT_EQ(window->edtProfil->text(), QStringLiteral("bleibt"));
}

TEST_F(CacherWindow, NameListStaysInStepWithTheRecords)
{
    openBook({"A", "B", "C", "D", "E"});
    window->cboxCachername->activated(2);
    EXPECT_EQ(window->gboxDaten->title(), QStringLiteral(" Aktueller Index: 3 "));
    window->btnNeuerDatensatz->click();
    EXPECT_EQ(book().AktuellerIndex, 3);
    // Picking is ignored while the new record has no name yet.
    window->cboxCachername->activated(0);
    EXPECT_EQ(book().AktuellerIndex, 3);
    typeInto(window->cboxCachername, QStringLiteral("Neu"));
    EXPECT_EQ(nameList(), QStringList({"A", "B", "C", "Neu", "D", "E"}));

    // Two inserts in a row: every record keeps an entry of its own.
    window->btnNeuerDatensatz->click();
    window->btnNeuerDatensatz->click();
    typeInto(window->cboxCachername, QStringLiteral("Zwei"));
    EXPECT_EQ(nameList(), QStringList({"A", "B", "C", "Neu", "", "Zwei", "D", "E"}));

    // Retyping the shown name in other letters keeps the typing.
    enter(window->cboxCachername);
    window->cboxCachername->setEditText(QStringLiteral("ZWEI"));
    leave();
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("ZWEI"));

    QTest::keyClick(window->cboxCachername, Qt::Key_Down);
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("D"));
    EXPECT_EQ(book().current().field(TPerson::Wohnort), QStringLiteral("Ort D"));
}

TEST_F(CacherWindow, NavigationStoresTheFieldsShown)
{
    openBook({"A", "B", "C"});
    window->edtVorname->setText(QStringLiteral("Anton"));
    window->btnVorwärts->click();
    EXPECT_EQ(book().person(0).field(TPerson::Vorname), QStringLiteral("Anton"));
    window->btnEnde->click();
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("C"));
    window->btnVorwärts->click(); // already at the end
    EXPECT_EQ(book().AktuellerIndex, 2);
    window->btnAnfang->click();
    EXPECT_EQ(window->edtVorname->text(), QStringLiteral("Anton"));

    // Picking from the list does not store the fields first.
    window->edtVorname->setText(QStringLiteral("verloren"));
    window->cboxCachername->activated(1);
    EXPECT_EQ(book().person(0).field(TPerson::Vorname), QStringLiteral("Anton"));
}

TEST_F(CacherWindow, LinkButtonsOpenMailProfileAndHomepage)
{
    window->edtEMail->setText(QStringLiteral("anna@example.org"));
    window->edtProfil->setText(QStringLiteral("http://p/anna"));
    window->sbtnEMail->click();
    window->sbtnProfil->click();
    window->sbtnHomepage->click(); // empty: nothing
    ASSERT_EQ(app.launcher.calls.size(), 2);
    EXPECT_EQ(app.launcher.calls[0].file, QStringLiteral("mailto:anna@example.org"));
    EXPECT_EQ(app.launcher.calls[1].file, QStringLiteral("http://p/anna"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    window->edtEMail->clear();
    window->sbtnEMail->click();
    EXPECT_EQ(app.launcher.calls.size(), 2);

    app.launcher.result = 31; // no mail program set up
    window->edtEMail->setText(QStringLiteral("anna@example.org"));
    window->sbtnEMail->click();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("„mailto:anna@example.org“ konnte nicht geöffnet werden.\n"
                             "Es ist kein Programm eingerichtet, das diese Datei öffnen kann."));
}

TEST_F(CacherWindow, DeleteAsksAndKeepsTheLastRecord)
{
    window->btnDatensatzlöschen->click();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("Der letzte Datensatz kann nicht gelöscht werden!"));
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Problem"));

    openBook({"A", "B", "C", "D"});
    window->cboxCachername->activated(3);
    app.dialogs.answers = {Dialogs::No};
    window->btnDatensatzlöschen->click();
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Warnung"));
    EXPECT_EQ(book().PersonenAnzahl(), 4);

    app.dialogs.answers = {Dialogs::Yes};
    window->btnDatensatzlöschen->click();
    EXPECT_EQ(nameList(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("C"));
    window->btnAnfang->click();
    app.dialogs.answers = {Dialogs::Yes};
    window->btnDatensatzlöschen->click();
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("B"));
    EXPECT_EQ(nameList(), QStringList({"B", "C"}));
    EXPECT_FALSE(book().Geaendert);
}
