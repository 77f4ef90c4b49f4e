// Number sequences by name: the n-th term and the index of a given term. Terms are exact; the
// counting follows the usual tables: F(0) = 0, L(0) = 2, P(0) = 0, T(0) = T(1) = 0, T(2) = 1,
// C(0) = 1, 0! = 1, the n-th triangle, square and cube number from n = 0, and the primes and
// Mersenne numbers 2^p − 1 of the p-th prime counted from 1.
#include "logic/calc/BigNumbers.h"
#include "logic/calc/CalcTool.h"
#include "logic/calc/NumberTools.h"
#include "logic/common/QuarvelError.h"

#include <primecount.hpp>
#include <primesieve.hpp>

#include <array>

namespace Calc {
namespace {

constexpr unsigned long kMaxIndex = 100000;

using Matrix = std::array<std::array<mpz_class, 3>, 3>;

Matrix multiply(const Matrix &a, const Matrix &b)
{
    Matrix c;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            c[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    return c;
}

mpz_class tribonacci(unsigned long n)
{
    // (T(n+2), T(n+1), T(n)) is the n-th power of the companion matrix applied to (1, 0, 0).
    Matrix result {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    Matrix base {{{1, 1, 1}, {1, 0, 0}, {0, 1, 0}}};
    for (unsigned long e = n; e > 0; e >>= 1) {
        if (e & 1)
            result = multiply(result, base);
        if (e > 1)
            base = multiply(base, base);
    }
    return result[2][0];
}

mpz_class pell(unsigned long n)
{
    // (1 + √2)^n = a + b√2 and P(n) = b.
    mpz_class a = 1, b = 0, x = 1, y = 1;
    for (unsigned long e = n; e > 0; e >>= 1) {
        if (e & 1) {
            const mpz_class na = a * x + 2 * b * y;
            b = a * y + b * x;
            a = na;
        }
        const mpz_class nx = x * x + 2 * y * y;
        y = 2 * x * y;
        x = nx;
    }
    return b;
}

unsigned long firstIndex(const QString &name)
{
    return name == u"primzahl" || name == u"mersenne" ? 1 : 0;
}

mpz_class term(const QString &name, unsigned long n)
{
    mpz_class v;
    if (name == u"fibonacci")
        mpz_fib_ui(v.get_mpz_t(), n);
    else if (name == u"lucas")
        mpz_lucnum_ui(v.get_mpz_t(), n);
    else if (name == u"pell")
        v = pell(n);
    else if (name == u"tribonacci")
        v = tribonacci(n);
    else if (name == u"catalan")
        mpz_bin_uiui(v.get_mpz_t(), 2 * n, n), v /= n + 1;
    else if (name == u"fakultaet")
        mpz_fac_ui(v.get_mpz_t(), n);
    else if (name == u"dreieck")
        v = mpz_class(n) * (n + 1) / 2;
    else if (name == u"quadrat")
        v = mpz_class(n) * n;
    else if (name == u"kubik")
        v = mpz_class(n) * n * n;
    else if (name == u"primzahl")
        v = mpz_class(std::to_string(primesieve::nth_prime(qint64(n))));
    else if (name == u"mersenne")
        mpz_ui_pow_ui(v.get_mpz_t(), 2, primesieve::nth_prime(qint64(n))), v -= 1;
    return v;
}

// The smallest index up to kMaxIndex whose term is x, or -1.
qint64 indexOf(const QString &name, const mpz_class &x)
{
    if (name == u"primzahl" || name == u"mersenne") {
        mpz_class p = x;
        if (name == u"mersenne") {
            const mpz_class next = x + 1;
            if (x < 3 || mpz_popcount(next.get_mpz_t()) != 1)
                return -1;
            p = mpz_class((unsigned long)(mpz_sizeinbase(next.get_mpz_t(), 2) - 1));
        }
        if (p < 2 || p > 1299709 || mpz_probab_prime_p(p.get_mpz_t(), 25) == 0)
            return -1; // 1299709 is the 100000th prime
        return primecount::pi(toInt64(p));
    }
    if (x < 0)
        return -1;
    mpz_class root, rest;
    if (name == u"quadrat" || name == u"kubik" || name == u"dreieck") {
        const mpz_class y = name == u"dreieck" ? 8 * x + 1 : x;
        const unsigned long k = name == u"kubik" ? 3 : 2;
        if (!mpz_root(root.get_mpz_t(), y.get_mpz_t(), k))
            return -1;
        const mpz_class n = name == u"dreieck" ? (root - 1) / 2 : root;
        return n <= kMaxIndex ? toInt64(n) : -1;
    }
    // The others grow from their third term on: walk term by term until one passes x.
    mpz_class a = name == u"lucas" ? 2 : name == u"catalan" || name == u"fakultaet" ? 1 : 0;
    mpz_class b = name == u"tribonacci" ? 0 : 1;
    mpz_class c = 1;
    for (unsigned long n = 0; n <= kMaxIndex; ++n) {
        if (a == x)
            return qint64(n);
        if (a > x && n >= 3)
            return -1;
        if (name == u"catalan") {
            a = a * 2 * (2 * n + 1) / (n + 2);
        } else if (name == u"fakultaet") {
            a *= n + 1;
        } else if (name == u"tribonacci") {
            const mpz_class next = a + b + c;
            a = b;
            b = c;
            c = next;
        } else {
            const mpz_class next = name == u"pell" ? mpz_class(2 * b + a) : mpz_class(a + b);
            a = b;
            b = next;
        }
    }
    return -1;
}

Outcome sequenceTool(const Values &values)
{
    const QString name = values.value(QStringLiteral("folge"));
    const QString search = values.value(QStringLiteral("suche")).trimmed();
    Outcome out;
    out.insert(QStringLiteral("folge"), {asText(), name});
    if (!search.isEmpty()) {
        const qint64 index = indexOf(name, readInteger(search, QStringLiteral("Suche")));
        out.insert(
            QStringLiteral("index"),
            index < 0
                ? ResultValue {QJsonValue(),
                               QStringLiteral("nicht unter den ersten %1 Gliedern").arg(kMaxIndex)}
                : ResultValue {index, QString::number(index)});
        return out;
    }
    const QString nText = values.value(QStringLiteral("n")).trimmed();
    if (nText.isEmpty())
        throw QuarvelError(QStringLiteral("N: Bitte den Index oder --suche angeben"));
    const qint64 n = toInt64(readInteger(nText, QStringLiteral("N")));
    if (n < qint64(firstIndex(name)))
        throw QuarvelError(QStringLiteral("N: Die Folge „%1“ beginnt bei Index %2")
                               .arg(name)
                               .arg(firstIndex(name)));
    out.insert(QStringLiteral("n"), {n, QString::number(n)});
    out.insert(QStringLiteral("wert"), {asText(), toText(term(name, (unsigned long)n))});
    return out;
}

} // namespace

std::vector<Tool> sequenceTools()
{
    InputDecl name {QStringLiteral("folge"), QStringLiteral("Folge"), InputKind::Choice,
                    QStringLiteral("fibonacci")};
    name.choices = {
        QStringLiteral("fibonacci"),  QStringLiteral("lucas"),   QStringLiteral("pell"),
        QStringLiteral("tribonacci"), QStringLiteral("catalan"), QStringLiteral("fakultaet"),
        QStringLiteral("dreieck"),    QStringLiteral("quadrat"), QStringLiteral("kubik"),
        QStringLiteral("primzahl"),   QStringLiteral("mersenne")};
    name.positional = true;
    name.help = QStringLiteral("welche Folge");
    InputDecl n {QStringLiteral("n"), QStringLiteral("Index N"), InputKind::Integer};
    n.minimum = QStringLiteral("0");
    n.maximum = QString::number(kMaxIndex);
    n.positional = true;
    n.optional = true;
    n.help = QStringLiteral("der Index des Glieds, 0 bis 100000 (Primzahlen ab 1)");
    InputDecl search {QStringLiteral("suche"), QStringLiteral("Suche Wert"), InputKind::Text};
    search.optional = true;
    search.help = QStringLiteral("statt des Glieds: an welchem Index steht dieser Wert?");
    return {Tool {QStringLiteral("zahl-folge"),
                  QStringLiteral("Zahlenfolgen"),
                  QStringLiteral("Zahlenfolgen"),
                  QStringLiteral("zahl"),
                  QStringLiteral("folge"),
                  false,
                  QStringLiteral("Fibonacci, Lucas, Pell, Tribonacci, Catalan, Fakultät, "
                                 "Dreiecks-, Quadrat-, Kubikzahlen, Primzahlen, Mersenne-Zahlen"),
                  {name, n, search},
                  {{QStringLiteral("folge"), QStringLiteral("Folge")},
                   {QStringLiteral("n"), QStringLiteral("N")},
                   {QStringLiteral("wert"), QStringLiteral("Wert"), ResultDecl::Show::Both, true},
                   {QStringLiteral("index"), QStringLiteral("Index")}},
                  sequenceTool,
                  false,
                  QStringLiteral("zahl folge fibonacci 100")}};
}

} // namespace Calc
