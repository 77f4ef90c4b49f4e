// The worked examples of the formula calculator's help page, computed by the calculator.
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetCoordinate.h"

#include <gtest/gtest.h>

using namespace Formula;

TEST(HelpExamples, FormelrechnerSheetAndCoordinate)
{
    const FormulaSheet sheet(
        {{"A", "1987"}, {"B", "12"}, {"C", "runden(wurzel(A - B); 2)"}, {"D", "qs(A) * B"}});
    const QString exact[] = {QStringLiteral("1987"), QStringLiteral("12"), QStringLiteral("44,44"),
                             QStringLiteral("300")};
    const QString rounded[] = {QStringLiteral("1987"), QStringLiteral("12"), QStringLiteral("44"),
                               QStringLiteral("300")};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(sheet.results()[i].value.toText(u','), exact[i]);
        EXPECT_EQ(sheet.results()[i].value.roundedText(), rounded[i]);
    }
    const SheetCoordinate coordinate =
        renderSheetCoordinate(QStringLiteral("N 52° [runden(C)-10].D E 013° 2F.[iqs(A)]00"), sheet);
    EXPECT_EQ(coordinate.unknown, QStringList {QStringLiteral("F")});
    EXPECT_EQ(coordinate.reduced, QStringLiteral("N 52° 34.300 E 013° 2F.700"));
}

TEST(HelpExamples, FormelrechnerFunctionTable)
{
    const FormulaSheet none({});
    const struct
    {
        const char16_t *expression;
        const char16_t *value;
    } rows[] = {
        {u"wurzel(2)", u"1,41421356237309504880168872421"},
        {u"nwurzel(-8; 3)", u"-2"},
        {u"runden(2,675; 2)", u"2,68"},
        {u"abrunden(-2,5)", u"-3"},
        {u"betrag(-3,5)", u"3,5"},
        {u"max(3; 1,5; 2)", u"3"},
        {u"min(3,5; 2)", u"2"},
        {u"mod(-7; 3)", u"2"},
        {u"-7 % 3", u"-1"},
        {u"kgv(4; 6)", u"12"},
        {u"fakultaet(20)", u"2432902008176640000"},
        {u"sin(30)", u"0,5"},
        {u"arctan(1)", u"45"},
        {u"log(1000)", u"3"},
        {u"qs(1987)", u"25"},
        {u"iqs(1987)", u"7"},
        {u"aqs(1234)", u"2"},
        {u"bww(\"Kirche\")", u"54"},
        {u"laenge(\"Hallo Welt\")", u"9"},
        {u"ziffer(1987; 2)", u"9"},
        {u"rom(\"MCMXC\")", u"1990"},
        {u"vanity(\"QUARVEL\")", u"7827835"},
        {u"zeichen(\"€\")", u"8364"},
        {u"pi", u"3,14159265358979323846264338328"},
        {u"e", u"2,71828182845904523536028747135"},
        {u"phi", u"1,61803398874989484820458683437"},
        {u"2^3^2", u"512"},
        {u"-2^2", u"-4"},
        {u"7/2", u"3,5"},
    };
    for (const auto &row : rows) {
        const QString expression = QString::fromUtf16(row.expression);
        SCOPED_TRACE(expression.toStdString());
        EXPECT_EQ(none.evaluate(expression).toText(u','), QString::fromUtf16(row.value));
    }
    try {
        none.evaluate(QStringLiteral("tan(90)"));
        ADD_FAILURE() << "tan(90) gave a value";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("keine endliche Zahl")));
    }
}
