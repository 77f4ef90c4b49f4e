#include "fakes/TestApp.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/map/KartePage.h"
#include "gui/support/DesignSize.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kEditorPath = QStringLiteral("/usr/bin/mousepad");

class EinstellungenTest : public ::testing::Test
{
protected:
    EinstellungenTest()
    {
        Settings &s = settings();
        s.HomeKoordinaten = QStringLiteral("N 52° 31.000 E 013° 24.000");
        s.GSAK = QStringLiteral("/opt/gsak/gsak.exe");
        s.GCStatistic = QStringLiteral("/opt/gcs/GCStatistic.exe");
        s.Datenbank = QStringLiteral("/home/u/Cacher.dat");
    }

    Settings &settings() { return app.globals.settings; }

    TfrmEinstellungen &form()
    {
        if (!m_form) {
            m_main = std::make_unique<TfrmQuarvelMain>(app.context);
            m_form = std::make_unique<TfrmEinstellungen>(app.context, *m_main);
        }
        return *m_form;
    }
    TfrmQuarvelMain &mainWindow()
    {
        form();
        return *m_main;
    }

    void send(QWidget *widget, QEvent::Type type)
    {
        QEvent event(type);
        QApplication::sendEvent(widget, &event);
    }
    void activate() { send(&form(), QEvent::WindowActivate); }
    void deactivate() { send(&form(), QEvent::WindowDeactivate); }
    void leave(QWidget *field, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent event(QEvent::FocusOut, reason);
        QApplication::sendEvent(field, &event);
    }

    TestApp app;

private:
    std::unique_ptr<TfrmQuarvelMain> m_main;
    std::unique_ptr<TfrmEinstellungen> m_form;
};

} // namespace

TEST_F(EinstellungenTest, OpensOnTheGeneralPageWithTheStoredChoices)
{
    settings().EditorNr = 2;
    settings().extEditor = kEditorPath;
    TfrmEinstellungen &f = form();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(f.size(), DesignSize::size(&f, 811, 503));
    EXPECT_EQ(f.pnlSeiten->currentWidget(), f.gboxAllgemein);
    EXPECT_EQ(f.gboxAllgemein->title(), QStringLiteral("Allgemein"));
    EXPECT_TRUE(f.rbtnExtern->isChecked());
    EXPECT_EQ(f.EditorNrNeu(), 2);
    EXPECT_EQ(f.extEditorNeu(), kEditorPath);
    EXPECT_FALSE(f.edtPfadExtEditor->isEnabled()) << "enabled only by an activation";
    EXPECT_EQ(f.edtGSAK->text(), settings().GSAK);
    EXPECT_EQ(f.edtDatenbank->text(), settings().Datenbank);
    EXPECT_FALSE(f.sbtnHilfe->isEnabled());

    activate();
    EXPECT_EQ(f.edtHomeKoordinaten->text(), settings().HomeKoordinaten);
    EXPECT_EQ(f.edtPfadExtEditor->text(), kEditorPath);
    EXPECT_TRUE(f.edtPfadExtEditor->isEnabled() && f.bbtnSucheEditor->isEnabled());
}

TEST_F(EinstellungenTest, EachNodeBringsItsPageWithBlanksAroundTheCaption)
{
    TfrmEinstellungen &f = form();
    const std::pair<int, QGroupBox *> cases[] = {{1, f.gboxEditor},
                                                 {2, f.gboxProgramme},
                                                 {3, f.gboxDatenbank},
                                                 {4, f.gboxKarte},
                                                 {0, f.gboxAllgemein}};
    for (const auto &[row, page] : cases) {
        QTreeWidgetItem *node = f.TreeViewEinstellungen->topLevelItem(row);
        SCOPED_TRACE(node->text(0).toStdString());
        f.TreeViewEinstellungen->setCurrentItem(node);
        EXPECT_EQ(f.pnlSeiten->currentWidget(), page);
        EXPECT_EQ(page->title(), u' ' + node->text(0) + u' ');
    }
}

TEST_F(EinstellungenTest, PickedExternalEditorIsTakenOverByOk)
{
    TfrmEinstellungen &f = form();
    activate();
    f.rbtnExtern->click();
    EXPECT_TRUE(f.edtPfadExtEditor->isEnabled());
    // The file dialog takes the activation away and gives it back when it closes.
    app.dialogs.onFileDialog = [this](const Dialogs::FileRequest &) { deactivate(); };
    app.dialogs.fileAnswers = {kEditorPath};
    f.bbtnSucheEditor->click();
    activate();
    EXPECT_EQ(f.edtPfadExtEditor->text(), kEditorPath);
    EXPECT_TRUE(f.rbtnExtern->isChecked());

    f.sbtnOK->click();
    EXPECT_EQ(settings().EditorNr, 2);
    EXPECT_EQ(settings().Editor, kEditorPath);
    EXPECT_EQ(settings().extEditor, kEditorPath);
    mainWindow().actEditor->trigger();
    ASSERT_EQ(app.launcher.calls.size(), 1);
    EXPECT_EQ(app.launcher.calls.first().file, kEditorPath);
}

TEST_F(EinstellungenTest, OkTurnsTheEditorChoiceIntoTheEditorSetting)
{
    const std::tuple<QRadioButton * TfrmEinstellungen::*, int, QString> cases[] = {
        {&TfrmEinstellungen::rbtnIntern, 1, QStringLiteral("Intern")},
        {&TfrmEinstellungen::rbtnNotepad, 0, QStringLiteral("Notepad")},
    };
    for (const auto &[button, number, editor] : cases) {
        SCOPED_TRACE(editor.toStdString());
        activate();
        (form().*button)->click();
        EXPECT_FALSE(form().edtPfadExtEditor->isEnabled());
        form().sbtnOK->click();
        EXPECT_EQ(settings().EditorNr, number);
        EXPECT_EQ(settings().Editor, editor);
    }
}

TEST_F(EinstellungenTest, LeavingTheGsakFieldStoresItEvenWhenCancelled)
{
    settings().GSAK.clear();
    TfrmEinstellungen &f = form();
    EXPECT_FALSE(mainWindow().actGSAK->isEnabled());
    activate();
    f.edtGSAK->setText(QStringLiteral("/opt/neu/gsak.exe"));
    leave(f.edtGSAK, Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(settings().GSAK.isEmpty()) << "switching windows is no leaving";
    leave(f.edtGSAK);
    f.sbtnAbbrechen->click();
    EXPECT_EQ(settings().GSAK, QStringLiteral("/opt/neu/gsak.exe"));
    EXPECT_FALSE(mainWindow().actGSAK->isEnabled()) << "until the next OK";

    f.edtGSAK->setText(QStringLiteral("/opt/dritte/gsak.exe"));
    leave(f.edtDatenbank);
    EXPECT_EQ(settings().GSAK, QStringLiteral("/opt/dritte/gsak.exe"));
}

TEST_F(EinstellungenTest, EachActivationRefillsTheGeneralFields)
{
    TfrmEinstellungen &f = form();
    activate();
    f.edtHomeKoordinaten->setText(QStringLiteral("N 1° E 2°"));
    f.cboxROTClear->setChecked(true);
    f.rbtnIntern->click();
    f.edtGSAK->setText(QStringLiteral("getippt"));
    deactivate();
    activate();
    EXPECT_EQ(f.edtHomeKoordinaten->text(), settings().HomeKoordinaten);
    EXPECT_FALSE(f.cboxROTClear->isChecked());
    EXPECT_TRUE(f.rbtnNotepad->isChecked());
    EXPECT_EQ(f.EditorNrNeu(), 0);
    EXPECT_EQ(f.edtGSAK->text(), QStringLiteral("getippt")) << "not refilled";
}

TEST_F(EinstellungenTest, OkSetsTheProgramEntriesAndTheUpdateCheck)
{
    TfrmEinstellungen &f = form();
    EXPECT_TRUE(mainWindow().actGCStatistic->isEnabled());
    settings().UpdateSuchen = true;
    mainWindow().Update_Timer->stop();
    activate();
    f.edtGCStatistic->clear();
    f.sbtnOK->click();
    EXPECT_FALSE(mainWindow().actGCStatistic->isEnabled());
    EXPECT_TRUE(settings().GCStatistic.isEmpty());
    EXPECT_TRUE(mainWindow().Update_Timer->isActive()) << "even though the setting was on";

    mainWindow().Update_Timer->stop();
    activate();
    f.cboxUpdateSuchen->setChecked(false);
    f.sbtnOK->click();
    EXPECT_FALSE(settings().UpdateSuchen);
    EXPECT_FALSE(mainWindow().Update_Timer->isActive());
}

TEST_F(EinstellungenTest, PickersSetTheirFilterAndTheEditorPickerKeepsTheLastOne)
{
    TfrmEinstellungen &f = form();
    activate();
    f.rbtnExtern->click();
    const QString exe = QStringLiteral("Ausführbare Datei (*.exe);;Alle Dateien (*)");
    const QString dat = QStringLiteral("Datenbank-Datei (*.dat);;Alle Dateien (*)");
    struct Case
    {
        QAbstractButton *picker;
        QString answer;
        QString filter;
        QString suffix;
        QString *setting;
        QLineEdit *field;
    };
    const Case cases[] = {
        {f.bbtnSucheEditor, {}, {}, {}, nullptr, f.edtPfadExtEditor},
        {f.sbtnGSAK, QStringLiteral("/opt/g/GSAK.exe"), exe, QStringLiteral("exe"),
         &settings().GSAK, f.edtGSAK},
        {f.sbtnGCStatistic,
         {},
         exe,
         QStringLiteral("exe"),
         &settings().GCStatistic,
         f.edtGCStatistic},
        {f.sbtnDatenbank, QStringLiteral("/home/u/neu.dat"), dat, QStringLiteral("dat"),
         &settings().Datenbank, f.edtDatenbank},
        {f.bbtnSucheEditor, kEditorPath, dat, QStringLiteral("dat"), nullptr, f.edtPfadExtEditor},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.picker->objectName().toStdString());
        const QString before = c.field->text();
        app.dialogs.fileAnswers = {c.answer};
        c.picker->click();
        EXPECT_EQ(app.dialogs.fileRequests.last().filter, c.filter);
        EXPECT_EQ(app.dialogs.fileRequests.last().defaultSuffix, c.suffix);
        const QString expected = c.answer.isEmpty() ? before : c.answer;
        EXPECT_EQ(c.field->text(), expected);
        if (c.setting) {
            EXPECT_EQ(*c.setting, c.setting == &settings().GCStatistic ? before : expected);
        }
    }
    EXPECT_EQ(f.extEditorNeu(), kEditorPath);
    EXPECT_TRUE(settings().extEditor.isEmpty()) << "pending until OK";
}

TEST_F(EinstellungenTest, CancelDropsThePendingEditorChoice)
{
    TfrmEinstellungen &f = form();
    activate();
    f.rbtnExtern->click();
    app.dialogs.fileAnswers = {kEditorPath};
    f.bbtnSucheEditor->click();
    f.sbtnAbbrechen->click();
    EXPECT_EQ(f.EditorNrNeu(), 0);
    EXPECT_TRUE(f.rbtnNotepad->isChecked());
    EXPECT_TRUE(f.extEditorNeu().isEmpty());
    EXPECT_EQ(settings().Editor, QStringLiteral("Notepad"));
    EXPECT_EQ(settings().EditorNr, 0);
}

TEST_F(EinstellungenTest, KartePageTakesATileAddressOnlyWhenItCanServeTiles)
{
    TfrmEinstellungen &f = form();
    f.show();
    activate();
    EXPECT_EQ(f.gboxKarte->edtKacheladresse->text(), KartenSettings().Kacheladresse);
    EXPECT_EQ(f.gboxKarte->seKachelCache->value(), 200);
    const struct
    {
        const char *typed;
        const char *stored; // empty: refused, the window stays open
    } cases[] = {
        {"ftp://tiles.example/{z}/{x}/{y}.png", ""},
        {"https://tiles.example/{z}/{x}.png", ""},
        {"http://127.0.0.1:8080/{z}/{x}/{y}.png", "http://127.0.0.1:8080/{z}/{x}/{y}.png"},
        {"", "https://tile.openstreetmap.org/{z}/{x}/{y}.png"}, // empty: back to the default
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        app.dialogs.messages.clear();
        f.show();
        f.gboxKarte->edtKacheladresse->setText(QString::fromLatin1(c.typed));
        f.gboxKarte->seKachelCache->setValue(50);
        f.sbtnOK->click();
        const bool refused = *c.stored == 0;
        EXPECT_EQ(app.dialogs.messages.size(), refused ? 1 : 0);
        EXPECT_EQ(f.isVisible(), refused);
        if (!refused) {
            EXPECT_EQ(settings().Karte.Kacheladresse, QString::fromLatin1(c.stored));
            EXPECT_EQ(settings().Karte.KachelCacheMB, 50);
        }
    }
}

// The error box takes the activation away and gives it back, as a real one does; that return must
// not refill the pages with the stored values.
TEST_F(EinstellungenTest, RefusedTileAddressKeepsEveryEditAndMarksOnlyThatField)
{
    TfrmEinstellungen &f = form();
    f.show();
    activate();
    app.dialogs.onAsk = [this](const Dialogs::Message &) { deactivate(); };
    const QString home = QStringLiteral("N 48° 08.000 E 011° 34.000");
    const struct
    {
        const char *typed;
        bool refused;
    } cases[] = {
        {"https://tiles.example/{x}/{y}.png", true},
        {"https://tiles.example/{z}/{x}/{y}.png", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        app.dialogs.messages.clear();
        f.edtHomeKoordinaten->setText(home);
        f.cboxUpdateSuchen->setChecked(false);
        f.edtDatenbank->setText(QStringLiteral("/home/u/Neu.dat"));
        f.gboxKarte->seKachelCache->setValue(75);
        f.gboxKarte->edtKacheladresse->setText(QString::fromLatin1(c.typed));
        f.sbtnOK->click();
        activate();
        QLineEdit *tiles = f.gboxKarte->edtKacheladresse;
        EXPECT_EQ(app.dialogs.messages.size(), c.refused ? 1 : 0);
        EXPECT_EQ(f.isVisible(), c.refused);
        if (c.refused) {
            EXPECT_EQ(f.edtHomeKoordinaten->text(), home);
            EXPECT_FALSE(f.cboxUpdateSuchen->isChecked());
            EXPECT_EQ(f.edtDatenbank->text(), QStringLiteral("/home/u/Neu.dat"));
            EXPECT_EQ(f.gboxKarte->seKachelCache->value(), 75);
            EXPECT_EQ(tiles->text(), QString::fromLatin1(c.typed));
            EXPECT_EQ(f.pnlSeiten->currentWidget(), f.gboxKarte);
            EXPECT_EQ(tiles->palette().color(QPalette::Base),
                      TfrmEinstellungen::kRefusedBackground);
            EXPECT_FALSE(tiles->toolTip().isEmpty());
            EXPECT_TRUE(app.dialogs.lastText().startsWith(tiles->toolTip()));
            EXPECT_NE(f.edtHomeKoordinaten->palette().color(QPalette::Base),
                      TfrmEinstellungen::kRefusedBackground);
            EXPECT_EQ(settings().Karte.KachelCacheMB, 200);
        } else {
            EXPECT_EQ(settings().HomeKoordinaten, home);
            EXPECT_FALSE(settings().UpdateSuchen);
            EXPECT_EQ(settings().Datenbank, QStringLiteral("/home/u/Neu.dat"));
            EXPECT_EQ(settings().Karte.KachelCacheMB, 75);
            EXPECT_NE(tiles->palette().color(QPalette::Base),
                      TfrmEinstellungen::kRefusedBackground);
        }
    }
}
