#pragma once

#include "gui/support/Dialogs.h"

#include <QColor>
#include <QWidget>

class KartePage;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmQuarvelMain;
struct AppContext;
struct Settings;

// The settings window: five pages behind a tree (general, editor, outside programs, address
// book, map). Most values are taken over by OK; the three path pickers and leaving the GSAK field
// change their setting at once. The editor choice and the picked editor path stay pending
// (EditorNrNeu, extEditorNeu) until OK. Every activation refills the general fields from the
// settings; the settings reach the store only when the main window closes. A value OK refuses
// is marked in its field, and the window stays open with every edit kept.
class TfrmEinstellungen : public QWidget
{
public:
    // The background of a field whose value OK refused.
    static inline const QColor kRefusedBackground {255, 220, 220};

    TfrmEinstellungen(AppContext &context, TfrmQuarvelMain &mainWindow, QWidget *parent = nullptr);

    int EditorNrNeu() const { return m_editorNrNeu; }
    const QString &extEditorNeu() const { return m_extEditorNeu; }

    QTreeWidget *TreeViewEinstellungen = nullptr;
    QSplitter *Splitter1 = nullptr;
    QStackedWidget *pnlSeiten = nullptr;
    QGroupBox *gboxAllgemein = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *edtHomeKoordinaten = nullptr;
    QCheckBox *cboxUpdateSuchen = nullptr;
    QCheckBox *cboxROTClear = nullptr;
    QGroupBox *gboxEditor = nullptr;
    QRadioButton *rbtnNotepad = nullptr;
    QRadioButton *rbtnIntern = nullptr;
    QRadioButton *rbtnExtern = nullptr;
    QLineEdit *edtPfadExtEditor = nullptr;
    QPushButton *bbtnSucheEditor = nullptr;
    QGroupBox *gboxProgramme = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *edtGSAK = nullptr;
    QToolButton *sbtnGSAK = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *edtGCStatistic = nullptr;
    QToolButton *sbtnGCStatistic = nullptr;
    QGroupBox *gboxDatenbank = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *edtDatenbank = nullptr;
    QToolButton *sbtnDatenbank = nullptr;
    KartePage *gboxKarte = nullptr;
    QPushButton *sbtnOK = nullptr;
    QPushButton *sbtnAbbrechen = nullptr;
    QPushButton *sbtnHilfe = nullptr;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createPages();
    QGroupBox *createAllgemein();
    QGroupBox *createEditor();
    QGroupBox *createProgramme();
    QGroupBox *createDatenbank();
    void createButtons();
    void connectHandlers();

    void FormCreate();
    void FormActivate();
    void TreeViewEinstellungenChange(QTreeWidgetItem *current);
    void rbtnEditorClick(QRadioButton *sender);
    void bbtnSucheEditorClick();
    void sbtnGSAKClick();
    void sbtnGCStatisticClick();
    void sbtnDatenbankClick();
    void edtGSAKExit();
    void sbtnOKClick();
    void sbtnAbbrechenClick();

    // Sets the check mark of the editor choice's radio button without running its handler.
    void checkQuietly(int editorNr);
    void setExternEnabled(bool enabled);
    // Runs the shared file dialog; empty when the user cancels.
    QString runOpenDialog();
    void showPage(QGroupBox *page, const QString &caption);
    // Brings the field's page to the front, marks the field with the reason and shows it.
    void refuse(QLineEdit *field, const QString &message);
    // An empty message takes the mark away.
    void markRefused(QLineEdit *field, const QString &message);

    AppContext &m_context;
    TfrmQuarvelMain &m_main;
    Settings &m_settings;
    int m_editorNrNeu = 0;
    QString m_extEditorNeu;
    // The shared file dialog's state: a picker that sets no filter finds the last one.
    Dialogs::FileRequest OpenDialog1;
    // A file dialog of this window takes the activation away and gives it back; coming back
    // from it is not an activation that refills the fields.
    bool m_dialogOpen = false;
    bool m_returningFromDialog = false;
};
