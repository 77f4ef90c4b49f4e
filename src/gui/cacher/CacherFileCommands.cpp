// The address book window's file commands: the automatic load of the "Datenbank" file, Open,
// Save and Save As of the record file, and the CSV import and export.

#include "gui/app/AppContext.h"
#include "gui/cacher/Cacher_Unit.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CacherFile.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kCsvFilter = QStringLiteral("Datenbank, kommasepariert (*.csv);;Alle Dateien (*.*)");

// The fixed first line, then what went wrong with which file.
QString withDetail(const QString &text, const QString &detail)
{
    return text + QStringLiteral("\n\n") + detail;
}

QString cannotOpenText(const QString &path, const QString &reason)
{
    return withDetail(QStringLiteral("Die Datei konnte nicht geöffnet werden!"),
                      cannotOpenFileText(path, reason));
}

QString saveFailedText(const QString &path, const QString &reason)
{
    return withDetail(QStringLiteral(" Fehler beim Speichern von ") + path, reason);
}

void setUpCsvDialog(Dialogs::FileRequest &dialog)
{
    dialog.defaultSuffix = QStringLiteral("csv");
    dialog.fileName = QStringLiteral("cacher.csv");
    dialog.filter = kCsvFilter;
    dialog.directory.clear();
}

} // namespace

void TfrmCacher::rebuildNameList(const QStringList &names)
{
    const QSignalBlocker blocker(cboxCachername);
    cboxCachername->clear();
    cboxCachername->addItems(names);
}

bool TfrmCacher::mayReplaceBook()
{
    noteFocusedFieldChange();
    if (!m_book.Geaendert)
        return true;
    const Dialogs::Button answer = m_context.dialogs.ask(
        this,
        {QStringLiteral("Frage"), QStringLiteral("Soll die Änderungen gespeichert werden?"),
         Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No | Dialogs::Cancel});
    if (answer == Dialogs::No)
        return true;
    if (answer != Dialogs::Yes)
        return false;
    StoreFields();
    if (fSave->isEnabled())
        Save();
    else
        SaveAs();
    // A failed or cancelled save leaves the changes unsaved: then nothing is replaced.
    return !m_book.Geaendert;
}

TfrmCacher::LoadResult TfrmCacher::readLoadedFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, file.errorString()};
    // Reads the whole file before anything changes, so a short file keeps the book.
    if (ReadCacherFile(file, m_book) != CacherFileResult::Ok) {
        throw QuarvelError(withDetail(
            streamReadErrorMessage(),
            QStringLiteral("Die Datei „%1“ endet vor ihrem letzten Datensatz; das Adressbuch "
                           "bleibt, wie es war")
                .arg(QDir::toNativeSeparators(path))));
    }
    m_book.NeuerDatensatz = false;
    QStringList names;
    for (const TPerson &person : m_book.Personen())
        names.append(person.field(TPerson::Cachername));
    rebuildNameList(names);
    m_book.AktuellerIndex = 0;
    ShowRecord();
    fSave->setEnabled(true);
    // The book is now what the file holds: nothing to save, also where the user declined to
    // save earlier changes, and the field in focus shows the loaded text.
    m_book.Geaendert = false;
    forgetFieldChange();
    return {true, {}};
}

void TfrmCacher::LoadDatenbank()
{
    const QString path = m_context.globals.settings.Datenbank;
    if (!m_book.LadenAusstehend || path.isEmpty())
        return;
    // Tried once, also when it fails or the user keeps the book; cleared first, since every
    // message box re-activates the window.
    m_book.LadenAusstehend = false;
    if (!mayReplaceBook())
        return;
    if (const LoadResult loaded = readLoadedFile(path); !loaded.ok) {
        m_context.dialogs.beep();
        m_context.dialogs.messageDlg(this, cannotOpenText(path, loaded.reason),
                                     Dialogs::Icon::Error, Dialogs::Ok);
        return;
    }
    m_book.AktuelleDatei = path;
    m_book.Geaendert = false;
}

void TfrmCacher::Open()
{
    if (!mayReplaceBook())
        return;
    OpenDialog1.filter = QStringLiteral("Personaldatenbank (*.dat)");
    OpenDialog1.defaultSuffix = QStringLiteral("dat");
    OpenDialog1.title = QStringLiteral("Öffnen");
    const QString path = m_context.dialogs.openFileName(this, OpenDialog1);
    if (path.isEmpty())
        return;
    OpenDialog1.fileName = path;
    const QString previous = m_book.AktuelleDatei;
    m_book.AktuelleDatei = path;
    m_book.LadenAusstehend = false; // the user chose the book; no automatic load after this
    LoadResult loaded;
    try {
        loaded = readLoadedFile(path);
    } catch (const QuarvelError &) {
        // A damaged file is not the book: a later Save must not write over it.
        m_book.AktuelleDatei = previous;
        throw;
    }
    if (!loaded.ok) {
        m_context.dialogs.messageDlg(this, cannotOpenText(path, loaded.reason),
                                     Dialogs::Icon::Error, Dialogs::Ok);
        return;
    }
    setWindowTitle(path);
    m_context.globals.settings.Datenbank = path;
}

void TfrmCacher::Save()
{
    StoreFields();
    QString reason;
    if (WriteCacherFile(m_book.AktuelleDatei, m_book, reason) != CacherFileResult::Ok) {
        m_context.dialogs.showMessage(this, saveFailedText(m_book.AktuelleDatei, reason));
        return;
    }
    m_book.Geaendert = false;
    forgetFieldChange();
    noteTextTheFileLacks();
}

void TfrmCacher::noteTextTheFileLacks()
{
    const CacherBook::WideSummary wide = m_book.wideSummary();
    if (wide.fields == 0 || (wide.fields == m_wideNoted.fields && wide.first == m_wideNoted.first))
        return;
    m_wideNoted = wide;
    m_context.dialogs.messageDlg(this, wideTextNote(wide), Dialogs::Icon::Information, Dialogs::Ok);
}

void TfrmCacher::SaveAs()
{
    StoreFields();
    SaveDialog1.fileName = m_book.AktuelleDatei;
    SaveDialog1.title = QStringLiteral("Speichern unter");
    const QString path = m_context.dialogs.saveFileName(this, SaveDialog1);
    if (path.isEmpty())
        return;
    SaveDialog1.fileName = path;
    // The new file replaces an old one only once it is written completely; until then the
    // book stays with its current file.
    QString reason;
    const std::unique_ptr<QFileDevice> file = openForWholeWrite(path, m_writeTarget, reason);
    if (!file) {
        m_context.dialogs.showMessage(
            this,
            withDetail(QStringLiteral("Fehler beim Erzeugen der neuen Datei!"),
                       cannotWriteFileText(path, reason)));
        return;
    }
    if (WriteCacherFile(*file, m_book) != CacherFileResult::Ok) {
        reason = writeFailureReason(*file);
        discardWrite(*file);
        m_context.dialogs.showMessage(this, saveFailedText(path, reason));
        return;
    }
    if (!finishWrite(*file, reason)) {
        m_context.dialogs.showMessage(this, saveFailedText(path, reason));
        return;
    }
    m_book.AktuelleDatei = path;
    m_book.LadenAusstehend = false;
    setWindowTitle(path);
    fSave->setEnabled(true);
    m_book.Geaendert = false;
    forgetFieldChange();
    noteTextTheFileLacks();
}

void TfrmCacher::ExportCsv()
{
    StoreFields();
    setUpCsvDialog(SaveDialog1);
    const QString path = m_context.dialogs.saveFileName(this, SaveDialog1);
    if (path.isEmpty())
        return;
    SaveDialog1.fileName = path;
    const auto cannotCreate = [&](const QString &reason) {
        return QuarvelError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                                .arg(QFileInfo(path).absoluteFilePath(), reason));
    };
    QString reason;
    const std::unique_ptr<QFileDevice> file = openForWholeWrite(path, m_writeTarget, reason);
    if (!file)
        throw cannotCreate(reason);
    if (!::ExportCsv(*file, m_book)) {
        reason = writeFailureReason(*file);
        discardWrite(*file);
        throw cannotCreate(reason);
    }
    if (!finishWrite(*file, reason))
        throw cannotCreate(reason);
}

void TfrmCacher::ImportCsv()
{
    if (!mayReplaceBook())
        return;
    setUpCsvDialog(OpenDialog1);
    const QString path = m_context.dialogs.openFileName(this, OpenDialog1);
    if (path.isEmpty())
        return;
    OpenDialog1.fileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    // Everything is read first: a file that cannot be read leaves the book as it was.
    CsvBook csv;
    try {
        csv = ::ImportCsv(file);
    } catch (const QuarvelError &error) {
        throw QuarvelError(
            QStringLiteral("Datei %1 kann nicht importiert werden. %2").arg(path, error.message()));
    }
    if (csv.namen.isEmpty())
        csv.namen.append(QString()); // no line at all: one empty record, as a fresh book
    m_book.replacePersonen(std::move(csv.personen), std::move(csv.wide));
    m_book.NeuerDatensatz = false;
    m_book.LadenAusstehend = false;
    rebuildNameList(csv.namen);
    ShowRecord();
    m_book.Geaendert = true;
    if (const QString notes = csvImportNotes(csv); !notes.isEmpty())
        m_context.dialogs.messageDlg(this, notes, Dialogs::Icon::Information, Dialogs::Ok);
}
