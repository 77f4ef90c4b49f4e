// Building the address book window: the eleven fields, the buttons and the "Datei" menu.

#include "gui/cacher/CacherFieldEvents.h"
#include "gui/cacher/CacherPictures.h"
#include "gui/cacher/Cacher_Unit.h"
#include "gui/support/DesignSize.h"
#include "gui/support/FocusColour.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template<typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QComboBox *editableCombo(QWidget *parent, const char *name)
{
    auto *box = named(new QComboBox(parent), name);
    box->setEditable(true);
    // Pressing Enter must not add the typed text to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QToolButton *linkButton(QWidget *parent, const char *name, const QIcon &icon)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(icon);
    button->setIconSize(DesignSize::size(parent, 20, 20));
    button->setAutoRaise(true);
    // Like a speed button: clicking it leaves the focus in the field.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

} // namespace

void TfrmCacher::createControls()
{
    createDatenBox();
    createSteuerung();
    createMenu();
}

void TfrmCacher::createDatenBox()
{
    gboxDaten = named(new QGroupBox, "gboxDaten");
    // Created in tab order.
    cboxCachername = editableCombo(gboxDaten, "cboxCachername");
    cboxCachername->setMaxVisibleItems(12);
    // Leaving the box picks the entry whose name was typed; only an exact match does, so a
    // name retyped in other letter case stays as typed.
    cboxCachername->completer()->setCaseSensitivity(Qt::CaseSensitive);
    edtVorname = named(new QLineEdit(gboxDaten), "edtVorname");
    edtNachname = named(new QLineEdit(gboxDaten), "edtNachname");
    edtStrasse = named(new QLineEdit(gboxDaten), "edtStrasse");
    cboxPLZ = editableCombo(gboxDaten, "cboxPLZ");
    cboxWohnort = editableCombo(gboxDaten, "cboxWohnort");
    cboxWohnort->setToolTip(QStringLiteral("EMail an: "));
    edtEMail = named(new QLineEdit(gboxDaten), "edtEMail");
    edtTelefon = named(new QLineEdit(gboxDaten), "edtTelefon");
    edtHandy = named(new QLineEdit(gboxDaten), "edtHandy");
    edtProfil = named(new QLineEdit(gboxDaten), "edtProfil");
    edtHomepage = named(new QLineEdit(gboxDaten), "edtHomepage");
    sbtnEMail = linkButton(gboxDaten, "sbtnEMail", CacherPictures::envelope());
    sbtnProfil = linkButton(gboxDaten, "sbtnProfil", CacherPictures::profile());
    sbtnHomepage = linkButton(gboxDaten, "sbtnHomepage", CacherPictures::homepage());

    const struct
    {
        const char *label;
        QWidget *field;
        QToolButton *link;
    } rows[] = {
        {"Cachername:", cboxCachername, nullptr},
        {"Vorname:", edtVorname, nullptr},
        {"Nachname:", edtNachname, nullptr},
        {"Straße:", edtStrasse, nullptr},
        {"PLZ:", cboxPLZ, nullptr},
        {"Wohnort:", cboxWohnort, nullptr},
        {"EMail:", edtEMail, sbtnEMail},
        {"Telefon:", edtTelefon, nullptr},
        {"Handy:", edtHandy, nullptr},
        {"Profil:", edtProfil, sbtnProfil},
        {"Homepage:", edtHomepage, sbtnHomepage},
    };
    auto *grid = new QGridLayout(gboxDaten);
    grid->setColumnMinimumWidth(1, 340);
    grid->setColumnMinimumWidth(2, 26);
    int row = 0;
    for (const auto &r : rows) {
        auto *label = new QLabel(QString::fromUtf8(r.label), gboxDaten);
        label->setBuddy(r.field);
        grid->addWidget(label, row, 0);
        QFont bold = r.field->font();
        bold.setBold(true);
        r.field->setFont(bold);
        attachFocusColour(r.field);
        if (r.field == cboxPLZ) {
            r.field->setFixedWidth(DesignSize::px(this, 80));
            grid->addWidget(r.field, row, 1, Qt::AlignLeft);
        } else {
            grid->addWidget(r.field, row, 1);
        }
        if (r.link)
            grid->addWidget(r.link, row, 2);
        ++row;
    }
}

void TfrmCacher::createSteuerung()
{
    GroupBox2 = named(new QGroupBox(QStringLiteral(" Steuerung")), "GroupBox2");
    btnAnfang = button(GroupBox2, "btnAnfang", QStringLiteral("|<"));
    btnRückwärts = button(GroupBox2, "btnRückwärts", QStringLiteral("<"));
    btnVorwärts = button(GroupBox2, "btnVorwärts", QStringLiteral(">"));
    btnEnde = button(GroupBox2, "btnEnde", QStringLiteral(">|"));
    btnNeuerDatensatz = button(GroupBox2, "btnNeuerDatensatz", QStringLiteral("Neu"));
    btnDatensatzlöschen = button(GroupBox2, "btnDatensatzlöschen", QStringLiteral("Löschen"));
    btnDatensatzSpeichern = button(GroupBox2, "btnDatensatzSpeichern", QStringLiteral("Speichern"));

    auto *navigation = new QHBoxLayout;
    navigation->setSpacing(DesignSize::px(this, 2));
    for (QPushButton *b : {btnAnfang, btnRückwärts, btnVorwärts, btnEnde}) {
        b->setFixedWidth(DesignSize::px(this, 34));
        navigation->addWidget(b);
    }
    auto *column = new QVBoxLayout(GroupBox2);
    column->addLayout(navigation);
    column->addSpacing(8);
    for (QPushButton *b : {btnNeuerDatensatz, btnDatensatzlöschen, btnDatensatzSpeichern})
        column->addWidget(b);
    column->addStretch();

    btnAbbrechen = button(nullptr, "btnAbbrechen", QStringLiteral("Abbrechen"));
    btnOK = button(nullptr, "btnOK", QStringLiteral("OK"));
}

void TfrmCacher::createMenu()
{
    QMenu *datei = menuBar()->addMenu(QStringLiteral("Datei"));
    const auto action = [datei](const char *name, const QString &caption) {
        QAction *a = datei->addAction(caption);
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    fOpen = action("fOpen", QStringLiteral("Öffnen"));
    datei->addSeparator();
    fSave = action("fSave", QStringLiteral("Speichern"));
    fSave->setEnabled(false);
    fSaveAs = action("fSaveAs", QStringLiteral("Speichern unter"));
    datei->addSeparator();
    mnuImport = action("mnuImport", QStringLiteral("Import"));
    mnuExport = action("mnuExport", QStringLiteral("Export"));
    datei->addSeparator();
    Beenden1 = action("Beenden1", QStringLiteral("Schließen"));
}

void TfrmCacher::layOutWindow()
{
    auto *central = new QWidget(this);
    auto *grid = new QGridLayout(central);
    grid->addWidget(gboxDaten, 0, 0, 2, 1);
    grid->addWidget(GroupBox2, 0, 1);
    auto *closing = new QVBoxLayout;
    closing->addStretch();
    closing->addWidget(btnAbbrechen);
    closing->addWidget(btnOK);
    grid->addLayout(closing, 1, 1);
    setCentralWidget(central);
    const QList<QWidget *> tabOrder = fields();
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TfrmCacher::connectHandlers()
{
    auto *events = new CacherFieldEvents(
        this, [this](QWidget *field) { FeldEnter(field); },
        [this](QWidget *field) { FeldExit(field); });
    for (QWidget *field : fields())
        events->watch(field);
    const auto phone = [this](QChar key) { return edtTelefonKeyPress(key); };
    events->filterKeys(edtTelefon, phone);
    events->filterKeys(edtHandy, phone);
    events->filterKeys(cboxPLZ, [this](QChar key) { return cboxPLZKeyPress(key); });

    connect(cboxCachername, &QComboBox::activated, this,
            [this](int index) { cboxCachernameChange(index); });
    for (QToolButton *link : {sbtnEMail, sbtnProfil, sbtnHomepage})
        connect(link, &QToolButton::clicked, this, [this, link] { sbtnClick(link); });

    const std::pair<QPushButton *, void (TfrmCacher::*)()> clicks[] = {
        {btnAnfang, &TfrmCacher::btnAnfangClick},
        {btnRückwärts, &TfrmCacher::btnRückwärtsClick},
        {btnVorwärts, &TfrmCacher::btnVorwärtsClick},
        {btnEnde, &TfrmCacher::btnEndeClick},
        {btnNeuerDatensatz, &TfrmCacher::btnNeuerDatensatzClick},
        {btnDatensatzlöschen, &TfrmCacher::btnDatensatzlöschenClick},
        {btnDatensatzSpeichern, &TfrmCacher::btnDatensatzSpeichernClick},
        {btnAbbrechen, &TfrmCacher::btnAbbrechenClick},
        {btnOK, &TfrmCacher::btnOKClick},
    };
    for (const auto &[b, handler] : clicks)
        connect(b, &QPushButton::clicked, this, [this, handler = handler] { (this->*handler)(); });

    const std::pair<QAction *, void (TfrmCacher::*)()> menu[] = {
        {fOpen, &TfrmCacher::fOpenClick},         {fSave, &TfrmCacher::fSaveClick},
        {fSaveAs, &TfrmCacher::fSaveAsClick},     {mnuImport, &TfrmCacher::mnuImportClick},
        {mnuExport, &TfrmCacher::mnuExportClick}, {Beenden1, &TfrmCacher::Beenden1Click},
    };
    for (const auto &[a, handler] : menu)
        connect(a, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
}
