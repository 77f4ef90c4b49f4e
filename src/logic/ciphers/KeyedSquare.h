#pragma once

#include <QString>

#include <array>

namespace Ciphers {

// A Polybius square (5 x 5 or 6 x 6) filled with the key's symbols first, each at its first
// occurrence, then the rest of the alphabet in order. Letters count without case; one letter may
// stand for another (J for I, K for C) so 25 letters fill a 5 x 5 square.
class KeyedSquare
{
public:
    struct Merge
    {
        char16_t from = 0; // this letter is written as
        char16_t to = 0; // this one
    };

    // Throws QuarvelError with `keyError` for a key symbol outside the alphabet.
    KeyedSquare(const QString &alphabet, const QString &key, Merge merge, const QString &keyError);

    int side() const { return m_side; }
    QChar symbolAt(int cell) const { return m_symbols.at(cell); }
    QChar symbolAt(int row, int column) const { return m_symbols.at(row * m_side + column); }
    // The cell (row * side + column) of a character, -1 when the square does not hold it.
    int cellOf(QChar c) const
    {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = char16_t(u - 32);
        if (u == m_merge.from)
            u = m_merge.to;
        return u < 128 ? m_cellOf[u] : -1;
    }
    const QString &symbols() const { return m_symbols; }

private:
    QString m_symbols;
    int m_side = 5;
    Merge m_merge;
    std::array<signed char, 128> m_cellOf {};
};

// A-Z without J (J is written as I).
inline constexpr QLatin1String kAlphabetNoJ("ABCDEFGHIKLMNOPQRSTUVWXYZ");
inline constexpr QLatin1String kAlphabetAZ09("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");

} // namespace Ciphers
