#include "logic/tools/PositionalNumerals.h"

#include "logic/common/Numbers.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace PositionalNumerals {
namespace {

constexpr uint32_t kLimb = 1000000000; // nine decimal digits per limb

// An unsigned number in limbs of base 10^9, least significant first; empty means zero.
class DecimalAccumulator
{
public:
    void multiplyAdd(uint32_t factor, uint32_t addend)
    {
        uint64_t carry = addend;
        for (uint32_t &limb : m_limbs) {
            const uint64_t v = uint64_t(limb) * factor + carry;
            limb = uint32_t(v % kLimb);
            carry = v / kLimb;
        }
        while (carry != 0) {
            m_limbs.push_back(uint32_t(carry % kLimb));
            carry /= kLimb;
        }
    }

    QString text() const
    {
        if (m_limbs.empty())
            return QStringLiteral("0");
        QByteArray digits = QByteArray::number(m_limbs.back());
        digits.reserve(qsizetype(m_limbs.size()) * 9);
        for (auto it = m_limbs.rbegin() + 1; it != m_limbs.rend(); ++it) {
            const QByteArray part = QByteArray::number(*it);
            digits.append(9 - part.size(), '0');
            digits.append(part);
        }
        return QString::fromLatin1(digits);
    }

private:
    std::vector<uint32_t> m_limbs;
};

// Digits per step, so that base^group and the group's value (digits up to 9 weigh more
// than base - 1) both stay below 2^31.
int groupLength(int base)
{
    int length = 0;
    uint64_t power = 1;
    while (power * uint64_t(base) <= (uint64_t(1) << 27)) {
        power *= uint64_t(base);
        ++length;
    }
    return length;
}

} // namespace

QString toDecimal(const QString &text, int base, DigitValue digitValue)
{
    const qsizetype length = text.size();
    const int group = groupLength(base);
    DecimalAccumulator value;
    // The first step takes the odd digits in front, every later step a whole group.
    qsizetype pos = 0;
    qsizetype step = length % group == 0 ? group : length % group;
    while (pos < length) {
        uint32_t factor = 1;
        uint32_t addend = 0;
        for (qsizetype end = pos + step; pos < end; ++pos) {
            const QChar c = text.at(pos);
            const int digit = digitValue(c);
            if (digit < 0)
                Numbers::throwNotAnInteger(QString(c));
            factor *= uint32_t(base);
            addend = addend * uint32_t(base) + uint32_t(digit);
        }
        value.multiplyAdd(factor, addend);
        step = group;
    }
    return value.text();
}

} // namespace PositionalNumerals
