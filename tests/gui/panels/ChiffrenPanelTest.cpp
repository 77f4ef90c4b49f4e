#include "gui/panels/CipherPanelFixture.h"

#include "gui/app/panels/gboxChiffren.h"
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/HelpTopics.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTimer>

namespace {

class ChiffrenPanel : public CipherPanelTest
{
protected:
    void SetUp() override
    {
        CipherPanelTest::SetUp();
        choose(QStringLiteral("Weitere Chiffren"));
        list = find<QListWidget>("lstChiffren");
        plain = find<LongParagraphEdit>("rtfKlartext");
        coded = find<LongParagraphEdit>("rtfGeheimtext");
        parameterError = find<QLabel>("lblParameterFehler");
        plainError = find<QLabel>("lblKlartextFehler");
        codedError = find<QLabel>("lblGeheimtextFehler");
    }

    // A click on the cipher's row, as the user chooses it.
    void chooseCipher(const QString &cliName)
    {
        const Ciphers::Cipher *cipher = Ciphers::findCipher(cliName);
        ASSERT_NE(cipher, nullptr);
        const QList<QListWidgetItem *> items =
            list->findItems(cipher->germanName, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->scrollToItem(items.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.first()).center());
        ASSERT_EQ(list->currentItem(), items.first());
    }

    void typeInto(QPlainTextEdit *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    void typeInto(const char *field, const QString &text)
    {
        auto *edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    gboxChiffren *panel() { return find<gboxChiffren>("gboxChiffren"); }
    // Waits until a long text's conversion has come back.
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !panel()->converting(); }, 60000));
    }

    QListWidget *list = nullptr;
    LongParagraphEdit *plain = nullptr;
    LongParagraphEdit *coded = nullptr;
    QLabel *parameterError = nullptr;
    QLabel *plainError = nullptr;
    QLabel *codedError = nullptr;
};

} // namespace

TEST_F(ChiffrenPanel, ListsEveryCipherOfTheRegistryAtTheEndOfKryptologie)
{
    EXPECT_EQ(headerCaption(), QStringLiteral(" Kryptologie "));
    EXPECT_EQ(find<QGroupBox>("gboxChiffren")->title(), QStringLiteral(" Weitere Chiffren "));
    const QList<QTreeWidgetItem *> nodes =
        window->TreeView1->findItems(QStringLiteral("Kryptologie"), Qt::MatchExactly);
    ASSERT_EQ(nodes.size(), 1);
    EXPECT_EQ(nodes.first()->child(nodes.first()->childCount() - 1)->text(0),
              QStringLiteral("Weitere Chiffren"));
    ASSERT_EQ(list->count(), int(Ciphers::cipherRegistry().size()));
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->text(), Ciphers::cipherRegistry()[std::size_t(row)].germanName);
        EXPECT_EQ(list->item(row)->toolTip(),
                  Ciphers::cipherRegistry()[std::size_t(row)].explanation);
    }
    EXPECT_EQ(Help::pageFor(QStringLiteral("gboxChiffren")), QStringLiteral("chiffren.html"));
}

TEST_F(ChiffrenPanel, TypingInEitherBoxConvertsIntoTheOther)
{
    chooseCipher(QStringLiteral("atbash"));
    EXPECT_EQ(find<QLabel>("lblErklaerung")->text(),
              Ciphers::findCipher(QStringLiteral("atbash"))->explanation);
    typeInto(plain, QStringLiteral("Hallo Welt"));
    EXPECT_EQ(coded->text(), QStringLiteral("Szool Dvog"));
    typeInto(coded, QStringLiteral("Zyx"));
    EXPECT_EQ(plain->text(), QStringLiteral("Abc"));

    chooseCipher(QStringLiteral("morse"));
    // The last direction was decoding: the cipher text stays, its message stands beside it.
    EXPECT_EQ(coded->text(), QStringLiteral("Zyx"));
    EXPECT_EQ(plain->text(), QString());
    EXPECT_EQ(codedError->text(), QStringLiteral("„Z“ an Stelle 1 gehört nicht zum Morsecode."));
    typeInto(coded, QStringLiteral("... --- ..."));
    EXPECT_EQ(plain->text(), QStringLiteral("SOS"));
    EXPECT_EQ(codedError->text(), QString());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(ChiffrenPanel, ParameterFieldsFollowTheDeclaration)
{
    chooseCipher(QStringLiteral("affin"));
    EXPECT_EQ(find<QLineEdit>("param_a")->text(), QStringLiteral("5"));
    EXPECT_EQ(find<QLineEdit>("param_b")->text(), QStringLiteral("8"));
    typeInto(plain, QStringLiteral("AFFINE CIPHER"));
    EXPECT_EQ(coded->text(), QStringLiteral("IHHWVC SWFRCP"));
    typeInto("param_b", QStringLiteral("0"));
    EXPECT_EQ(coded->text(), QStringLiteral("AZZONU KOXJUH"));

    chooseCipher(QStringLiteral("zeichencode"));
    auto *system = find<QComboBox>("param_system");
    typeInto(plain, QStringLiteral("A"));
    EXPECT_EQ(coded->text(), QStringLiteral("65"));
    system->setFocus();
    QTest::keyClick(system, Qt::Key_Down); // dez -> hex
    EXPECT_EQ(coded->text(), QStringLiteral("41"));

    chooseCipher(QStringLiteral("rueckwaerts"));
    typeInto(plain, QStringLiteral("ab cd"));
    EXPECT_EQ(coded->text(), QStringLiteral("dc ba"));
    QTest::mouseClick(find<QCheckBox>("param_woerter"), Qt::LeftButton);
    EXPECT_EQ(coded->text(), QStringLiteral("ba dc"));

    // Back to the affine cipher: its values were kept.
    chooseCipher(QStringLiteral("affin"));
    EXPECT_EQ(find<QLineEdit>("param_b")->text(), QStringLiteral("0"));
}

TEST_F(ChiffrenPanel, AnInvalidKeyShowsItsMessageBesideTheFieldsWithoutABox)
{
    chooseCipher(QStringLiteral("affin"));
    typeInto(plain, QStringLiteral("Geocache"));
    typeInto("param_a", QStringLiteral("13"));
    EXPECT_EQ(parameterError->text(),
              QStringLiteral("a = 13 ist nicht teilerfremd zu 26; möglich sind 1, 3, 5, 7, 9, 11, "
                             "15, 17, 19, 21, 23 und 25."));
    EXPECT_EQ(coded->text(), QString());
    typeInto("param_a", QStringLiteral("3"));
    EXPECT_EQ(parameterError->text(), QString());
    EXPECT_EQ(coded->text(), QStringLiteral("Auyoiodu"));

    chooseCipher(QStringLiteral("hill"));
    typeInto("param_schluessel", QStringLiteral("ABC"));
    EXPECT_EQ(parameterError->text(),
              QStringLiteral("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- oder "
                             "3×3-Matrix), nicht 3."));
    typeInto("param_schluessel", QStringLiteral("DDCF"));
    typeInto(plain, QStringLiteral("help"));
    EXPECT_EQ(coded->text(), QStringLiteral("HIAT"));
    typeInto(coded, QStringLiteral("HIA"));
    EXPECT_EQ(codedError->text(),
              QStringLiteral("Die Zahl der Buchstaben (3) ist kein Vielfaches von 2."));
    EXPECT_EQ(plainError->text(), QString());
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(ChiffrenPanel, AMillionCharactersConvertWhole)
{
    chooseCipher(QStringLiteral("rot47"));
    // Pasted text comes in lines; Qt lays out one paragraph of a million characters slowly,
    // whatever the panel does.
    const QString line = QString(69, u'a') + u'\n';
    plain->setPlainText(line.repeated(1'000'000 / 70));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel()->converting(); }, 60000));
    EXPECT_EQ(coded->text(), (QString(69, u'2') + u'\n').repeated(1'000'000 / 70));
    plain->clear();

    // A look at the panel by eye: QUARVEL_SCREENSHOTS=<folder> keeps pictures of the window.
    const QString folder = qEnvironmentVariable("QUARVEL_SCREENSHOTS");
    if (!folder.isEmpty()) {
        window->resize(1366, 768);
        chooseCipher(QStringLiteral("adfgvx"));
        typeInto(plain, QStringLiteral("Treffpunkt am Waldrand um 1200"));
        typeInto("param_schluessel", QStringLiteral("GEOCACHING"));
        typeInto("param_transposition", QStringLiteral("CACHE"));
        QCoreApplication::processEvents();
        window->grab().save(folder + QStringLiteral("/chiffren-adfgvx.png"));
        chooseCipher(QStringLiteral("affin"));
        typeInto("param_a", QStringLiteral("13"));
        QCoreApplication::processEvents();
        window->grab().save(folder + QStringLiteral("/chiffren-fehler.png"));
    }
}

// Up to the limit a text converts while typing; a longer one waits for a pause in the typing and
// converts on a worker, so the window goes on answering meanwhile.
TEST_F(ChiffrenPanel, LongTextsConvertAfterAPauseWithoutHoldingTheWindow)
{
    chooseCipher(QStringLiteral("atbash"));
    const struct
    {
        qsizetype length;
        bool atOnce;
    } cases[] = {
        {gboxChiffren::kAtOnceLimit - 1, true},
        {gboxChiffren::kAtOnceLimit, true},
        {gboxChiffren::kAtOnceLimit + 1, false},
        {1'000'000, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        const QString text = QString(c.length - 1, u'a') + u'b';
        const QString expected = QString(c.length - 1, u'z') + u'y';
        plain->setText(text);
        EXPECT_EQ(coded->text() == expected, c.atOnce);
        EXPECT_EQ(panel()->converting(), !c.atOnce);
        int turns = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++turns; });
        ticker.start(1);
        settle();
        EXPECT_EQ(coded->text(), expected);
        if (!c.atOnce) {
            EXPECT_GT(turns, 0); // the window's loop ran while the text was converted
        }
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

// Keystrokes within the pause start no conversion of their own, and a result that a newer change
// overtook never replaces the newer one.
TEST_F(ChiffrenPanel, OnlyTheLastOfQuickChangesIsShown)
{
    chooseCipher(QStringLiteral("adfgx"));
    typeInto("param_schluessel", QStringLiteral("GEOCACHING"));
    typeInto("param_transposition", QStringLiteral("CACHE"));
    const QString base = QStringLiteral("Treffpunkt am Waldrand ").repeated(2000);
    QSet<QString> shown;
    QObject::connect(coded, &QPlainTextEdit::textChanged, [&] {
        if (!coded->text().isEmpty())
            shown.insert(coded->text());
    });
    plain->setPlainText(base + u'a');
    plain->setPlainText(base + u'b');
    settle();
    const QString finalLong = coded->text();
    EXPECT_EQ(shown.size(), 1); // one conversion for the two changes
    EXPECT_FALSE(finalLong.isEmpty());

    plain->setPlainText(base + u'c');
    QTest::qWait(gboxChiffren::kPauseMs + 50); // its conversion is under way
    typeInto(plain, QStringLiteral("kurz"));
    const QString shortResult = coded->text();
    EXPECT_FALSE(shortResult.isEmpty());
    settle();
    EXPECT_EQ(coded->text(), shortResult);
    EXPECT_EQ(plainError->text(), QString());
}

TEST_F(ChiffrenPanel, ParameterCaptionsReadAsWordsAndTheirMessageStandsBelowThem)
{
    chooseCipher(QStringLiteral("a1z26"));
    auto *form = find<QWidget>("pnlParameter");
    QStringList captions;
    for (QLabel *label : form->findChildren<QLabel *>())
        captions.append(label->text());
    EXPECT_EQ(captions, QStringList {QStringLiteral("A =")});

    chooseCipher(QStringLiteral("affin"));
    typeInto("param_a", QStringLiteral("13"));
    ASSERT_FALSE(parameterError->text().isEmpty());
    QWidget *lowest = find<QLineEdit>("param_b");
    const int fieldsBottom = lowest->mapTo(panel(), QPoint(0, lowest->height())).y();
    EXPECT_GE(parameterError->mapTo(panel(), QPoint(0, 0)).y(), fieldsBottom);
}

// ADFGX writes all of a text as one line of groups. The box holds a long line in short blocks, so
// it shows the line unchanged without holding the window for seconds each time it is laid out;
// what it shows decodes like the line itself.
TEST_F(ChiffrenPanel, AResultLineTooLongForOneBlockIsShownWhole)
{
    chooseCipher(QStringLiteral("adfgx"));
    typeInto("param_schluessel", QStringLiteral("GEOCACHING"));
    typeInto("param_transposition", QStringLiteral("CACHE"));
    const QString prose =
        (QStringLiteral("Treffpunkt am Waldrand um zwoelf Uhr ").repeated(3) + u'\n')
            .repeated(400); // about 37,000 letters, 74,000 symbols
    plain->setText(prose);
    settle();
    const Ciphers::ParamValues values = {
        {QStringLiteral("schluessel"), QStringLiteral("GEOCACHING")},
        {QStringLiteral("transposition"), QStringLiteral("CACHE")}};
    const QString line = Ciphers::findCipher(QStringLiteral("adfgx"))->encode(prose, values);
    ASSERT_FALSE(line.contains(u'\n'));
    EXPECT_EQ(coded->text(), line);
    EXPECT_GT(coded->blockCount(), 1);
    for (QTextBlock block = coded->document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.length() - 1, LongParagraphEdit::kChunkLength);
    EXPECT_EQ(codedError->text(), QString());
    // What the box shows decodes like the line.
    typeInto(plain, QStringLiteral("kurz"));
    coded->setText(line);
    settle();
    QString letters = prose.toUpper();
    letters.remove(QRegularExpression(QStringLiteral("[^A-Z]")));
    letters.replace(u'J', u'I');
    EXPECT_EQ(plain->text(), letters);
    EXPECT_EQ(codedError->text(), QString());
}

// A text pasted as one paragraph converts as it was pasted, whatever blocks the box holds it in;
// the result copied from the other box is the whole converted line.
TEST_F(ChiffrenPanel, AParagraphPastedWholeConvertsAsPasted)
{
    chooseCipher(QStringLiteral("atbash"));
    const Ciphers::Cipher &atbash = *Ciphers::findCipher(QStringLiteral("atbash"));
    const QString sentence = QStringLiteral("Franz jagt im Taxi quer durch Bayern 😀 ");
    for (const qsizetype length : {qsizetype(LongParagraphEdit::kChunkLength),
                                   qsizetype(LongParagraphEdit::kChunkLength + 1),
                                   gboxChiffren::kAtOnceLimit + 1, qsizetype(300'000)}) {
        SCOPED_TRACE(length);
        QString text = sentence.repeated(length / sentence.size() + 1).left(length);
        if (text.back().isHighSurrogate())
            text.chop(1);
        plain->clear();
        plain->setFocus();
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(plain, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(plain->text(), text);
        settle();
        EXPECT_EQ(coded->text(), atbash.encode(text, {}));
        coded->selectAll();
        coded->copy();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), atbash.encode(text, {}));
    }
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

// Vigenère and Trifid need a key here as every keyed cipher does; blanks in a key count for
// nothing, as published examples write keys with them.
TEST_F(ChiffrenPanel, KeysMustNotBeEmptyAndTheirBlanksAreIgnored)
{
    for (const char *name : {"vigenere", "trifid"}) {
        SCOPED_TRACE(name);
        chooseCipher(QString::fromLatin1(name));
        typeInto("param_schluessel", QStringLiteral(" "));
        typeInto(plain, QStringLiteral("Geocache"));
        EXPECT_EQ(parameterError->text(), QStringLiteral("Bitte einen Schlüssel eingeben."));
        EXPECT_EQ(coded->text(), QString());
    }
    chooseCipher(QStringLiteral("playfair"));
    typeInto("param_schluessel", QStringLiteral("playfair example"));
    typeInto(plain, QStringLiteral("Hide the gold in the tree stump"));
    EXPECT_EQ(parameterError->text(), QString());
    EXPECT_EQ(coded->text(), QStringLiteral("BM OD ZB XD NA BE KU DM UI XM MO UV IF"));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}
