#include "logic/language/CodeBreaker.h"
#include "logic/language/KeySearch.h"
#include "logic/language/Letters.h"

#include <gtest/gtest.h>

#include <algorithm>

// Where the searches without key start and stop, and the parts they are built from.

namespace {

// About 160 letters, written for these tests.
const QString kLongGerman = QStringLiteral(
    "Am Ende des Weges findest du eine kleine Bank. Gehe von dort zwanzig Schritte nach Norden "
    "bis zu dem alten Grenzstein. Unter dem flachen Stein neben der Wurzel liegt die Dose mit "
    "dem Logbuch.");

const Ciphers::Cipher &cipher(const char *name)
{
    const Ciphers::Cipher *found = Ciphers::findCipher(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// The first `letters` letters of the text, the rest of it dropped.
QString firstLetters(const QString &text, qsizetype letters)
{
    QString out;
    qsizetype count = 0;
    for (const QChar ch : text) {
        const bool letter = (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
        if (letter && count == letters)
            break;
        count += letter ? 1 : 0;
        out.append(ch);
    }
    return out;
}

BreakerRequest only(const char *method, const QString &text)
{
    BreakerRequest r;
    r.text = text;
    r.only = {QString::fromLatin1(method)};
    r.language = Language::German;
    return r;
}

QString upperLetters(const QByteArray &letters)
{
    QString out;
    for (const char letter : letters)
        out.append(QChar(u'A' + letter));
    return out;
}

} // namespace

TEST(CodeBreakerSearch, KeysThatRepeatALetterComeBackWhole)
{
    const struct
    {
        const char *method;
        const char *key;
        const char *found;
    } cases[] = {
        {"vigenere", "OTTO", "OTTO"},
        {"vigenere", "ANNA", "ANNA"},
        {"beaufort", "ANNA", "ANNA"},
        {"vigenere", "WALDWALD", "WALD"}, // a key that repeats whole is given once
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.key);
        const QString text =
            cipher(c.method).encode(kLongGerman, {{"schluessel", QString::fromLatin1(c.key)}});
        const std::vector<Candidate> found = searchCandidates(only(c.method, text));
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found.front().key, QString::fromLatin1(c.found));
    }
}

TEST(CodeBreakerSearch, StartsAtItsLetterCount)
{
    const struct
    {
        qsizetype letters;
        bool searched;
    } cases[] = {
        {kMinSearchLetters - 1, false},
        {kMinSearchLetters, true},
        {kMinSearchLetters + 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters);
        const QString text =
            cipher("vigenere")
                .encode(firstLetters(kLongGerman, c.letters), {{"schluessel", "KEY"}});
        ASSERT_EQ(countLetters(text), c.letters);
        EXPECT_EQ(searchCandidates(only("vigenere", text)).size(), c.searched ? 1u : 0u);
    }
}

TEST(CodeBreakerSearch, LeavesCodesOfFewSymbolsAlone)
{
    const QString sixKinds = QStringLiteral("ABCDEF").repeated(4);
    const QString fiveKinds = QStringLiteral("ABCDE").repeated(5);
    const struct
    {
        const char *name;
        QString text;
        bool searched;
    } cases[] = {
        {"letters of as many kinds as prose needs", sixKinds, true},
        {"one kind fewer", fiveKinds, false},
        {"Bacon in A and B", cipher("bacon").encode(kLongGerman, {}), false},
        {"Kenny in m, p and f", cipher("kenny").encode(kLongGerman, {}), false},
        {"as many other symbols as letters", sixKinds + QString(sixKinds.size(), u'1'), true},
        {"one other symbol more", sixKinds + QString(sixKinds.size() + 1, u'1'), false},
        {"blanks do not count", sixKinds + QString(100, u' '), true},
        {"Bacon in + and k", cipher("bacon").encode(kLongGerman, {{"zeichen", "+k"}}), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(searchCandidates(only("vigenere", c.text)).size(), c.searched ? 1u : 0u);
    }
    static_assert(kMinCipherLetterKinds == 6, "the texts above are built for six kinds");
}

TEST(CodeBreakerSearch, LongestKeyGrowsWithTheText)
{
    // Three unicity distances of letters per key: a key letter holds log10 26 decades, a letter
    // of prose confirms 0.96 of them, so each key letter needs 4.42 letters of text.
    const struct
    {
        qsizetype letters;
        int longest;
    } cases[] = {
        {0, 1},   {4, 1},   {5, 1},   {8, 1},   {9, 2},
        {16, 3},  {17, 3},  {18, 4},  {30, 6},  {31, 7},
        {75, 16}, {84, 18}, {88, 19}, {89, 20}, {1000, kMaxSearchedPeriod},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters);
        EXPECT_EQ(longestSearchedPeriod(c.letters), c.longest);
    }
    // A 30-letter text cannot carry a 12-letter key: no longer key is tried.
    const QString text =
        cipher("vigenere").encode(firstLetters(kLongGerman, 30), {{"schluessel", "WANDERSCHUHE"}});
    const std::vector<Candidate> found = searchCandidates(only("vigenere", text));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_LE(found.front().key.size(), longestSearchedPeriod(30));
}

TEST(CodeBreakerSearch, SubstitutionNeedsTheLettersItsKeyTakes)
{
    // Six different letters take log10(26 · 25 · 24 · 23 · 22 · 21) = 8.22 decades of key, so
    // three unicity distances are 25.7 letters.
    const struct
    {
        qsizetype letters;
        bool searched;
    } cases[] = {
        {25, false},
        {26, true},
        {27, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters);
        const QString text = QStringLiteral("ABCDEF").repeated(5).left(c.letters);
        EXPECT_EQ(searchCandidates(only("substitution", text)).size(), c.searched ? 1u : 0u);
    }
}

TEST(CodeBreakerSearch, AutokeyDecryptionIsTheRegistrys)
{
    const struct
    {
        const char *key;
        QString text;
    } cases[] = {
        {"A", kLongGerman},
        {"KEY", kLongGerman},
        {"GEHEIMNIS", QStringLiteral("Kurz")}, // shorter than the key
        {"ZZZZ", QStringLiteral("zz zz zz zz")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        const QString encoded = cipher("autokey").encode(c.text, {{"schluessel", c.key}});
        const QString expected = normalizedLetters(
            cipher("autokey").decode(encoded, {{"schluessel", QString::fromLatin1(c.key)}}));
        const QByteArray key = cipherLetters(QString::fromLatin1(c.key), 100);
        EXPECT_EQ(upperLetters(
                      decryptPeriodic(cipherLetters(encoded, 1000), PeriodicFamily::Autokey, key)),
                  expected);
        EXPECT_EQ(expected, normalizedLetters(c.text));
    }
}

TEST(CodeBreakerSearch, FrequencyKeyMapsTheCommonestLetterToE)
{
    const struct
    {
        const char *cipherText;
        char commonest;
    } cases[] = {
        {"QQQQQABQCD", 'Q'},
        {"ZAZBZCZ", 'Z'},
        {"AAB", 'A'},
    };
    for (const Language language : {Language::German, Language::English}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.cipherText) + " " + languageCode(language).toStdString());
            const std::array<char, 26> key = frequencyKey(
                cipherLetters(QString::fromLatin1(c.cipherText), 100), LanguageModel::of(language));
            EXPECT_EQ(key[size_t(c.commonest - 'A')], 'E' - 'A');
            std::array<char, 26> sorted = key;
            std::sort(sorted.begin(), sorted.end());
            for (int i = 0; i < 26; ++i)
                EXPECT_EQ(sorted[size_t(i)], i); // every plain letter once
        }
    }
}

TEST(CodeBreakerSearch, CandidatePeriodsReachHalfTheText)
{
    // Ten different letters written twice: only the period of ten puts equal letters together.
    const QString half = QStringLiteral("QWERTZUIOP");
    const struct
    {
        QString text;
        int maxPeriod;
        int expected; // the first period, 0: the period of ten must not be tried
    } cases[] = {
        {half + half, 20, 10}, // 20 letters: ten is half of them
        {half + half + u'A', 20, 10}, // 21 letters: half rounds down
        {half + half, 9, 0}, // the caller's limit holds
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.maxPeriod));
        const std::vector<int> periods =
            candidatePeriods(cipherLetters(c.text, 1000), PeriodicFamily::Vigenere, c.maxPeriod,
                             LanguageModel::of(Language::German));
        ASSERT_FALSE(periods.empty());
        if (c.expected != 0) {
            EXPECT_EQ(periods.front(), c.expected);
        }
        EXPECT_LE(*std::max_element(periods.begin(), periods.end()),
                  std::min<int>(c.maxPeriod, int(c.text.size() / 2)));
    }
}

TEST(CodeBreakerRanking, ReadingsThatDifferOnlyInCaseAreMerged)
{
    std::vector<Candidate> candidates(4);
    candidates[0] = {QStringLiteral("rot"), {}, {}, QStringLiteral("Die Dose"), -4};
    candidates[1] = {QStringLiteral("vigenere"), {}, {}, QStringLiteral("DIE DOSE"), -3};
    candidates[2] = {QStringLiteral("atbash"), {}, {}, QStringLiteral("die dose"), -5};
    candidates[3] = {QStringLiteral("affin"), {}, {}, QStringLiteral("die rose"), -6};
    const std::vector<Candidate> ranked = rankCandidates(candidates);
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].method, u"vigenere"); // the best of the three stays
    EXPECT_EQ(ranked[1].method, u"affin");
}

TEST(CodeBreakerRanking, TextsOfThreeLettersOrFewerAreNoLanguage)
{
    const struct
    {
        const char *text;
        bool monotonous;
    } cases[] = {
        {"NNENE EENNN N", false}, // eleven letters: too few to tell
        {"NNENE EENNN NE", true}, // twelve
        {"mpf mfp ppm fmm", true}, // three kinds
        {"NEIN EINE DIEN", false}, // four kinds
        {"", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(isMonotonous(text), c.monotonous);
        const double model = LanguageModel::of(Language::German).score(text);
        const double floor =
            -double(LanguageModel::of(Language::German).floorCost()) / QuadgramTables::kStep;
        EXPECT_EQ(readingScore(model, text, Language::German),
                  c.monotonous ? std::min(model, floor) : model);
    }
}

TEST(CodeBreakerRanking, ShortTextsOfEveryKindReadRightFirstWithTheSearches)
{
    // Texts unlike sayings, 15-30 letters: no searched key may fit them better than their reading.
    const struct
    {
        const char *method;
        Ciphers::ParamValues params;
        QString plain;
    } cases[] = {
        {"rot", {{"verschiebung", "13"}}, QStringLiteral("Parken am Wanderparkplatz")},
        {"atbash", {}, QStringLiteral("Turn off the device first")},
        {"base64", {}, QStringLiteral("Liebe Tante Grete, vielen Dank")},
        {"bacon", {{"zeichen", "v<"}}, QStringLiteral("Thou shalt not tarry")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        BreakerRequest r;
        r.text = cipher(c.method).encode(c.plain, c.params);
        const std::vector<Candidate> ranked = breakText(r);
        ASSERT_FALSE(ranked.empty());
        EXPECT_EQ(normalizedLetters(ranked.front().plain), normalizedLetters(c.plain));
    }
}
