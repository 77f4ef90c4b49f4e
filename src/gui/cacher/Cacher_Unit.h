#pragma once

#include "gui/support/Dialogs.h"
#include "logic/cacher/CacherBook.h"
#include "logic/common/SafeWrite.h"

#include <QMainWindow>

struct AppContext;
class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The cacher address book: one record of the book at a time in eleven fields, navigation,
// insert and delete, the three links of a record, and the "Datei" menu with the record file
// and the CSV exchange. Created once at start-up; closing only hides it, so the book lives as
// long as the program.
//
// Data flow: the fields are only an editing copy. StoreFields copies them into the current
// record (record-store button, navigation, "Neu", Save, Save As, Export and the questions
// about unsaved changes) and the stored name into the record's entry of the name list;
// ShowRecord copies the current record back. The file commands read and write the book.
class TfrmCacher : public QMainWindow
{
public:
    explicit TfrmCacher(AppContext &context, QWidget *parent = nullptr);

    CacherBook &book() { return m_book; }
    // Where Save As and the CSV export write a new file; tests hand in one that fails.
    void setWriteTarget(WriteTarget target) { m_writeTarget = std::move(target); }
    const QString &FeldText() const { return m_feldText; }

    static QString ProfilPrefix();
    static QString BuildProfileUrl(const QString &name);

    void ShowRecord();
    void StoreFields();

    QGroupBox *gboxDaten = nullptr;
    QComboBox *cboxCachername = nullptr;
    QLineEdit *edtVorname = nullptr;
    QLineEdit *edtNachname = nullptr;
    QLineEdit *edtStrasse = nullptr;
    QComboBox *cboxPLZ = nullptr;
    QComboBox *cboxWohnort = nullptr;
    QLineEdit *edtEMail = nullptr;
    QLineEdit *edtTelefon = nullptr;
    QLineEdit *edtHandy = nullptr;
    QLineEdit *edtProfil = nullptr;
    QLineEdit *edtHomepage = nullptr;
    QToolButton *sbtnEMail = nullptr;
    QToolButton *sbtnProfil = nullptr;
    QToolButton *sbtnHomepage = nullptr;

    QGroupBox *GroupBox2 = nullptr;
    QPushButton *btnAnfang = nullptr;
    QPushButton *btnRückwärts = nullptr;
    QPushButton *btnVorwärts = nullptr;
    QPushButton *btnEnde = nullptr;
    QPushButton *btnNeuerDatensatz = nullptr;
    QPushButton *btnDatensatzlöschen = nullptr;
    QPushButton *btnDatensatzSpeichern = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QPushButton *btnOK = nullptr;

    QAction *fOpen = nullptr;
    QAction *fSave = nullptr;
    QAction *fSaveAs = nullptr;
    QAction *mnuImport = nullptr;
    QAction *mnuExport = nullptr;
    QAction *Beenden1 = nullptr;

    // What the two file dialogs hold between uses, as the commands leave it.
    Dialogs::FileRequest OpenDialog1;
    Dialogs::FileRequest SaveDialog1;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window (CacherControls.cpp).
    void createControls();
    void createDatenBox();
    void createSteuerung();
    void createMenu();
    void layOutWindow();
    void connectHandlers();

    // Handlers.
    void FormActivate();
    void FormClose();
    void FeldEnter(QWidget *field);
    void FeldExit(QWidget *field);
    void cboxCachernameExit();
    void cboxCachernameChange(int index);
    bool edtTelefonKeyPress(QChar key);
    bool cboxPLZKeyPress(QChar key);
    void sbtnClick(QObject *sender);
    void btnAnfangClick();
    void btnRückwärtsClick();
    void btnVorwärtsClick();
    void btnEndeClick();
    void btnNeuerDatensatzClick();
    void btnDatensatzlöschenClick();
    void btnDatensatzSpeichernClick();
    void btnAbbrechenClick();
    void btnOKClick();
    void fOpenClick();
    void fSaveClick();
    void fSaveAsClick();
    void mnuImportClick();
    void mnuExportClick();
    void Beenden1Click();

    // The file commands (CacherFileCommands.cpp); they throw QuarvelError for the error box.
    void LoadDatenbank();
    void Open();
    void Save();
    void SaveAs();
    void ImportCsv();
    void ExportCsv();
    struct LoadResult
    {
        bool ok = false;
        QString reason; // why the file could not be opened
    };
    // Not ok when the file cannot be opened; throws when it ends early.
    LoadResult readLoadedFile(const QString &path);
    void rebuildNameList(const QStringList &names);
    // Entry `index` of the name list shows `name`; the text in the box stays as typed.
    void setNameEntry(int index, const QString &name);
    // With unsaved changes, asks whether to save them first; false when the book must stay
    // (the user cancelled, or the save did not succeed).
    bool mayReplaceBook();
    // The focused field's text counts as unchanged from now on (after a save or "Abbrechen").
    void forgetFieldChange();
    // After a save: tells once which text the record file could not keep.
    void noteTextTheFileLacks();

    void moveTo(int index);
    QList<QWidget *> fields() const;
    QString fieldText(QWidget *field) const;
    QWidget *focusedField() const;
    void noteFocusedFieldChange();

    AppContext &m_context;
    CacherBook m_book;
    QString m_feldText;
    CacherBook::WideSummary m_wideNoted; // what the last note after a save named
    WriteTarget m_writeTarget = saveFileTarget();
};
