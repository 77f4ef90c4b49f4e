#pragma once

// Whole numbers of any size as the tools read and write them: GMP integers from and to decimal
// text. Shared by the number tools and the input check of every declaration.

#include <QString>

#include <gmpxx.h>

namespace Calc {

// The most digits an integer input may have: far above any puzzle, small enough that every
// operation on it stays well under a second.
constexpr int kMaxIntegerDigits = 100000;

// "-123", "+45", "1 000 000" (blanks between digits are ignored); throws QuarvelError naming
// `label` for anything else.
mpz_class readInteger(const QString &text, const QString &label);
QString toText(const mpz_class &value);
// An integer known to fit, for the functions of the libraries that take 64 bits.
qint64 toInt64(const mpz_class &value);

} // namespace Calc
