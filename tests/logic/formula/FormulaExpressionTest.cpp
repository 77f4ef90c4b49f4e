#include "logic/formula/FormulaExpression.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Formula;

namespace {

Values sample()
{
    Values values;
    values[0] = 12; // A
    values[1] = 3; // B
    values[2] = -4; // C
    values[25] = 0; // Z
    return values;
}

std::optional<int64_t> evaluate(const QString &text)
{
    SyntaxError error;
    const auto expression = Expression::parse(text, error);
    EXPECT_TRUE(expression.has_value())
        << text.toStdString() << ": " << error.message.toStdString();
    return expression ? expression->evaluate(sample()) : std::nullopt;
}

} // namespace

TEST(FormulaExpression, EvaluatesTheGrammar)
{
    const struct
    {
        const char16_t *text;
        int64_t value;
    } cases[] = {
        {u"7", 7},
        {u"A+B", 15},
        {u"A-B-1", 8}, // left-associative
        {u"2+3*4", 14},
        {u"(2+3)*4", 20},
        {u"A/B", 4},
        {u"A%5", 2},
        {u"-A", -12},
        {u"--A", 12},
        {u"+A", 12},
        {u"-2^2", -4}, // the power binds closer than the sign
        {u"2^3^2", 512}, // right-associative
        {u"2^-0", 1},
        {u"0^0", 1},
        {u"C*C", 16},
        {u"C%3", -1}, // the remainder has the sign of the dividend
        {u"((((A))))", 12},
        {u" A \t+ B ", 15},
        {u"a+b", 15}, // lower case is the same variable
        {u"QS(12345)", 15},
        {u"QS(C)", 4},
        {u"IQS(99999)", 9}, // 45 -> 9
        {u"IQS(0)", 0},
        {u"qs(A)+1", 4},
        {u"BWW(\"ABC\")", 6},
        {u"BWW(\"Zürich\")", 26 + 29 + 18 + 9 + 3 + 8},
        {u"BWW(\"a(b)\")", 3}, // brackets inside the text are letters of it
        {u"BWW(\"\")", 0},
        {u"9223372036854775807", std::numeric_limits<int64_t>::max()},
        {u"-9223372036854775807-1", std::numeric_limits<int64_t>::min()},
        {u"2^62", int64_t(1) << 62},
        {u"A×B", 36},
        {u"A:B", 4},
        {u"−A", -12}, // the typographic minus
        {u"Z*5", 0},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(evaluate(text), std::optional<int64_t>(c.value));
    }
}

TEST(FormulaExpression, InvalidCandidatesGiveNoValue)
{
    // Each is well-formed but has no whole 64-bit value for the sample values.
    const char16_t *cases[] = {
        u"A/5", // remainder
        u"A/Z", // division by zero
        u"A%Z",
        u"2^-1", // negative exponent
        u"2^63", // overflow
        u"(-2)^64",
        u"9223372036854775807+1",
        u"-9223372036854775807-2",
        u"(-9223372036854775807-1)/-1",
        u"(-9223372036854775807-1)*-1",
        u"-(-9223372036854775807-1)",
        u"3037000500*3037000500",
        u"D+1", // a variable without a value
        u"QS(D)",
    };
    for (const char16_t *c : cases) {
        const QString text = QString::fromUtf16(c);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(evaluate(text), std::nullopt);
    }
}

TEST(FormulaExpression, SyntaxErrorsNameTheirPosition)
{
    const struct
    {
        const char16_t *text;
        qsizetype position;
        const char16_t *messagePart;
    } cases[] = {
        {u"", 0, u"leer"},
        {u"   ", 3, u"leer"},
        {u"A+", 2, u"endet zu früh"},
        {u"A+*B", 2, u"nicht „*“"},
        {u"(A+B", 0, u"fehlt die schließende"},
        {u"A+B)", 3, u"fehlt die öffnende"},
        {u"AB", 0, u"„AB“ ist keine Funktion"},
        {u"A B", 2, u"Rechenzeichen"},
        {u"2A", 1, u"Rechenzeichen"},
        {u"QS 5", 3, u"Nach QS wird „(“"},
        {u"QS(5", 2, u"fehlt die schließende"},
        {u"FOO(1)", 0, u"keine Funktion"},
        {u"BWW(5)", 4, u"Anführungszeichen"},
        {u"BWW(\"abc)", 4, u"das schließende"},
        {u"BWW", 3, u"Nach BWW"},
        {u"99999999999999999999", 0, u"zu groß"},
        {u"A ? B", 2, u"„?“"},
        {u"()", 1, u"nicht „)“"},
        {u"2^", 2, u"endet zu früh"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        SyntaxError error;
        EXPECT_FALSE(Expression::parse(text, error).has_value());
        EXPECT_EQ(error.position, c.position);
        EXPECT_TRUE(error.message.contains(QString::fromUtf16(c.messagePart)))
            << error.message.toStdString();
        // The offset moves the position into a longer text.
        SyntaxError shifted;
        Expression::parse(text, shifted, 10);
        EXPECT_EQ(shifted.position, c.position + 10);
    }
}

TEST(FormulaExpression, ReportsTheVariablesItUses)
{
    SyntaxError error;
    const auto expression = Expression::parse(QStringLiteral("A + qs(c) * Z"), error);
    ASSERT_TRUE(expression);
    EXPECT_EQ(expression->variablesUsed(), (1u << 0) | (1u << 2) | (1u << 25));
}

TEST(FormulaExpression, DeepNestingNeedsNoFixedStack)
{
    // 40 nested additions keep 41 values on the stack at once, more than fit inline.
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("1+(");
    text += u'1';
    text += QString(40, u')');
    EXPECT_EQ(evaluate(text), std::optional<int64_t>(41));
}

TEST(FormulaExpression, NestingIsLimitedAtTheLevelThatGoesTooDeep)
{
    // Each kind of nesting descends once per level: brackets, signs, powers and functions.
    const auto brackets = [](int n) { return QString(n, u'(') + u'7' + QString(n, u')'); };
    const auto signs = [](int n) { return QString(n, u'-') + u'7'; };
    const auto powers = [](int n) { return QStringLiteral("1^").repeated(n) + u'1'; };
    const auto sums = [](int n) {
        return QStringLiteral("QS(").repeated(n) + u'7' + QString(n, u')');
    };
    const struct
    {
        const char *name;
        QString text;
        qsizetype errorPosition; // -1: parses
    } cases[] = {
        {"brackets below", brackets(kMaxNesting - 1), -1},
        {"brackets at", brackets(kMaxNesting), -1},
        {"brackets above", brackets(kMaxNesting + 1), kMaxNesting},
        {"50,000 brackets", brackets(50000), kMaxNesting},
        {"signs at", signs(kMaxNesting), -1},
        {"signs above", signs(kMaxNesting + 1), kMaxNesting},
        {"powers at", powers(kMaxNesting), -1},
        {"powers above", powers(kMaxNesting + 1), 2 * kMaxNesting + 1},
        {"functions at", sums(kMaxNesting), -1},
        {"functions above", sums(kMaxNesting + 1), 3 * kMaxNesting + 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SyntaxError error;
        const auto expression = Expression::parse(c.text, error, 10);
        EXPECT_EQ(expression.has_value(), c.errorPosition < 0) << error.message.toStdString();
        if (c.errorPosition >= 0) {
            EXPECT_EQ(error.position, 10 + c.errorPosition);
            EXPECT_EQ(error.message,
                      QStringLiteral("Der Ausdruck ist zu tief verschachtelt: höchstens 256 "
                                     "Klammern, Vorzeichen und Potenzen ineinander."));
        }
    }
}

TEST(FormulaExpression, DigitSums)
{
    EXPECT_EQ(digitSum(0), 0);
    EXPECT_EQ(digitSum(-987), 24);
    EXPECT_EQ(digitSum(std::numeric_limits<int64_t>::min()), 89); // 9223372036854775808
    EXPECT_EQ(iteratedDigitSum(std::numeric_limits<int64_t>::min()), 8);
    EXPECT_EQ(iteratedDigitSum(10), 1);
}
