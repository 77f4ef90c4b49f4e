#include "logic/tools/CryptoTools_WortWert.h"

#include <array>

namespace CryptoTools {
namespace {

// Values of the code units 0..255, one table per option combination, so the common case costs a
// lookup. Higher code units are upper-cased one by one: a few of them ("ı", "ſ") become letters.
using ValueTable = std::array<uint8_t, 256>;

ValueTable buildTable(bool inverse, bool withDigits)
{
    ValueTable table {};
    for (int code = 0; code < 256; ++code)
        table[size_t(code)] = uint8_t(letterValue(QChar(char16_t(code)), inverse, withDigits));
    return table;
}

const ValueTable &tableFor(bool inverse, bool withDigits)
{
    static const std::array<ValueTable, 4> tables {buildTable(false, false),
                                                   buildTable(false, true), buildTable(true, false),
                                                   buildTable(true, true)};
    return tables[size_t((inverse ? 2 : 0) + (withDigits ? 1 : 0))];
}

} // namespace

int32_t letterValue(QChar c, bool inverse, bool withDigits)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= u'A' && u <= u'Z')
        return inverse ? 27 - (u - 64) : u - 64;
    switch (u) {
    case u'Ä':
        return 27;
    case u'Ö':
        return 28;
    case u'Ü':
        return 29;
    case u'ß':
        return 30;
    default:
        break;
    }
    if (withDigits && u >= u'0' && u <= u'9')
        return u - u'0';
    return 0;
}

QString BuchstabenWortWert(const QString &text, bool inverse, bool withDigits)
{
    const ValueTable &table = tableFor(inverse, withDigits);
    // 64 bits: no text a string can hold makes the sum wrap.
    int64_t sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        sum += u < 256 ? table[u] : letterValue(c, inverse, withDigits);
    }
    return QString::number(sum);
}

} // namespace CryptoTools
