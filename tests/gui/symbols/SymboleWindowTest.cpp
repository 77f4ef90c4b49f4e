#include "fakes/TestApp.h"
#include "gui/app/Main_Unit.h"
#include "gui/app/ProgramWindows.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"
#include "gui/symbols/GlyphPalette.h"
#include "gui/symbols/Symbole_Unit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A second table beside the shipped ones: dots, one meaning of two letters among them.
SymbolTables::Table dotTable()
{
    SymbolTables::Table table;
    table.name = QStringLiteral("punkte");
    table.titel = QStringLiteral("Punktschrift zum Testen");
    table.gruppe = QStringLiteral("Prüfgruppe");
    table.quelle = QStringLiteral("ein Punkt je Buchstabe, von links");
    table.lizenz = QStringLiteral("eigene Zeichnung");
    for (const char *meaning : {"A", "B", "CH", "D"})
        table.glyphen.append({QString::fromLatin1(meaning), {}});
    table.zeichne = [](QPainter &painter, const QRectF &box, int index) {
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(box.left() + box.width() * (index + 1) / 5, box.center().y()),
                            box.width() / 10, box.width() / 10);
    };
    return table;
}

QList<SymbolTables::Table> testTables()
{
    QList<SymbolTables::Table> tables {*SymbolTables::find(QStringLiteral("segment7"))};
    tables.append(dotTable());
    return tables;
}

struct SymboleFixture : ::testing::Test
{
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void search(const QString &text)
    {
        window.edtSuche->clear();
        QTest::keyClicks(window.edtSuche, text);
    }

    // Clicks the glyph of that meaning in the palette, as a user does with the mouse.
    void clickGlyph(const QString &meaning)
    {
        GlyphPalette *palette = window.lstGlyphen;
        const QList<QListWidgetItem *> items = palette->findItems(meaning, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << meaning.toStdString();
        palette->scrollToItem(items.constFirst());
        QTest::mouseClick(palette->viewport(), Qt::LeftButton, {},
                          palette->visualItemRect(items.constFirst()).center());
    }

    void clickGlyphs(const QString &meanings)
    {
        for (const QString &meaning : meanings.split(u' ', Qt::SkipEmptyParts))
            clickGlyph(meaning);
    }

    TestApp app;
    TfrmSymbole window {app.context, testTables()};
};

} // namespace

TEST_F(SymboleFixture, TheSearchFieldNarrowsTheTablesByNameTitleOrGroup)
{
    struct Case
    {
        const char *typed;
        int shown;
        const char *table; // chosen afterwards; empty: none
    };
    const Case cases[] = {
        {"", 2, "segment7"},           {"PUNKTE", 1, "punkte"}, // name, case ignored
        {"Punktschrift", 1, "punkte"}, // title
        {"GRUPPE", 1, "punkte"}, // group
        {"  ziffern ", 1, "segment7"}, // title, blanks around ignored
        {"gibt es nicht", 0, ""},      {"", 2, "segment7"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        search(QString::fromUtf8(c.typed));
        int shown = 0;
        for (int row = 0; row < window.lstTafeln->count(); ++row)
            shown += window.lstTafeln->item(row)->isHidden() ? 0 : 1;
        EXPECT_EQ(shown, c.shown);
        const SymbolTables::Table *table = window.currentTable();
        EXPECT_EQ(table ? table->name : QString(), QString::fromLatin1(c.table));
        EXPECT_EQ(window.lstGlyphen->count(), table ? table->glyphen.size() : 0);
        EXPECT_EQ(window.btnTafelSpeichern->isEnabled(), table != nullptr);
        if (table) {
            // The preview shows the table with its source and licence.
            EXPECT_TRUE(window.lblQuelle->text().contains(table->quelle));
            EXPECT_TRUE(window.lblQuelle->text().contains(table->lizenz));
            EXPECT_FALSE(window.lblTafel->pixmap().isNull());
        } else {
            EXPECT_TRUE(window.lblQuelle->text().contains(QStringLiteral("Keine Tafel passt")));
        }
    }
    // Glyphs are drawn once: showing a table again draws nothing new.
    const int drawn = window.pixmaps().size();
    search(QStringLiteral("punkte"));
    search(QString());
    EXPECT_EQ(window.pixmaps().size(), drawn);
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(SymboleFixture, ClickedGlyphsWriteTheirLettersAndBackspaceTakesAWholeGlyph)
{
    clickGlyphs(QStringLiteral("1 2"));
    QTest::mouseClick(window.btnLeerzeichen, Qt::LeftButton);
    clickGlyph(QStringLiteral("3"));
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 3"));
    QTest::mouseClick(window.btnRueckschritt, Qt::LeftButton);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 "));

    window.lstTafeln->setCurrentRow(1);
    clickGlyphs(QStringLiteral("A CH"));
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 ACH"));
    QTest::mouseClick(window.btnRueckschritt, Qt::LeftButton);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 A"));

    // The keyboard: arrows move, Return chooses, the space bar leaves a gap, Backspace takes
    // back.
    window.lstGlyphen->setFocus();
    window.lstGlyphen->setCurrentRow(0);
    QTest::keyClick(window.lstGlyphen, Qt::Key_Right);
    QTest::keyClick(window.lstGlyphen, Qt::Key_Return);
    QTest::keyClick(window.lstGlyphen, Qt::Key_Space);
    QTest::keyClick(window.lstGlyphen, Qt::Key_Enter);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 AB B"));
    QTest::keyClick(window.lstGlyphen, Qt::Key_Backspace);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 AB "));
    QTest::keyClick(window.lstGlyphen, Qt::Key_Backspace);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("12 AB"));

    // Edited by hand, Backspace takes one character.
    window.edtKlartext->setText(QStringLiteral("XCH"));
    QTest::mouseClick(window.btnRueckschritt, Qt::LeftButton);
    EXPECT_EQ(window.edtKlartext->text(), QStringLiteral("XC"));

    QTest::mouseClick(window.btnKopieren, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("XC"));
    QTest::mouseClick(window.btnLoeschen, Qt::LeftButton);
    EXPECT_EQ(window.edtKlartext->text(), QString());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    QTest::mouseClick(window.btnKopieren, Qt::LeftButton);
    EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("keinen Text")));
}

TEST_F(SymboleFixture, TheDecodedTextHoldsAtMostItsLimit)
{
    const int limit = TfrmSymbole::kMaxText;
    for (int before : {limit - 2, limit - 1, limit}) {
        SCOPED_TRACE(before);
        app.dialogs.messages.clear();
        window.edtKlartext->setText(QString(before, u'x'));
        clickGlyph(QStringLiteral("7"));
        const bool fits = before + 1 <= limit;
        EXPECT_EQ(window.edtKlartext->text().size(), fits ? before + 1 : before);
        EXPECT_EQ(app.dialogs.messages.size(), fits ? 0 : 1);
        if (!fits) {
            EXPECT_TRUE(app.dialogs.lastText().contains(QStringLiteral("höchstens 500")));
        }
    }
    // Typing stops at the limit as well.
    window.tabModus->setCurrentIndex(TfrmSymbole::EncodePage);
    window.edtText->setText(QString(limit + 1, u'1'));
    EXPECT_EQ(window.edtText->text().size(), limit);
}

TEST_F(SymboleFixture, ATypedTextShowsAsGlyphsAndWhatTheTableLacksIsNamedBesideIt)
{
    window.tabModus->setCurrentIndex(TfrmSymbole::EncodePage);
    struct Case
    {
        const char *typed;
        const char *error; // part of the message beside the field; empty: none
        double cells; // width of the strip in glyph cells (a blank is half a cell)
    };
    const Case cases[] = {
        {"1", "", 1}, {"", "", 0}, {"2026", "", 4}, {"20 26", "", 4.5}, {"12a4", "„a“", 0},
    };
    double cell = 0; // the width of one glyph's strip, from the first case
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        window.edtText->clear();
        QTest::keyClicks(window.edtText, QString::fromUtf8(c.typed));
        EXPECT_TRUE(window.lblFehler->text().contains(QString::fromUtf8(c.error)));
        EXPECT_EQ(window.lblFehler->text().isEmpty(), *c.error == 0);
        EXPECT_EQ(window.btnStreifenSpeichern->isEnabled(), c.cells > 0);
        const QPixmap strip = window.lblStreifen->pixmap();
        if (cell == 0)
            cell = strip.width();
        // Each cell's width is rounded up once for the whole strip.
        EXPECT_NEAR(strip.isNull() ? 0 : strip.width(), c.cells * cell, c.cells + 1);
    }
    // Errors are shown beside the field, never in a box per key.
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    // Another table reads the same text anew.
    window.edtText->setText(QStringLiteral("ACH"));
    EXPECT_FALSE(window.lblFehler->text().isEmpty());
    window.lstTafeln->setCurrentRow(1);
    EXPECT_TRUE(window.lblFehler->text().isEmpty());
    // Clicked glyphs extend the text to encode.
    clickGlyph(QStringLiteral("D"));
    EXPECT_EQ(window.edtText->text(), QStringLiteral("ACHD"));
}

// Text to glyphs and, clicking those glyphs, back to the same text.
TEST_F(SymboleFixture, ATextTurnedIntoGlyphsReadsBackTheSame)
{
    for (int row : {0, 1}) {
        window.lstTafeln->setCurrentRow(row);
        const SymbolTables::Table &table = *window.currentTable();
        SCOPED_TRACE(table.name.toStdString());
        QString text;
        for (const SymbolTables::Glyph &glyph : table.glyphen)
            text += glyph.zeichen;
        window.tabModus->setCurrentIndex(TfrmSymbole::EncodePage);
        window.edtText->setText(text.toLower());
        ASSERT_TRUE(window.lblFehler->text().isEmpty()) << window.lblFehler->text().toStdString();
        window.tabModus->setCurrentIndex(TfrmSymbole::DecodePage);
        QTest::mouseClick(window.btnLoeschen, Qt::LeftButton);
        for (int glyph : SymbolTables::glyphsFor(table, text.toLower()))
            clickGlyph(table.glyphen[glyph].zeichen);
        EXPECT_EQ(window.edtKlartext->text(), text);
    }
}

TEST_F(SymboleFixture, TheTableAndTheStripAreSavedAsPngPicturesOrTheReasonIsNamed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SymbolTables::Table &table = *window.currentTable();
    window.tabModus->setCurrentIndex(TfrmSymbole::EncodePage);
    window.edtText->setText(QStringLiteral("4 2"));
    struct Case
    {
        QPushButton *button;
        const char *proposed;
        QImage expected;
    };
    const int pixels = TfrmSymbole::kPicturePixels;
    const Case cases[] = {
        {window.btnTafelSpeichern, "segment7.png", SymbolTables::renderChart(table, pixels)},
        {window.btnStreifenSpeichern, "segment7-text.png",
         SymbolTables::renderStrip(table, {4, -1, 2}, pixels)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.proposed);
        const QString path = dir.filePath(QString::fromLatin1(c.proposed));
        app.dialogs.fileAnswers = {QString()}; // cancelled: nothing written
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(path));
        app.dialogs.fileAnswers = {path};
        QTest::mouseClick(c.button, Qt::LeftButton);
        const Dialogs::FileRequest &request = app.dialogs.fileRequests.constLast();
        EXPECT_EQ(request.fileName, QString::fromLatin1(c.proposed));
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("png"));
        EXPECT_EQ(request.directory, app.globals.BenutzerPfad);
        QImage saved(path, "PNG");
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(saved.convertToFormat(QImage::Format_ARGB32),
                  c.expected.convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    // A plain file where the folder should be: no user, root included, can write below it.
    QFile blocker(dir.filePath(QStringLiteral("datei")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString blocked = dir.filePath(QStringLiteral("datei/tafel.png"));
    app.dialogs.fileAnswers = {blocked};
    QTest::mouseClick(window.btnTafelSpeichern, Qt::LeftButton);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.lastText().contains(
        QStringLiteral("„%1“ konnte nicht geschrieben werden").arg(blocked)));
    EXPECT_FALSE(QFile::exists(blocked));
}

// Glyphs of any table become A, B, C ... in order of first use and go to the code breaker,
// which opens with them and starts its search.
TEST(SymboleWindow, UnknownSymbolsGoToTheCodeBreakerAsPlaceholders)
{
    TestApp app;
    ProgramWindows windows(app.context);
    QAction *open = windows.mainWindow().actSymbole;
    ASSERT_TRUE(open->isEnabled());
    open->trigger();
    auto *window = dynamic_cast<TfrmSymbole *>(app.context.windows.symbole.existing());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->tabModus->setCurrentIndex(TfrmSymbole::UnknownPage);
    EXPECT_FALSE(window->btnCodeKnacker->isEnabled());

    const auto click = [window](int glyph) {
        GlyphPalette *palette = window->lstGlyphen;
        QTest::mouseClick(palette->viewport(), Qt::LeftButton, {},
                          palette->visualItemRect(palette->item(glyph)).center());
    };
    for (int glyph : {3, 1, 3})
        click(glyph);
    QTest::mouseClick(window->btnUnbekanntLeerzeichen, Qt::LeftButton);
    for (int glyph : {4, 1, 8})
        click(glyph);
    EXPECT_EQ(window->edtPlatzhalter->text(), QStringLiteral("ABA CBD"));
    QTest::mouseClick(window->btnUnbekanntRueckschritt, Qt::LeftButton);
    click(9); // D, given free by taking back, goes to the next new glyph
    EXPECT_EQ(window->edtPlatzhalter->text(), QStringLiteral("ABA CBD"));
    EXPECT_TRUE(window->lblUnbekanntHinweis->text().contains(QStringLiteral("4 verschiedene")));
    EXPECT_FALSE(window->lblUnbekannt->pixmap().isNull());

    ASSERT_TRUE(window->btnCodeKnacker->isEnabled());
    QTest::mouseClick(window->btnCodeKnacker, Qt::LeftButton);
    auto *knacker = dynamic_cast<TfrmCodeKnacker *>(app.context.windows.codeKnacker.existing());
    ASSERT_NE(knacker, nullptr);
    EXPECT_TRUE(knacker->isVisible());
    EXPECT_EQ(knacker->memGeheimtext->toPlainText(), QStringLiteral("ABA CBD"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    knacker->close();

    QTest::mouseClick(window->btnUnbekanntLoeschen, Qt::LeftButton);
    EXPECT_EQ(window->edtPlatzhalter->text(), QString());
    EXPECT_FALSE(window->btnCodeKnacker->isEnabled());
}

// The navigator's node in "Diagramme" opens the decoder, and opens it again when clicked while
// it is chosen.
TEST(SymboleWindow, TheNavigatorNodeOpensTheDecoder)
{
    TestApp app;
    ProgramWindows windows(app.context);
    TfrmQuarvelMain &main = windows.mainWindow();
    main.show();
    QTreeWidget *tree = main.TreeView1;
    // The first change of the selection only leaves the start view.
    tree->setCurrentItem(tree->topLevelItem(0));
    const QList<QTreeWidgetItem *> found =
        tree->findItems(QStringLiteral("Symboltafeln"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.constFirst()->parent()->text(0), QStringLiteral("Diagramme"));
    tree->setCurrentItem(found.constFirst());
    QWidget *decoder = app.context.windows.symbole.existing();
    ASSERT_NE(decoder, nullptr);
    EXPECT_TRUE(decoder->isVisible());
    EXPECT_EQ(main.gboxOben->title(), QStringLiteral(" Diagramme "));
    decoder->close();
    tree->scrollToItem(found.constFirst());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.constFirst()).center());
    EXPECT_TRUE(decoder->isVisible());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}
