#include "logic/language/Breakers.h"
#include "logic/language/BreakerReadings.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/Letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

// The breakers without key: their decryptions agree with the registry's ciphers, they recover
// fixed examples, and they leave alone the texts their cipher cannot have written.

namespace {

// About 230 letters, written for these tests.
const QString kText = QStringLiteral(
    "Vom Parkplatz am Waldrand folgst du dem breiten Weg bergauf bis zur Schutzhuette. Dort "
    "biegst du links ab und gehst am Bach entlang, bis eine umgestuerzte Buche den Pfad "
    "versperrt. Hinter ihrem Wurzelteller liegt unter Moos und Steinen die kleine Dose mit "
    "dem Logbuch und einem Stift.");

const Ciphers::Cipher &cipher(const char *name)
{
    const Ciphers::Cipher *found = Ciphers::findCipher(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

QByteArray indices(const QString &upperLetters)
{
    QByteArray out;
    for (const QChar ch : upperLetters)
        out.append(char(ch.unicode() - u'A'));
    return out;
}

QString upper(const QByteArray &letters)
{
    QString out;
    for (const char letter : letters)
        out.append(QChar(u'A' + letter));
    return out;
}

Square shuffledSquare(unsigned seed)
{
    Square square {};
    int cell = 0;
    for (char letter = 0; letter < 26; ++letter) {
        if (letter != kLetterJ)
            square[size_t(cell++)] = letter;
    }
    std::mt19937 random(seed);
    std::shuffle(square.begin(), square.end(), random);
    return square;
}

BreakerRequest request(const char *method, const QString &text)
{
    BreakerRequest r;
    r.text = text;
    r.only = {QString::fromLatin1(method)};
    r.language = Language::German;
    return r;
}

} // namespace

TEST(Breakers, DecryptionsAgreeWithTheRegistry)
{
    const QString plain = normalizedLetters(kText);
    const Square square = shuffledSquare(7);
    const QString key = squareText(square);
    {
        SCOPED_TRACE("playfair");
        const QString coded = cipher("playfair").encode(plain, {{"schluessel", key}});
        EXPECT_EQ(upper(decryptPlayfair(indices(normalizedLetters(coded)), square)),
                  cipher("playfair").decode(coded, {{"schluessel", key}}));
    }
    // Periods at and around their limits: whole text, the shortest, a long one, one letter short
    // of the text.
    for (const int period : {0, 2, 3, 10, int(plain.size()) - 1, int(plain.size())}) {
        SCOPED_TRACE(period);
        const Ciphers::ParamValues params {{"schluessel", key},
                                           {"periode", QString::number(period)}};
        const QString coded = cipher("bifid").encode(plain, params);
        EXPECT_EQ(upper(decryptBifid(indices(coded), square, period)),
                  cipher("bifid").decode(coded, params));
    }
    const std::array<int, 4> encryption {3, 3, 2, 5};
    const std::array<int, 4> decryption = invertHill2(encryption);
    EXPECT_EQ(invertHill2(decryption), encryption);
    const QString hill = cipher("hill").encode(plain, {{"schluessel", "DDCF"}});
    EXPECT_EQ(upper(decryptHill2(indices(hill), decryption)),
              cipher("hill").decode(hill, {{"schluessel", "DDCF"}}));
}

TEST(Breakers, ColumnOrdersAgreeWithTheRegistry)
{
    const QString plain = normalizedLetters(kText).left(100);
    std::mt19937 random(3);
    // Widths from the narrowest to the widest searched, with short last rows and full ones.
    for (const int width : {2, 3, 7, 10, 11, 12}) {
        for (const qsizetype length :
             {qsizetype(width) * 8, qsizetype(width) * 8 + 1, qsizetype(99)}) {
            SCOPED_TRACE(
                QStringLiteral("%1 columns, %2 letters").arg(width).arg(length).toStdString());
            std::vector<int> order(static_cast<size_t>(width));
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            const QString word = orderKeyWord(order);
            const QString text = plain.left(length);
            const QString coded = cipher("spaltentausch").encode(text, {{"schluessel", word}});
            EXPECT_EQ(upper(undoColumns(indices(coded), order)), text);
        }
    }
}

TEST(Breakers, PeriodicFamiliesAgreeWithTheRegistry)
{
    const QString plain = normalizedLetters(kText);
    const struct
    {
        const char *method;
        PeriodicFamily family;
        QByteArray key; // as the search holds it
        const char *word; // as the registry takes it
    } cases[] = {
        {"porta", PeriodicFamily::Porta, QByteArray("\x00\x0c\x05", 3), "AYK"},
        {"gronsfeld", PeriodicFamily::Gronsfeld, QByteArray("\x00\x09\x04\x01", 4), "0941"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(periodicKeyText(c.family, c.key), QString::fromLatin1(c.word));
        const QString coded =
            cipher(c.method).encode(plain, {{"schluessel", QString::fromLatin1(c.word)}});
        EXPECT_EQ(upper(decryptPeriodic(indices(coded), c.family, c.key)), plain);
    }
}

TEST(Breakers, RecoverFixedExamples)
{
    const QString plain = normalizedLetters(kText);
    const struct
    {
        const char *method;
        Ciphers::ParamValues params;
        qsizetype letters;
    } cases[] = {
        {"spaltentausch", {{"schluessel", "BUCHE"}}, 150},
        {"spaltentausch", {{"schluessel", "DHAGBFCE"}}, 150}, // a short last row
        {"hill", {{"schluessel", "HILL"}}, 80},
        {"porta", {{"schluessel", "SCHATZ"}}, 100},
        {"gronsfeld", {{"schluessel", "31415"}}, 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        const Ciphers::Cipher &used = cipher(c.method);
        const QString coded = used.encode(plain.left(c.letters), c.params);
        const std::vector<Candidate> found =
            rankCandidates(searchCandidates(request(c.method, coded)));
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found.front().method, QString::fromLatin1(c.method));
        EXPECT_EQ(normalizedLetters(found.front().plain), used.decode(coded, c.params).toUpper());
        // The reading is the registry's own decoding with the key found.
        EXPECT_EQ(found.front().plain, used.decode(coded, found.front().params));
    }
}

// The square searches, Bifid with its period given.
TEST(Breakers, RecoverFixedSquares)
{
    const QString plain = normalizedLetters(kText);
    const LanguageModel &german = LanguageModel::of(Language::German);
    {
        SCOPED_TRACE("playfair");
        const Ciphers::ParamValues params {{"schluessel", "LOGBUCH"}};
        const QString coded = cipher("playfair").encode(plain.left(200), params);
        const SquareResult found =
            searchPlayfairSquare(indices(coded.simplified().remove(u' ')), german, {150000, 2}, {});
        const Ciphers::ParamValues foundKey {{"schluessel", squareText(found.square)}};
        EXPECT_EQ(cipher("playfair").decode(coded, foundKey),
                  cipher("playfair").decode(coded, params));
        EXPECT_TRUE(found.reads);
        // A few steps under the other language find no reading.
        EXPECT_FALSE(searchPlayfairSquare(indices(coded.simplified().remove(u' ')),
                                          LanguageModel::of(Language::English), {2000, 1}, {})
                         .reads);
    }
    {
        SCOPED_TRACE("bifid");
        const QString coded =
            cipher("bifid").encode(plain, {{"schluessel", "LOGBUCH"}, {"periode", "5"}});
        const SquareResult found = searchBifidSquare(indices(coded), 5, german, {60000, 3}, {});
        EXPECT_EQ(upper(decryptBifid(indices(coded), found.square, 5)), plain);
    }
}

// A cacher's square is built from a key word: 120 letters suffice, in German and in English,
// within a few short runs.
TEST(Breakers, PlayfairKeyWordSquaresFromShortTexts)
{
    const struct
    {
        Language language;
        const char *text;
        const char *key;
    } cases[] = {
        {Language::German, nullptr, "GEOCACHE"},
        {Language::English,
         "The cache is hidden under the old oak tree near the bridge. Walk north along the river "
         "until you see a small stone wall, then look behind it for the green box.",
         "LIGHTHOUSE"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        const QString plain =
            normalizedLetters(c.text ? QString::fromLatin1(c.text) : kText).left(120);
        const Ciphers::ParamValues params {{"schluessel", c.key}};
        const QString coded = cipher("playfair").encode(plain, params);
        const SquareResult found =
            searchPlayfairSquare(indices(coded.simplified().remove(u' ')),
                                 LanguageModel::of(c.language), {150000, 8}, {});
        EXPECT_TRUE(found.reads);
        EXPECT_EQ(cipher("playfair").decode(coded, {{"schluessel", squareText(found.square)}}),
                  cipher("playfair").decode(coded, params));
    }
}

TEST(Breakers, AdfgxSearchesTheKeyTheUserDidNotGive)
{
    const QString plain = normalizedLetters(kText).left(120);
    const struct
    {
        const char *method;
        const char *key;
        const char *transposition;
        bool searched;
    } cases[] = {
        {"adfgx", "GEOCACHE", "", true},
        {"adfgx", "", "WALDWEG", true},
        {"adfgvx", "GEOCACHE2026", "", true},
        {"adfgx", "GEOCACHE", "WALDWEG", false}, // both known: the keyed decoding reads it
        {"adfgx", "", "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.key + " " + c.transposition);
        const Ciphers::ParamValues params {{"schluessel", QString::fromLatin1(c.key)},
                                           {"transposition", "WALDWEG"}};
        BreakerRequest r = request(c.method, cipher(c.method).encode(plain, params));
        r.key = QString::fromLatin1(c.key);
        r.transposition = QString::fromLatin1(c.transposition);
        const std::vector<Candidate> found = searchCandidates(r);
        ASSERT_EQ(found.size(), c.searched ? 1u : 0u);
        if (!c.searched)
            continue;
        EXPECT_EQ(found.front().plain, cipher(c.method).decode(r.text, found.front().params));
        EXPECT_EQ(normalizedLetters(found.front().plain), plain);
    }
}

TEST(Breakers, LeaveAloneWhatTheirCipherCannotWrite)
{
    const QString coded =
        cipher("playfair").encode(normalizedLetters(kText).left(120), {{"schluessel", "KEY"}});
    const QString letters = normalizedLetters(coded);
    const struct
    {
        const char *name;
        QString text;
        bool playfair;
    } cases[] = {
        {"Playfair pairs", letters, true},
        {"one letter more", letters + u'Q', false},
        {"one letter less", letters.chopped(1), false},
        {"a J", QString(letters).replace(0, 1, u'J'), false},
        {"a doubled pair", letters.left(2) + letters.left(1).repeated(2) + letters.mid(4), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(playfairShaped(indices(c.text)), c.playfair);
    }
    const LanguageModel &german = LanguageModel::of(Language::German);
    const QString plain = normalizedLetters(kText);
    // A transposition keeps the letters of prose; Playfair, Vigenère and random letters spread
    // them out.
    EXPECT_TRUE(keepsLetterFrequencies(indices(plain), german));
    EXPECT_FALSE(keepsLetterFrequencies(indices(letters), german));
    EXPECT_FALSE(keepsLetterFrequencies(
        indices(cipher("vigenere").encode(plain, {{"schluessel", "WALD"}})), german));
    EXPECT_TRUE(searchCandidates(request("spaltentausch", letters)).empty());
    // The searches start only where the text can carry the key: Hill's four letters at 17.
    const QString hill = cipher("hill").encode(plain, {{"schluessel", "HILL"}});
    EXPECT_TRUE(searchCandidates(request("hill", hill.left(16))).empty());
    EXPECT_EQ(searchCandidates(request("hill", hill.left(18))).size(), 1u);
}

// Once a square reads as German, the search under English is left out: one Playfair reading.
TEST(Breakers, PlayfairReadUnderOneLanguageIsNotSearchedAgain)
{
    const QString coded =
        cipher("playfair").encode(normalizedLetters(kText).left(200), {{"schluessel", "LOGBUCH"}});
    BreakerRequest bothLanguages = request("playfair", coded);
    bothLanguages.language.reset();
    const std::vector<Candidate> found = searchCandidates(bothLanguages);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().language, Language::German);
}

// The Playfair search marks a square that reads only where the text confirms it, and leaves the
// search out once a square has read.
TEST(Breakers, PlayfairMarksAConfirmedReadingAndSkipsAfterOne)
{
    const QString coded =
        cipher("playfair").encode(normalizedLetters(kText).left(120), {{"schluessel", "LOGBUCH"}});
    const QByteArray letters = indices(QString(coded).remove(u' '));
    const BreakerRequest only = request("playfair", coded);
    const struct
    {
        bool confirms;
        bool readBefore;
        size_t readings;
        bool readAfter;
    } cases[] = {
        {true, false, 1, true},
        {false, false, 1, false},
        {true, true, 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.confirms) + std::to_string(c.readBefore));
        bool read = c.readBefore;
        const BreakerContext context {only, letters,
                                      true, Language::German,
                                      {},   [](double) { return true; },
                                      {},   [&c](double) { return c.confirms; },
                                      &read};
        const std::vector<BrokenReading> found = keylessBreakerReadings(context);
        EXPECT_EQ(
            size_t(std::count_if(found.begin(), found.end(),
                                 [](const BrokenReading &r) { return r.method == u"playfair"; })),
            c.readings);
        EXPECT_EQ(read, c.readAfter);
    }
}

TEST(Breakers, StopWhenTold)
{
    const QString coded =
        cipher("playfair").encode(normalizedLetters(kText), {{"schluessel", "KEY"}});
    int calls = 0;
    const std::vector<Candidate> found =
        searchCandidates(request("playfair", coded), [&calls](int) { return ++calls < 2; });
    EXPECT_LE(found.size(), 1u);
    EXPECT_LT(calls, 20);
}
