#include "gui/app/Einstellungen_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/map/KartePage.h"
#include "gui/map/Karte_Unit.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/QuarvelError.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kExeFilter = QStringLiteral("Ausführbare Datei|*.exe|Alle Dateien|*.*");
const QString kDatFilter = QStringLiteral("Datenbank-Datei|*.dat|Alle Dateien|*.*");

// "Beschreibung|Muster|..." as the file dialog of Qt wants it; "*.*" means every file, also the
// many Linux files without an extension.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts.at(i + 1);
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(u';', u' ');
        entries.append(parts.at(i) + QStringLiteral(" (") + pattern + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

template<typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox *page(const char *name, const QString &caption)
{
    return named(new QGroupBox(caption), name);
}

QToolButton *picker(const char *name, QWidget *parent)
{
    auto *button = named(new QToolButton(parent), name);
    button->setText(QStringLiteral("..."));
    button->setIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

TfrmEinstellungen::TfrmEinstellungen(AppContext &context, TfrmQuarvelMain &mainWindow,
                                     QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_main(mainWindow)
    , m_settings(context.globals.settings)
{
    setObjectName(QStringLiteral("frmEinstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(DesignSize::size(this, 811, 503));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);
    createPages();
    createButtons();
    connectHandlers();
    FormCreate();
}

void TfrmEinstellungen::createPages()
{
    TreeViewEinstellungen = named(new QTreeWidget, "TreeViewEinstellungen");
    TreeViewEinstellungen->setHeaderHidden(true);
    TreeViewEinstellungen->setRootIsDecorated(false);
    TreeViewEinstellungen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const char *text : {"Allgemein", "Editor", "Programme", "Datenbank", "Karte"})
        new QTreeWidgetItem(TreeViewEinstellungen, {QString::fromLatin1(text)});

    pnlSeiten = named(new QStackedWidget, "pnlSeiten");
    for (QGroupBox *box : {createAllgemein(), createEditor(), createProgramme(), createDatenbank()})
        pnlSeiten->addWidget(box);
    gboxKarte = new KartePage;
    pnlSeiten->addWidget(gboxKarte);

    Splitter1 = named(new QSplitter(Qt::Horizontal), "Splitter1");
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(TreeViewEinstellungen);
    Splitter1->addWidget(pnlSeiten);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({DesignSize::px(this, 190), DesignSize::px(this, 600)});
}

QGroupBox *TfrmEinstellungen::createAllgemein()
{
    gboxAllgemein = page("gboxAllgemein", QStringLiteral(" Allgemein "));
    Label1 = named(new QLabel(QStringLiteral("Home-Koordinaten: ")), "Label1");
    edtHomeKoordinaten = named(new QLineEdit, "edtHomeKoordinaten");
    cboxUpdateSuchen =
        named(new QCheckBox(QStringLiteral("Nach Updates suchen")), "cboxUpdateSuchen");
    cboxROTClear = named(new QCheckBox(QStringLiteral("ROT-Editierfeld beim Wechsel löschen")),
                         "cboxROTClear");
    auto *layout = new QGridLayout(gboxAllgemein);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(edtHomeKoordinaten, 0, 1);
    layout->addWidget(cboxUpdateSuchen, 1, 0, 1, 2);
    layout->addWidget(cboxROTClear, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return gboxAllgemein;
}

QGroupBox *TfrmEinstellungen::createEditor()
{
    gboxEditor = page("gboxEditor", QStringLiteral(" Editor "));
    rbtnNotepad =
        named(new QRadioButton(QStringLiteral("Windows eigenen Editor verwenden")), "rbtnNotepad");
    rbtnIntern = named(new QRadioButton(QStringLiteral("Internen Editor verwenden")), "rbtnIntern");
    rbtnExtern = named(new QRadioButton(QStringLiteral("Externen Editor verwenden")), "rbtnExtern");
    rbtnNotepad->setChecked(true);
    edtPfadExtEditor = named(new QLineEdit, "edtPfadExtEditor");
    // The path comes from the picker; a typed one would never be taken over.
    edtPfadExtEditor->setReadOnly(true);
    bbtnSucheEditor = named(new QPushButton(QStringLiteral("...")), "bbtnSucheEditor");
    bbtnSucheEditor->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    setExternEnabled(false);
    auto *layout = new QGridLayout(gboxEditor);
    layout->addWidget(rbtnNotepad, 0, 0, 1, 2);
    layout->addWidget(rbtnIntern, 1, 0, 1, 2);
    layout->addWidget(rbtnExtern, 2, 0, 1, 2);
    layout->addWidget(edtPfadExtEditor, 3, 0);
    layout->addWidget(bbtnSucheEditor, 3, 1);
    layout->setRowStretch(4, 1);
    return gboxEditor;
}

QGroupBox *TfrmEinstellungen::createProgramme()
{
    gboxProgramme = page("gboxProgramme", QStringLiteral(" Programme "));
    Label2 = named(new QLabel(QStringLiteral("GSAK:")), "Label2");
    edtGSAK = named(new QLineEdit, "edtGSAK");
    sbtnGSAK = picker("sbtnGSAK", gboxProgramme);
    Label3 = named(new QLabel(QStringLiteral("GCStatistic:")), "Label3");
    edtGCStatistic = named(new QLineEdit, "edtGCStatistic");
    sbtnGCStatistic = picker("sbtnGCStatistic", gboxProgramme);
    auto *layout = new QGridLayout(gboxProgramme);
    layout->addWidget(Label2, 0, 0);
    layout->addWidget(edtGSAK, 0, 1);
    layout->addWidget(sbtnGSAK, 0, 2);
    layout->addWidget(Label3, 1, 0);
    layout->addWidget(edtGCStatistic, 1, 1);
    layout->addWidget(sbtnGCStatistic, 1, 2);
    layout->setRowStretch(2, 1);
    return gboxProgramme;
}

QGroupBox *TfrmEinstellungen::createDatenbank()
{
    gboxDatenbank = page("gboxDatenbank", QStringLiteral(" Datenbank "));
    Label5 = named(new QLabel(QStringLiteral("Datenbank:")), "Label5");
    edtDatenbank = named(new QLineEdit, "edtDatenbank");
    sbtnDatenbank = picker("sbtnDatenbank", gboxDatenbank);
    auto *layout = new QGridLayout(gboxDatenbank);
    layout->addWidget(Label5, 0, 0);
    layout->addWidget(edtDatenbank, 0, 1);
    layout->addWidget(sbtnDatenbank, 0, 2);
    layout->setRowStretch(1, 1);
    return gboxDatenbank;
}

void TfrmEinstellungen::createButtons()
{
    sbtnOK = named(new QPushButton(QStringLiteral("OK")), "sbtnOK");
    sbtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    sbtnAbbrechen = named(new QPushButton(QStringLiteral("Abbrechen")), "sbtnAbbrechen");
    sbtnAbbrechen->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    sbtnHilfe = named(new QPushButton(QStringLiteral("Hilfe")), "sbtnHilfe");
    sbtnHilfe->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    sbtnHilfe->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {sbtnOK, sbtnAbbrechen, sbtnHilfe}) {
        // Like tool buttons they leave the focus where it is, so pressing one never counts as
        // leaving a field.
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(DesignSize::px(this, 100));
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Splitter1, 1);
    layout->addLayout(buttons);
}

void TfrmEinstellungen::connectHandlers()
{
    const auto handle = [this](auto member) {
        return [this, member] { guarded(m_context.dialogs, this, [&] { (this->*member)(); }); };
    };
    connect(TreeViewEinstellungen, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) {
                guarded(m_context.dialogs, this, [&] { TreeViewEinstellungenChange(current); });
            });
    for (QRadioButton *button : {rbtnNotepad, rbtnIntern, rbtnExtern}) {
        // clicked, unlike toggled, is not sent when the program sets the mark.
        connect(button, &QRadioButton::clicked, this, [this, button] {
            guarded(m_context.dialogs, this, [&] { rbtnEditorClick(button); });
        });
    }
    connect(bbtnSucheEditor, &QPushButton::clicked, this,
            handle(&TfrmEinstellungen::bbtnSucheEditorClick));
    connect(sbtnGSAK, &QToolButton::clicked, this, handle(&TfrmEinstellungen::sbtnGSAKClick));
    connect(sbtnGCStatistic, &QToolButton::clicked, this,
            handle(&TfrmEinstellungen::sbtnGCStatisticClick));
    connect(sbtnDatenbank, &QToolButton::clicked, this,
            handle(&TfrmEinstellungen::sbtnDatenbankClick));
    connect(sbtnOK, &QPushButton::clicked, this, handle(&TfrmEinstellungen::sbtnOKClick));
    connect(sbtnAbbrechen, &QPushButton::clicked, this,
            handle(&TfrmEinstellungen::sbtnAbbrechenClick));
    edtGSAK->installEventFilter(this);
    edtDatenbank->installEventFilter(this);
    connect(gboxKarte->edtKacheladresse, &QLineEdit::textEdited, this,
            [this] { markRefused(gboxKarte->edtKacheladresse, QString()); });
}

bool TfrmEinstellungen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate && m_dialogOpen)
        m_returningFromDialog = true;
    if (event->type() == QEvent::WindowActivate) {
        if (m_returningFromDialog)
            m_returningFromDialog = false;
        else
            guarded(m_context.dialogs, this, [this] { FormActivate(); });
    }
    return QWidget::event(event);
}

bool TfrmEinstellungen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == edtGSAK || watched == edtDatenbank)) {
        // Only leaving the field for another control of this window counts, not switching to
        // another window or opening a menu.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            guarded(m_context.dialogs, this, [this] { edtGSAKExit(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmEinstellungen::hideEvent(QHideEvent *event)
{
    m_returningFromDialog = false;
    QWidget::hideEvent(event);
}

void TfrmEinstellungen::FormCreate()
{
    gboxAllgemein->setTitle(QStringLiteral("Allgemein"));
    pnlSeiten->setCurrentWidget(gboxAllgemein);
    m_editorNrNeu = m_settings.EditorNr;
    checkQuietly(m_editorNrNeu);
    m_extEditorNeu = m_settings.extEditor;
    edtGSAK->setText(m_settings.GSAK);
    edtGCStatistic->setText(m_settings.GCStatistic);
    edtDatenbank->setText(m_settings.Datenbank);
}

void TfrmEinstellungen::FormActivate()
{
    edtHomeKoordinaten->setText(m_settings.HomeKoordinaten);
    cboxUpdateSuchen->setChecked(m_settings.UpdateSuchen);
    cboxROTClear->setChecked(m_settings.ROTEingabe);
    edtPfadExtEditor->setText(m_settings.extEditor);
    m_editorNrNeu = m_settings.EditorNr;
    checkQuietly(m_editorNrNeu);
    if (rbtnExtern->isChecked())
        setExternEnabled(true);
    edtDatenbank->setText(m_settings.Datenbank);
    gboxKarte->load(m_settings.Karte);
}

void TfrmEinstellungen::TreeViewEinstellungenChange(QTreeWidgetItem *current)
{
    if (!current)
        return;
    const QString text = current->text(0);
    const std::pair<const char16_t *, QGroupBox *> pages[] = {
        {u"Allgemein", gboxAllgemein}, {u"Editor", gboxEditor}, {u"Programme", gboxProgramme},
        {u"Datenbank", gboxDatenbank}, {u"Karte", gboxKarte},
    };
    for (const auto &[node, box] : pages) {
        if (text == QStringView(node))
            showPage(box, u' ' + text + u' ');
    }
}

void TfrmEinstellungen::showPage(QGroupBox *box, const QString &caption)
{
    box->setTitle(caption);
    pnlSeiten->setCurrentWidget(box);
}

void TfrmEinstellungen::rbtnEditorClick(QRadioButton *sender)
{
    if (sender == rbtnExtern) {
        m_editorNrNeu = 2;
        setExternEnabled(true);
    } else if (sender == rbtnIntern) {
        m_editorNrNeu = 1;
        setExternEnabled(false);
    } else if (sender == rbtnNotepad) {
        m_editorNrNeu = 0;
        setExternEnabled(false);
    }
}

void TfrmEinstellungen::checkQuietly(int editorNr)
{
    QRadioButton *buttons[] = {rbtnNotepad, rbtnIntern, rbtnExtern};
    if (editorNr >= 0 && editorNr < 3)
        buttons[editorNr]->setChecked(true);
}

void TfrmEinstellungen::setExternEnabled(bool enabled)
{
    edtPfadExtEditor->setEnabled(enabled);
    bbtnSucheEditor->setEnabled(enabled);
}

QString TfrmEinstellungen::runOpenDialog()
{
    m_dialogOpen = true;
    const QString file = m_context.dialogs.openFileName(this, OpenDialog1);
    m_dialogOpen = false;
    if (!file.isEmpty()) {
        OpenDialog1.directory = QFileInfo(file).absolutePath();
        OpenDialog1.fileName = QFileInfo(file).fileName();
    }
    return file;
}

void TfrmEinstellungen::bbtnSucheEditorClick()
{
    const QString file = runOpenDialog();
    if (file.isEmpty())
        return;
    m_extEditorNeu = file;
    edtPfadExtEditor->setText(file);
}

void TfrmEinstellungen::sbtnGSAKClick()
{
    OpenDialog1.filter = qtFilter(kExeFilter);
    OpenDialog1.defaultSuffix = QStringLiteral("exe");
    const QString file = runOpenDialog();
    if (file.isEmpty())
        return;
    m_settings.GSAK = file;
    edtGSAK->setText(file);
}

void TfrmEinstellungen::sbtnGCStatisticClick()
{
    OpenDialog1.filter = qtFilter(kExeFilter);
    OpenDialog1.defaultSuffix = QStringLiteral("exe");
    const QString file = runOpenDialog();
    if (file.isEmpty())
        return;
    m_settings.GCStatistic = file;
    edtGCStatistic->setText(file);
}

void TfrmEinstellungen::sbtnDatenbankClick()
{
    OpenDialog1.filter = qtFilter(kDatFilter);
    OpenDialog1.defaultSuffix = QStringLiteral("dat");
    const QString file = runOpenDialog();
    if (file.isEmpty())
        return;
    m_settings.Datenbank = file;
    edtDatenbank->setText(file);
}

void TfrmEinstellungen::edtGSAKExit()
{
    m_settings.GSAK = edtGSAK->text();
}

void TfrmEinstellungen::sbtnOKClick()
{
    try {
        gboxKarte->store(m_settings.Karte);
    } catch (const QuarvelError &error) {
        // A tile address that cannot work keeps the window open with every edit as typed.
        refuse(gboxKarte->edtKacheladresse, error.message());
        return;
    }
    markRefused(gboxKarte->edtKacheladresse, QString());
    if (auto *karte = dynamic_cast<TfrmKarte *>(m_context.windows.karte.existing()))
        karte->applySettings();
    close();
    m_settings.HomeKoordinaten = edtHomeKoordinaten->text();
    m_settings.UpdateSuchen = cboxUpdateSuchen->isChecked();
    if (m_settings.UpdateSuchen)
        m_main.Update_Timer->start();
    m_settings.ROTEingabe = cboxROTClear->isChecked();
    if (m_editorNrNeu == 0)
        m_settings.Editor = QStringLiteral("Notepad");
    else if (m_editorNrNeu == 1)
        m_settings.Editor = QStringLiteral("Intern");
    else if (m_editorNrNeu == 2)
        m_settings.Editor = m_extEditorNeu;
    m_settings.EditorNr = m_editorNrNeu;
    m_settings.extEditor = m_extEditorNeu;
    m_main.actGSAK->setEnabled(!edtGSAK->text().isEmpty());
    m_settings.GSAK = edtGSAK->text();
    m_main.actGCStatistic->setEnabled(!edtGCStatistic->text().isEmpty());
    m_settings.GCStatistic = edtGCStatistic->text();
    m_settings.Datenbank = edtDatenbank->text();
}

void TfrmEinstellungen::sbtnAbbrechenClick()
{
    close();
    m_editorNrNeu = m_settings.EditorNr;
    checkQuietly(m_editorNrNeu);
    m_extEditorNeu = m_settings.extEditor;
}

void TfrmEinstellungen::refuse(QLineEdit *field, const QString &message)
{
    for (int page = 0; page < pnlSeiten->count(); ++page) {
        if (pnlSeiten->widget(page)->isAncestorOf(field))
            TreeViewEinstellungen->setCurrentItem(TreeViewEinstellungen->topLevelItem(page));
    }
    markRefused(field, message);
    field->setFocus();
    // The error box takes the activation away and gives it back; coming back from it must not
    // refill the fields with the stored values, or everything typed so far is gone.
    m_dialogOpen = true;
    m_context.dialogs.showError(this, message);
    m_dialogOpen = false;
}

void TfrmEinstellungen::markRefused(QLineEdit *field, const QString &message)
{
    field->setToolTip(message);
    QPalette palette = QApplication::palette(field);
    if (!message.isEmpty())
        palette.setColor(QPalette::Base, kRefusedBackground);
    field->setPalette(palette);
}
