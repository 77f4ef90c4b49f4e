// Nothing typed into the address book is lost: the file commands store the fields first, and
// every command that replaces the book asks about unsaved changes.
#include "CacherFixture.h"

#include "logic/cacher/CacherCsv.h"

#include <QAction>

#include <functional>

class CacherUnsavedWork : public CacherFixture
{
protected:
    // A second record, its fields typed and the last field still holding the focus.
    void typeSecondRecord()
    {
        window->btnNeuerDatensatz->click();
        typeInto(window->cboxCachername, QStringLiteral("Zweiter"));
        insertInto(window->edtVorname, QStringLiteral("Jörg"));
        leave();
        insertInto(window->cboxWohnort, QStringLiteral("Köln"));
    }

    void writeCsv(const QString &file, const QByteArray &bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
};

TEST_F(CacherUnsavedWork, SaveSaveAsAndExportStoreTheFieldsFirst)
{
    const QString dat = path("buch.dat");
    const struct
    {
        const char *what;
        std::function<void()> run;
        QString file;
    } cases[] = {
        {"Save",
         [&] {
             writeBook(dat, {"Erster"});
             app.dialogs.fileAnswers.push_back(dat);
             window->fOpen->trigger();
             typeSecondRecord();
             window->fSave->trigger();
         },
         dat},
        {"Save As",
         [&] {
             typeSecondRecord();
             app.dialogs.fileAnswers.push_back(path("neu.dat"));
             window->fSaveAs->trigger();
         },
         path("neu.dat")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        app.globals.settings.Datenbank.clear();
        window = std::make_unique<TfrmCacher>(app.context);
        showWindow();
        c.run();
        CacherBook back;
        ASSERT_EQ(ReadCacherFile(c.file, back), CacherFileResult::Ok);
        ASSERT_EQ(back.PersonenAnzahl(), 2);
        EXPECT_EQ(back.person(1).field(TPerson::Cachername), QStringLiteral("Zweiter"));
        EXPECT_EQ(back.person(1).field(TPerson::Vorname), QStringLiteral("Jörg"));
        EXPECT_EQ(back.person(1).field(TPerson::Wohnort), QStringLiteral("Köln"));
        EXPECT_EQ(fileBytes(c.file), recordFile(book()));
        // Saved: closing has nothing to ask.
        const qsizetype before = app.dialogs.messages.size();
        window->close();
        EXPECT_EQ(app.dialogs.messages.size(), before);
    }

    window = std::make_unique<TfrmCacher>(app.context);
    showWindow();
    typeSecondRecord();
    const QString csv = path("cacher.csv");
    app.dialogs.fileAnswers.push_back(csv);
    window->mnuExport->trigger();
    EXPECT_EQ(fileBytes(csv),
              QByteArray(",,,,,,,,,,\r\nZweiter,J\xF6rg,,,,K\xF6ln,,,,"
                         "http://www.geocaching.com/profile/?u=Zweiter,\r\n"));
}

TEST_F(CacherUnsavedWork, ReplacingTheBookAsksAboutUnsavedChanges)
{
    const QString dat = path("anderes.dat");
    const QString csv = path("anderes.csv");
    const QString saved = path("gesichert.dat");
    const struct
    {
        const char *what;
        std::function<void()> run;
    } commands[] = {
        {"Open",
         [&] {
             app.dialogs.fileAnswers.push_back(dat);
             window->fOpen->trigger();
         }},
        {"Import",
         [&] {
             app.dialogs.fileAnswers.push_back(csv);
             window->mnuImport->trigger();
         }},
        {"automatic load",
         [&] {
             app.globals.settings.Datenbank = dat;
             activate();
         }},
    };
    const struct
    {
        const char *what;
        Dialogs::Button answer;
        bool replaced;
        bool savedFirst;
    } answers[] = {
        {"Ja", Dialogs::Yes, true, true},
        {"Nein", Dialogs::No, true, false},
        {"Abbrechen", Dialogs::Cancel, false, false},
    };
    for (const auto &command : commands) {
        for (const auto &a : answers) {
            SCOPED_TRACE(std::string(command.what) + " / " + a.what);
            writeBook(dat, {"Datei"});
            writeCsv(csv, "Datei\r\n");
            QFile::remove(saved);
            app.globals.settings.Datenbank.clear();
            app.dialogs.fileAnswers.clear();
            window = std::make_unique<TfrmCacher>(app.context);
            showWindow();
            typeInto(window->cboxCachername, QStringLiteral("Getippt"));
            enter(window->edtVorname);
            QTest::keyClicks(window->edtVorname, QStringLiteral("Anna"));
            app.dialogs.messages.clear();
            app.dialogs.answers = {a.answer};
            if (a.answer == Dialogs::Yes)
                app.dialogs.fileAnswers.push_back(saved); // the book has no file yet: Save As
            const qsizetype requests = app.dialogs.fileRequests.size();
            command.run();
            ASSERT_GE(app.dialogs.messages.size(), 1);
            EXPECT_EQ(app.dialogs.messages[0].text,
                      QStringLiteral("Soll die Änderungen gespeichert werden?"));
            EXPECT_EQ(app.dialogs.messages[0].buttons,
                      Dialogs::Yes | Dialogs::No | Dialogs::Cancel);
            EXPECT_EQ(nameList(), a.replaced ? QStringList({"Datei"}) : QStringList({"Getippt"}));
            EXPECT_EQ(QFile::exists(saved), a.savedFirst);
            if (a.savedFirst) {
                CacherBook back;
                ASSERT_EQ(ReadCacherFile(saved, back), CacherFileResult::Ok);
                EXPECT_EQ(back.person(0).field(TPerson::Vorname), QStringLiteral("Anna"));
            }
            if (!a.replaced) {
                EXPECT_EQ(window->edtVorname->text(), QStringLiteral("Anna"));
                EXPECT_EQ(app.dialogs.fileRequests.size(), requests);
                EXPECT_TRUE(book().Geaendert);
            }
        }
    }
}

TEST_F(CacherUnsavedWork, FailedOrCancelledSaveKeepsTheBook)
{
    typeInto(window->edtVorname, QStringLiteral("Anna"));
    writeBook(path("anderes.dat"), {"Datei"});
    // Ja, then the Save As dialog is cancelled: nothing was saved, so nothing is replaced.
    app.dialogs.answers = {Dialogs::Yes};
    app.dialogs.fileAnswers = {QString()};
    window->fOpen->trigger();
    EXPECT_EQ(window->edtVorname->text(), QStringLiteral("Anna"));
    EXPECT_EQ(app.dialogs.fileRequests.size(), 1); // the Save As dialog only

    // Ja, and the save fails: the message, then nothing replaced.
    book().AktuelleDatei = path("kein/Ordner.dat");
    window->fSave->setEnabled(true);
    app.dialogs.answers = {Dialogs::Yes};
    window->fOpen->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(QStringLiteral(" Fehler beim Speichern von ")));
    EXPECT_EQ(window->edtVorname->text(), QStringLiteral("Anna"));
    EXPECT_TRUE(book().Geaendert);
}

// After a successful Open the book is what the file holds: closing asks nothing, whether the
// changes before were declined, saved, or there were none, and wherever the focus was.
TEST_F(CacherUnsavedWork, ClosingAfterASuccessfulOpenAsksNothing)
{
    const QString dat = path("anderes.dat");
    const struct
    {
        const char *what;
        bool changed;
        Dialogs::Button answer;
        QWidget *focus;
    } cases[] = {
        {"no changes, focus in a field", false, Dialogs::Ok, window->edtVorname},
        {"changes declined", true, Dialogs::No, window->edtVorname},
        {"changes declined, focus in the name box", true, Dialogs::No, window->cboxCachername},
        {"changes saved first", true, Dialogs::Yes, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        showWindow();
        if (c.changed)
            typeInto(window->edtStrasse, QStringLiteral("Weg 1"));
        if (c.focus)
            enter(c.focus);
        writeBook(dat, {"X", "Y"});
        app.dialogs.answers = {c.answer};
        app.dialogs.fileAnswers.clear();
        if (c.answer == Dialogs::Yes && !window->fSave->isEnabled())
            app.dialogs.fileAnswers.push_back(path("gesichert.dat")); // Save As first
        app.dialogs.fileAnswers.push_back(dat);
        window->fOpen->trigger();
        ASSERT_EQ(book().AktuelleDatei, dat);
        ASSERT_EQ(window->cboxCachername->currentText(), QStringLiteral("X"));
        app.dialogs.messages.clear();
        window->close();
        EXPECT_TRUE(app.dialogs.messages.isEmpty()) << app.dialogs.lastText().toStdString();
        EXPECT_FALSE(book().Geaendert);
    }
}
