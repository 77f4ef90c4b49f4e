// The compiled 64-bit engine, one candidate at a time and in blocks, against the step-by-step
// interpreter and, for the formula calculator, against the exact engine.
#include "logic/formula/FormulaExpression.h"
#include "logic/formula/SheetExpression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

using namespace Formula;

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

Expression parsed(const QString &text)
{
    SyntaxError error;
    auto expression = Expression::parse(text, error);
    EXPECT_TRUE(expression.has_value())
        << text.toStdString() << ": " << error.message.toStdString();
    return expression ? *expression : *Expression::parse(QStringLiteral("0"), error);
}

// The value of candidate `index` from the batch evaluation of all candidates.
std::optional<int64_t> batchValue(const Expression &expression, const Columns &columns,
                                  size_t count, size_t index)
{
    std::vector<int64_t> out(count, -1);
    std::vector<uint8_t> ok(count, 2);
    expression.evaluateBatch(columns, count, out.data(), ok.data());
    EXPECT_TRUE(ok[index] == 1 || (ok[index] == 0 && out[index] == 0));
    return ok[index] ? std::optional<int64_t>(out[index]) : std::nullopt;
}

std::string show(const std::optional<int64_t> &value)
{
    return value ? std::to_string(*value) : std::string("-");
}

// Compares the three ways for every candidate of the columns (`count` of them); returns how many
// had a value.
size_t expectSame(const QString &text, const Expression &expression,
                  const std::array<std::vector<int64_t>, 4> &columns, size_t count)
{
    Columns pointers {};
    for (size_t v = 0; v < columns.size(); ++v)
        pointers[v] = columns[v].data();
    std::vector<int64_t> out(count, -1);
    std::vector<uint8_t> ok(count, 2);
    expression.evaluateBatch(pointers, count, out.data(), ok.data());
    size_t valid = 0;
    for (size_t i = 0; i < count; ++i) {
        Values values;
        for (size_t v = 0; v < columns.size(); ++v)
            values[v] = columns[v][i];
        const auto expected = expression.evaluateSteps(values);
        const auto single = expression.evaluate(values);
        const auto batch = ok[i] ? std::optional<int64_t>(out[i]) : std::nullopt;
        const bool same =
            single == expected && batch == expected && ok[i] <= 1 && (ok[i] || out[i] == 0);
        if (!same) {
            ADD_FAILURE() << text.toStdString() << " A=" << columns[0][i] << " B=" << columns[1][i]
                          << " C=" << columns[2][i] << " D=" << columns[3][i] << ": steps "
                          << show(expected) << ", compiled " << show(single) << ", batch "
                          << show(batch);
            return valid;
        }
        valid += expected.has_value();
    }
    return valid;
}

// Values that lie at, just inside and just beyond the limits of the operations, and ordinary ones.
int64_t anyValue(std::mt19937_64 &random)
{
    // 3037000499 is the largest number whose square fits.
    static const int64_t special[] = {0,
                                      1,
                                      -1,
                                      2,
                                      -2,
                                      3,
                                      7,
                                      10,
                                      1000,
                                      -1000,
                                      kMax,
                                      kMin,
                                      kMax - 1,
                                      kMin + 1,
                                      3037000499,
                                      3037000500,
                                      -3037000499,
                                      -3037000500,
                                      int64_t(1) << 31,
                                      int64_t(1) << 32,
                                      int64_t(1) << 62,
                                      -(int64_t(1) << 62),
                                      (int64_t(1) << 62) - 1,
                                      kMax / 3,
                                      kMin / 3};
    switch (random() % 4) {
    case 0:
        return special[random() % std::size(special)];
    case 1:
        return int64_t(random() % 21) - 10;
    case 2:
        return int64_t(random());
    default:
        return int64_t(random() % 2001) - 1000;
    }
}

// A random expression over A..D; `digitSums`: with QS and IQS (the coordinate grammar only).
QString anyExpression(std::mt19937_64 &random, int depth, bool digitSums)
{
    static const QStringList numbers =
        QStringLiteral("0 1 2 3 7 10 63 64 360 1000 3037000500 4611686018427387904 "
                       "9223372036854775807")
            .split(u' ');
    if (depth <= 0 || random() % 5 == 0) {
        if (random() % 2)
            return QString(QChar(char16_t(u'A' + random() % 4)));
        return numbers[qsizetype(random() % size_t(numbers.size()))];
    }
    const QString inner = anyExpression(random, depth - 1, digitSums);
    switch (random() % 10) {
    case 0:
        return QStringLiteral("-%1").arg(inner);
    case 1:
        return (digitSums ? QStringLiteral("QS(%1)") : QStringLiteral("(%1)")).arg(inner);
    case 2:
        return (digitSums ? QStringLiteral("IQS(%1)") : QStringLiteral("-%1")).arg(inner);
    default: {
        static const char operators[] = "+-*/%^";
        // One pass over the pattern: the texts themselves contain "%".
        return QStringLiteral("(%1%2%3)")
            .arg(inner, QString(QChar(char16_t(operators[random() % 6]))),
                 anyExpression(random, depth - 1, digitSums));
    }
    }
}

} // namespace

TEST(WholeProgram, KeepsTheLimitsOfEveryOperation)
{
    const struct
    {
        const char16_t *text;
        int64_t a;
        int64_t b;
        std::optional<int64_t> value;
    } cases[] = {
        {u"A+1", kMax - 1, 0, kMax},
        {u"A+1", kMax, 0, std::nullopt},
        {u"A+B", kMin, -1, std::nullopt},
        {u"A+B", kMin, kMax, -1},
        {u"A-1", kMin + 1, 0, kMin},
        {u"A-1", kMin, 0, std::nullopt},
        {u"A-B", 0, kMin, std::nullopt},
        {u"A-B", -1, kMin, kMax},
        {u"A*2", (int64_t(1) << 62) - 1, 0, kMax - 1},
        {u"A*2", int64_t(1) << 62, 0, std::nullopt},
        {u"A*2", -(int64_t(1) << 62), 0, kMin},
        {u"A*B", kMin, -1, std::nullopt},
        {u"A*B", 3037000499, 3037000499, 9223372030926249001},
        {u"A*B", 3037000500, 3037000500, std::nullopt},
        {u"-A", kMin + 1, 0, kMax},
        {u"-A", kMin, 0, std::nullopt},
        {u"A/B", kMin, -1, std::nullopt},
        {u"A/B", kMin + 1, -1, kMax},
        {u"A/B", 7, 0, std::nullopt},
        {u"A/B", 0, 0, std::nullopt},
        {u"A/3", 7, 0, std::nullopt}, // a remainder
        {u"A/3", -9, 0, -3},
        {u"A/-3", kMin + 2, 0, kMax / 3}, // 2^63 - 2 is a multiple of 3
        {u"A/-1", kMin, 0, std::nullopt},
        {u"A/-1", kMin + 1, 0, kMax},
        {u"A/9223372036854775807", kMin + 1, 0, -1},
        {u"A/9223372036854775807", kMin, 0, std::nullopt},
        {u"A/(-9223372036854775807-1)", kMin, 0, 1},
        {u"A/(-9223372036854775807-1)", kMax, 0, std::nullopt},
        {u"A%B", kMin, -1, std::nullopt}, // refused like the quotient, though it would be 0
        {u"A%-1", kMin, 0, std::nullopt},
        {u"A%-1", kMin + 1, 0, 0},
        {u"A%1", kMin, 0, 0},
        {u"A%B", 5, 0, std::nullopt},
        {u"A%1000", -1234, 0, -234},
        {u"A%-1000", 1234, 0, 234},
        {u"A%1000", kMin, 0, -808},
        {u"A%1000", kMax, 0, 807},
        {u"A%9223372036854775807", kMin, 0, -1},
        {u"A%(-9223372036854775807-1)", kMax, 0, kMax},
        {u"A%(-9223372036854775807-1)", kMin, 0, 0},
        {u"A%0", 5, 0, std::nullopt},
        {u"A+1/0", 5, 0, std::nullopt}, // a constant part without a value
        {u"A+(2^63)", 0, 0, std::nullopt},
        {u"A+(2^62)", 0, 0, int64_t(1) << 62},
        {u"A^B", 2, 62, int64_t(1) << 62},
        {u"A^B", 2, 63, std::nullopt},
        {u"A^B", -2, 63, kMin},
        {u"A^B", -2, 64, std::nullopt},
        {u"A^B", 3037000499, 2, 9223372030926249001},
        {u"A^B", 3037000500, 2, std::nullopt},
        {u"A^B", 0, 0, 1},
        {u"A^B", 5, -1, std::nullopt},
        {u"A^B", 1, kMax, 1},
        {u"A^B", -1, kMax, -1},
        {u"QS(A)", kMin, 0, 89},
        {u"IQS(A)", kMin, 0, 8},
        {u"QS(A)", kMax, 0, 88},
        {u"A", kMin, 0, kMin},
        {u"B", 0, kMax, kMax},
        {u"7*6", 0, 0, 42},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString() + " A=" + std::to_string(c.a) +
                     " B=" + std::to_string(c.b));
        const Expression expression = parsed(text);
        Values values;
        values[0] = c.a;
        values[1] = c.b;
        EXPECT_EQ(expression.evaluateSteps(values), c.value);
        EXPECT_EQ(expression.evaluate(values), c.value);
        // The same candidate inside a block of others that are valid.
        std::vector<int64_t> a(300, 1), b(300, 1);
        a[257] = c.a;
        b[257] = c.b;
        Columns columns {};
        columns[0] = a.data();
        columns[1] = b.data();
        EXPECT_EQ(batchValue(expression, columns, a.size(), 257), c.value);
    }
}

TEST(WholeProgram, AgreesWithTheStepsOnRandomExpressions)
{
    std::mt19937_64 random(20261210);
    size_t valid = 0, total = 0;
    for (int round = 0; round < 1500; ++round) {
        const QString text = anyExpression(random, 1 + int(random() % 5), true);
        const Expression expression = parsed(text);
        // More than one block, and a last block that is not full.
        const size_t count = 300 + random() % 300;
        std::array<std::vector<int64_t>, 4> columns;
        for (auto &column : columns) {
            column.resize(count);
            for (int64_t &value : column)
                value = anyValue(random);
        }
        valid += expectSame(text, expression, columns, count);
        total += count;
        if (HasFailure())
            return;
    }
    // Both outcomes are exercised often.
    EXPECT_GT(valid, total / 4);
    EXPECT_LT(valid, total * 3 / 4);
}

TEST(WholeProgram, DividesByEveryKindOfConstant)
{
    std::mt19937_64 random(7);
    for (int round = 0; round < 600; ++round) {
        uint64_t divisor = 0;
        switch (round % 4) {
        case 0:
            divisor = random() % 100 + 1;
            break;
        case 1:
            divisor = random() >> (random() % 64);
            break;
        case 2: // powers of two and their neighbours
            divisor = (uint64_t(1) << (random() % 63)) + random() % 3 - 1;
            break;
        default:
            divisor = random() >> 1;
        }
        divisor = std::clamp<uint64_t>(divisor, 1, uint64_t(kMax));
        for (const char *sign : {"", "-"}) {
            for (const char *op : {"/", "%"}) {
                const QString text = QStringLiteral("A %1 %2%3")
                                         .arg(QLatin1String(op), QLatin1String(sign))
                                         .arg(divisor);
                const Expression expression = parsed(text);
                std::array<std::vector<int64_t>, 4> columns;
                for (auto &column : columns)
                    column.assign(300, 0);
                for (int64_t &a : columns[0]) {
                    switch (random() % 5) {
                    case 0:
                        a = int64_t(random());
                        break;
                    case 1: // a multiple, so the quotient has a value
                        a = int64_t(divisor * uint64_t(int64_t(random() % 2001) - 1000));
                        break;
                    case 2:
                        a = kMin + int64_t(random() % 5);
                        break;
                    case 3:
                        a = kMax - int64_t(random() % 5);
                        break;
                    default:
                        a = int64_t(random() % 2001) - 1000;
                    }
                }
                expectSame(text, expression, columns, columns[0].size());
                if (HasFailure())
                    return;
            }
        }
    }
}

TEST(WholeProgram, BatchesOfEverySize)
{
    const Expression expression = parsed(QStringLiteral("(A*3 + B*B - 7) % 1000"));
    const Expression constant = parsed(QStringLiteral("6*7"));
    const Expression variable = parsed(QStringLiteral("B"));
    for (const size_t count :
         {size_t(0), size_t(1), size_t(255), size_t(256), size_t(257), size_t(512), size_t(1000)}) {
        SCOPED_TRACE(count);
        std::array<std::vector<int64_t>, 4> columns;
        for (auto &column : columns)
            column.resize(count);
        for (size_t i = 0; i < count; ++i) {
            columns[0][i] = int64_t(i) * 7919 - 3000;
            // Overflowing squares now and then: blocks with failing candidates between others.
            columns[1][i] = i % 300 == 299 ? 3037000500 : int64_t(i & 1023);
        }
        expectSame(QStringLiteral("(A*3 + B*B - 7) % 1000"), expression, columns, count);
        expectSame(QStringLiteral("6*7"), constant, columns, count);
        expectSame(QStringLiteral("B"), variable, columns, count);
    }
}

// Each bracket on the right keeps one more value waiting: more registers than either engine
// holds on the machine stack (32 for one candidate, 8 for a block).
TEST(WholeProgram, DeeplyNestedExpressions)
{
    for (const int depth : {7, 8, 9, 31, 32, 33, 100}) {
        SCOPED_TRACE(depth);
        QString text = QStringLiteral("B");
        for (int level = 0; level < depth; ++level)
            text = QStringLiteral("A*(B-%1)").arg(text);
        const Expression expression = parsed(text);
        std::array<std::vector<int64_t>, 4> columns;
        for (auto &column : columns)
            column.assign(600, 0);
        for (size_t i = 0; i < 600; ++i) {
            columns[0][i] = int64_t(i % 5) - 2;
            columns[1][i] = int64_t(i) - 300;
        }
        // Large values overflow somewhere along the chain, small ones do not.
        columns[0][599] = kMax;
        columns[1][599] = kMax;
        const size_t valid = expectSame(text, expression, columns, 600);
        EXPECT_GT(valid, size_t(0));
        EXPECT_LT(valid, size_t(600));
    }
}

TEST(WholeProgram, ColumnMissingForAReadVariable)
{
    const Expression expression = parsed(QStringLiteral("A+C"));
    std::vector<int64_t> a(10, 1);
    Columns columns {};
    columns[0] = a.data();
    // Without C every candidate has no value; a column of an unread variable is not needed.
    EXPECT_EQ(batchValue(expression, columns, a.size(), 3), std::nullopt);
    const Expression onlyA = parsed(QStringLiteral("A*2"));
    EXPECT_EQ(batchValue(onlyA, columns, a.size(), 3), 2);
    Values values;
    values[0] = 1;
    EXPECT_EQ(expression.evaluate(values), std::nullopt);
    EXPECT_EQ(onlyA.evaluate(values), 2);
}

// The formula calculator's whole-number engine against its exact engine: the same expression
// with "+ 0,0" appended has a decimal number and is computed with fractions.
TEST(WholeProgram, SheetBatchAgreesWithTheExactEngine)
{
    std::mt19937_64 random(4711);
    size_t valid = 0;
    for (int round = 0; round < 300; ++round) {
        const QString text = anyExpression(random, 1 + int(random() % 4), false);
        const auto whole = SheetExpression::parse(text);
        const auto exact = SheetExpression::parse(QStringLiteral("(%1) + 0,0").arg(text));
        ASSERT_TRUE(whole.wholeOnly()) << text.toStdString();
        ASSERT_FALSE(exact.wholeOnly());
        const QStringList &names = whole.names();
        constexpr size_t kCount = 40;
        std::vector<std::vector<int64_t>> columns(size_t(names.size()),
                                                  std::vector<int64_t>(kCount));
        Columns pointers {};
        for (size_t n = 0; n < columns.size(); ++n) {
            for (int64_t &value : columns[n])
                value = anyValue(random);
            pointers[n] = columns[n].data();
        }
        std::vector<int64_t> out(kCount);
        std::vector<uint8_t> ok(kCount);
        whole.evaluateWholeBatch(pointers, kCount, out.data(), ok.data());
        for (size_t i = 0; i < kCount; ++i) {
            Values values;
            std::vector<SheetNumber> numbers;
            for (size_t n = 0; n < columns.size(); ++n) {
                values[n] = columns[n][i];
                numbers.push_back(SheetNumber::exact(mpz_class(static_cast<long>(columns[n][i]))));
            }
            const auto single = whole.evaluateWhole(values);
            ASSERT_EQ(single, ok[i] ? std::optional<int64_t>(out[i]) : std::nullopt)
                << text.toStdString();
            if (!single)
                continue;
            ++valid;
            const SheetNumber value = exact.evaluate(
                [&](const QString &name) { return &numbers[size_t(exact.names().indexOf(name))]; });
            ASSERT_TRUE(value.isExact() && value.isInteger()) << text.toStdString();
            EXPECT_EQ(value.rational().get_num(), mpz_class(static_cast<long>(*single)))
                << text.toStdString() << " at candidate " << i;
        }
    }
    EXPECT_GT(valid, size_t(1000));
}
