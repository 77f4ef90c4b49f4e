// The address book's files through the window: imports from today's programs, the closing
// note of an import, the name list, saves that never destroy a file, damaged files.
#include "CacherFixture.h"

#include "logic/cacher/CsvDecoding.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <functional>

#include <sys/stat.h>
#include <sys/sysmacros.h>

class CacherFileSafety : public CacherFixture
{
protected:
    void importCsv(const QByteArray &bytes)
    {
        const QString csv = path("import.csv");
        QFile out(csv);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        app.dialogs.fileAnswers.push_back(csv);
        window->mnuImport->trigger();
    }
};

TEST_F(CacherFileSafety, ImportReadsUtf8WithoutMarkAndKeepsWindows1252)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
        QString name;
        QString vorname;
    } cases[] = {
        {"UTF-8 without mark", "K\xC3\xB6lner Geocacher,J\xC3\xB6rg\n", "Kölner Geocacher", "Jörg"},
        {"Windows-1252 as this program writes it", "K\xF6lner Geocacher,J\xF6rg\r\n",
         "Kölner Geocacher", "Jörg"},
        {"Windows-1252 next to ASCII", "M\xE4rchen,Anna\r\n", "Märchen", "Anna"},
        {"UTF-8 with a broken sequence", "K\xC3\xB6ln,\xC3\r\n", "KÃ¶ln", "Ã"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        importCsv(c.bytes);
        EXPECT_EQ(nameList(), QStringList({c.name}));
        EXPECT_EQ(window->cboxCachername->currentText(), c.name);
        EXPECT_EQ(window->edtVorname->text(), c.vorname);
        book().Geaendert = false;
    }
}

TEST_F(CacherFileSafety, ImportNamesLinesWithExtraFieldsAndUndecodableCharacters)
{
    importCsv("Anna,a,b\r\nBerg, Eva,1,2,3,4,5,6,7,8,9,10\r\nCarl\r\n");
    EXPECT_EQ(book().PersonenAnzahl(), 3);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0].title, QStringLiteral("Informationen"));
    EXPECT_EQ(app.dialogs.messages[0].text,
              QStringLiteral("1 Zeile hatte mehr als elf Felder (Zeile 2). Übernommen wurden die "
                             "ersten elf; bitte diesen Datensatz prüfen."));

    book().Geaendert = false;
    importCsv("\xEF\xBB\xBF"
              "Anna\xFF\r\n");
    EXPECT_EQ(
        app.dialogs.lastText(),
        QStringLiteral("1 Zeichen konnte nicht gelesen werden und wurde als „?“ übernommen."));
    EXPECT_EQ(book().person(0).fieldBytes(TPerson::Cachername), QByteArray("Anna?"));

    book().Geaendert = false;
    const qsizetype before = app.dialogs.messages.size();
    importCsv("Anna\r\n");
    EXPECT_EQ(app.dialogs.messages.size(), before);
}

// A file larger than a book can hold is refused before it is read; the book stays.
TEST_F(CacherFileSafety, HugeCsvIsRefusedAndTheBookKept)
{
    openBook({"A", "B"});
    const QString csv = path("riesig.csv");
    {
        QFile out(csv);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        const QByteArray block =
            QByteArray("Name,Vor,Nach,Weg,12345,Ort,a@b,1,2,P,H\r\n").repeated(1 << 15);
        while (out.size() < 300LL * 1024 * 1024)
            ASSERT_EQ(out.write(block), block.size());
    }
    app.dialogs.fileAnswers.push_back(csv);
    window->mnuImport->trigger();
    QFile::remove(csv);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Datei %1 kann nicht importiert werden. Die Datei ist mit ").arg(csv)))
        << app.dialogs.lastText().toStdString();
    EXPECT_EQ(nameList(), QStringList({"A", "B"}));
    EXPECT_FALSE(book().Geaendert);
}

TEST_F(CacherFileSafety, NameListShowsTheStoredNameOfEveryRecord)
{
    // The first record of a fresh window.
    typeInto(window->cboxCachername, QStringLiteral("Erster"));
    EXPECT_EQ(nameList(), QStringList({"Erster"}));

    window->btnNeuerDatensatz->click();
    typeInto(window->cboxCachername, QStringLiteral("Zweiter"));
    window->btnAnfang->click();
    EXPECT_EQ(nameList(), QStringList({"Erster", "Zweiter"}));

    // Renaming a record, stored by the record-store button.
    enter(window->cboxCachername);
    window->cboxCachername->setEditText(QStringLiteral("Eins"));
    window->btnDatensatzSpeichern->click();
    EXPECT_EQ(nameList(), QStringList({"Eins", "Zweiter"}));
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("Eins"));

    // Navigating stores the name too, and a long name shows as stored.
    window->cboxCachername->setEditText(QString(60, u'n'));
    window->btnEnde->click();
    EXPECT_EQ(nameList(), QStringList({QString(50, u'n'), "Zweiter"}));

    // New in the middle, then Delete.
    window->btnAnfang->click();
    window->btnNeuerDatensatz->click();
    typeInto(window->cboxCachername, QStringLiteral("Mitte"));
    EXPECT_EQ(nameList(), QStringList({QString(50, u'n'), "Mitte", "Zweiter"}));
    app.dialogs.answers = {Dialogs::Yes};
    window->btnDatensatzlöschen->click();
    EXPECT_EQ(nameList(), QStringList({QString(50, u'n'), "Zweiter"}));
    for (int i = 0; i < book().PersonenAnzahl(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(nameList()[i], book().person(i).field(TPerson::Cachername));
    }

    // A name typed but not stored is dropped when another entry is picked, and so is its entry.
    typeInto(window->cboxCachername, QStringLiteral("Entwurf"));
    EXPECT_EQ(nameList().first(), QStringLiteral("Entwurf"));
    window->cboxCachername->setCurrentIndex(1); // as the drop-down list picks it
    window->cboxCachername->activated(1);
    EXPECT_EQ(nameList(), QStringList({QString(50, u'n'), "Zweiter"}));
    EXPECT_EQ(window->cboxCachername->currentText(), QStringLiteral("Zweiter"));

    // Open and the automatic load rebuild it from the file.
    app.dialogs.answers = {Dialogs::No};
    openBook({"A", "B", "C"});
    EXPECT_EQ(nameList(), QStringList({"A", "B", "C"}));
}

// Deleted records leave nothing behind in the file.
TEST_F(CacherFileSafety, SaveWritesOnlyTheBooksRecordsAndAFailedFlushKeepsTheChanges)
{
    openBook({"A", "B", "C", "D", "E"});
    const QString file = path("buch.dat");
    app.dialogs.answers = {Dialogs::Yes, Dialogs::Yes};
    window->btnDatensatzlöschen->click();
    window->btnDatensatzlöschen->click();
    book().Geaendert = true;
    window->fSave->trigger();
    EXPECT_EQ(fileBytes(file).size(), 2 + 3 * 886);
    EXPECT_EQ(fileBytes(file), recordFile(book()));
    EXPECT_FALSE(book().Geaendert);

    // A device that refuses the data only when it is flushed, as a full disk does.
    book().AktuelleDatei = QStringLiteral("/dev/full");
    book().Geaendert = true;
    window->fSave->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral(" Fehler beim Speichern von /dev/full\n\n")));
    EXPECT_GT(app.dialogs.lastText().size(),
              QStringLiteral(" Fehler beim Speichern von /dev/full\n\n").size());
    EXPECT_TRUE(book().Geaendert);
}

TEST_F(CacherFileSafety, FailedSaveAsKeepsTheCurrentFile)
{
    openBook({"A"});
    const QString current = path("buch.dat");
    book().Geaendert = true;
    app.dialogs.fileAnswers.push_back(path("kein/Ordner.dat"));
    window->fSaveAs->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral("Fehler beim Erzeugen der neuen Datei!\n\n")));
    EXPECT_TRUE(app.dialogs.lastText().contains(path("kein/Ordner.dat")));
    EXPECT_EQ(book().AktuelleDatei, current);
    EXPECT_EQ(window->windowTitle(), current);
    EXPECT_TRUE(book().Geaendert);
}

TEST_F(CacherFileSafety, DamagedFileKeepsTheCurrentFile)
{
    openBook({"A1", "A2"});
    const QString a = path("buch.dat");
    const QString b = path("kaputt.dat");
    writeBook(b, {"X", "Y", "Z"});
    QFile::resize(b, 2 + 886 + 10);
    const QByteArray damaged = fileBytes(b);
    app.dialogs.fileAnswers.push_back(b);
    window->fOpen->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(QStringLiteral("Stream-Lesefehler\n\n")));
    EXPECT_TRUE(app.dialogs.lastText().contains(b));
    EXPECT_EQ(book().AktuelleDatei, a);
    EXPECT_EQ(window->windowTitle(), a);
    EXPECT_EQ(app.globals.settings.Datenbank, a);
    EXPECT_EQ(nameList(), QStringList({"A1", "A2"}));

    book().Geaendert = true;
    window->fSave->trigger();
    EXPECT_EQ(fileBytes(b), damaged);
    CacherBook back;
    ASSERT_EQ(ReadCacherFile(a, back), CacherFileResult::Ok);
    EXPECT_EQ(back.PersonenAnzahl(), 2);
}

namespace {

// A new file whose folder disappears while it is written: the temporary file then has nowhere
// to go, and the commit fails.
class FolderLostSaveFile : public QSaveFile
{
public:
    explicit FolderLostSaveFile(const QString &path)
        : QSaveFile(path)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        QDir(QFileInfo(fileName()).absolutePath()).removeRecursively();
        return QSaveFile::writeData(data, size);
    }
};

} // namespace

TEST_F(CacherFileSafety, AFailedSaveAsCommitIsShownAndKeepsTheChangesAndTheFile)
{
    openBook({"A"});
    const QString current = path("buch.dat");
    const QString target = path("weg/neu.dat");
    ASSERT_TRUE(QDir().mkpath(path("weg")));
    window->setWriteTarget(
        [](const QString &file) { return std::make_unique<FolderLostSaveFile>(file); });
    book().Geaendert = true;
    app.dialogs.fileAnswers.push_back(target);
    window->fSaveAs->trigger();
    EXPECT_TRUE(app.dialogs.lastText().startsWith(
        QStringLiteral(" Fehler beim Speichern von %1\n\n").arg(target)))
        << app.dialogs.lastText().toStdString();
    EXPECT_GT(app.dialogs.lastText().size(),
              QStringLiteral(" Fehler beim Speichern von %1\n\n").arg(target).size());
    EXPECT_EQ(book().AktuelleDatei, current);
    EXPECT_EQ(window->windowTitle(), current);
    EXPECT_TRUE(book().Geaendert);
}

// A device the user picks in Save As or the CSV export stays a device.
TEST_F(CacherFileSafety, SaveAsAndExportOntoADeviceReportItsErrorAndKeepIt)
{
    const QString device = path("voll");
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    for (QAction *action : {window->fSaveAs, window->mnuExport}) {
        SCOPED_TRACE(action->text().toStdString());
        app.dialogs.fileAnswers.push_back(device);
        book().Geaendert = true;
        action->trigger();
        EXPECT_TRUE(app.dialogs.lastText().contains(device))
            << app.dialogs.lastText().toStdString();
        struct stat status
        {
        };
        ASSERT_EQ(lstat(QFile::encodeName(device).constData(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
    EXPECT_TRUE(book().Geaendert);
}
