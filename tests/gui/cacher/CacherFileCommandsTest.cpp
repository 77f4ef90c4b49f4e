#include "CacherFixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <functional>

using CacherFiles = CacherFixture;

TEST_F(CacherFiles, AutomaticLoadWaitsForTheSettingAndIsTriedOnce)
{
    activate();
    EXPECT_TRUE(book().LadenAusstehend);

    const QString file = path("Cacher.dat");
    writeBook(file, {"Anna", "Bert"});
    app.globals.settings.Datenbank = file;
    activate();
    EXPECT_FALSE(book().LadenAusstehend);
    EXPECT_EQ(nameList(), QStringList({"Anna", "Bert"}));
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("Anna"));
    EXPECT_TRUE(window->fSave->isEnabled());
    EXPECT_EQ(book().AktuelleDatei, file);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Datenbank - Cacher"));

    writeBook(file, {"Carl"});
    activate();
    EXPECT_EQ(nameList(), QStringList({"Anna", "Bert"}));
    EXPECT_EQ(app.dialogs.beeps, 0);
}

TEST_F(CacherFiles, AutomaticLoadKeepsWorkWhenCancelledOrAfterAnOpen)
{
    const QString file = path("Cacher.dat");
    writeBook(file, {"Datei"});
    const struct
    {
        const char *what;
        std::function<void()> before;
    } cases[] = {
        {"unsaved typing, Abbrechen",
         [&] {
             typeInto(window->edtVorname, QStringLiteral("Anna"));
             app.dialogs.answers = {Dialogs::Cancel};
         }},
        {"a file opened meanwhile", [&] { openBook({"Offen"}); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        window = std::make_unique<TfrmCacher>(app.context);
        showWindow();
        app.globals.settings.Datenbank.clear();
        activate();
        c.before();
        const QStringList before = nameList();
        const QString vorname = window->edtVorname->text();
        app.globals.settings.Datenbank = file;
        activate();
        EXPECT_EQ(nameList(), before);
        EXPECT_EQ(window->edtVorname->text(), vorname);
    }
}

TEST_F(CacherFiles, FailedAutomaticLoadBeepsOnceAndKeepsTheBook)
{
    app.globals.settings.Datenbank = path("fehlt.dat");
    activate();
    activate();
    EXPECT_EQ(app.dialogs.beeps, 1);
    ASSERT_EQ(app.dialogs.texts().size(), 1);
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("Die Datei konnte nicht geöffnet werden!\n\nDatei %1 kann nicht "
                             "geöffnet werden. Datei oder Verzeichnis nicht gefunden")
                  .arg(path("fehlt.dat")));
    EXPECT_EQ(app.dialogs.messages.last().title, QStringLiteral("Fehler"));
    EXPECT_FALSE(window->fSave->isEnabled());
    EXPECT_EQ(book().AktuelleDatei, app.globals.ExePfad + QStringLiteral("Cacher.dat"));
}

TEST_F(CacherFiles, OpenSetsCaptionSettingAndSave)
{
    openBook({"A", "B"});
    const QString file = path("buch.dat");
    EXPECT_EQ(window->windowTitle(), file);
    EXPECT_EQ(app.globals.settings.Datenbank, file);
    EXPECT_TRUE(window->fSave->isEnabled());
    EXPECT_EQ(app.dialogs.fileRequests.last().filter, QStringLiteral("Personaldatenbank (*.dat)"));

    window->btnVorwärts->click();
    window->edtVorname->setText(QStringLiteral("Berta"));
    window->btnDatensatzSpeichern->click();
    book().Geaendert = true;
    window->fSave->trigger();
    EXPECT_FALSE(book().Geaendert);
    CacherBook back;
    ASSERT_EQ(ReadCacherFile(file, back), CacherFileResult::Ok);
    EXPECT_EQ(back.person(1).field(TPerson::Vorname), QStringLiteral("Berta"));
}

TEST_F(CacherFiles, UnopenableOrShortFilesKeepTheBook)
{
    openBook({"A", "B"});
    const QString missing = path("fehlt.dat");
    app.dialogs.fileAnswers.push_back(missing);
    window->fOpen->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Die Datei konnte nicht geöffnet werden!\n\nDatei %1 ").arg(missing)));
    EXPECT_EQ(nameList(), QStringList({"A", "B"}));
    EXPECT_EQ(book().AktuelleDatei, missing);
    EXPECT_EQ(app.dialogs.beeps, 0);

    // Save now aims at the unreachable path and says so; the changes stay unsaved.
    book().Geaendert = true;
    window->fSave->trigger();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral(" Fehler beim Speichern von ") + missing +
                  QStringLiteral("\n\nNo such file or directory"));
    EXPECT_TRUE(book().Geaendert);
    EXPECT_FALSE(QFile::exists(missing));

    const QString shortFile = path("kurz.dat");
    writeBook(shortFile, {"X", "Y", "Z"});
    QFile::resize(shortFile, 2 + 886 + 10);
    app.dialogs.answers = {Dialogs::No};
    app.dialogs.fileAnswers.push_back(shortFile);
    window->fOpen->trigger();
    EXPECT_EQ(app.dialogs.lastText(),
              QStringLiteral("Stream-Lesefehler\n\nDie Datei „%1“ endet vor ihrem letzten "
                             "Datensatz; das Adressbuch bleibt, wie es war.")
                  .arg(shortFile));
    EXPECT_EQ(nameList(), QStringList({"A", "B"}));
}

TEST_F(CacherFiles, SaveAsReplacesTheFileAndReportsFailures)
{
    const QString file = path("neu.dat");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    app.dialogs.fileAnswers.push_back(file);
    book().Geaendert = true;
    window->fSaveAs->trigger();
    EXPECT_EQ(app.dialogs.fileRequests.last().fileName,
              app.globals.ExePfad + QStringLiteral("Cacher.dat"));
    EXPECT_EQ(fileBytes(file).size(), 2 + 886);
    EXPECT_EQ(window->windowTitle(), file);
    EXPECT_TRUE(window->fSave->isEnabled());
    EXPECT_FALSE(book().Geaendert);

    app.dialogs.fileAnswers.push_back(path("kein/Ordner.dat"));
    book().Geaendert = true;
    window->fSaveAs->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Fehler beim Erzeugen der neuen Datei!\n\nDie Datei „%1“ konnte nicht "
                       "geschrieben werden: ")
            .arg(path("kein/Ordner.dat"))));
    EXPECT_TRUE(book().Geaendert);
}

TEST_F(CacherFiles, CloseAsksOnlyAfterChangesAndSavesOnYes)
{
    window->close();
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    showWindow();
    typeInto(window->edtVorname, QStringLiteral("Anna"));
    app.dialogs.answers = {Dialogs::No};
    window->close();
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Frage"));
    EXPECT_EQ(app.dialogs.messages[0].text,
              QStringLiteral("Soll die Änderungen gespeichert werden?"));
    EXPECT_TRUE(book().Geaendert);

    // Yes with no file yet: Save As, with the fields stored first.
    showWindow();
    const QString file = path("gesichert.dat");
    app.dialogs.answers = {Dialogs::Yes};
    app.dialogs.fileAnswers.push_back(file);
    window->close();
    EXPECT_EQ(app.dialogs.messages.size(), 2);
    CacherBook back;
    ASSERT_EQ(ReadCacherFile(file, back), CacherFileResult::Ok);
    EXPECT_EQ(back.person(0).field(TPerson::Vorname), QStringLiteral("Anna"));
    EXPECT_FALSE(book().Geaendert);
}

TEST_F(CacherFiles, TypingAndClosingAtOnceStillAsks)
{
    enter(window->edtStrasse);
    QTest::keyClicks(window->edtStrasse, QStringLiteral("Weg 1"));
    window->close();
    EXPECT_EQ(app.dialogs.texts(), QStringList({"Soll die Änderungen gespeichert werden?"}));
}

TEST_F(CacherFiles, AbbrechenClosesWithoutQuestionAndKeepsTheBook)
{
    openBook({"A", "B"});
    window->edtVorname->setText(QStringLiteral("Anton"));
    window->btnVorwärts->click();
    typeInto(window->edtNachname, QStringLiteral("Bauer"));
    const qsizetype before = app.dialogs.messages.size();
    window->btnAbbrechen->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(app.dialogs.messages.size(), before);
    EXPECT_EQ(book().person(0).field(TPerson::Vorname), QStringLiteral("Anton"));

    showWindow();
    EXPECT_EQ(window->edtNachname->text(), QStringLiteral("Bauer"));
    window->btnOK->click();
    EXPECT_EQ(app.dialogs.messages.size(), before);
}

TEST_F(CacherFiles, ExportAndImportThroughTheMenu)
{
    const QString csv = path("cacher.csv");
    app.dialogs.fileAnswers.push_back(csv);
    window->mnuExport->trigger();
    EXPECT_EQ(fileBytes(csv), QByteArray(",,,,,,,,,,\r\n"));
    EXPECT_EQ(app.dialogs.fileRequests.last().fileName, QStringLiteral("cacher.csv"));
    EXPECT_EQ(app.dialogs.fileRequests.last().defaultSuffix, QStringLiteral("csv"));

    const QString name(60, u'n');
    QFile in(csv);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write("\xEF\xBB\xBF" + (name + QStringLiteral(",Jürgen\n,Zwei\r\n")).toUtf8());
    in.close();
    app.dialogs.fileAnswers.push_back(csv);
    window->mnuImport->trigger();
    EXPECT_EQ(nameList(), QStringList({name, ""}));
    EXPECT_EQ(window->cboxCachername->currentText(), name.left(50));
    EXPECT_EQ(window->edtVorname->text(), QStringLiteral("Jürgen"));
    EXPECT_TRUE(book().Geaendert);
    EXPECT_FALSE(window->fSave->isEnabled());
    // Open then offers the import's file name.
    app.dialogs.answers = {Dialogs::No};
    window->fOpen->trigger();
    EXPECT_EQ(app.dialogs.fileRequests.last().fileName, csv);
}

// A name beyond Windows-1252 stays whole in the window and the export (with the profile link made
// from it: three fields); the record file keeps "?" and the save says so once.
TEST_F(CacherFiles, TextBeyondWindows1252IsShownSavedWithANoteAndExported)
{
    insertInto(window->cboxCachername, QStringLiteral("Łukasz"));
    insertInto(window->cboxWohnort, QStringLiteral("Ğebze"));
    leave();
    const QString dat = path("buch.dat");
    app.dialogs.fileAnswers.push_back(dat);
    window->fSaveAs->trigger();
    EXPECT_EQ(fileBytes(dat).mid(2 + 1, 6), QByteArray("?ukasz"));
    EXPECT_EQ(
        app.dialogs.lastText(),
        QStringLiteral("Die Datei kann nur Zeichen des westeuropäischen Zeichensatzes "
                       "(Windows-1252) speichern. In 3 Feldern (etwa „Łukasz“) steht dort "
                       "„?“ für die übrigen Zeichen.\n\nBis zum Beenden hält das Adressbuch "
                       "sie vollständig; „Export“ schreibt sie als UTF-8 in eine CSV-Datei."));
    const qsizetype notes = app.dialogs.messages.size();
    window->fSave->trigger();
    EXPECT_EQ(app.dialogs.messages.size(), notes); // nothing new to say

    window->btnNeuerDatensatz->click();
    window->btnRückwärts->click();
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("Łukasz"));
    EXPECT_EQ(nameList().first(), QStringLiteral("Łukasz"));
    const QString csv = path("cacher.csv");
    app.dialogs.fileAnswers.push_back(csv);
    window->mnuExport->trigger();
    EXPECT_TRUE(fileBytes(csv).startsWith("\xEF\xBB\xBF\xC5\x81ukasz,,,,,\xC4\x9E"));
}

TEST_F(CacherFiles, ImportOrExportFailuresKeepBookAndFile)
{
    openBook({"A", "B"});
    app.dialogs.fileAnswers.push_back(path("fehlt.csv"));
    window->mnuImport->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(path("fehlt.csv"))));
    EXPECT_EQ(nameList(), QStringList({"A", "B"}));

    app.dialogs.fileAnswers.push_back(path("kein/Ordner.csv"));
    window->mnuExport->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path("kein/Ordner.csv"))));

    const QString empty = path("leer.csv");
    QFile(empty).open(QIODevice::WriteOnly);
    app.dialogs.fileAnswers.push_back(empty);
    window->mnuImport->trigger();
    EXPECT_EQ(book().PersonenAnzahl(), 1);
    EXPECT_EQ(nameList(), QStringList({""}));
}

TEST(CacherUserFolder, DefaultFileLivesInTheUserFolderNotTheProgramFolder)
{
    // An installed copy: the shipped files in one folder, the user's files in another that does
    // not exist yet.
    QTemporaryDir home;
    TestApp app;
    app.globals.ExePfad = home.path() + QStringLiteral("/usr/share/quarvel/");
    app.globals.BenutzerPfad = home.path() + QStringLiteral("/.local/share/Quarvel/");
    TfrmCacher window(app.context);
    const QString expected = app.globals.BenutzerPfad + QStringLiteral("Cacher.dat");
    EXPECT_EQ(window.book().AktuelleDatei, expected);
    EXPECT_TRUE(QFileInfo(app.globals.BenutzerPfad).isDir());

    // Save As proposes that file, and accepting it writes the book there.
    app.dialogs.onFileDialog = [&](const Dialogs::FileRequest &request) {
        EXPECT_EQ(request.fileName, expected);
    };
    app.dialogs.fileAnswers.push_back(expected);
    window.fSaveAs->trigger();
    EXPECT_EQ(app.dialogs.fileRequests.size(), 1);
    EXPECT_EQ(QFileInfo(expected).size(), 2 + 886);
    EXPECT_FALSE(QFileInfo::exists(app.globals.ExePfad + QStringLiteral("Cacher.dat")));
}
