#include "logic/tools/QuersummenKette.h"

#include "logic/tools/hfunctions.h"

namespace QuersummenKette {

QString toDecimal(const QString &text, Zahlensystem system)
{
    switch (system) {
    case Zahlensystem::Hexadezimal:
        return hfunctions::Hex2Dez(text);
    case Zahlensystem::Binaer:
        return hfunctions::Bin2Dez(text);
    case Zahlensystem::Oktal:
        return hfunctions::Okt2Dez(text);
    case Zahlensystem::Dezimal:
        break;
    }
    return hfunctions::OnlyDigits(text);
}

QStringList digitSums(const QString &decimal)
{
    QStringList sums {hfunctions::Quersumme(decimal)};
    // A sum is the decimal text of a 64-bit value, so it always reads back.
    while (sums.constLast().toLongLong() > 9)
        sums.append(hfunctions::Quersumme(sums.constLast()));
    return sums;
}

Result compute(const QString &text, Zahlensystem system)
{
    Result result;
    result.decimal = toDecimal(text, system);
    result.sums = digitSums(result.decimal);
    return result;
}

} // namespace QuersummenKette
