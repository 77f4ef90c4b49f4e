#include "logic/tools/CryptoTools.h"

#include "logic/common/QuarvelError.h"

#include <vector>

// The cipher is defined on 8-bit Windows-1252 text. Only ASCII matters to it: a character the code
// page lacks would become "?" (outside the cube, and no key letter), and every ASCII character is
// one byte as it is one code unit, so working on the UTF-16 text directly gives the same results.

namespace {

constexpr char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// The cell numbers of the symbols the cube holds, in text order; blanks and everything else
// outside the cube are dropped.
std::vector<int> keptCells(const QString &text, const TrifidCube &cube)
{
    std::vector<int> cells;
    cells.reserve(size_t(text.size()));
    for (const QChar ch : text) {
        const int cell = cube.cellOf(asciiUpper(ch.unicode()));
        if (cell >= 0)
            cells.push_back(cell);
    }
    return cells;
}

int layerOf(int cell)
{
    return cell / 9;
}
int rowOf(int cell)
{
    return cell / 3 % 3;
}
int columnOf(int cell)
{
    return cell % 3;
}

bool isSingleCharacterKey(const QString &key)
{
    return key.size() == 1;
}

} // namespace

TrifidCube::TrifidCube(const QString &key)
{
    m_cellOf.fill(-1);
    int next = 0;
    auto place = [&](char symbol) {
        if (m_cellOf[uchar(symbol)] >= 0)
            return;
        m_symbols[next] = symbol;
        m_cellOf[uchar(symbol)] = static_cast<signed char>(next);
        ++next;
    };
    for (const QChar ch : key) {
        const char16_t c = asciiUpper(ch.unicode());
        if (c < u'A' || c > u'Z')
            throw QuarvelError(QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
        place(char(c));
    }
    for (char c = 'A'; c <= 'Z'; ++c)
        place(c);
    place('.');
}

QString TrifidCube::symbols() const
{
    return QString::fromLatin1(m_symbols.data(), kCells);
}

QString TrifidEncrypt(const QString &text, const QString &key)
{
    if (isSingleCharacterKey(key))
        return {};
    const TrifidCube cube(key);
    const std::vector<int> cells = keptCells(text, cube);
    const size_t m = cells.size();
    // Three lines of m digits one after the other: all layers, then all columns, then all rows.
    std::vector<int> digits(3 * m);
    for (size_t j = 0; j < m; ++j) {
        digits[j] = layerOf(cells[j]);
        digits[m + j] = columnOf(cells[j]);
        digits[2 * m + j] = rowOf(cells[j]);
    }
    // Read back in groups of three: (layer, column, row).
    QString result(qsizetype(m), Qt::Uninitialized);
    for (size_t k = 0; k < m; ++k) {
        const TrifidCell cell {digits[3 * k], digits[3 * k + 2], digits[3 * k + 1]};
        result[qsizetype(k)] = QLatin1Char(cube.symbolAt(cell));
    }
    return result;
}

QString TrifidDecrypt(const QString &text, const QString &key)
{
    if (isSingleCharacterKey(key))
        return {};
    const TrifidCube cube(key);
    const std::vector<int> cells = keptCells(text, cube);
    const size_t m = cells.size();
    // The groups of three (layer, column, row), cut into the three lines again.
    std::vector<int> digits(3 * m);
    for (size_t j = 0; j < m; ++j) {
        digits[3 * j] = layerOf(cells[j]);
        digits[3 * j + 1] = columnOf(cells[j]);
        digits[3 * j + 2] = rowOf(cells[j]);
    }
    QString result(qsizetype(m), Qt::Uninitialized);
    for (size_t j = 0; j < m; ++j) {
        const TrifidCell cell {digits[j], digits[2 * m + j], digits[m + j]};
        result[qsizetype(j)] = QLatin1Char(cube.symbolAt(cell));
    }
    return result;
}
