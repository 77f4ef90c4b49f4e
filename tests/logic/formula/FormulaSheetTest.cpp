#include "logic/formula/FormulaSheet.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFunctions.h"

#include <gtest/gtest.h>

using namespace Formula;

namespace {

// The value as the calculator shows it, or the error message.
QString shown(const QString &expression, const FormulaSheet &sheet = FormulaSheet({}))
{
    try {
        return sheet.evaluate(expression).toText(u',');
    } catch (const QuarvelError &error) {
        return QStringLiteral("Fehler: ") + error.message();
    }
}

struct Case
{
    const char16_t *expression;
    const char16_t *expected; // the shown value, or the start of the error message
};

void check(const std::initializer_list<Case> &cases)
{
    for (const Case &c : cases) {
        const QString expression = QString::fromUtf16(c.expression);
        const QString expected = QString::fromUtf16(c.expected);
        SCOPED_TRACE(expression.toStdString());
        const QString got = shown(expression);
        if (expected.startsWith(QLatin1String("Fehler")))
            EXPECT_TRUE(got.startsWith(expected)) << got.toStdString();
        else
            EXPECT_EQ(got, expected);
    }
}

} // namespace

TEST(SheetGrammar, ReadsPrecedenceAndSignsAsTheVariableCoordinates)
{
    check({
        {u"2+3*4", u"14"},
        {u"(2+3)*4", u"20"},
        {u"10-4-3", u"3"},
        {u"-2^2", u"-4"},
        {u"2^3^2", u"512"},
        {u"2^-1", u"0,5"},
        {u"--3", u"3"},
        {u"−3+5", u"2"},
        {u"5−2", u"3"},
        {u"3×4", u"12"},
        {u"2·3", u"6"},
        {u"8÷2", u"4"},
        {u"8:2", u"4"},
        {u"-7%3", u"-1"}, // the remainder keeps the dividend's sign, as in the coordinates
        {u"0^0", u"1"},
        {u"7/2", u"3,5"},
        {u"1/3", u"0,333333333333333333333333333333"},
        {u"2/3", u"0,666666666666666666666666666667"},
        {u"0,1+0,2", u"0,3"},
        {u"1.5+1,5", u"3"},
        {u"2^100", u"1267650600228229401496703205376"},
        {u"99999999999999999999*99999999999999999999", u"9999999999999999999800000000000000000001"},
        {u"9223372036854775807+1", u"9223372036854775808"},
        {u"-9223372036854775807-2", u"-9223372036854775809"},
        {u"1/2^40", u"0,0000000000009094947017729282379150390625"},
        {u"10^40+0,5", u"10000000000000000000000000000000000000000,5"}, // exact, so in full
        {u"10^40/3", u"3,33333333333333333333333333333e39"},
        {u"1/(3*10^25)", u"3,33333333333333333333333333333e-26"},
    });
}

TEST(SheetGrammar, NamesWhereItFails)
{
    check({
        {u"1/0", u"Fehler: Zeichen 2: Division durch null"},
        {u"1+wurzel(-4)", u"Fehler: Zeichen 3: wurzel: Die Wurzel aus einer negativen Zahl (-4)"},
        {u"2*/3", u"Fehler: Zeichen 3:"},
        {u"(1+2", u"Fehler: Zeichen 1:"},
        {u"foo(3)", u"Fehler: Zeichen 1: „foo“ ist keine Funktion"},
        {u"wurzel(2;3)", u"Fehler: Zeichen 1: wurzel bekommt 2 Argumente"},
        {u"min(3, 4)", u"Fehler: Zeichen 6: Argumente werden durch „;“ getrennt"},
        {u"X+1", u"Fehler: Zeichen 1: „X“ ist nicht definiert"},
        {u"\"abc\"+1", u"Fehler: Zeichen 6: Mit dem Text „abc“ kann nicht gerechnet werden"},
        {u"0^-1", u"Fehler: Zeichen 2: Null hoch einer negativen Zahl"},
        {u"(-8)^(1/3)", u"Fehler: Zeichen 5: Eine negative Zahl hoch einer gebrochenen"},
        {u"2^400000", u"Fehler: Zeichen 2: Das Ergebnis hätte mehr als 100000 Stellen"},
        {u"qs(2^332000)", u"449077"}, // 99,942 digits: below the limit
        {u"2^332300", u"Fehler: Zeichen 2: Das Ergebnis hätte mehr als 100000 Stellen"},
        {u"e^100000000", u"Fehler: Zeichen 2: Das Ergebnis liegt außerhalb von 10^-100000"},
        {u"e^-100000000", u"Fehler: Zeichen 2: Das Ergebnis liegt außerhalb von 10^-100000"},
        {u"e^200000", u"7,87735921875845822866082746661e86858"},
        {u"bww(\"abc", u"Fehler: Zeichen 5: Zu diesem Anführungszeichen fehlt"},
    });
}

TEST(SheetFunctions, GiveTheirPublishedValues)
{
    check({
        {u"wurzel(2)", u"1,41421356237309504880168872421"},
        {u"sqrt(16)", u"4"},
        {u"wurzel(2,25)", u"1,5"},
        {u"nwurzel(27;3)", u"3"},
        {u"nwurzel(-8;3)", u"-2"},
        {u"nwurzel(2;3)", u"1,25992104989487316476721060728"},
        {u"pi", u"3,14159265358979323846264338328"},
        {u"e", u"2,71828182845904523536028747135"},
        {u"phi", u"1,61803398874989484820458683437"},
        {u"ln(2)", u"0,693147180559945309417232121458"},
        {u"ln(e)", u"1"},
        {u"log(1000)", u"3"},
        {u"log(0,01)", u"-2"},
        {u"log(8;2)", u"3"},
        {u"log(2^300000;2)", u"300000"}, // every factor taken out at once, not one by one
        {u"log(1/1024;2)", u"-10"},
        {u"log(2)", u"0,301029995663981195213738894724"},
        {u"sin(30)", u"0,5"},
        {u"sin(45)", u"0,707106781186547524400844362105"},
        {u"sin(90)", u"1"},
        {u"cos(90)", u"0"},
        {u"cos(60)", u"0,5"},
        {u"cos(180)", u"-1"},
        {u"tan(45)", u"1"},
        {u"arcsin(1)", u"90"},
        {u"arccos(0)", u"90"},
        {u"arctan(1)", u"45"},
        {u"asin(0,5)", u"30"},
        {u"runden(2,675;2)", u"2,68"},
        {u"runden(2,5)", u"3"},
        {u"runden(-2,5)", u"-3"},
        {u"runden(1234;-2)", u"1200"},
        {u"runden(pi;4)", u"3,1416"},
        {u"abrunden(2,9)", u"2"},
        {u"abrunden(-2,5)", u"-3"},
        {u"aufrunden(2,1)", u"3"},
        {u"aufrunden(2,001;2)", u"2,01"},
        {u"betrag(-3,5)", u"3,5"},
        {u"abs(4)", u"4"},
        {u"min(3;1,5;2)", u"1,5"},
        {u"max(3;1,5;2)", u"3"},
        {u"mod(-7;3)", u"2"},
        {u"mod(7;-3)", u"-2"},
        {u"mod(7,5;2)", u"1,5"},
        {u"ggt(12;18)", u"6"},
        {u"ggt(12;18;8)", u"2"},
        {u"kgv(4;6)", u"12"},
        {u"fakultaet(0)", u"1"},
        {u"fakultaet(20)", u"2432902008176640000"},
        {u"fakultät(25)", u"15511210043330985984000000"},
        {u"qs(1987)", u"25"},
        {u"qs(-1987)", u"25"},
        {u"iqs(1987)", u"7"},
        {u"aqs(1234)", u"2"},
        {u"aqs(918082)", u"-22"}, // 2-8+0-8+1-9: a multiple of 11 as 918082 is
        {u"bww(\"Kirche\")", u"54"},
        {u"bww(\"Zürich\")", u"93"},
        {u"laenge(\"Hallo Welt\")", u"9"},
        {u"ziffer(1987;1)", u"1"},
        {u"ziffer(1987;4)", u"7"},
        {u"rom(\"MCMXC\")", u"1990"},
        {u"rom(\"mmxxiv\")", u"2024"},
        {u"vanity(\"QUARVEL\")", u"7827835"},
        {u"vanity(\"Geo Cache\")", u"43622243"},
        {u"zeichen(\"A\")", u"65"},
        {u"zeichen(\"€\")", u"8364"},
        {u"QS(99)+IQS(99)", u"27"}, // case does not matter
    });
}

TEST(SheetFunctions, RefuseWhatIsOutsideTheirRange)
{
    check({
        {u"wurzel(-4)", u"Fehler: Zeichen 1: wurzel: Die Wurzel aus einer negativen Zahl"},
        {u"nwurzel(-16;4)", u"Fehler: Zeichen 1: nwurzel: Die Wurzel aus einer negativen Zahl"},
        {u"nwurzel(8;0)", u"Fehler: Zeichen 1: nwurzel (n) erwartet eine ganze Zahl von 1"},
        {u"tan(90)", u"Fehler: Zeichen 1: tan(90°) ergibt hier keine endliche Zahl"},
        {u"tan(270)", u"Fehler: Zeichen 1: tan(270°)"},
        {u"arcsin(1,0001)", u"Fehler: Zeichen 1: arcsin ist nur für Zahlen von -1 bis 1"},
        {u"ln(0)", u"Fehler: Zeichen 1: ln ist nur für Zahlen über 0"},
        {u"log(8;1)", u"Fehler: Zeichen 1: log: Die Basis"},
        {u"mod(5;0)", u"Fehler: Zeichen 1: mod: Division durch null"},
        {u"5%0", u"Fehler: Zeichen 2: Rest einer Division durch null"},
        {u"ziffer(1987;5)", u"Fehler: Zeichen 1: ziffer: 1987 hat nur 4 Ziffern"},
        {u"ziffer(1987;0)", u"Fehler: Zeichen 1: ziffer (Stelle) erwartet eine ganze Zahl von 1"},
        {u"ziffer(19,5;1)", u"Fehler: Zeichen 1: ziffer erwartet eine ganze Zahl, nicht 19,5"},
        {u"fakultaet(25001)",
         u"Fehler: Zeichen 1: fakultaet erwartet eine ganze Zahl von 0 bis 25000"},
        {u"fakultaet(-1)", u"Fehler: Zeichen 1: fakultaet erwartet"},
        {u"qs(1,5)", u"Fehler: Zeichen 1: qs erwartet eine ganze Zahl"},
        {u"bww(12)", u"Fehler: Zeichen 1: bww erwartet einen Text"},
        {u"rom(\"X1\")", u"Fehler: Zeichen 1: rom: „X1“ ist keine römische Zahl"},
        {u"rom(\"\")", u"Fehler: Zeichen 1: rom: „“ ist keine römische Zahl"},
        {u"vanity(\"123\")", u"Fehler: Zeichen 1: vanity: Zeichen 1 („1“) hat keine Taste"},
        {u"vanity(\" \")", u"Fehler: Zeichen 1: vanity: „ “ enthält keinen Buchstaben"},
        {u"zeichen(\"AB\")", u"Fehler: Zeichen 1: zeichen erwartet genau ein Zeichen, nicht 2"},
        {u"zeichen(\"\")", u"Fehler: Zeichen 1: zeichen erwartet genau ein Zeichen, nicht 0"},
        {u"runden(1;1001)", u"Fehler: Zeichen 1: runden (Stellen) erwartet"},
    });
    // Far up to the limits: the largest factorial and rounding at its most digits still come.
    EXPECT_EQ(shown(QStringLiteral("laenge(\"x\")+qs(fakultaet(25000))")).isEmpty(), false);
    EXPECT_EQ(shown(QStringLiteral("runden(1/3;1000)")).left(4), QStringLiteral("0,33"));
    EXPECT_EQ(shown(QStringLiteral("runden(1/3;-1000)")), QStringLiteral("0"));
}

TEST(FormulaSheet, ResolvesNamesInAnyOrder)
{
    const FormulaSheet sheet({{"D", "qs(A)*B"},
                              {"C", "runden(wurzel(A - B); 2)"},
                              {"A", "1987"},
                              {"B", "12"},
                              {"Kirche", "\"Sankt Marien\""},
                              {"W", "bww(kirche)"},
                              {"E", "5"}});
    const auto &results = sheet.results();
    ASSERT_EQ(results.size(), 7u);
    EXPECT_EQ(results[0].value.toText(u','), QStringLiteral("300"));
    EXPECT_EQ(results[1].value.toText(u','), QStringLiteral("44,44"));
    EXPECT_EQ(results[5].value.toText(u','), QStringLiteral("125"));
    for (const auto &result : results)
        EXPECT_TRUE(result.ok) << result.error.toStdString();
    // A name hides the constant of the same name, whatever its case.
    EXPECT_EQ(shown(QStringLiteral("e*2"), sheet), QStringLiteral("10"));
    EXPECT_EQ(shown(QStringLiteral("a+b"), sheet), QStringLiteral("1999"));
}

TEST(FormulaSheet, NamesEveryCycleAndWhatDependsOnIt)
{
    const FormulaSheet sheet({{"A", "B+1"},
                              {"B", "A*2"},
                              {"C", "C+1"},
                              {"D", "A+1"},
                              {"F", "7"},
                              {"F", "8"},
                              {"1X", "3"},
                              {"", "4"},
                              {"", ""},
                              {"G", "H"}});
    const auto &results = sheet.results();
    const QString expected[] = {
        QStringLiteral("Zirkelbezug: A → B → A"),
        QStringLiteral("Zirkelbezug: A → B → A"),
        QStringLiteral("Zirkelbezug: C → C"),
        QStringLiteral("Zeichen 1: „A“ hat keinen Wert."),
        QString(),
        QStringLiteral("„F“ ist schon in Zeile 5 definiert."),
        QStringLiteral("„1X“ ist kein Name"),
        QStringLiteral("Die Zeile hat keinen Namen."),
        QString(),
        QStringLiteral("Zeichen 1: „H“ ist nicht definiert."),
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(results[i].error.startsWith(expected[i])) << results[i].error.toStdString();
        EXPECT_EQ(results[i].ok, i == 4);
    }
    EXPECT_TRUE(shown(QStringLiteral("A"), sheet).contains(QStringLiteral("hat keinen Wert")));
}

TEST(FormulaSheet, RefusesMoreEntriesThanItsLimit)
{
    for (const int count : {kMaxSheetEntries - 1, kMaxSheetEntries, kMaxSheetEntries + 1}) {
        SCOPED_TRACE(count);
        // Each entry refers to the one after it: the deepest chain the limit allows.
        std::vector<SheetEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({QStringLiteral("N%1").arg(i),
                               i + 1 < count ? QStringLiteral("N%1+1").arg(i + 1) : "0"});
        if (count > kMaxSheetEntries) {
            EXPECT_THROW(FormulaSheet {entries}, QuarvelError);
        } else {
            const FormulaSheet sheet(entries);
            EXPECT_EQ(sheet.results().front().value.toText(u','), QString::number(count - 1));
        }
    }
}
