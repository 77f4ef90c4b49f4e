#include "logic/tools/CryptoTools.h"

#include "logic/common/QuarvelError.h"

#include <QVarLengthArray>

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

// Runs a per-code-unit mapping over a copy of the text. The loop works on the raw buffer: these
// routines run on every key press of large texts.
template<typename Map> QString mapUnits(const QString &text, Map map)
{
    QString result(text.size(), Qt::Uninitialized);
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        out[i] = map(in[i]);
    return result;
}

constexpr char16_t asciiUpper(char16_t c)
{
    return isLower(c) ? char16_t(c - (u'a' - u'A')) : c;
}

// The key as shifts 0..25, one per letter; throws `message` for anything that is not a letter.
QVarLengthArray<int, 64> vigenereShifts(const QString &key, const char16_t *message)
{
    QVarLengthArray<int, 64> shifts;
    shifts.reserve(key.size());
    for (const QChar ch : key) {
        const char16_t c = asciiUpper(ch.unicode());
        if (!isUpper(c))
            throw QuarvelError(QString::fromUtf16(message));
        shifts.append(c - u'A');
    }
    return shifts;
}

// Shifts the letters A-Z of the upper-cased text by the key's shifts, using up one key letter per
// text letter. `direction` is +1 for encryption and -1 for decryption.
QString vigenere(const QString &text, const QVarLengthArray<int, 64> &shifts, int direction)
{
    const qsizetype keyLength = shifts.size();
    qsizetype p = 0;
    return mapUnits(text, [&](char16_t ch) {
        const char16_t c = asciiUpper(ch);
        if (!isUpper(c) || keyLength == 0)
            return c;
        const int k = shifts[p];
        if (++p == keyLength)
            p = 0;
        return char16_t(u'A' + (c - u'A' + 26 + direction * k) % 26);
    });
}

} // namespace

QString Rot5(const QString &text)
{
    return mapUnits(text, rot5Digit);
}

QString Rot13(const QString &text)
{
    return mapUnits(text, [](char16_t c) { return shiftLetter(c, 13); });
}

QString Rot18(const QString &text)
{
    return mapUnits(text, [](char16_t c) { return rot5Digit(shiftLetter(c, 13)); });
}

QString Rot47(const QString &text)
{
    return mapUnits(text, [](char16_t c) {
        return c >= 33 && c <= 126 ? char16_t(33 + (c - 33 + 47) % 94) : c;
    });
}

QString RotN(const QString &text, int n)
{
    const int shift = ((n % 26) + 26) % 26;
    return mapUnits(text, [shift](char16_t c) { return shiftLetter(c, shift); });
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
    return vigenere(text, vigenereShifts(key, u"Der Schlüssel darf nur Buchstaben enthalten"), +1);
}

QString VigenereDecrypt(const QString &text, const QString &key)
{
    return vigenere(text, vigenereShifts(key, u"Der Schlüssel darf nur Buchstaben enthalten."), -1);
}
