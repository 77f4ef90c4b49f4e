#include "logic/language/CodeBreaker.h"
#include "logic/language/KeySearch.h"
#include "logic/language/Letters.h"

#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

const QString kGermanPlain = QStringLiteral("Der Schatz liegt unter der alten Eiche");
const QString kEnglishPlain = QStringLiteral("The cache is under the old bridge");

// A longer text for the searches (about 160 letters), written for these tests.
const QString kLongGerman = QStringLiteral(
    "Am Ende des Weges findest du eine kleine Bank. Gehe von dort zwanzig Schritte nach Norden "
    "bis zu dem alten Grenzstein. Unter dem flachen Stein neben der Wurzel liegt die Dose mit "
    "dem Logbuch.");

// Letters as the decodings give them back: some merge letters (I=J, U=V, K=C) or case.
QString canonical(const QString &text)
{
    QString letters = normalizedLetters(text);
    letters.replace(u'J', u'I').replace(u'V', u'U').replace(u'K', u'C');
    return letters;
}

BreakerRequest request(const QString &text)
{
    BreakerRequest r;
    r.text = text;
    return r;
}

double lettersRight(const QString &found, const QString &plain)
{
    const QString a = normalizedLetters(found);
    const QString b = normalizedLetters(plain);
    int same = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        same += a[i] == b[i] ? 1 : 0;
    return double(same) / double(b.size());
}

} // namespace

TEST(CodeBreaker, EachKeylessFamilyRanksTheRightReadingFirst)
{
    const struct
    {
        const char *method;
        Ciphers::ParamValues params;
    } cases[] = {
        {"rot", {{"verschiebung", "13"}}},
        {"rot", {{"verschiebung", "3"}}},
        {"rot", {{"verschiebung", "1"}}}, // the shifts tried end at 1 and 25
        {"rot", {{"verschiebung", "25"}}},
        {"rot47", {}},
        {"atbash", {}},
        {"affin", {{"a", "5"}, {"b", "8"}}},
        {"a1z26", {}},
        {"polybius", {}},
        {"polybius", {{"quadrat", "6"}}},
        {"bacon", {}},
        {"bacon", {{"zeichen", "01"}, {"26", "1"}}},
        {"bacon", {{"zeichen", "+k"}}}, // symbols that are no letters
        {"bacon", {{"zeichen", "v<"}, {"26", "1"}}},
        {"morse", {}},
        {"kenny", {}},
        {"klopfcode", {}},
        {"handy", {}},
        {"base64", {}},
        {"base32", {}},
        {"base16", {}},
        {"zeichencode", {}},
        {"zeichencode", {{"system", "bin"}}},
        {"rueckwaerts", {}},
        {"zaun", {{"schienen", "3"}}},
        {"skytale", {{"umfang", "4"}}},
        {"zaun", {{"schienen", "2"}}}, // the rails and circumferences tried end at 2 and 10
        {"zaun", {{"schienen", "10"}}},
        {"skytale", {{"umfang", "2"}}},
        {"skytale", {{"umfang", "10"}}},
    };
    for (const QString &plain : {kGermanPlain, kEnglishPlain}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.method) + " " + plain.toStdString());
            const Ciphers::Cipher *cipher = Ciphers::findCipher(QString::fromLatin1(c.method));
            ASSERT_NE(cipher, nullptr);
            const std::vector<Candidate> ranked =
                rankCandidates(quickCandidates(request(cipher->encode(plain, c.params))));
            ASSERT_FALSE(ranked.empty());
            EXPECT_EQ(canonical(ranked.front().plain), canonical(plain));
        }
    }
}

TEST(CodeBreaker, PlainTextRanksItselfFirstWithItsLanguage)
{
    const struct
    {
        QString text;
        Language language;
    } cases[] = {
        {kGermanPlain, Language::German},
        {kEnglishPlain, Language::English},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const std::vector<Candidate> ranked = rankCandidates(quickCandidates(request(c.text)));
        ASSERT_FALSE(ranked.empty());
        EXPECT_EQ(ranked.front().method, u"klartext");
        EXPECT_EQ(ranked.front().plain, c.text);
        EXPECT_EQ(ranked.front().language, c.language);
    }
}

TEST(CodeBreaker, RomanNumeralsReadAsTheirNumbers)
{
    const struct
    {
        QString text;
        QString reading; // empty: no Roman reading
    } cases[] = {
        {QStringLiteral("MMXXIV"), QStringLiteral("2024")},
        {QStringLiteral("xii iv"), QStringLiteral("12 4")},
        {QStringLiteral("IIII"), QString()}, // not canonical
        {QStringLiteral("MIX UP"), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        BreakerRequest r = request(c.text);
        r.only = {QStringLiteral("roemisch")};
        const std::vector<Candidate> found = quickCandidates(r);
        if (c.reading.isEmpty()) {
            EXPECT_TRUE(found.empty());
        } else {
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(found.front().plain, c.reading);
        }
    }
}

TEST(CodeBreaker, KeyedCiphersUseTheGivenKey)
{
    const struct
    {
        const char *method;
        QString key;
    } cases[] = {
        {"vigenere", QStringLiteral("GEOCACHE")},
        {"beaufort", QStringLiteral("SCHATZ")},
        {"autokey", QStringLiteral("KEY")},
        {"gronsfeld", QStringLiteral("31415")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        const Ciphers::Cipher *cipher = Ciphers::findCipher(QString::fromLatin1(c.method));
        ASSERT_NE(cipher, nullptr);
        BreakerRequest r = request(cipher->encode(kGermanPlain, {{"schluessel", c.key}}));
        r.key = c.key;
        const std::vector<Candidate> ranked = rankCandidates(quickCandidates(r));
        ASSERT_FALSE(ranked.empty());
        EXPECT_EQ(canonical(ranked.front().plain), canonical(kGermanPlain));
        EXPECT_EQ(ranked.front().key, c.key);
    }
}

TEST(CodeBreaker, SearchesRecoverFixedExamples)
{
    const struct
    {
        const char *method;
        QString key; // empty: a substitution alphabet
    } cases[] = {
        {"vigenere", QStringLiteral("WALDWEG")},
        {"beaufort", QStringLiteral("BRUECKE")},
        {"autokey", QStringLiteral("EICHE")},
        {"substitution", QString()},
    };
    const QString alphabet = QStringLiteral("QWERTZUIOPASDFGHJKLYXCVBNM");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        BreakerRequest r;
        r.only = {QString::fromLatin1(c.method)};
        r.language = Language::German;
        if (c.key.isEmpty()) {
            r.text = kLongGerman.toUpper();
            for (QChar &ch : r.text)
                if (ch >= u'A' && ch <= u'Z')
                    ch = alphabet[ch.unicode() - u'A'];
        } else {
            r.text = Ciphers::findCipher(QString::fromLatin1(c.method))
                         ->encode(kLongGerman, {{"schluessel", c.key}});
        }
        const std::vector<Candidate> found = searchCandidates(r);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_GE(lettersRight(found.front().plain, kLongGerman), 0.95);
        if (!c.key.isEmpty()) {
            EXPECT_EQ(found.front().key, c.key);
        }
    }
}

TEST(CodeBreaker, SearchStopsWhenToldAndReportsProgress)
{
    BreakerRequest r = request(kLongGerman);
    int calls = 0;
    int last = -1;
    bool rising = true;
    searchCandidates(r, [&](int percent) {
        rising = rising && percent >= last && percent <= 100;
        last = percent;
        ++calls;
        return true;
    });
    EXPECT_TRUE(rising);
    EXPECT_EQ(last, 100);
    int stoppedCalls = 0;
    const std::vector<Candidate> stopped = searchCandidates(r, [&](int) {
        ++stoppedCalls;
        return false;
    });
    EXPECT_LE(stopped.size(), 1u);
    EXPECT_LT(stoppedCalls, calls);
}

TEST(CodeBreaker, RequestLimits)
{
    const struct
    {
        const char *name;
        qsizetype length;
        QStringList only;
        bool valid;
    } cases[] = {
        {"at the length limit", kMaxBreakerText, {}, true},
        {"above the length limit", kMaxBreakerText + 1, {}, false},
        {"known names", 10, {QStringLiteral("rot"), QStringLiteral("substitution")}, true},
        {"unknown name", 10, {QStringLiteral("lorenz")}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BreakerRequest r = request(QString(c.length, u'x'));
        r.only = c.only;
        if (c.valid)
            EXPECT_NO_THROW(checkRequest(r));
        else
            EXPECT_THROW(checkRequest(r), QuarvelError);
    }
    EXPECT_TRUE(quickCandidates(request(QStringLiteral("   "))).empty());
}

TEST(CodeBreaker, RankingDropsRepeatedReadings)
{
    std::vector<Candidate> candidates(3);
    candidates[0] = {QStringLiteral("rot"), {}, QStringLiteral("1"), QStringLiteral("abc"), -5};
    candidates[1] = {QStringLiteral("affin"), {}, QString(), QStringLiteral("abc"), -5};
    candidates[2] = {QStringLiteral("atbash"), {}, QString(), QStringLiteral("xyz"), -4};
    const std::vector<Candidate> ranked = rankCandidates(candidates);
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].method, u"atbash");
    EXPECT_EQ(ranked[1].method, u"rot");
}

TEST(CodeBreaker, KeyTexts)
{
    const struct
    {
        const char *method;
        Ciphers::ParamValues params;
        QString text;
    } cases[] = {
        {"rot", {{"verschiebung", "13"}}, QStringLiteral("13")},
        {"affin", {{"b", "8"}, {"a", "5"}}, QStringLiteral("a=5, b=8")},
        {"vigenere", {{"schluessel", "LEMON"}}, QStringLiteral("LEMON")},
        {"atbash", {}, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.method);
        EXPECT_EQ(keyText(QString::fromLatin1(c.method), c.params), c.text);
    }
}

TEST(KeySearch, PeriodFromCoincidence)
{
    const Ciphers::Cipher *vigenere = Ciphers::findCipher(QStringLiteral("vigenere"));
    const QString text = vigenere->encode(kLongGerman + kLongGerman, {{"schluessel", "LAMPE"}});
    const std::vector<int> periods =
        candidatePeriods(cipherLetters(text, 1000), PeriodicFamily::Vigenere, 20,
                         LanguageModel::of(Language::German));
    ASSERT_FALSE(periods.empty());
    EXPECT_EQ(periods.front(), 5);
}

TEST(CodeBreaker, BaconGroupsBetweenSeparators)
{
    const Ciphers::Cipher *bacon = Ciphers::findCipher(QStringLiteral("bacon"));
    const struct
    {
        const char *zeichen;
        QChar separator;
    } cases[] = {
        {"+k", u'/'},
        {"v<", u'|'},
        {"AB", u'-'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.zeichen);
        QString text = bacon->encode(kGermanPlain, {{"zeichen", QString::fromLatin1(c.zeichen)}});
        text.replace(u' ', c.separator);
        const std::vector<Candidate> ranked = rankCandidates(quickCandidates(request(text)));
        ASSERT_FALSE(ranked.empty());
        EXPECT_EQ(canonical(ranked.front().plain), canonical(kGermanPlain));
    }
}

// Taps all of one length read as one letter over and over, which a row of full stops gives too:
// no tap-code reading then, so the text itself stays ahead of it.
TEST(CodeBreaker, TapCodeIsTriedOnlyWhenTheTapsDiffer)
{
    const struct
    {
        const char *text;
        bool tried;
    } cases[] = {
        {". . . .", false}, {"... ... ... ...", false}, {".....  .....", false},
        {". ..", true}, // one tap more in one group is enough
        {".. .", true},     {". . . . . . . ..", true}, {"....  ....  ....  ...", true},
        {"11 23", true}, // written in digits
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        bool tried = false;
        for (const Candidate &candidate : quickCandidates(request(QString::fromLatin1(c.text))))
            tried = tried || candidate.method == u"klopfcode";
        EXPECT_EQ(tried, c.tried);
    }
}
