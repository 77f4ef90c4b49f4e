#include "fakes/TestApp.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kRot13 = QStringLiteral("Qre Fpungm yvrtg hagre qre nygra Rvpur");
// Long enough for the searches to take a while in a debug build.
const QString kLong =
    QString(QStringLiteral("Nz Raqr qrf Jrtrf svaqrfg qh rvar xyrvar Onax. ")).repeated(60);

struct CodeKnackerFixture : ::testing::Test
{
    CodeKnackerFixture()
    {
        window = std::make_unique<TfrmCodeKnacker>(app.context);
        window->show();
    }
    void enter(const QString &text)
    {
        window->memGeheimtext->setPlainText(text);
        window->startSearch(); // as the pause after typing would
    }
    void waitForSearch()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->searching(); }, 120000));
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = window->tblKandidaten->item(row, column);
        return item ? item->text() : QString();
    }

    TestApp app;
    std::unique_ptr<TfrmCodeKnacker> window;
};

} // namespace

TEST_F(CodeKnackerFixture, KeylessCandidatesShowAtOnceAndTheSearchJoinsThem)
{
    enter(kRot13);
    // Before the worker reports, the keyless list is there, best first.
    ASSERT_GT(window->tblKandidaten->rowCount(), 10);
    EXPECT_EQ(cell(0, 1), u"rot");
    EXPECT_EQ(cell(0, 2), u"13");
    EXPECT_EQ(cell(0, 3), u"de");
    EXPECT_EQ(cell(0, 5), u"Der Schatz liegt unter der alten Eiche");
    EXPECT_TRUE(window->btnAbbrechen->isEnabled());
    waitForSearch();
    EXPECT_EQ(cell(0, 1), u"rot");
    EXPECT_FALSE(window->btnAbbrechen->isEnabled());
    EXPECT_FALSE(window->pbSuche->isVisible());
    EXPECT_TRUE(window->lblStatus->text().endsWith(u"Kandidaten"));
}

TEST_F(CodeKnackerFixture, TypingRestartsAndCancelStops)
{
    enter(kLong);
    ASSERT_TRUE(window->searching());
    // Typing replaces the search: the old one's results never show.
    QTest::keyClicks(window->memGeheimtext, QStringLiteral("x"));
    EXPECT_FALSE(window->searching());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->searching(); }, 5000));
    QTest::mouseClick(window->btnAbbrechen, Qt::LeftButton);
    waitForSearch();
    EXPECT_TRUE(window->lblStatus->text().startsWith(u"Suche abgebrochen"))
        << window->lblStatus->text().toStdString();
}

TEST_F(CodeKnackerFixture, ClosingDuringASearchStopsTheWorker)
{
    enter(kLong);
    window.reset(); // must neither hang nor touch the destroyed window
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST_F(CodeKnackerFixture, LanguageKeyCopyAndOpen)
{
    window->cbSprache->setCurrentIndex(2); // Englisch
    window->edtSchluessel->setText(QStringLiteral("LEMON"));
    enter(QStringLiteral("LXFOPVEFRNHR"));
    waitForSearch();
    EXPECT_EQ(cell(0, 1), u"vigenere");
    EXPECT_EQ(cell(0, 2), u"LEMON");
    EXPECT_EQ(cell(0, 3), u"en");
    window->tblKandidaten->setCurrentCell(0, 0);
    QTest::mouseClick(window->btnKopieren, Qt::LeftButton);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(u"1\tvigenere\tLEMON\ten\t"));
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith(u"\tATTACKATDAWN"));

    QString method;
    Ciphers::ParamValues params;
    window->setOpenCipher([&](const QString &m, const Ciphers::ParamValues &p) {
        method = m;
        params = p;
    });
    emit window->tblKandidaten->cellDoubleClicked(0, 5);
    EXPECT_EQ(method, u"vigenere");
    EXPECT_EQ(params.value(QStringLiteral("schluessel")), u"LEMON");
}

TEST_F(CodeKnackerFixture, TooLongTextIsRefusedWithoutFreezing)
{
    enter(QString(kMaxBreakerText + 1, u'a'));
    EXPECT_FALSE(window->searching());
    EXPECT_EQ(window->tblKandidaten->rowCount(), 0);
    EXPECT_TRUE(window->lblStatus->text().contains(u"zu lang"));
    // Just above the synchronous limit, the keyless list is left to the worker.
    enter(QString(TfrmCodeKnacker::kQuickLimit + 1, u'7'));
    EXPECT_TRUE(window->searching());
    waitForSearch();
}

// With "Leerzeichen einfügen" a plain text without blanks shows its words, from the list of its
// language; without the list it stays as it is and the status names the package.
TEST_F(CodeKnackerFixture, BlanksGoBackIntoPlainTextsWithTheWordList)
{
    QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("ngerman")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("wer\nanderen\neine\nGrube\ngräbt\n");
    list.close();
    window->cbSprache->setCurrentIndex(1); // Deutsch
    enter(QStringLiteral("JRENAQRERARVARTEHORTENROG")); // ROT13
    waitForSearch();
    ASSERT_EQ(cell(0, 5), u"WERANDERENEINEGRUBEGRAEBT");

    window->setWordListFolder(dir.path());
    window->cbLeerzeichen->setChecked(true);
    EXPECT_EQ(cell(0, 5), u"WER ANDEREN EINE GRUBE GRAEBT");
    window->cbLeerzeichen->setChecked(false);
    EXPECT_EQ(cell(0, 5), u"WERANDERENEINEGRUBEGRAEBT");

    auto missing = std::make_unique<TfrmCodeKnacker>(app.context);
    missing->setWordListFolder(dir.filePath(QStringLiteral("fehlt")));
    missing->cbSprache->setCurrentIndex(1);
    missing->memGeheimtext->setPlainText(QStringLiteral("JRENAQRERARVARTEHORTENROG"));
    missing->startSearch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !missing->searching(); }, 120000));
    missing->cbLeerzeichen->setChecked(true);
    EXPECT_EQ(missing->tblKandidaten->item(0, 5)->text(), u"WERANDERENEINEGRUBEGRAEBT");
    EXPECT_TRUE(missing->lblStatus->text().contains(u"Paket wngerman installieren"));
}

TEST_F(CodeKnackerFixture, LanguageCaptionShowsItsShortcutNotAnAmpersand)
{
    QLabel *caption = nullptr;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().contains(u"prache"))
            caption = label;
    }
    ASSERT_NE(caption, nullptr);
    // A label with a buddy draws "&p" as an underlined p; without one the "&" is printed.
    EXPECT_EQ(caption->buddy(), window->cbSprache);
}

// However long the status line, the window keeps its width and can still be made narrow.
TEST_F(CodeKnackerFixture, LongStatusLineNeitherWidensNorHoldsTheWindow)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const int width = window->width();
    const struct
    {
        int words;
    } cases[] = {{1}, {30}, {120}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.words);
        window->lblStatus->setText(QStringList(c.words, QStringLiteral("Wortliste")).join(u' '));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->width(), width);
        EXPECT_LE(window->minimumSizeHint().width(), 700);
    }
}

// The keyless readings of a text too long to decode on the window's thread come from the worker
// before its searches, so the table fills while the search still runs.
TEST_F(CodeKnackerFixture, LongTextShowsItsKeylessReadingsBeforeTheSearchEnds)
{
    bool searchingWhenFilled = false;
    bool filled = false;
    QObject::connect(window->tblKandidaten->model(), &QAbstractItemModel::rowsInserted,
                     window.get(), [&] {
                         if (!filled)
                             searchingWhenFilled = window->searching();
                         filled = true;
                     });
    enter(kLong);
    ASSERT_GT(kLong.size(), TfrmCodeKnacker::kQuickLimit);
    EXPECT_EQ(window->tblKandidaten->rowCount(), 0); // not decoded on the window's thread
    ASSERT_TRUE(QTest::qWaitFor([&] { return filled || !window->searching(); }, 120000));
    EXPECT_TRUE(searchingWhenFilled);
    QTest::mouseClick(window->btnAbbrechen, Qt::LeftButton); // the rest of the search is not needed
    waitForSearch();
    EXPECT_TRUE(filled);
    EXPECT_EQ(cell(0, 1), u"rot");
    EXPECT_TRUE(cell(0, 5).startsWith(u"Am Ende des Weges"));
}

TEST_F(CodeKnackerFixture, ReadingsOfControlCharactersAreShownVisibly)
{
    // "00 01 1B 7F" read as hexadecimal codes or bytes is four control characters.
    enter(QStringLiteral("00 01 1B 7F"));
    waitForSearch();
    bool found = false;
    for (int row = 0; row < window->tblKandidaten->rowCount(); ++row) {
        found = found || cell(row, 5) == QStringLiteral("␀␁␛␡");
        for (const QChar c : cell(row, 5))
            EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() != 0x7F) << row;
    }
    EXPECT_TRUE(found);
}

// A row of full stops is no tap code: its reading must not rank above the text itself.
TEST_F(CodeKnackerFixture, RowOfFullStopsRanksTheUnchangedTextFirst)
{
    const char *texts[] = {". . . . . . . .", ".. .. .. ..", "....  ....  ....  ....",
                           "...................."};
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        enter(QString::fromLatin1(text));
        waitForSearch();
        ASSERT_GT(window->tblKandidaten->rowCount(), 0);
        for (int row = 0; row < window->tblKandidaten->rowCount(); ++row) {
            if (cell(row, 1) == u"klartext")
                break;
            EXPECT_NE(cell(row, 1), u"klopfcode") << cell(row, 5).toStdString();
        }
    }
}

// With only the German list installed, a German text gets its blanks and no word about the
// English list; an English text is told that its list is missing.
TEST_F(CodeKnackerFixture, WarnsOnlyAboutTheListOfTheTextsLanguage)
{
    QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("ngerman")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("wer\nanderen\neine\nGrube\ngräbt\n");
    list.close();
    window->setWordListFolder(dir.path());
    window->cbSprache->setCurrentIndex(0); // automatisch: readings of both languages
    const auto blanksOn = [this] {
        window->cbLeerzeichen->setChecked(false);
        window->cbLeerzeichen->setChecked(true);
    };
    enter(QStringLiteral("JRENAQRERARVARTEHORTENROG")); // ROT13 of a German saying
    waitForSearch();
    blanksOn();
    EXPECT_EQ(cell(0, 5), u"WER ANDEREN EINE GRUBE GRAEBT");
    EXPECT_FALSE(window->lblStatus->text().contains(u"wamerican"))
        << window->lblStatus->text().toStdString();

    window->cbSprache->setCurrentIndex(2); // Englisch: the readings are English
    enter(QStringLiteral("GURDHVPXOEBJASBKWHZCFBIREGURYNMLQBT")); // ROT13 of an English pangram
    waitForSearch();
    blanksOn();
    EXPECT_FALSE(cell(0, 5).contains(u' '));
    EXPECT_TRUE(window->lblStatus->text().contains(u"Paket wamerican installieren"))
        << window->lblStatus->text().toStdString();
}

TEST_F(CodeKnackerFixture, TheVerdictSaysInWordsWhetherTheFirstReads)
{
    enter(kRot13);
    waitForSearch();
    EXPECT_TRUE(window->lblUrteil->text().contains(u"Lesbar"_qs))
        << window->lblUrteil->text().toStdString();
    EXPECT_TRUE(window->lblUrteil->text().contains(u"rot (13)"_qs));

    // Thirty digits in no pattern of small numbers: nothing reads, and no search runs long.
    enter(QStringLiteral("82159 04732 61902 48357 09273 14586"));
    // While the search runs the verdict says so; when it is done, the identification stands.
    EXPECT_TRUE(window->lblUrteil->text().contains(u"Suche läuft"_qs));
    waitForSearch();
    const QString verdict = window->lblUrteil->text();
    EXPECT_TRUE(verdict.contains(u"Kein Kandidat ergibt lesbaren Text"_qs))
        << verdict.toStdString();
    EXPECT_TRUE(verdict.contains(u"fraktionierend – pollux"_qs)) << verdict.toStdString();
    EXPECT_TRUE(verdict.contains(u"30 Ziffern"_qs));
    EXPECT_FALSE(verdict.contains(u"Suche läuft"_qs));

    enter(QString());
    EXPECT_TRUE(window->lblUrteil->text().isEmpty());
}

TEST_F(CodeKnackerFixture, CribAndChainsChangeTheFirstRow)
{
    EXPECT_TRUE(window->cbKetten->isChecked());
    // Base64 of a ROT-13 text: only the chain reads it.
    enter(QStringLiteral("UXJlIEZwdW5nbSB5dnJ0ZyBoYWdyZSBxcmUgbnlncmEgUnZwdXI="));
    waitForSearch();
    EXPECT_EQ(cell(0, 1), u"base64 → rot");
    EXPECT_EQ(cell(0, 5), u"Der Schatz liegt unter der alten Eiche");
    window->cbKetten->setChecked(false);
    window->startSearch();
    waitForSearch();
    EXPECT_NE(cell(0, 1), u"base64 → rot");

    window->edtKrippe->setText(QStringLiteral("aopq"));
    enter(QStringLiteral("Nbcd"));
    waitForSearch();
    EXPECT_EQ(cell(0, 5), u"Aopq");
}
