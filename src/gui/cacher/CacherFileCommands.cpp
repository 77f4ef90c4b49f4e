// The address book window's file commands: the automatic load of the "Datenbank" file, Open,
// Save and Save As of the record file, and the CSV import and export.

#include "gui/app/AppContext.h"
#include "gui/cacher/Cacher_Unit.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CacherFile.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/QuarvelError.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kCsvFilter = QStringLiteral("Datenbank, kommasepariert (*.csv);;Alle Dateien (*.*)");

QString cannotOpenText()
{
    return QStringLiteral("Die Datei konnte nicht geöffnet werden!");
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

bool TfrmCacher::readLoadedFile(const QString &path)
{
    // Reads the whole file before anything changes, so a short file keeps the book.
    const CacherFileResult result = ReadCacherFile(path, m_book);
    if (result == CacherFileResult::OpenFailed)
        return false;
    if (result != CacherFileResult::Ok)
        throw QuarvelError(streamReadErrorMessage());
    m_book.NeuerDatensatz = false;
    QStringList names;
    for (const TPerson &person : m_book.Personen())
        names.append(person.field(TPerson::Cachername));
    rebuildNameList(names);
    m_book.AktuellerIndex = 0;
    ShowRecord();
    fSave->setEnabled(true);
    return true;
}

void TfrmCacher::LoadDatenbank()
{
    const QString path = m_context.globals.settings.Datenbank;
    if (!m_book.LadenAusstehend || path.isEmpty())
        return;
    // Tried once, also when it fails; cleared first, since the message box re-activates us.
    m_book.LadenAusstehend = false;
    // Unsaved work in the book is never replaced behind the user's back.
    if (m_book.Geaendert)
        return;
    if (!readLoadedFile(path)) {
        m_context.dialogs.beep();
        m_context.dialogs.messageDlg(this, cannotOpenText(), Dialogs::Icon::Error, Dialogs::Ok);
        return;
    }
    m_book.AktuelleDatei = path;
    m_book.Geaendert = false;
}

void TfrmCacher::Open()
{
    OpenDialog1.filter = QStringLiteral("Personaldatenbank (*.dat)");
    OpenDialog1.defaultSuffix = QStringLiteral("dat");
    OpenDialog1.title = QStringLiteral("Öffnen");
    const QString path = m_context.dialogs.openFileName(this, OpenDialog1);
    if (path.isEmpty())
        return;
    OpenDialog1.fileName = path;
    m_book.AktuelleDatei = path;
    m_book.LadenAusstehend = false; // the user chose the book; no automatic load after this
    if (!readLoadedFile(path)) {
        m_context.dialogs.messageDlg(this, cannotOpenText(), Dialogs::Icon::Error, Dialogs::Ok);
        return;
    }
    setWindowTitle(path);
    m_context.globals.settings.Datenbank = path;
}

void TfrmCacher::Save()
{
    if (WriteCacherFile(m_book.AktuelleDatei, m_book) != CacherFileResult::Ok) {
        m_context.dialogs.showMessage(
            this, QStringLiteral(" Fehler beim Speichern von ") + m_book.AktuelleDatei);
        return;
    }
    m_book.Geaendert = false;
}

void TfrmCacher::SaveAs()
{
    SaveDialog1.fileName = m_book.AktuelleDatei;
    SaveDialog1.title = QStringLiteral("Speichern unter");
    const QString path = m_context.dialogs.saveFileName(this, SaveDialog1);
    if (path.isEmpty())
        return;
    SaveDialog1.fileName = path;
    m_book.AktuelleDatei = path;
    m_book.LadenAusstehend = false;
    // The new file replaces an old one only once it is written completely.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_context.dialogs.showMessage(this,
                                      QStringLiteral("Fehler beim Erzeugen der neuen Datei!"));
        return;
    }
    const bool written = WriteCacherFile(file, m_book) == CacherFileResult::Ok && file.commit();
    setWindowTitle(path);
    fSave->setEnabled(true);
    if (!written) {
        file.cancelWriting();
        m_context.dialogs.showMessage(this, QStringLiteral(" Fehler beim Speichern von ") + path);
        return;
    }
    m_book.Geaendert = false;
}

void TfrmCacher::ExportCsv()
{
    setUpCsvDialog(SaveDialog1);
    const QString path = m_context.dialogs.saveFileName(this, SaveDialog1);
    if (path.isEmpty())
        return;
    SaveDialog1.fileName = path;
    QSaveFile file(path);
    const auto cannotCreate = [&] {
        return QuarvelError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                                .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate();
    if (!::ExportCsv(file, m_book) || !file.commit())
        throw cannotCreate();
}

void TfrmCacher::ImportCsv()
{
    setUpCsvDialog(OpenDialog1);
    const QString path = m_context.dialogs.openFileName(this, OpenDialog1);
    if (path.isEmpty())
        return;
    OpenDialog1.fileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    }
    // Everything is read first: a file that cannot be read leaves the book as it was.
    CsvBook csv = ::ImportCsv(file);
    if (csv.namen.isEmpty())
        csv.namen.append(QString()); // no line at all: one empty record, as a fresh book
    m_book.replacePersonen(std::move(csv.personen));
    m_book.NeuerDatensatz = false;
    m_book.LadenAusstehend = false;
    rebuildNameList(csv.namen);
    ShowRecord();
    m_book.Geaendert = true;
}
