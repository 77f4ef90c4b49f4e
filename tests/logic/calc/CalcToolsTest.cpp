// The calculating tools against published values: ISO 8601 week examples, OEIS terms, the
// digits of the constants, the check-digit examples of the standards and the hash test vectors
// of FIPS 180-4, FIPS 202, RFC 1320/1321 and RFC 4231; every declared limit at, below and above.
#include "logic/calc/CalcTool.h"
#include "logic/calc/Factorize.h"
#include "logic/calc/HashTools.h"
#include "logic/common/QuarvelError.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/core/FailingDevice.h"

namespace {

using Calc::Values;

QString resultText(const char *tool, const Values &values, const char *key)
{
    const Calc::Tool *found = Calc::findCalcTool(QString::fromLatin1(tool));
    if (!found)
        return QStringLiteral("<no tool>");
    return found->run(values).value(QString::fromLatin1(key)).text;
}

bool refuses(const char *tool, const Values &values)
{
    try {
        Calc::findCalcTool(QString::fromLatin1(tool))->run(values);
        return false;
    } catch (const QuarvelError &error) {
        return !error.message().isEmpty();
    }
}

struct Case
{
    const char *tool;
    Values values;
    const char *key;
    QString expected;
};

void runCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.tool) + " " +
                     QStringList(c.values.values()).join(u' ').toStdString());
        EXPECT_EQ(resultText(c.tool, c.values, c.key), c.expected);
    }
}

const QString D = QStringLiteral("datum");
const QString N = QStringLiteral("n");
const QString Z = QStringLiteral("zahl");

TEST(CalcDates, KnownDaysAndIsoWeeks)
{
    runCases({
        {"datum-info", {{D, "10.12.2026"}}, "wochentag", "Donnerstag"},
        {"datum-info", {{D, "2026-12-10"}}, "tag_im_jahr", "344"},
        {"datum-info", {{D, "2026-12-10"}}, "iso_woche", "50"},
        {"datum-info", {{D, "2026-12-10"}}, "us_woche", "50"},
        {"datum-info", {{D, "2026-12-10"}}, "jd", "2461385"},
        {"datum-info", {{D, "2026-12-10"}}, "unix", "1796860800"},
        {"datum-info", {{D, "2026-12-10"}}, "excel", "46366"},
        // The ISO 8601 examples of weeks that cross the turn of the year.
        {"datum-info", {{D, "2008-12-29"}}, "iso_woche", "1"},
        {"datum-info", {{D, "2008-12-29"}}, "iso_jahr", "2009"},
        {"datum-info", {{D, "2010-01-03"}}, "iso_woche", "53"},
        {"datum-info", {{D, "2010-01-03"}}, "iso_jahr", "2009"},
        {"datum-info", {{D, "2005-01-01"}}, "iso_woche", "53"},
        {"datum-info", {{D, "2005-01-01"}}, "iso_jahr", "2004"},
        {"datum-info", {{D, "2008-12-28"}}, "iso_woche", "52"},
        // US weeks: 1 January 2005 was a Saturday, the 2nd a Sunday starting week 2.
        {"datum-info", {{D, "2005-01-01"}}, "us_woche", "1"},
        {"datum-info", {{D, "2005-01-02"}}, "us_woche", "2"},
        // The calendar reform: 15 October 1582 followed 4 October (Julian).
        {"datum-info", {{D, "1582-10-15"}}, "julianisch", "1582-10-05"},
        {"datum-info",
         {{D, "1582-10-04"}, {"kalender", "julianisch"}},
         "gregorianisch",
         "1582-10-14"},
        {"datum-info", {{D, "29.02.1900"}, {"kalender", "julianisch"}}, "datum", "1900-02-29"},
        {"datum-info", {{D, "1900-02-28"}}, "excel", "– (vor dem 01.03.1900)"},
        {"datum-info", {{D, "1900-03-01"}}, "excel", "61"},
        {"datum-info", {{D, "1970-01-01 00:00:01"}}, "unix", "1"},
        {"datum-abstand", {{"a", "24.12.2026"}, {"b", "2027-01-01"}}, "tage", "8"},
        {"datum-abstand", {{"a", "2027-01-01"}, {"b", "24.12.2026"}}, "tage", "-8"},
        {"datum-abstand",
         {{"a", "2026-01-01 12:00"}, {"b", "2026-01-03 13:30:15"}},
         "dauer",
         "2 Tage, 01:30:15"},
        {"datum-abstand",
         {{"a", "2026-01-01"}, {"b", "2026-01-16"}},
         "wochen",
         "2 Wochen und 1 Tage"},
        {"datum-plus", {{D, "2026-12-10"}, {N, "100"}}, "datum", "2027-03-20"},
        {"datum-plus", {{D, "2026-12-10"}, {N, "-344"}}, "datum", "2025-12-31"},
        {"datum-plus",
         {{D, "2026-12-10 23:00"}, {N, "3600"}, {"sekunden", "1"}},
         "datum",
         "2026-12-11T00:00:00"},
        {"datum-unix", {{N, "0"}}, "datum", "1970-01-01T00:00:00"},
        {"datum-unix", {{N, "-1"}}, "datum", "1969-12-31T23:59:59"},
        {"datum-unix", {{N, "253402300799"}}, "datum", "9999-12-31T23:59:59"},
        {"datum-unix", {{N, "-62135596800"}}, "datum", "0001-01-01T00:00:00"},
        {"datum-excel", {{N, "1"}}, "datum", "1900-01-01T00:00:00"},
        {"datum-excel", {{N, "59"}}, "datum", "1900-02-28T00:00:00"},
        {"datum-excel", {{N, "61"}}, "datum", "1900-03-01T00:00:00"},
        {"datum-excel", {{N, "46366,5"}}, "datum", "2026-12-10T12:00:00"},
        {"datum-excel", {{N, "2958465"}}, "datum", "9999-12-31T00:00:00"},
    });
}

TEST(CalcDates, RefusesImpossibleDatesAndLimits)
{
    const std::vector<std::pair<const char *, Values>> cases = {
        {"datum-info", {{D, "31.02.2026"}}},
        {"datum-info", {{D, "29.02.1900"}}},
        {"datum-info", {{D, "0000-01-01"}}},
        {"datum-info", {{D, "2026-12-10 24:00"}}},
        {"datum-info", {{D, "2026-12-10 12:60"}}},
        {"datum-info", {{D, "10/12/2026"}}},
        {"datum-info", {{D, ""}}},
        {"datum-unix", {{N, "253402300800"}}},
        {"datum-unix", {{N, "-62135596801"}}},
        {"datum-excel", {{N, "0"}}},
        {"datum-excel", {{N, "60"}}},
        {"datum-excel", {{N, "2958466"}}},
        {"datum-excel", {{N, "-5"}}},
        {"datum-plus", {{D, "9999-12-31"}, {N, "1"}}},
        {"datum-plus", {{D, "0001-01-01"}, {N, "-1"}}},
        {"datum-plus", {{D, "2026-01-01"}, {N, "10000000000001"}}},
    };
    for (const auto &[tool, values] : cases) {
        SCOPED_TRACE(QStringList(values.values()).join(u' ').toStdString());
        EXPECT_TRUE(refuses(tool, values));
    }
}

TEST(CalcNumbers, PrimesAgainstPublishedValues)
{
    runCases({
        {"zahl-prim", {{Z, "97"}}, "prim", "ja"},
        {"zahl-prim", {{Z, "97"}}, "index", "25. Primzahl"},
        {"zahl-prim", {{Z, "97"}}, "vorige", "89"},
        {"zahl-prim", {{Z, "97"}}, "naechste", "101"},
        {"zahl-prim", {{Z, "1"}}, "prim", "nein"},
        {"zahl-prim", {{Z, "2"}}, "vorige", "–"},
        {"zahl-prim", {{Z, "0"}}, "naechste", "2"},
        {"zahl-prim", {{Z, "999999999989"}}, "index", "37607912018. Primzahl"},
        {"zahl-prim", {{Z, "1000000000039"}}, "index", "–"}, // above 10^12: no index
        {"zahl-prim", {{Z, "170141183460469231731687303715884105727"}}, "prim", "ja"},
        {"zahl-nte-primzahl", {{"k", "1"}}, "primzahl", "2"},
        {"zahl-nte-primzahl", {{"k", "1000000"}}, "primzahl", "15485863"},
        {"zahl-nte-primzahl", {{"k", "10000000000"}}, "primzahl", "252097800623"},
        {"zahl-faktoren", {{Z, "4294967297"}}, "faktoren", "641 · 6700417"},
        {"zahl-faktoren", {{Z, "147573952589676412927"}}, "faktoren", "193707721 · 761838257287"},
        {"zahl-faktoren", {{Z, "1024"}}, "faktoren", "2^10"},
        {"zahl-faktoren", {{Z, "1"}}, "faktoren", "(keine)"},
        {"zahl-teiler", {{Z, "360"}}, "anzahl", "24"},
        {"zahl-teiler", {{Z, "360"}}, "summe", "1170"},
        {"zahl-teiler", {{Z, "28"}}, "teiler", "1, 2, 4, 7, 14, 28"},
        {"zahl-teiler", {{Z, "1000000000000000000"}}, "anzahl", "361"},
        {"zahl-ggt", {{"zahlen", "84 126 210"}}, "ergebnis", "42"},
        {"zahl-ggt", {{"zahlen", "-12 18"}}, "ergebnis", "6"},
        {"zahl-kgv", {{"zahlen", "4 6 10"}}, "ergebnis", "60"},
    });
}

TEST(CalcNumbers, FactorsASemiprimeOfTwentyDigitPrimes)
{
    const mpz_class p("10000000000000000051"), q("30000000000000000041");
    ASSERT_TRUE(Calc::isProbablePrime(p));
    ASSERT_TRUE(Calc::isProbablePrime(q));
    const Calc::Factorization f = Calc::factorize(p * q, std::chrono::seconds(30));
    ASSERT_TRUE(f.complete());
    ASSERT_EQ(f.factors.size(), 2u);
    EXPECT_EQ(f.factors[0].first, p);
    EXPECT_EQ(f.factors[1].first, q);
}

TEST(CalcNumbers, NamesWhatTimeLeftUnfactored)
{
    const mpz_class p("10000000000000000051"), q("30000000000000000041");
    const Calc::Factorization f = Calc::factorize(p * q * 7, std::chrono::milliseconds(0));
    EXPECT_FALSE(f.complete());
    ASSERT_EQ(f.factors.size(), 1u);
    EXPECT_EQ(f.factors[0].first, 7);
    EXPECT_EQ(f.unfactored.front(), p * q);
}

TEST(CalcNumbers, SequencesMatchOeis)
{
    const QString F = QStringLiteral("folge");
    runCases({
        {"zahl-folge", {{F, "fibonacci"}, {N, "100"}}, "wert", "354224848179261915075"},
        {"zahl-folge", {{F, "fibonacci"}, {N, "0"}}, "wert", "0"},
        {"zahl-folge", {{F, "lucas"}, {N, "10"}}, "wert", "123"},
        {"zahl-folge", {{F, "pell"}, {N, "10"}}, "wert", "2378"},
        {"zahl-folge", {{F, "tribonacci"}, {N, "10"}}, "wert", "81"},
        {"zahl-folge", {{F, "tribonacci"}, {N, "2"}}, "wert", "1"},
        {"zahl-folge", {{F, "catalan"}, {N, "10"}}, "wert", "16796"},
        {"zahl-folge", {{F, "fakultaet"}, {N, "20"}}, "wert", "2432902008176640000"},
        {"zahl-folge", {{F, "dreieck"}, {N, "10"}}, "wert", "55"},
        {"zahl-folge", {{F, "quadrat"}, {N, "12"}}, "wert", "144"},
        {"zahl-folge", {{F, "kubik"}, {N, "5"}}, "wert", "125"},
        {"zahl-folge", {{F, "primzahl"}, {N, "100000"}}, "wert", "1299709"},
        {"zahl-folge", {{F, "mersenne"}, {N, "5"}}, "wert", "2047"},
        {"zahl-folge", {{F, "fibonacci"}, {"suche", "144"}}, "index", "12"},
        {"zahl-folge", {{F, "fibonacci"}, {"suche", "1"}}, "index", "1"},
        {"zahl-folge", {{F, "lucas"}, {"suche", "2"}}, "index", "0"},
        {"zahl-folge", {{F, "pell"}, {"suche", "2378"}}, "index", "10"},
        {"zahl-folge", {{F, "tribonacci"}, {"suche", "81"}}, "index", "10"},
        {"zahl-folge", {{F, "catalan"}, {"suche", "16796"}}, "index", "10"},
        {"zahl-folge", {{F, "fakultaet"}, {"suche", "3628800"}}, "index", "10"},
        {"zahl-folge", {{F, "dreieck"}, {"suche", "5050"}}, "index", "100"},
        {"zahl-folge",
         {{F, "kubik"}, {"suche", "126"}},
         "index",
         "nicht unter den ersten 100000 Gliedern"},
        {"zahl-folge", {{F, "primzahl"}, {"suche", "1299709"}}, "index", "100000"},
        {"zahl-folge",
         {{F, "primzahl"}, {"suche", "1299721"}},
         "index",
         "nicht unter den ersten 100000 Gliedern"},
        {"zahl-folge", {{F, "mersenne"}, {"suche", "8191"}}, "index", "6"},
    });
    EXPECT_TRUE(refuses("zahl-folge", {{F, "fibonacci"}, {N, "100001"}}));
    EXPECT_TRUE(refuses("zahl-folge", {{F, "primzahl"}, {N, "0"}}));
    EXPECT_TRUE(refuses("zahl-folge", {{F, "fibonacci"}, {N, "-1"}}));
    EXPECT_TRUE(refuses("zahl-folge", {{F, "fibonacci"}}));
    EXPECT_TRUE(refuses("zahl-folge", {{F, "unbekannt"}, {N, "1"}}));
}

TEST(CalcNumbers, LimitsAtBelowAndAbove)
{
    const std::vector<std::tuple<const char *, Values, bool>> cases = {
        {"zahl-nte-primzahl", {{"k", "0"}}, true},
        {"zahl-nte-primzahl", {{"k", "10000000001"}}, true},
        {"zahl-nte-primzahl", {{"k", "-3"}}, true},
        {"zahl-teiler", {{Z, "1000000000000000001"}}, true},
        {"zahl-teiler", {{Z, "999999999999999999"}}, false},
        {"zahl-teiler", {{Z, "0"}}, true},
        {"zahl-faktoren", {{Z, "0"}}, true},
        {"zahl-prim", {{Z, "1" + QString(300, u'0')}}, false},
        {"zahl-prim", {{Z, "1" + QString(300, u'0') + "1"}}, true},
        {"zahl-prim", {{Z, "-1"}}, true},
        {"zahl-prim", {{Z, "12a"}}, true},
        {"zahl-ggt", {{"zahlen", "12"}}, true},
        {"zahl-folge", {{"folge", "quadrat"}, {N, "100000"}}, false},
        {"zahl-basis", {{"von", "36"}, {Z, "Z"}}, false},
        {"zahl-basis", {{"von", "37"}, {Z, "1"}}, true},
        {"zahl-basis", {{"von", "61"}, {Z, "1"}}, true},
        {"zahl-basis", {{"von", "62"}, {Z, "z"}}, false},
        {"zahl-basis", {{"von", "63"}, {Z, "1"}}, true},
        {"zahl-basis", {{"von", "1"}, {Z, "1"}}, true},
        {"zahl-basis", {{"von", "2"}, {Z, "2"}}, true},
        {"zahl-basis", {{"von", "2"}, {Z, ""}}, true},
        {"zahl-konstante", {{"konstante", "pi"}, {"stellen", "0-5"}}, true},
        {"zahl-konstante", {{"konstante", "pi"}, {"stellen", "999999-1000001"}}, true},
        {"zahl-konstante", {{"konstante", "pi"}, {"stellen", "9-8"}}, true},
        {"zahl-konstante", {{"konstante", "pi"}, {"suche", "12x"}}, true},
    };
    for (const auto &[tool, values, refused] : cases) {
        SCOPED_TRACE(std::string(tool) + " " +
                     QStringList(values.values()).join(u' ').toStdString());
        EXPECT_EQ(refuses(tool, values), refused);
    }
}

TEST(CalcNumbers, ConstantsAndBases)
{
    const QString K = QStringLiteral("konstante"), S = QStringLiteral("stellen");
    runCases({
        {"zahl-konstante",
         {{K, "pi"}, {S, "1-50"}},
         "stellen",
         "14159265358979323846264338327950288419716939937510"},
        {"zahl-konstante",
         {{K, "e"}, {S, "1-50"}},
         "stellen",
         "71828182845904523536028747135266249775724709369995"},
        {"zahl-konstante",
         {{K, "phi"}, {S, "1-50"}},
         "stellen",
         "61803398874989484820458683436563811772030917980576"},
        {"zahl-konstante",
         {{K, "wurzel2"}, {S, "1-50"}},
         "stellen",
         "41421356237309504880168872420969807856967187537694"},
        {"zahl-konstante",
         {{K, "wurzel3"}, {S, "1-50"}},
         "stellen",
         "73205080756887729352744634150587236694280525381038"},
        {"zahl-konstante",
         {{K, "wurzel5"}, {S, "1-50"}},
         "stellen",
         "23606797749978969640917366873127623544061835961152"},
        {"zahl-konstante", {{K, "pi"}, {S, "762-767"}}, "stellen", "999999"},
        {"zahl-konstante", {{K, "pi"}, {S, "1"}}, "stellen", "1"},
        {"zahl-konstante", {{K, "pi"}, {"suche", "999999"}}, "position", "762"},
        {"zahl-basis", {{"von", "16"}, {"nach", "10"}, {Z, "FF"}}, "ergebnis", "255"},
        {"zahl-basis", {{"von", "16"}, {"nach", "2"}, {Z, "-ff"}}, "ergebnis", "-11111111"},
        {"zahl-basis", {{"von", "10"}, {"nach", "36"}, {Z, "1295"}}, "ergebnis", "ZZ"},
        {"zahl-basis", {{"von", "10"}, {"nach", "62"}, {Z, "61"}}, "ergebnis", "z"},
        {"zahl-basis", {{"von", "62"}, {"nach", "10"}, {Z, "10"}}, "ergebnis", "62"},
        {"zahl-basis", {{"von", "62"}, {"nach", "10"}, {Z, "Z"}}, "ergebnis", "35"},
        {"zahl-basis",
         {{"von", "10"}, {"nach", "16"}, {Z, "340282366920938463463374607431768211455"}},
         "ergebnis",
         "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
    });
}

TEST(CalcCheckDigits, ExamplesOfTheStandards)
{
    const QString M = QStringLiteral("verfahren"), Nr = QStringLiteral("nummer");
    runCases({
        {"pruefziffer",
         {{M, "isbn10"}, {Nr, "3-598-21508-8"}},
         "ergebnisse",
         "isbn10: gültig (Prüfziffer 8)"},
        {"pruefziffer",
         {{M, "isbn10"}, {Nr, "0-306-40615-2"}},
         "ergebnisse",
         "isbn10: gültig (Prüfziffer 2)"},
        {"pruefziffer",
         {{M, "isbn10"}, {Nr, "0-306-40615-3"}},
         "ergebnisse",
         "isbn10: ungültig, die Prüfziffer müsste 2 sein"},
        {"pruefziffer",
         {{M, "isbn13"}, {Nr, "978-3-16-148410-0"}},
         "ergebnisse",
         "isbn13: gültig (Prüfziffer 0)"},
        {"pruefziffer",
         {{M, "ean13"}, {Nr, "4006381333931"}},
         "ergebnisse",
         "ean13: gültig (Prüfziffer 1)"},
        {"pruefziffer",
         {{M, "ean8"}, {Nr, "96385074"}},
         "ergebnisse",
         "ean8: gültig (Prüfziffer 4)"},
        {"pruefziffer",
         {{M, "upca"}, {Nr, "036000291452"}},
         "ergebnisse",
         "upca: gültig (Prüfziffer 2)"},
        {"pruefziffer",
         {{M, "issn"}, {Nr, "0317-8471"}},
         "ergebnisse",
         "issn: gültig (Prüfziffer 1)"},
        {"pruefziffer",
         {{M, "issn"}, {Nr, "2434-561X"}},
         "ergebnisse",
         "issn: gültig (Prüfziffer X)"},
        {"pruefziffer",
         {{M, "iban"}, {Nr, "DE89 3704 0044 0532 0130 00"}},
         "ergebnisse",
         "iban: gültig (Prüfziffer 89)"},
        {"pruefziffer",
         {{M, "iban"}, {Nr, "GB82 WEST 1234 5698 7654 32"}},
         "ergebnisse",
         "iban: gültig (Prüfziffer 82)"},
        {"pruefziffer",
         {{M, "iban"}, {Nr, "DE88 3704 0044 0532 0130 00"}},
         "ergebnisse",
         "iban: ungültig, die Prüfziffer müsste 89 sein"},
        {"pruefziffer",
         {{M, "luhn"}, {Nr, "79927398713"}},
         "ergebnisse",
         "luhn: gültig (Prüfziffer 3)"},
        {"pruefziffer",
         {{M, "imei"}, {Nr, "49-015420-323751-8"}},
         "ergebnisse",
         "imei: gültig (Prüfziffer 8)"},
        {"pruefziffer",
         {{M, "steuerid"}, {Nr, "86095742719"}},
         "ergebnisse",
         "steuerid: gültig (Prüfziffer 9)"},
        {"pruefziffer",
         {{M, "steuerid"}, {Nr, "86095742718"}},
         "ergebnisse",
         "steuerid: ungültig, die Prüfziffer müsste 9 sein"},
        {"pruefziffer",
         {{M, "euroschein"}, {Nr, "Z10708476264"}},
         "ergebnisse",
         "euroschein: gültig (Prüfziffer 4)"},
        {"pruefziffer",
         {{M, "euroschein"}, {Nr, "UF9073937437"}},
         "ergebnisse",
         "euroschein: gültig (Prüfziffer 7)"},
        {"pruefziffer",
         {{M, "euroschein"}, {Nr, "VA0436214792"}},
         "ergebnisse",
         "euroschein: gültig (Prüfziffer 2)"},
        {"pruefziffer",
         {{M, "isbn13"}, {Nr, "978-3-16-14841?-0"}},
         "ergebnisse",
         "isbn13: 9783161484100"},
        {"pruefziffer",
         {{M, "iban"}, {Nr, "DE?9 3704 0044 0532 0130 00"}},
         "ergebnisse",
         "iban: DE89370400440532013000"},
    });
}

TEST(CalcCheckDigits, ShapesDecideWhichMethodsAnswer)
{
    const Calc::Tool *tool = Calc::findCalcTool(QStringLiteral("pruefziffer"));
    const Calc::Outcome out =
        tool->run({{QStringLiteral("nummer"), QStringLiteral("4006381333931")}});
    QStringList methods;
    for (const QJsonValue &v : out.value(QStringLiteral("ergebnisse")).json.toArray())
        methods.append(v.toObject().value(QStringLiteral("verfahren")).toString());
    EXPECT_EQ(methods, QStringList({"isbn13", "ean13", "luhn"}));
    EXPECT_TRUE(refuses("pruefziffer", {{QStringLiteral("nummer"), QStringLiteral("12?4?")}}));
    EXPECT_TRUE(refuses("pruefziffer", {{QStringLiteral("nummer"), QStringLiteral("ABC")}}));
    EXPECT_TRUE(refuses("pruefziffer",
                        {{QStringLiteral("nummer"), QStringLiteral("123")},
                         {QStringLiteral("verfahren"), QStringLiteral("isbn10")}}));
    EXPECT_TRUE(refuses("pruefziffer",
                        {{QStringLiteral("nummer"), QString(65, u'1')},
                         {QStringLiteral("verfahren"), QStringLiteral("luhn")}}));
    EXPECT_FALSE(refuses("pruefziffer",
                         {{QStringLiteral("nummer"), QString(64, u'0')},
                          {QStringLiteral("verfahren"), QStringLiteral("luhn")}}));
}

TEST(CalcHashes, PublishedTestVectors)
{
    const QString V = QStringLiteral("verfahren"), T = QStringLiteral("text");
    runCases({
        {"hash",
         {{V, "md4"}, {T, "abc"}},
         "hashes",
         "md4         a448017aaf21d8525fc10ae87aa6729d"},
        {"hash", {{V, "md5"}, {T, ""}}, "hashes", "md5         d41d8cd98f00b204e9800998ecf8427e"},
        {"hash",
         {{V, "md5"}, {T, "abc"}},
         "hashes",
         "md5         900150983cd24fb0d6963f7d28e17f72"},
        {"hash",
         {{V, "sha1"}, {T, "abc"}},
         "hashes",
         "sha1        a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"hash",
         {{V, "sha224"}, {T, "abc"}},
         "hashes",
         "sha224      23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
        {"hash",
         {{V, "sha256"}, {T, "abc"}},
         "hashes",
         "sha256      ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"hash",
         {{V, "sha512"}, {T, "abc"}},
         "hashes",
         "sha512      ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
         "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
        {"hash",
         {{V, "sha3_224"}, {T, "abc"}},
         "hashes",
         "sha3_224    e642824c3f8cf24ad09234ee7d3c766fc9a3a5168d0c94ad73b46fdf"},
        {"hash",
         {{V, "sha3_256"}, {T, "abc"}},
         "hashes",
         "sha3_256    3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532"},
        {"hash",
         {{V, "keccak_256"}, {T, ""}},
         "hashes",
         "keccak_256  c5d2460186f7233c927e7db2dcc703c0e500b653ca82273b7bfad8045d85a470"},
        {"hash",
         {{V, "blake2s_256"}, {T, "abc"}},
         "hashes",
         "blake2s_256 508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982"},
        {"hash",
         {{V, "sha256"}, {T, "what do ya want for nothing?"}, {"hmac", "Jefe"}},
         "hashes",
         "sha256      5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {"hash",
         {{V, "md5"}, {T, "ä"}, {"kodierung", "latin1"}},
         "hashes",
         "md5         c15bcc5577f9fade4b4a3256190a59b0"},
        {"hash", {{V, "md5"}, {T, "ä"}}, "hashes", "md5         8419b71c87a225a2c70b50486fbee545"},
        {"hash",
         {{V, "md5"}, {T, "ab"}, {"kodierung", "utf16le"}},
         "hashes",
         "md5         aa3a791e273bce9cf4a2a7caa9028b36"},
        {"hash-erkennen", {{"hex", "900150983cd24fb0d6963f7d28e17f72"}}, "verfahren", "md4, md5"},
        {"hash-erkennen", {{"hex", QString(40, u'a')}}, "verfahren", "sha1"},
    });
    EXPECT_TRUE(refuses("hash", {{T, "€"}, {"kodierung", "latin1"}}));
    EXPECT_TRUE(refuses("hash-erkennen", {{"hex", "xyz"}}));
    EXPECT_TRUE(refuses("hash", {{"datei", "/nicht/da"}}));
}

} // namespace

// Data longer than one read block, plain and keyed, must give the digest of the whole at once;
// a read error part way must be refused, not hashed as a shorter file.
TEST(CalcHashes, BlocksAndReadErrors)
{
    QByteArray data((1 << 20) + 3, '\0');
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = char(i * 131 + 7);
    for (const Calc::HashMethod &method : Calc::hashMethods()) {
        for (const QByteArray &key : {QByteArray(), QByteArray("Schlüssel")}) {
            SCOPED_TRACE(method.name.toStdString() + (key.isEmpty() ? "" : " hmac"));
            QBuffer buffer(&data);
            buffer.open(QIODevice::ReadOnly);
            const QByteArray expected = key.isEmpty()
                ? QCryptographicHash::hash(data, method.algorithm)
                : QMessageAuthenticationCode::hash(data, key, method.algorithm);
            EXPECT_EQ(Calc::hashDevice(buffer, method.algorithm, key).toHex(), expected.toHex());
            FailingDevice failing((1 << 20) + 1, data);
            failing.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
            EXPECT_THROW(Calc::hashDevice(failing, method.algorithm, key), QuarvelError);
        }
    }
}

// A file input names what stands at the path: nothing, or something that is no plain file
// (a pipe could block the reader, a device never end).
TEST(CalcInputs, AFileInputNamesWhatIsAtThePath)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const Calc::InputDecl decl {QStringLiteral("datei"), QStringLiteral("Datei"),
                                Calc::InputKind::File};
    const struct
    {
        QString path;
        const char *message; // empty: accepted
    } cases[] = {
        {plain.fileName(), ""},
        {dir.filePath(QStringLiteral("fehlt")), "gibt es nicht"},
        {fifo, "keine gewöhnliche Datei"},
        {dir.path(), "keine gewöhnliche Datei"},
        {QStringLiteral("/dev/zero"), "keine gewöhnliche Datei"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString message;
        try {
            Calc::checkInput(decl, c.path);
        } catch (const QuarvelError &error) {
            message = error.message();
        }
        if (*c.message == '\0')
            EXPECT_EQ(message, QString());
        else
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
    }
}
