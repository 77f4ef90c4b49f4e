#include "logic/ciphers/CipherRegistry.h"
#include "logic/language/Chains.h"
#include "logic/language/CodeBreaker.h"
#include "logic/language/GeocachingText.h"
#include "logic/language/Verdict.h"

#include <gtest/gtest.h>

namespace {

Candidate reading(const QString &plain, double score, Language language = Language::German)
{
    Candidate candidate;
    candidate.method = QStringLiteral("rot");
    candidate.plain = plain;
    candidate.score = score;
    candidate.language = language;
    return candidate;
}

QString letters(int count)
{
    return QString(QStringLiteral("ABCDEFGHIJ")).repeated(count / 10 + 1).left(count);
}

} // namespace

TEST(Verdict, ThresholdRisesWithLengthAtEachStep)
{
    const struct
    {
        qsizetype letters;
        double german;
        double english;
    } cases[] = {{0, -6.6, -6.8},   {7, -6.6, -6.8},    {8, -6.2, -6.45},
                 {9, -6.2, -6.45},  {99, -4.8, -5.05},  {100, -4.75, -5.0},
                 {199, -4.7, -4.9}, {200, -4.6, -4.85}, {100000, -4.6, -4.85}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters);
        EXPECT_DOUBLE_EQ(readableThreshold(Language::German, c.letters), c.german);
        EXPECT_DOUBLE_EQ(readableThreshold(Language::English, c.letters), c.english);
    }
}

TEST(Verdict, AReadingReadsFromItsThresholdOn)
{
    const QString hundred = letters(100);
    EXPECT_TRUE(readsAsText(reading(hundred, -4.75)));
    EXPECT_TRUE(readsAsText(reading(hundred, -4.70)));
    EXPECT_FALSE(readsAsText(reading(hundred, -4.76)));
    EXPECT_FALSE(readsAsText(reading(hundred, -4.9, Language::German)));
    EXPECT_TRUE(readsAsText(reading(hundred, -4.9, Language::English)));
    EXPECT_FALSE(firstReads({}));
    EXPECT_TRUE(firstReads({reading(hundred, -3.0), reading(hundred, -7.0)}));
    EXPECT_EQ(noReadingText(), u"Kein Kandidat ergibt lesbaren Text");
}

TEST(Verdict, PlainTextReadsAndSaltDoesNot)
{
    BreakerRequest request;
    request.text = QStringLiteral("Qre Fpungm yvrtg hagre qre nygra Rvpur");
    EXPECT_TRUE(firstReads(breakText(request)));
    // Playfair is not broken without a key: nothing reads.
    request.text = Ciphers::findCipher(QStringLiteral("playfair"))
                       ->encode(QStringLiteral("Der Schatz liegt unter der alten Eiche am Rand "
                                               "der Lichtung nahe dem kleinen Bach"),
                                {{QStringLiteral("schluessel"), QStringLiteral("GEOCACHE")}});
    EXPECT_FALSE(firstReads(breakText(request)));
}

TEST(GeocachingText, CoordinatesAndNumberWordsReadAsProse)
{
    const struct
    {
        const char *text;
        bool geocaching;
    } cases[] = {
        {"N 50 12 345 E 008 54 321", true},
        {"N50° 12.345 E008° 54.321", true},
        {"nord fuenfzig grad zwoelf punkt drei vier fuenf", true},
        {"NORTHFIFTYDEGREESTWELVEPOINTTHREE", true},
        {"zwei drei vier", true},
        {"zwoelf zehn", true}, // 10 letters: the least that counts
        {"zwoelf elf", false}, // 9 letters
        {"EINSZWEIXXX", false}, // 8 of 11 letters are number words: below 0.8
        {"DER SCHATZ LIEGT IM WALD", false},
        {"XN 50 12 345", false},
        {"bei N 50 12 345", true},
        {"AN50 12 345", false},
        {"s286  6EEC2tCK  =:  F5E4", false}, // digits after an s, degrees and minutes run together
        {"N5012 345", false},
        {"42 45 49 20 45 49 4S 20 53 43 48 4", false}, // a rotated hex code: S glued to a digit
        {"(N 50 12 345)", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isGeocachingText(QString::fromUtf8(c.text)), c.geocaching);
    }
    EXPECT_DOUBLE_EQ(numberWordShare(QStringLiteral("ZWEIDREI")), 1.0);
    EXPECT_DOUBLE_EQ(numberWordShare(QString()), 0.0);
    // A coordinate outranks its own shifts, which the model alone scores alike.
    BreakerRequest request;
    request.text = QStringLiteral("N 50 12 345 E 008 54 321");
    EXPECT_EQ(breakText(request).front().method, u"klartext");
}

TEST(GeocachingText, TheCribLiftsTheReadingsThatHoldIt)
{
    EXPECT_TRUE(holdsCrib(QStringLiteral("DERSCHATZLIEGTUNTERDEREICHE"), QStringLiteral("Eiche")));
    EXPECT_TRUE(holdsCrib(QStringLiteral("Grüße"), QStringLiteral("GRUESSE")));
    EXPECT_FALSE(holdsCrib(QStringLiteral("Der Schatz"), QStringLiteral("Eiche")));
    EXPECT_FALSE(holdsCrib(QStringLiteral("Der Schatz"), QStringLiteral("123")));
    std::vector<Candidate> list {reading(u"salat"_qs, -3.0), reading(u"nord dort"_qs, -4.6),
                                 reading(u"hier nord"_qs, -4.4)};
    markCrib(list, QStringLiteral("nord"));
    const std::vector<Candidate> ranked = rankCandidates(list);
    EXPECT_EQ(ranked[0].plain, u"hier nord");
    EXPECT_EQ(ranked[1].plain, u"nord dort");
    EXPECT_EQ(ranked[2].plain, u"salat");
    // A crib without letters marks nothing: the best score leads.
    std::vector<Candidate> fresh {reading(u"salat"_qs, -3.0), reading(u"hier nord"_qs, -4.4)};
    markCrib(fresh, QStringLiteral("42"));
    EXPECT_EQ(rankCandidates(fresh)[0].plain, u"salat");
}

TEST(Chains, TwoKeylessStepsAreFoundAndNamed)
{
    const auto encode = [](const char *method, const QString &text,
                           const Ciphers::ParamValues &params = {}) {
        return Ciphers::findCipher(QString::fromLatin1(method))->encode(text, params);
    };
    const QString plain = QStringLiteral("Der Schatz liegt unter der alten Eiche");
    const struct
    {
        const char *name;
        QString text;
        const char *method;
    } cases[] = {
        {"base64 after rot13", encode("base64", encode("rot", plain, {{"verschiebung", "13"}})),
         "base64 → rot"},
        {"atbash after reversing", encode("rueckwaerts", encode("atbash", plain)),
         "rueckwaerts → atbash"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BreakerRequest request;
        request.text = c.text;
        request.chains = true;
        const std::vector<Candidate> ranked = breakText(request);
        ASSERT_FALSE(ranked.empty());
        // Reversing and a renaming of letters commute: either order is the same chain.
        const QStringList steps = QString::fromUtf8(c.method).split(u" → "_qs);
        EXPECT_TRUE(ranked.front().method == QString::fromUtf8(c.method) ||
                    (steps.size() == 2 && steps[0] == u"rueckwaerts" &&
                     ranked.front().method == steps[1] + u" → "_qs + steps[0]))
            << ranked.front().method.toStdString();
        EXPECT_EQ(ranked.front().plain.toUpper(), plain.toUpper());
        request.chains = false;
        EXPECT_NE(breakText(request).front().method, QString::fromUtf8(c.method));
    }
}

TEST(Chains, OnlyForShortTextsWithoutAChoiceOfMethods)
{
    BreakerRequest request;
    request.text = QStringLiteral("UXJlIEZwdW5nbSB5dnJ0ZyBoYWdyZSBxcmUgbnlncmEgUnZwdXI=");
    EXPECT_FALSE(chainCandidates(request).empty());
    request.only = {QStringLiteral("base64")};
    EXPECT_TRUE(chainCandidates(request).empty());
    request.only.clear();
    request.text = QString(kChainTextLimit, u'A');
    EXPECT_FALSE(chainCandidates(request).empty());
    request.text = QString(kChainTextLimit + 1, u'A');
    EXPECT_TRUE(chainCandidates(request).empty());
}
