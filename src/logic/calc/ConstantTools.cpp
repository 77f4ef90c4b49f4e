// The digits of π, e, φ and the square roots of 2, 3 and 5 after the decimal point, computed (π by
// the Chudnovsky series, the others with MPFR) to 30 digits more than asked and cut, never rounded:
// the guard digits keep a rounding error of the last bits away from the digits shown.
#include "logic/calc/CalcTool.h"
#include "logic/calc/NumberTools.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <gmpxx.h>
#include <mpfr.h>

#include <cmath>

namespace Calc {
namespace {

constexpr qint64 kMaxDigits = 1000000;
constexpr qint64 kGuardDigits = 30;
constexpr qsizetype kMaxSearch = 1000;

struct Split
{
    mpz_class p, q, t;
};

// Binary splitting of the Chudnovsky series over the terms a to b − 1.
Split chudnovsky(unsigned long a, unsigned long b)
{
    if (b - a == 1) {
        Split s;
        if (a == 0) {
            s.p = s.q = 1;
        } else {
            s.p = mpz_class(6 * a - 5) * (2 * a - 1) * (6 * a - 1);
            s.q = mpz_class(a) * a * a * mpz_class("10939058860032000");
        }
        s.t = s.p * (mpz_class(545140134) * a + 13591409);
        if (a % 2 == 1)
            s.t = -s.t;
        return s;
    }
    const unsigned long m = (a + b) / 2;
    const Split left = chudnovsky(a, m);
    const Split right = chudnovsky(m, b);
    return {left.p * right.p, left.q * right.q, left.t * right.q + left.p * right.t};
}

// π by the Chudnovsky series (14 digits a term), several times faster than MPFR's AGM at a
// million digits: floor(π · 10^digits) as decimal text.
std::string piDigits(qint64 digits)
{
    const unsigned long terms = (unsigned long)(digits / 14) + 2;
    const Split s = chudnovsky(0, terms);
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, (unsigned long)digits);
    mpz_class root = 10005 * scale * scale;
    mpz_sqrt(root.get_mpz_t(), root.get_mpz_t());
    const mpz_class pi = 426880 * root * s.q / s.t;
    return pi.get_str(10);
}

// The first `count` digits after the point.
QByteArray digitsAfterPoint(const QString &name, qint64 count)
{
    if (name == u"pi") {
        const std::string digits = piDigits(count + kGuardDigits);
        return QByteArray(digits.data() + 1, count);
    }
    const auto bits =
        mpfr_prec_t(std::ceil(double(count + kGuardDigits) * 3.3219280948873626)) + 64;
    mpfr_t x;
    mpfr_init2(x, bits);
    if (name == u"e") {
        mpfr_set_ui(x, 1, MPFR_RNDZ);
        mpfr_exp(x, x, MPFR_RNDZ);
    } else if (name == u"phi") {
        mpfr_sqrt_ui(x, 5, MPFR_RNDZ);
        mpfr_add_ui(x, x, 1, MPFR_RNDZ);
        mpfr_div_2ui(x, x, 1, MPFR_RNDZ);
    } else {
        mpfr_sqrt_ui(x, name.back().digitValue(), MPFR_RNDZ);
    }
    // Every constant here lies between 1 and 10: one digit before the point.
    mpfr_exp_t exponent = 0;
    char *text =
        mpfr_get_str(nullptr, &exponent, 10, std::size_t(count + kGuardDigits), x, MPFR_RNDZ);
    QByteArray digits(text + 1, count);
    mpfr_free_str(text);
    mpfr_clear(x);
    return digits;
}

Outcome constantTool(const Values &values)
{
    const QString name = values.value(QStringLiteral("konstante"));
    const QString search = values.value(QStringLiteral("suche")).trimmed();
    Outcome out;
    out.insert(QStringLiteral("konstante"), {asText(), name});
    if (!search.isEmpty()) {
        static const QRegularExpression onlyDigits(QStringLiteral("^\\d+$"));
        if (!onlyDigits.match(search).hasMatch() || search.size() > kMaxSearch)
            throw QuarvelError(
                QStringLiteral("Suche: Bitte 1 bis %1 Ziffern angeben").arg(kMaxSearch));
        const qsizetype at = digitsAfterPoint(name, kMaxDigits).indexOf(search.toLatin1());
        out.insert(QStringLiteral("position"),
                   at < 0 ? ResultValue {QJsonValue(),
                                         QStringLiteral("nicht unter den ersten 1000000 Stellen")}
                          : ResultValue {qint64(at + 1), QString::number(at + 1)});
        return out;
    }
    static const QRegularExpression range(
        QStringLiteral("^\\s*(\\d{1,9})\\s*(?:-\\s*(\\d{1,9}))?\\s*$"));
    const QRegularExpressionMatch match = range.match(values.value(QStringLiteral("stellen")));
    if (!match.hasMatch())
        throw QuarvelError(QStringLiteral("Stellen: Bitte einen Bereich wie 1-100 angeben"));
    const qint64 first = match.captured(1).toLongLong();
    const qint64 last = match.capturedLength(2) > 0 ? match.captured(2).toLongLong() : first;
    if (first < 1 || last > kMaxDigits || first > last)
        throw QuarvelError(QStringLiteral("Stellen: Der Bereich muss innerhalb von 1 bis %1 "
                                          "liegen und vorn beginnen")
                               .arg(kMaxDigits));
    const QByteArray digits = digitsAfterPoint(name, last);
    out.insert(QStringLiteral("stellen"),
               {asText(), QString::fromLatin1(digits.constData() + first - 1, last - first + 1)});
    return out;
}

} // namespace

std::vector<Tool> constantTools()
{
    InputDecl name {QStringLiteral("konstante"), QStringLiteral("Konstante"), InputKind::Choice,
                    QStringLiteral("pi")};
    name.choices = {QStringLiteral("pi"),      QStringLiteral("e"),
                    QStringLiteral("phi"),     QStringLiteral("wurzel2"),
                    QStringLiteral("wurzel3"), QStringLiteral("wurzel5")};
    name.positional = true;
    name.help = QStringLiteral("pi, e, phi (goldener Schnitt) oder eine Quadratwurzel");
    InputDecl range {QStringLiteral("stellen"), QStringLiteral("Stellen A-B"), InputKind::Text,
                     QStringLiteral("1-50")};
    range.help = QStringLiteral("die Nachkommastellen A bis B, höchstens bis 1000000");
    InputDecl search {QStringLiteral("suche"), QStringLiteral("Suche Ziffern"), InputKind::Text};
    search.optional = true;
    search.help = QStringLiteral("statt der Stellen: wo stehen diese Ziffern zuerst?");
    return {
        Tool {QStringLiteral("zahl-konstante"),
              QStringLiteral("Nachkommastellen von "
                             "Konstanten"),
              QStringLiteral("Konstanten"),
              QStringLiteral("zahl"),
              QStringLiteral("konstante"),
              false,
              QStringLiteral("Ziffern von π, e, φ, √2, √3, √5 bis zur millionsten "
                             "Nachkommastelle, und die Suche nach einer Ziffernfolge"),
              {name, range, search},
              {{QStringLiteral("konstante"), QStringLiteral("Konstante")},
               {QStringLiteral("stellen"), QStringLiteral("Stellen"), ResultDecl::Show::Both, true},
               {QStringLiteral("position"), QStringLiteral("Position")}},
              constantTool,
              false,
              QStringLiteral("zahl konstante pi --stellen 1-20")}};
}

} // namespace Calc
