#include "logic/tools/PositionalNumerals.h"

#include "logic/common/Numbers.h"

#include <gmp.h>

#include <string>
#include <vector>

namespace PositionalNumerals {
namespace {

// GMP's schoolbook-free conversions make a numeral of a million digits a matter of
// milliseconds; the digit loop of old grew with the square of the length.
class BigInteger
{
public:
    BigInteger() { mpz_init(m_value); }
    ~BigInteger() { mpz_clear(m_value); }
    BigInteger(const BigInteger &) = delete;
    BigInteger &operator=(const BigInteger &) = delete;

    mpz_ptr get() { return m_value; }

    QString decimalText() const
    {
        // sizeinbase may overshoot by one digit; the sign and the terminating zero need room.
        std::string buffer(mpz_sizeinbase(m_value, 10) + 2, '\0');
        mpz_get_str(buffer.data(), 10, m_value);
        return QString::fromLatin1(buffer.c_str());
    }

private:
    mpz_t m_value;
};

constexpr char kDigitChars[] = "0123456789abcdef";

// Value of digits (least significant last) in `base`, where a digit may be worth more than
// base - 1: such a digit d is split into d mod base plus (d div base) carried one place up,
// so every layer is a numeral GMP can read as it is.
void layeredValue(const std::vector<int> &digits, int base, BigInteger &result)
{
    std::string low(digits.size(), '0');
    std::vector<int> carried(digits.size(), 0);
    bool anyCarry = false;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        low[i] = kDigitChars[digits[i] % base];
        carried[i] = digits[i] / base;
        anyCarry = anyCarry || carried[i] != 0;
    }
    mpz_set_str(result.get(), low.c_str(), base);
    if (!anyCarry)
        return;
    BigInteger upper;
    layeredValue(carried, base, upper);
    mpz_addmul_ui(result.get(), upper.get(), static_cast<unsigned long>(base));
}

} // namespace

QString toDecimal(const QString &text, int base, DigitValue digitValue)
{
    std::vector<int> digits;
    digits.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        const int digit = digitValue(c);
        if (digit < 0)
            Numbers::throwNotAnInteger(QString(c));
        digits.push_back(digit);
    }
    if (digits.empty())
        return QStringLiteral("0");
    BigInteger value;
    layeredValue(digits, base, value);
    return value.decimalText();
}

} // namespace PositionalNumerals
