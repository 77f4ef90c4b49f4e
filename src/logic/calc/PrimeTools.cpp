// Primes and divisors. Counting and finding primes up to 10^12 goes to primecount (the
// Meissel-Lehmer-type prime counting function built on primesieve), which answers in
// milliseconds where a sieve would take minutes; larger numbers use GMP's tests.
#include "logic/calc/BigNumbers.h"
#include "logic/calc/CalcTool.h"
#include "logic/calc/Factorize.h"
#include "logic/calc/NumberTools.h"
#include "logic/common/QuarvelError.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <primecount.hpp>

#include <algorithm>

namespace Calc {
namespace {

const mpz_class kIndexLimit("1000000000000"); // primes up to here get their index
constexpr std::chrono::milliseconds kSmallBudget {2000}; // up to 10^40: always complete
constexpr std::chrono::milliseconds kLargeBudget {10000};

const QString kZahl = QStringLiteral("zahl");

ResultValue textValue(const QString &text)
{
    return {asText(), text};
}

mpz_class previousPrime(const mpz_class &n)
{
    if (n <= 2)
        return 0;
    if (n == 3)
        return 2;
    mpz_class candidate = n - 1;
    if (mpz_even_p(candidate.get_mpz_t()))
        --candidate;
    while (!isProbablePrime(candidate))
        candidate -= 2;
    return candidate;
}

Outcome primeTool(const Values &values)
{
    const mpz_class n = readInteger(values.value(kZahl), QStringLiteral("Zahl"));
    const bool prime = isProbablePrime(n);
    mpz_class next;
    mpz_nextprime(next.get_mpz_t(), n.get_mpz_t());
    const mpz_class previous = previousPrime(n);
    Outcome out;
    out.insert(kZahl, textValue(toText(n)));
    out.insert(QStringLiteral("prim"),
               {prime, prime ? QStringLiteral("ja") : QStringLiteral("nein")});
    out.insert(QStringLiteral("vorige"),
               previous == 0 ? ResultValue {QJsonValue(), QStringLiteral("–")}
                             : textValue(toText(previous)));
    out.insert(QStringLiteral("naechste"), textValue(toText(next)));
    if (prime && n <= kIndexLimit) {
        const qint64 index = primecount::pi(toInt64(n));
        out.insert(QStringLiteral("index"), {index, QStringLiteral("%1. Primzahl").arg(index)});
    } else {
        out.insert(QStringLiteral("index"), {QJsonValue(), QStringLiteral("–")});
    }
    return out;
}

Outcome nthPrimeTool(const Values &values)
{
    const qint64 k = toInt64(readInteger(values.value(QStringLiteral("k")), QStringLiteral("K")));
    const qint64 prime = primecount::nth_prime(k);
    return {{QStringLiteral("n"), {k, QString::number(k)}},
            {QStringLiteral("primzahl"), textValue(QString::number(prime))}};
}

QString powerText(const mpz_class &prime, int exponent)
{
    return exponent == 1 ? toText(prime) : toText(prime) + u'^' + QString::number(exponent);
}

Outcome factorTool(const Values &values)
{
    const mpz_class n = readInteger(values.value(kZahl), QStringLiteral("Zahl"));
    static const mpz_class small("10000000000000000000000000000000000000000");
    const Factorization result = factorize(n, n <= small ? kSmallBudget : kLargeBudget);
    QJsonArray list;
    QStringList parts;
    for (const auto &[prime, exponent] : result.factors) {
        list.append(QJsonArray {toText(prime), exponent});
        parts.append(powerText(prime, exponent));
    }
    QStringList rest;
    for (const mpz_class &part : result.unfactored)
        rest.append(toText(part));
    Outcome out;
    out.insert(kZahl, textValue(toText(n)));
    out.insert(
        QStringLiteral("faktoren"),
        {list, parts.isEmpty() ? QStringLiteral("(keine)") : parts.join(QStringLiteral(" · "))});
    out.insert(
        QStringLiteral("vollstaendig"),
        {result.complete(), result.complete() ? QStringLiteral("ja") : QStringLiteral("nein")});
    out.insert(QStringLiteral("rest"),
               {QJsonArray::fromStringList(rest),
                rest.isEmpty()
                    ? QStringLiteral("–")
                    : QStringLiteral("nicht zerlegt: ") + rest.join(QStringLiteral(", "))});
    return out;
}

Outcome divisorTool(const Values &values)
{
    const mpz_class n = readInteger(values.value(kZahl), QStringLiteral("Zahl"));
    const Factorization result = factorize(n, kLargeBudget);
    std::vector<mpz_class> divisors {1};
    for (const auto &[prime, exponent] : result.factors) {
        const std::size_t count = divisors.size();
        mpz_class power = 1;
        for (int e = 1; e <= exponent; ++e) {
            power *= prime;
            for (std::size_t i = 0; i < count; ++i)
                divisors.push_back(divisors[i] * power);
        }
    }
    std::sort(divisors.begin(), divisors.end());
    QStringList texts;
    mpz_class sum = 0;
    for (const mpz_class &d : divisors) {
        texts.append(toText(d));
        sum += d;
    }
    Outcome out;
    out.insert(QStringLiteral("teiler"),
               {QJsonArray::fromStringList(texts), texts.join(QStringLiteral(", "))});
    out.insert(QStringLiteral("anzahl"), {qint64(texts.size()), QString::number(texts.size())});
    out.insert(QStringLiteral("summe"), textValue(toText(sum)));
    return out;
}

std::vector<mpz_class> readIntegers(const QString &text)
{
    std::vector<mpz_class> numbers;
    for (const QString &word :
         text.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts))
        numbers.push_back(readInteger(word, QStringLiteral("Zahlen")));
    if (numbers.size() < 2)
        throw QuarvelError(QStringLiteral("Zahlen: Bitte mindestens zwei Zahlen angeben"));
    return numbers;
}

Outcome gcdTool(const Values &values)
{
    mpz_class result = 0;
    for (const mpz_class &n : readIntegers(values.value(QStringLiteral("zahlen"))))
        result = gcd(result, n);
    return {{QStringLiteral("ergebnis"), textValue(toText(result))}};
}

Outcome lcmTool(const Values &values)
{
    const std::vector<mpz_class> numbers = readIntegers(values.value(QStringLiteral("zahlen")));
    mpz_class result = abs(numbers.front());
    for (const mpz_class &n : numbers)
        result = lcm(result, n);
    return {{QStringLiteral("ergebnis"), textValue(toText(result))}};
}

InputDecl numberInput(const char *key, const char *label, const QString &minimum,
                      const QString &maximum)
{
    InputDecl decl {QString::fromLatin1(key), QString::fromUtf8(label), InputKind::Integer};
    decl.minimum = minimum;
    decl.maximum = maximum;
    decl.positional = true;
    decl.help = !maximum.isEmpty()
        ? QStringLiteral("eine ganze Zahl von %1 bis %2").arg(decl.minimum, decl.maximum)
        : QStringLiteral("eine ganze Zahl ab %1, beliebig groß").arg(decl.minimum);
    return decl;
}

InputDecl numbersInput()
{
    InputDecl decl {QStringLiteral("zahlen"), QStringLiteral("Zahlen"), InputKind::Text};
    decl.positional = true;
    decl.rest = true;
    decl.help = QStringLiteral("zwei oder mehr ganze Zahlen, getrennt durch Leerzeichen");
    return decl;
}

} // namespace

std::vector<Tool> primeTools()
{
    const QString node = QStringLiteral("Primzahlen & Teiler");
    return {
        Tool {QStringLiteral("zahl-prim"),
              QStringLiteral("Primzahltest"),
              node,
              kZahl,
              QStringLiteral("prim"),
              false,
              QStringLiteral("Ist die Zahl prim? Die vorige und die nächste Primzahl, ihr Index"),
              {numberInput("zahl", "Zahl", QStringLiteral("0"),
                           QStringLiteral("1") + QString(300, u'0'))},
              {{kZahl, QStringLiteral("Zahl")},
               {QStringLiteral("prim"), QStringLiteral("Prim")},
               {QStringLiteral("vorige"), QStringLiteral("Vorige Primzahl")},
               {QStringLiteral("naechste"), QStringLiteral("Nächste Primzahl")},
               {QStringLiteral("index"), QStringLiteral("Index")}},
              primeTool,
              true,
              QStringLiteral("zahl prim 1000003")},
        Tool {QStringLiteral("zahl-nte-primzahl"),
              QStringLiteral("n-te Primzahl"),
              node,
              kZahl,
              QStringLiteral("nte-primzahl"),
              false,
              QStringLiteral("Die K-te Primzahl (2 ist die erste), K bis 10^10"),
              {numberInput("k", "K", QStringLiteral("1"), QStringLiteral("10000000000"))},
              {{QStringLiteral("n"), QStringLiteral("K")},
               {QStringLiteral("primzahl"), QStringLiteral("Primzahl")}},
              nthPrimeTool,
              true,
              QStringLiteral("zahl nte-primzahl 1000")},
        Tool {QStringLiteral("zahl-faktoren"),
              QStringLiteral("Primfaktorzerlegung"),
              node,
              kZahl,
              QStringLiteral("faktoren"),
              false,
              QStringLiteral("Zerlegt eine Zahl in Primfaktoren; bis 10^40 immer vollständig"),
              {numberInput("zahl", "Zahl", QStringLiteral("1"), QString())},
              {{kZahl, QStringLiteral("Zahl")},
               {QStringLiteral("faktoren"), QStringLiteral("Faktoren")},
               {QStringLiteral("vollstaendig"), QStringLiteral("Vollständig")},
               {QStringLiteral("rest"), QStringLiteral("Rest")}},
              factorTool,
              false,
              QStringLiteral("zahl faktoren 1234567890")},
        Tool {QStringLiteral("zahl-teiler"),
              QStringLiteral("Teiler"),
              node,
              kZahl,
              QStringLiteral("teiler"),
              false,
              QStringLiteral("Alle Teiler einer Zahl bis 10^18, ihre Anzahl und Summe"),
              {numberInput("zahl", "Zahl", QStringLiteral("1"),
                           QStringLiteral("1000000000000000000"))},
              {{QStringLiteral("teiler"), QStringLiteral("Teiler"), ResultDecl::Show::Both, true},
               {QStringLiteral("anzahl"), QStringLiteral("Anzahl")},
               {QStringLiteral("summe"), QStringLiteral("Summe")}},
              divisorTool,
              false,
              QStringLiteral("zahl teiler 360")},
        Tool {QStringLiteral("zahl-ggt"),
              QStringLiteral("Größter gemeinsamer Teiler"),
              node,
              kZahl,
              QStringLiteral("ggt"),
              false,
              QStringLiteral("ggT zweier oder mehrerer ganzer Zahlen"),
              {numbersInput()},
              {{QStringLiteral("ergebnis"), QStringLiteral("ggT")}},
              gcdTool,
              true,
              QStringLiteral("zahl ggt 84 126 210")},
        Tool {QStringLiteral("zahl-kgv"),
              QStringLiteral("Kleinstes gemeinsames Vielfaches"),
              node,
              kZahl,
              QStringLiteral("kgv"),
              false,
              QStringLiteral("kgV zweier oder mehrerer ganzer Zahlen"),
              {numbersInput()},
              {{QStringLiteral("ergebnis"), QStringLiteral("kgV")}},
              lcmTool,
              true,
              QStringLiteral("zahl kgv 4 6 10")},
    };
}

} // namespace Calc
