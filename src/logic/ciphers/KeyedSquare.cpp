#include "logic/ciphers/KeyedSquare.h"

#include "logic/common/QuarvelError.h"

#include <cmath>

namespace Ciphers {

KeyedSquare::KeyedSquare(const QString &alphabet, const QString &key, Merge merge,
                         const QString &keyError)
    : m_side(int(std::lround(std::sqrt(double(alphabet.size())))))
    , m_merge(merge)
{
    m_cellOf.fill(-1);
    std::array<bool, 128> inAlphabet {};
    for (const QChar c : alphabet)
        inAlphabet[c.unicode()] = true;
    const auto add = [this](char16_t u) {
        if (m_cellOf[u] < 0) {
            m_cellOf[u] = static_cast<signed char>(m_symbols.size());
            m_symbols.append(QChar(u));
        }
    };
    for (const QChar c : key) {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = char16_t(u - 32);
        if (u == merge.from)
            u = merge.to;
        if (u >= 128 || !inAlphabet[u])
            throw QuarvelError(keyError);
        add(u);
    }
    for (const QChar c : alphabet)
        add(c.unicode());
}

} // namespace Ciphers
