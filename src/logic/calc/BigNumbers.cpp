#include "logic/calc/BigNumbers.h"

#include "logic/common/QuarvelError.h"

namespace Calc {

mpz_class readInteger(const QString &text, const QString &label)
{
    QByteArray digits;
    digits.reserve(text.size());
    const QString trimmed = text.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c.isSpace())
            continue;
        if ((c == u'-' || c == u'+') && digits.isEmpty()) {
            digits += char(c.unicode());
            continue;
        }
        if (c < u'0' || c > u'9')
            throw QuarvelError(QStringLiteral("%1: „%2“ ist keine ganze Zahl").arg(label, text));
        digits += char(c.unicode());
    }
    if (digits.isEmpty() || digits == "-" || digits == "+")
        throw QuarvelError(QStringLiteral("%1: Bitte eine ganze Zahl eingeben").arg(label));
    if (digits.size() > kMaxIntegerDigits + 1)
        throw QuarvelError(QStringLiteral("%1: Die Zahl hat mehr als %2 Stellen")
                               .arg(label)
                               .arg(kMaxIntegerDigits));
    if (digits.startsWith('+'))
        digits.remove(0, 1);
    return mpz_class(digits.constData(), 10);
}

QString toText(const mpz_class &value)
{
    return QString::fromLatin1(value.get_str(10));
}

qint64 toInt64(const mpz_class &value)
{
    return qint64(std::stoll(value.get_str(10)));
}

} // namespace Calc
