#include "logic/language/CipherIdentification.h"
#include "logic/ciphers/CipherRegistry.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/Letters.h"
#include "logic/language/TextStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

const QString kPlain = QStringLiteral(
    "Der Schatz liegt unter der alten Eiche am Waldrand nahe der Bruecke und wartet auf den "
    "Finder der ihn sucht");

QString encoded(const char *method, const Ciphers::ParamValues &params = {})
{
    return Ciphers::findCipher(QString::fromLatin1(method))->encode(kPlain, params);
}

bool anyReasonHolds(const CipherGuess &guess, const char *part)
{
    for (const QString &reason : guess.reasons) {
        if (reason.contains(QString::fromUtf8(part)))
            return true;
    }
    return false;
}

// A reading that reads, as the code breaker would rank it first.
std::vector<Candidate> readingBy(const char *method)
{
    Candidate reading;
    reading.method = QString::fromUtf8(method);
    reading.plain = kPlain;
    reading.score = 0; // above every line of the verdict
    return {reading};
}

Candidate candidateOf(const char *method, double score)
{
    Candidate candidate;
    candidate.method = QString::fromLatin1(method);
    candidate.plain = kPlain;
    candidate.score = score;
    return candidate;
}

const CipherGuess *guessOf(const std::vector<CipherGuess> &guesses, const char *method)
{
    for (const CipherGuess &guess : guesses) {
        if (guess.method == QLatin1String(method))
            return &guess;
    }
    return nullptr;
}

QByteArray randomLetters(int count, std::mt19937 &random)
{
    QByteArray letters;
    for (int i = 0; i < count; ++i)
        letters.append(char(random() % 26));
    return letters;
}

} // namespace

TEST(CipherIdentification, NamesTheFamilyFromTheStatisticsWithAReason)
{
    const struct
    {
        const char *name;
        QString text;
        const char *family;
        const char *method; // "" for none
        const char *reason;
    } cases[] = {
        {"morse", encoded("morse"), "kodierung", "morse", "Punkte und Striche"},
        {"bacon", encoded("bacon"), "kodierung", "bacon", "zwei Zeichen"},
        {"polybius", encoded("polybius"), "kodierung", "polybius", "1 bis 5"},
        {"a1z26", encoded("a1z26"), "kodierung", "a1z26", "von 0 bis 26"},
        {"base64", encoded("base64"), "kodierung", "base64", "Base64"},
        {"adfgx", encoded("adfgx", {{"schluessel", "GEOCACHE"}, {"transposition", "WALD"}}),
         "fraktionierend", "adfgx", "ADFGX"},
        {"kenny", encoded("kenny"), "kodierung", "kenny", "m, p, f"},
        {"playfair", encoded("playfair", {{"schluessel", "GEOCACHE"}}), "digraphisch", "playfair",
         "zweimal denselben"},
        {"vigenere", encoded("vigenere", {{"schluessel", "GEOCACHE"}}), "polyalphabetisch",
         "vigenere", "Schlüssellänge 8"},
        {"porta", encoded("porta", {{"schluessel", "GEOCACHE"}}), "polyalphabetisch", "porta",
         "Alphabethälften"},
        {"column transposition", encoded("spaltentausch", {{"schluessel", "GEOCACHE"}}),
         "transposition", "spaltentausch", "nur umgestellt"},
        {"shift", encoded("rot", {{"verschiebung", "7"}}), "monoalphabetisch", "rot", "Um 7"},
        {"bifid", encoded("bifid", {{"schluessel", "GEOCACHE"}}), "fraktionierend", "bifid",
         "kein J"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CipherGuess> guesses = identifyCipher(c.text);
        ASSERT_FALSE(guesses.empty());
        EXPECT_EQ(guesses.front().family, QString::fromLatin1(c.family));
        EXPECT_EQ(guesses.front().method, QString::fromLatin1(c.method));
        EXPECT_TRUE(anyReasonHolds(guesses.front(), c.reason))
            << guesses.front().reasons.join(u'|').toStdString();
        double sum = 0;
        for (const CipherGuess &guess : guesses) {
            EXPECT_GE(guess.likelihood, 0.0);
            sum += guess.likelihood;
        }
        EXPECT_LE(sum, 1.001);
        EXPECT_LE(guesses.size(), size_t(kMaxGuesses));
    }
}

TEST(CipherIdentification, AReadingThatReadsLeadsAndPlainTextNeedsNone)
{
    BreakerRequest request;
    request.text = encoded("rot", {{"verschiebung", "13"}});
    const std::vector<CipherGuess> rot = identifyCipher(request.text, breakText(request));
    ASSERT_FALSE(rot.empty());
    EXPECT_EQ(rot.front().method, u"rot");
    EXPECT_GE(rot.front().likelihood, 0.85);
    EXPECT_TRUE(anyReasonHolds(rot.front(), "liest sich als Deutsch"));

    request.text = kPlain;
    EXPECT_TRUE(identifyCipher(kPlain, rankCandidates(quickCandidates(request))).empty());
    EXPECT_TRUE(identifyCipher(QStringLiteral("   ")).empty());
}

TEST(CipherIdentification, TooFewLettersGiveNoLetterGuess)
{
    // kMinLetters is 12: at 11 letters the statistics say nothing, at 12 they speak.
    EXPECT_TRUE(identifyCipher(QStringLiteral("QWERTZUIOPA")).empty());
    EXPECT_FALSE(identifyCipher(QStringLiteral("QWERTZUIOPAS")).empty());
}

TEST(CipherIdentification, FamiliesOfTheRegistry)
{
    const struct
    {
        const char *method;
        const char *family;
    } cases[] = {{"zaun", "transposition"},
                 {"affin", "monoalphabetisch"},
                 {"autokey", "polyalphabetisch"},
                 {"hill", "digraphisch"},
                 {"adfgvx", "fraktionierend"},
                 {"base32", "kodierung"},
                 {"klartext", ""},
                 {"unbekannt", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(cipherFamily(QString::fromLatin1(c.method)), QString::fromLatin1(c.family));
    }
}

TEST(TextStatistics, CoincidencePeriodAndPairs)
{
    using namespace TextStatistics;
    const QByteArray same(10, 3);
    EXPECT_DOUBLE_EQ(coincidence(same), 1.0);
    EXPECT_DOUBLE_EQ(coincidence(QByteArray(1, 0)), 0.0);
    QByteArray alphabet;
    for (char c = 0; c < 26; ++c)
        alphabet.append(c);
    EXPECT_DOUBLE_EQ(coincidence(alphabet), 0.0);
    // ABAB...: pairs at even positions never double, at odd positions neither.
    const QByteArray abab = QByteArray::fromRawData("\0\1\0\1\0\1\0\1", 8);
    EXPECT_EQ(doubledPairs(abab), 0);
    EXPECT_EQ(doubledPairs(QByteArray::fromRawData("\0\0\1\2", 4)), 1);
    EXPECT_EQ(pairRepeats(abab).even, 3);
    EXPECT_EQ(pairRepeats(abab).odd, 2);
    // A period-3 stream: its columns of 3 hold one letter each, and every repeat lies 3 apart.
    QByteArray periodic;
    for (int i = 0; i < 60; ++i)
        periodic.append(char((i % 3) * 5));
    EXPECT_DOUBLE_EQ(columnCoincidence(periodic, 3), 1.0);
    EXPECT_EQ(kasiski(periodic, 20).period, 3);
    // The alphabet three times: no column of a length up to 12 repeats a letter; those of 13
    // hold letters 26 apart, the same ones.
    const QByteArray cycles = alphabet + alphabet + alphabet;
    EXPECT_EQ(columnPeriod(cycles, 12, 0.07, 0.7), 0);
    EXPECT_EQ(columnPeriod(cycles, 13, 0.07, 0.7), 13);
    EXPECT_EQ(kasiski(cycles, 20).period, 13); // repeats 26 apart: 13 is the longest divisor
    EXPECT_GT(languageCoincidence(Language::German), languageCoincidence(Language::English));
}

TEST(CipherIdentification, BlanksPartWordsButAMarkInsideARunDoesNot)
{
    const QString trifid = encoded("trifid", {{"schluessel", "SCHATZ"}});
    ASSERT_GE(trifid.count(u'.'), 2) << trifid.toStdString();
    // The same letters once more in groups of 3, 5 and 7, as words of varying length would stand.
    QString words;
    qsizetype at = 0;
    for (int group = 0; at < trifid.size(); ++group) {
        const int length = 3 + 2 * (group % 3);
        words += trifid.mid(at, length) + u' ';
        at += length;
    }
    QString fives;
    for (qsizetype start = 0; start < trifid.size(); start += 5)
        fives += trifid.mid(start, 5) + u' ';
    const struct
    {
        const char *name;
        QString text;
        bool trifidFirst;
    } cases[] = {
        {"periods inside one run", trifid, true},
        {"groups of five", fives, true},
        {"groups of varying length", words, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CipherGuess> guesses = identifyCipher(c.text);
        ASSERT_FALSE(guesses.empty());
        EXPECT_EQ(guesses.front().method == u"trifid", c.trifidFirst)
            << guesses.front().method.toStdString();
        if (c.trifidFirst) {
            EXPECT_TRUE(anyReasonHolds(guesses.front(), "27. Zeichen"));
        }
    }
}

TEST(CipherIdentification, AReadingOfAFewSymbolTextIsChance)
{
    const QString adfgvx =
        encoded("adfgvx", {{"schluessel", "GEOCACHE"}, {"transposition", "WALD"}});
    const struct
    {
        const char *name;
        QString text;
        const char *reading;
        bool readingFirst;
    } cases[] = {
        // A cipher on letters writes more than six different ones from 16 letters on.
        {"ADFGVX read by Bifid", adfgvx, "bifid", false},
        {"six letters, 16 of them", u"ABCDEFFEDCBAABCD"_qs, "vigenere", false},
        {"six letters, 15 of them", u"ABCDEFFEDCBAABC"_qs, "vigenere", true},
        {"seven letters, 16 of them", u"ABCDEFGGFEDCBAAB"_qs, "vigenere", true},
        // A code read by its own decoding, or by a chain that ends in one, stays.
        {"ADFGVX read by ADFGVX", adfgvx, "adfgvx", true},
        {"a chain of steps", u"ABCDEFFEDCBAABCD"_qs, "rot → bacon", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CipherGuess> guesses = identifyCipher(c.text, readingBy(c.reading));
        ASSERT_FALSE(guesses.empty());
        const QString first = QString::fromUtf8(c.reading).section(u" → "_qs, 0, 0);
        EXPECT_EQ(guesses.front().method == first, c.readingFirst)
            << guesses.front().method.toStdString();
        for (const CipherGuess &guess : guesses) {
            if (guess.method == first && !c.readingFirst) {
                EXPECT_TRUE(anyReasonHolds(guess, "nur 6 Sorten"));
            }
        }
    }
}

TEST(TextStatistics, ChanceSpreadOfTheColumns)
{
    using namespace TextStatistics;
    const struct
    {
        const char *name;
        qsizetype count;
        int period;
        qsizetype widerThanCount; // 0: no comparison
        int widerThanPeriod;
    } cases[] = {
        {"shorter columns stray further", 100, 20, 100, 10},
        {"more letters stray less", 100, 5, 200, 5},
        {"one column of a period", 100, 1, 200, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_GT(columnCoincidenceSpread(c.count, c.period),
                  columnCoincidenceSpread(c.widerThanCount, c.widerThanPeriod));
    }
    // A column of a single letter holds no pair: nothing to measure. Two letters hold one pair,
    // which coincides with probability 1/26: a spread of sqrt(1/26 * 25/26).
    EXPECT_DOUBLE_EQ(columnCoincidenceSpread(5, 5), 0.0);
    EXPECT_DOUBLE_EQ(columnCoincidenceSpread(9, 5), 0.0);
    EXPECT_NEAR(columnCoincidenceSpread(2, 1), std::sqrt(25.0) / 26, 1e-12);
    EXPECT_DOUBLE_EQ(columnCoincidenceSpread(10, 0), 0.0);
}

TEST(TextStatistics, RandomLettersShowNoKeyLengthAndAKeyDoes)
{
    using namespace TextStatistics;
    const double german = languageCoincidence(Language::German);
    // Texts of random letters: a long period's columns of five letters coincide by chance often
    // enough to pass the share of the way to the language alone, in about one text of six at
    // 100 letters and one of three at 60.
    const struct
    {
        int letters;
        int mostPeriods; // of 200 texts
    } lengths[] = {{60, 16}, {100, 16}, {150, 6}};
    std::mt19937 random(17);
    for (const auto &l : lengths) {
        SCOPED_TRACE(l.letters);
        int periods = 0;
        for (int trial = 0; trial < 200; ++trial)
            periods += columnPeriod(randomLetters(l.letters, random), 20, german, 0.7) > 0 ? 1 : 0;
        EXPECT_LE(periods, l.mostPeriods);
    }
    const struct
    {
        const char *key;
        int period;
    } keys[] = {{"KEY", 3}, {"WALD", 4}, {"SCHATZ", 6}, {"GEOCACHE", 8}};
    for (const auto &k : keys) {
        SCOPED_TRACE(k.key);
        const QByteArray letters = letterIndices(encoded("vigenere", {{"schluessel", k.key}}));
        EXPECT_EQ(columnPeriod(letters, 20, german, 0.7), k.period);
    }
}

TEST(CipherIdentification, SearchesWithoutAReadingWeighTheirProceduresDown)
{
    const QString shifted = encoded("rot", {{"verschiebung", "7"}});
    const QString vigenere = encoded("vigenere", {{"schluessel", "GEOCACHE"}});
    const Candidate unread = candidateOf("substitution", -9);
    const struct
    {
        const char *name;
        QString text;
        std::vector<Candidate> ranked;
        const char *method; // "" for a keyed alphabet
        bool searched;
    } cases[] = {
        {"no search", shifted, {}, "", false},
        {"the substitution searched, nothing reads", shifted, {unread}, "", true},
        {"a keyed Vigenère alone proves no search",
         shifted,
         {candidateOf("vigenere", -9)},
         "",
         false},
        {"Vigenère searched, nothing reads",
         vigenere,
         {unread, candidateOf("vigenere", -9)},
         "vigenere",
         true},
        {"Gronsfeld is searched as Vigenère",
         encoded("gronsfeld", {{"schluessel", "31415"}}),
         {unread, candidateOf("vigenere", -9)},
         "gronsfeld",
         true},
        {"Porta not searched", vigenere, {unread, candidateOf("vigenere", -9)}, "porta", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CipherGuess> guesses = identifyCipher(c.text, c.ranked);
        const CipherGuess *guess = guessOf(guesses, c.method);
        if (guess == nullptr) {
            // Only a guess weighed down may drop below the list's smallest likelihood.
            EXPECT_FALSE(c.searched);
            continue;
        }
        EXPECT_EQ(anyReasonHolds(*guess, "Schlüssel dieses Verfahrens gesucht"), c.searched);
    }
    // Once the searched reading reads, it names the procedure and nothing is weighed down.
    const std::vector<CipherGuess> read = identifyCipher(shifted, {candidateOf("substitution", 0)});
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read.front().method, u"substitution");
    for (const CipherGuess &guess : read)
        EXPECT_FALSE(anyReasonHolds(guess, "gesucht, ohne lesbares Ergebnis"));
}

TEST(CipherIdentification, BifidBesideASingleAlphabetWhenTheCoincidenceFallsShort)
{
    const QString plain =
        u"DERSCHATZLIEGTUNTERDERALTENEICHEAMWALDRANDNAHEDERBRUECKEUNDWARTETAUFDENFINDERDERIHNSUCHT"_qs;
    const struct
    {
        const char *name;
        QString text;
        bool bifid;
    } cases[] = {
        // Rare letters added lower the coincidence below the language's.
        {"25 letters, no J, lower coincidence", plain + u"BCDFGHKLMOPQVWXYZ"_qs, true},
        {"the same with a J", plain + u"BCDFGHKLMOPQVWXYJ"_qs, false},
        {"the language's coincidence", kPlain, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CipherGuess> guesses = identifyCipher(c.text);
        ASSERT_FALSE(guesses.empty());
        EXPECT_NE(guesses.front().method, u"bifid");
        const CipherGuess *bifid = guessOf(guesses, "bifid");
        EXPECT_EQ(bifid != nullptr, c.bifid);
        if (bifid != nullptr) {
            EXPECT_TRUE(anyReasonHolds(*bifid, "hebt den Koinzidenzindex"));
        }
    }
}
