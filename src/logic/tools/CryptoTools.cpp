#include "logic/tools/CryptoTools.h"

#include "logic/common/QuarvelError.h"

#include "logic/tools/LetterKernels.h"

#include <utility>
#include <vector>

namespace {

constexpr bool isUpper(char16_t c)
{
    return c >= u'A' && c <= u'Z';
}
constexpr bool isLower(char16_t c)
{
    return c >= u'a' && c <= u'z';
}
constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// A substitution of the ASCII range; every code unit from 128 up passes unchanged. The routines
// run on every key press of large texts, so the table is applied by LetterKernels.
using LetterKernels::AsciiTable;
using LetterKernels::substitute;

template<typename Rule> AsciiTable asciiTable(Rule rule)
{
    AsciiTable table {};
    for (char16_t c = 0; c < 128; ++c)
        table[c] = rule(c);
    return table;
}

constexpr char16_t shiftLetter(char16_t c, int n)
{
    if (isUpper(c))
        return char16_t(u'A' + (c - u'A' + n) % 26);
    if (isLower(c))
        return char16_t(u'a' + (c - u'a' + n) % 26);
    return c;
}

constexpr char16_t rot5Digit(char16_t c)
{
    return isDigit(c) ? char16_t(u'0' + (c - u'0' + 5) % 10) : c;
}

constexpr char16_t asciiUpper(char16_t c)
{
    return isLower(c) ? char16_t(c - (u'a' - u'A')) : c;
}

// The key as shifts 0..25, one per letter, negated for decryption; throws `message` for anything
// that is not a letter.
std::vector<int> vigenereShifts(const QString &key, bool decrypt, const char16_t *message)
{
    std::vector<int> shifts;
    shifts.reserve(std::size_t(key.size()));
    for (const QChar ch : key) {
        const char16_t c = asciiUpper(ch.unicode());
        if (!isUpper(c))
            throw QuarvelError(QString::fromUtf16(message));
        const int k = c - u'A';
        shifts.push_back(decrypt ? (26 - k) % 26 : k);
    }
    return shifts;
}

// Shifts the letters A-Z of the upper-cased text by the key's shifts, using up one key letter per
// text letter.
QString vigenere(const QString &text, std::vector<int> shifts)
{
    if (shifts.empty()) {
        static const AsciiTable upper = asciiTable(asciiUpper);
        return substitute(text, upper);
    }
    return LetterKernels::shiftLetters(text, {1, std::move(shifts), true});
}

} // namespace

QString Rot5(const QString &text)
{
    static const AsciiTable table = asciiTable(rot5Digit);
    return substitute(text, table);
}

QString Rot13(const QString &text)
{
    static const AsciiTable table = asciiTable([](char16_t c) { return shiftLetter(c, 13); });
    return substitute(text, table);
}

QString Rot18(const QString &text)
{
    static const AsciiTable table =
        asciiTable([](char16_t c) { return rot5Digit(shiftLetter(c, 13)); });
    return substitute(text, table);
}

QString Rot47(const QString &text)
{
    static const AsciiTable table = asciiTable(
        [](char16_t c) { return c >= 33 && c <= 126 ? char16_t(33 + (c - 33 + 47) % 94) : c; });
    return substitute(text, table);
}

QString RotN(const QString &text, int n)
{
    const int shift = ((n % 26) + 26) % 26;
    return substitute(text, asciiTable([shift](char16_t c) { return shiftLetter(c, shift); }));
}

QStringList RotShiftLines(const QString &s)
{
    QStringList lines;
    lines.reserve(27);
    for (int i = 0; i <= 26; ++i)
        lines.append(QStringLiteral("%1 ").arg(i, 2, 10, QLatin1Char('0')) + RotN(s, i));
    return lines;
}

QString VigenereEncrypt(const QString &text, const QString &key, bool upperCase)
{
    // Upper case is the only output form there is; without the flag the text is still encrypted
    // that way rather than leaving the result undefined.
    Q_UNUSED(upperCase);
    return vigenere(text,
                    vigenereShifts(key, false, u"Der Schlüssel darf nur Buchstaben enthalten"));
}

QString VigenereDecrypt(const QString &text, const QString &key)
{
    return vigenere(text,
                    vigenereShifts(key, true, u"Der Schlüssel darf nur Buchstaben enthalten."));
}
