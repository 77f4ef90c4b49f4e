#include "gui/cacher/Cacher_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/cacher/CacherFieldEvents.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/LaunchFailureMessage.h"
#include "gui/support/ScreenFit.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/ProgramFolders.h"
#include "platform/Launcher.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

TfrmCacher::TfrmCacher(AppContext &context, QWidget *parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCacher"));
    setWindowTitle(QStringLiteral("Datenbank - Cacher"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    layOutWindow();
    connectHandlers();

    m_book.AktuelleDatei =
        ProgramFolders::userFilePath(m_context.globals.BenutzerPfad, QStringLiteral("Cacher.dat"));
    rebuildNameList({QString()});
    ShowRecord();
    SaveDialog1.filter = QStringLiteral("Personaldatenbank (*.dat);;Alle Dateien (*.*)");
    SaveDialog1.defaultSuffix = QStringLiteral("dat");

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);
}

QString TfrmCacher::ProfilPrefix()
{
    return QStringLiteral("http://www.geocaching.com/profile/?u=");
}

QString TfrmCacher::BuildProfileUrl(const QString &name)
{
    return ProfilPrefix() + name;
}

QList<QWidget *> TfrmCacher::fields() const
{
    return {cboxCachername, edtVorname, edtNachname, edtStrasse, cboxPLZ,    cboxWohnort,
            edtEMail,       edtTelefon, edtHandy,    edtProfil,  edtHomepage};
}

QString TfrmCacher::fieldText(QWidget *field) const
{
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->currentText();
    return static_cast<QLineEdit *>(field)->text();
}

void TfrmCacher::ShowRecord()
{
    gboxDaten->setTitle(QStringLiteral(" Aktueller Index: %1 ").arg(m_book.AktuellerIndex + 1));
    // The list marks the record shown, so the arrow keys and the drop-down start from it.
    if (m_book.AktuellerIndex < cboxCachername->count()) {
        const QSignalBlocker blocker(cboxCachername);
        cboxCachername->setCurrentIndex(m_book.AktuellerIndex);
    }
    const QList<QWidget *> all = fields();
    for (int f = 0; f < TPerson::FieldCount; ++f) {
        const QString text = m_book.text(m_book.AktuellerIndex, TPerson::Field(f));
        QLineEdit *edit = qobject_cast<QLineEdit *>(all[f]);
        if (auto *box = qobject_cast<QComboBox *>(all[f])) {
            box->setEditText(text);
            edit = box->lineEdit();
        } else {
            edit->setText(text);
        }
        edit->setCursorPosition(0); // long addresses show their beginning
    }
    // The field holding the focus now starts from the record shown, not from the one before.
    if (QWidget *field = focusedField())
        m_feldText = fieldText(field);
}

void TfrmCacher::StoreFields()
{
    const int index = m_book.AktuellerIndex;
    const QList<QWidget *> all = fields();
    for (int f = 0; f < TPerson::FieldCount; ++f)
        m_book.setText(index, TPerson::Field(f), fieldText(all[f]));
    setNameEntry(index, m_book.text(index, TPerson::Cachername));
}

void TfrmCacher::setNameEntry(int index, const QString &name)
{
    if (index >= cboxCachername->count() || cboxCachername->itemText(index) == name)
        return;
    // Changing the entry shown would replace the box's text with it; the user's text stays.
    const QString typed = cboxCachername->currentText();
    const int cursor = cboxCachername->lineEdit()->cursorPosition();
    const QSignalBlocker blocker(cboxCachername);
    cboxCachername->setItemText(index, name);
    cboxCachername->setEditText(typed);
    cboxCachername->lineEdit()->setCursorPosition(cursor);
}

void TfrmCacher::forgetFieldChange()
{
    if (QWidget *field = focusedField())
        m_feldText = fieldText(field);
}

bool TfrmCacher::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TfrmCacher::closeEvent(QCloseEvent *event)
{
    FormClose();
    // Closing only hides the window, and it is never refused.
    event->accept();
}

void TfrmCacher::FormActivate()
{
    guarded(m_context.dialogs, this, [&] { LoadDatenbank(); });
}

QWidget *TfrmCacher::focusedField() const
{
    QWidget *focused = focusWidget();
    for (QWidget *field : fields()) {
        if (focused && (field == focused || field->isAncestorOf(focused)))
            return field;
    }
    return nullptr;
}

void TfrmCacher::noteFocusedFieldChange()
{
    // The window can close while a field still holds the focus; its change counts as well.
    if (QWidget *field = focusedField(); field && fieldText(field) != m_feldText)
        m_book.Geaendert = true;
}

void TfrmCacher::FormClose()
{
    guarded(m_context.dialogs, this, [&] {
        noteFocusedFieldChange();
        if (!m_book.Geaendert)
            return;
        const Dialogs::Button answer = m_context.dialogs.ask(
            this,
            {QStringLiteral("Frage"), QStringLiteral("Soll die Änderungen gespeichert werden?"),
             Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No});
        if (answer != Dialogs::Yes)
            return;
        StoreFields();
        if (fSave->isEnabled())
            Save();
        else
            SaveAs();
    });
}

void TfrmCacher::FeldEnter(QWidget *field)
{
    guarded(m_context.dialogs, this, [&] { m_feldText = fieldText(field); });
}

void TfrmCacher::FeldExit(QWidget *field)
{
    guarded(m_context.dialogs, this, [&] {
        if (fieldText(field) != m_feldText)
            m_book.Geaendert = true;
    });
    if (field == cboxCachername)
        cboxCachernameExit();
}

void TfrmCacher::cboxCachernameExit()
{
    guarded(m_context.dialogs, this, [&] {
        QString name = cboxCachername->currentText();
        // Entry i names record i, the first record of a fresh window and renamed ones too.
        setNameEntry(m_book.AktuellerIndex, name);
        if (m_book.NeuerDatensatz) {
            m_book.NeuerDatensatz = false;
            // No name, no profile: an address without one leads nowhere.
            if (!name.isEmpty())
                edtProfil->setText(BuildProfileUrl(name.replace(u'+', QStringLiteral("%2b"))));
        } else if (edtProfil->text().isEmpty() && !name.isEmpty()) {
            edtProfil->setText(BuildProfileUrl(name));
        }
    });
}

void TfrmCacher::cboxCachernameChange(int index)
{
    guarded(m_context.dialogs, this, [&] {
        if (m_book.NeuerDatensatz || index < 0 || index >= m_book.PersonenAnzahl())
            return;
        // The record left is not stored: its entry goes back to the name it holds.
        setNameEntry(m_book.AktuellerIndex, m_book.current().field(TPerson::Cachername));
        m_book.AktuellerIndex = index;
        ShowRecord();
    });
}

bool TfrmCacher::edtTelefonKeyPress(QChar key)
{
    return phoneCharacterAllowed(key);
}

bool TfrmCacher::cboxPLZKeyPress(QChar key)
{
    return postalCodeCharacterAllowed(key, cboxPLZ->currentText().size());
}

void TfrmCacher::sbtnClick(QObject *sender)
{
    guarded(m_context.dialogs, this, [&] {
        QString target;
        if (sender == sbtnEMail && !edtEMail->text().isEmpty())
            target = QStringLiteral("mailto:") + edtEMail->text();
        else if (sender == sbtnProfil)
            target = edtProfil->text();
        else if (sender == sbtnHomepage)
            target = edtHomepage->text();
        if (!target.isEmpty()) {
            const int result = m_context.launcher.open(target, {}, {});
            reportLaunchFailure(m_context.dialogs, this, target, result);
        }
    });
}

void TfrmCacher::moveTo(int index)
{
    StoreFields();
    // A new record that is left unnamed keeps its empty entry; the next record is not new.
    m_book.NeuerDatensatz = false;
    m_book.AktuellerIndex = index;
    ShowRecord();
}

void TfrmCacher::btnAnfangClick()
{
    guarded(m_context.dialogs, this, [&] { moveTo(0); });
}

void TfrmCacher::btnRückwärtsClick()
{
    guarded(m_context.dialogs, this, [&] {
        if (m_book.AktuellerIndex > 0)
            moveTo(m_book.AktuellerIndex - 1);
    });
}

void TfrmCacher::btnVorwärtsClick()
{
    guarded(m_context.dialogs, this, [&] {
        if (m_book.AktuellerIndex < m_book.PersonenAnzahl() - 1)
            moveTo(m_book.AktuellerIndex + 1);
    });
}

void TfrmCacher::btnEndeClick()
{
    guarded(m_context.dialogs, this, [&] { moveTo(m_book.PersonenAnzahl() - 1); });
}

void TfrmCacher::btnNeuerDatensatzClick()
{
    guarded(m_context.dialogs, this, [&] {
        StoreFields();
        m_book.InsertAfterCurrent();
        {
            // Entry i of the name list always stands for record i.
            const QSignalBlocker blocker(cboxCachername);
            cboxCachername->insertItem(m_book.AktuellerIndex, QString());
        }
        ShowRecord();
    });
}

void TfrmCacher::btnDatensatzlöschenClick()
{
    guarded(m_context.dialogs, this, [&] {
        if (m_book.PersonenAnzahl() == 1) {
            m_context.dialogs.ask(
                this,
                {QStringLiteral("Problem"),
                 QStringLiteral("Der letzte Datensatz kann nicht gelöscht werden!"),
                 Dialogs::Icon::None, Dialogs::Ok});
            return;
        }
        const Dialogs::Button answer = m_context.dialogs.messageDlg(
            this, QStringLiteral("Wollen Sie den Datensatz wirklich löschen?"),
            Dialogs::Icon::Warning, Dialogs::Yes | Dialogs::No);
        if (answer != Dialogs::Yes)
            return;
        const int deleted = m_book.AktuellerIndex;
        m_book.DeleteCurrent();
        m_book.NeuerDatensatz = false;
        {
            const QSignalBlocker blocker(cboxCachername);
            cboxCachername->removeItem(deleted);
        }
        ShowRecord();
    });
}

void TfrmCacher::btnDatensatzSpeichernClick()
{
    guarded(m_context.dialogs, this, [&] { StoreFields(); });
}

void TfrmCacher::btnAbbrechenClick()
{
    guarded(m_context.dialogs, this, [&] {
        // The book keeps every change; only the question at closing is skipped.
        m_book.Geaendert = false;
        forgetFieldChange();
    });
    close();
}

void TfrmCacher::btnOKClick()
{
    close();
}

void TfrmCacher::Beenden1Click()
{
    close();
}

void TfrmCacher::fOpenClick()
{
    guarded(m_context.dialogs, this, [&] { Open(); });
}

void TfrmCacher::fSaveClick()
{
    guarded(m_context.dialogs, this, [&] { Save(); });
}

void TfrmCacher::fSaveAsClick()
{
    guarded(m_context.dialogs, this, [&] { SaveAs(); });
}

void TfrmCacher::mnuImportClick()
{
    guarded(m_context.dialogs, this, [&] { ImportCsv(); });
}

void TfrmCacher::mnuExportClick()
{
    guarded(m_context.dialogs, this, [&] { ExportCsv(); });
}
