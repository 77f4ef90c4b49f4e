#pragma once

#include <QString>
#include <QStringList>

// The digit-sum tool's arithmetic: a numeral of one of four number systems as decimal text, and
// its digit sum followed by the digit sums of the digit sums down to a single digit.
namespace QuersummenKette {

// The values of the tool's number system choice.
enum class Zahlensystem { Dezimal = 1, Hexadezimal = 2, Binaer = 3, Oktal = 4 };

// Decimal text of the input: the decimal system keeps only its digits (leading zeros stay),
// the others convert exactly. Fails for characters the hexadecimal or octal reading rejects.
QString toDecimal(const QString &text, Zahlensystem system);

// S1 = digit sum of `decimal`, S(k+1) = digit sum of Sk while Sk > 9; at least one element,
// the last a single digit. Fails when `decimal` holds anything but digits.
QStringList digitSums(const QString &decimal);

struct Result
{
    QString decimal;
    QStringList sums;
};

Result compute(const QString &text, Zahlensystem system);

} // namespace QuersummenKette
