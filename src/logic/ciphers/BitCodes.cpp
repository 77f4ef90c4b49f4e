// Codes of a few bits per symbol: the reflected binary Gray code of numbers, the BCD codes of
// decimal digits and the five-bit telegraph alphabet ITA2 (Baudot-Murray).
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace Ciphers {
namespace {

// Digits of `base` to at most 64 bits; fails naming the word.
quint64 wordValue(QStringView word, int base, const QString &what)
{
    const char16_t highest = base == 2 ? u'1' : u'9';
    quint64 value = 0;
    bool overflow = false;
    for (const QChar c : word) {
        if (c.unicode() < u'0' || c.unicode() > highest)
            throw QuarvelError(QStringLiteral("„%1“ ist keine %2.").arg(word, what));
        const quint64 digit = c.unicode() - u'0';
        overflow = overflow || value > (~quint64(0) - digit) / quint64(base);
        value = value * quint64(base) + digit;
    }
    if (overflow)
        throw QuarvelError(
            QStringLiteral("„%1“ ist zu groß: höchstens 64 Bit (18446744073709551615).").arg(word));
    return value;
}

// The binary digits of `n` without leading zeros ("0" for zero).
void appendBinary(QString &out, quint64 n)
{
    char16_t digits[64];
    int count = 0;
    do {
        digits[63 - count++] = char16_t(u'0' + (n & 1));
        n >>= 1;
    } while (n != 0);
    out.append(reinterpret_cast<const QChar *>(digits + 64 - count), count);
}

QString grayEncode(const QString &text, const ParamValues &)
{
    QString out;
    out.reserve(text.size() * 4);
    forEachWord(text, [&](QStringView word, qsizetype) {
        const quint64 n = wordValue(word, 10, QStringLiteral("natürliche Zahl"));
        if (!out.isEmpty())
            out.append(u' ');
        appendBinary(out, n ^ (n >> 1));
    });
    return out;
}

QString grayDecode(const QString &text, const ParamValues &)
{
    QString out;
    out.reserve(text.size() / 2);
    forEachWord(text, [&](QStringView word, qsizetype) {
        quint64 n = wordValue(word, 2, QStringLiteral("Folge aus 0 und 1"));
        // Each bit is the parity of the Gray bits from the top down to it.
        for (quint64 shift = n >> 1; shift != 0; shift >>= 1)
            n ^= shift;
        if (!out.isEmpty())
            out.append(u' ');
        appendDecimal(out, n);
    });
    return out;
}

// --- BCD --------------------------------------------------------------------------------------

struct BcdVariant
{
    const char16_t *name;
    const char *codes[10]; // digit 0 to 9
};

const BcdVariant kBcdVariants[] = {
    {u"8421", {"0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111", "1000", "1001"}},
    {u"aiken", {"0000", "0001", "0010", "0011", "0100", "1011", "1100", "1101", "1110", "1111"}},
    {u"exzess3", {"0011", "0100", "0101", "0110", "0111", "1000", "1001", "1010", "1011", "1100"}},
    // two of five bits set, weights 7-4-2-1-0
    {u"2aus5",
     {"11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100"}},
    // the Johnson counter of five bits
    {u"libaw-craig",
     {"00000", "00001", "00011", "00111", "01111", "11111", "11110", "11100", "11000", "10000"}},
    // Stibitz's code is the excess-3 code under its inventor's name
    {u"stibitz", {"0011", "0100", "0101", "0110", "0111", "1000", "1001", "1010", "1011", "1100"}},
};

const BcdVariant &bcdVariant(const ParamValues &values)
{
    const QString name = textParam(values, QStringLiteral("variante"));
    for (const BcdVariant &variant : kBcdVariants) {
        if (name == QString::fromUtf16(variant.name))
            return variant;
    }
    return kBcdVariants[0];
}

// Each digit its group, the digits of a number one blank apart, numbers " / " apart.
QString bcdEncode(const QString &text, const ParamValues &values)
{
    const BcdVariant &variant = bcdVariant(values);
    QString result;
    result.reserve(text.size() * 6);
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSpace()) {
            gap = !result.isEmpty();
            continue;
        }
        if (c < u'0' || c > u'9')
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 ist keine Ziffer; BCD kennt nur 0 bis 9.")
                    .arg(c)
                    .arg(i + 1));
        if (!result.isEmpty())
            result.append(gap ? QStringLiteral(" / ") : QStringLiteral(" "));
        gap = false;
        result.append(QLatin1String(variant.codes[c.unicode() - u'0']));
    }
    return result;
}

// One pass over the characters: a megabyte of groups has no time for a string per group.
QString bcdDecode(const QString &text, const ParamValues &values)
{
    const BcdVariant &variant = bcdVariant(values);
    const int width = int(std::strlen(variant.codes[0]));
    std::array<int, 32> digitOf;
    digitOf.fill(-1);
    for (int d = 0; d < 10; ++d)
        digitOf[std::size_t(QString::fromLatin1(variant.codes[d]).toUInt(nullptr, 2))] = d;
    QString result;
    result.reserve(text.size() / width + 1);
    const auto wordAt = [&](qsizetype start) {
        qsizetype end = start;
        while (end < text.size() && !text[end].isSpace() && text[end] != u'/' &&
               text[end] != u',' && text[end] != u';')
            ++end;
        return text.mid(start, std::min<qsizetype>(end - start, 40));
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'/') {
            if (!result.isEmpty() && !result.endsWith(u' '))
                result.append(u' ');
            ++i;
            continue;
        }
        if (c.isSpace() || c == u',' || c == u';') {
            ++i;
            continue;
        }
        const qsizetype start = i;
        unsigned value = 0;
        int bits = 0;
        for (; i < text.size() && (text[i] == u'0' || text[i] == u'1'); ++i) {
            value = (value << 1) | unsigned(text[i] == u'1');
            if (++bits == width) {
                const int digit = digitOf[value];
                if (digit < 0)
                    throw QuarvelError(
                        QStringLiteral("„%1“ ist im Code %2 keine Ziffer.")
                            .arg(text.mid(i + 1 - width, width), QString::fromUtf16(variant.name)));
                result.append(QChar(u'0' + digit));
                value = 0;
                bits = 0;
            }
        }
        const bool wordEnds = i == text.size() || text[i].isSpace() || text[i] == u'/' ||
            text[i] == u',' || text[i] == u';';
        if (bits != 0 || !wordEnds)
            throw QuarvelError(QStringLiteral("„%1“ sind keine Gruppen aus je %2 Bits.")
                                   .arg(wordAt(start))
                                   .arg(width));
    }
    return result.trimmed();
}

// --- ITA2 -------------------------------------------------------------------------------------

// The characters of the 32 codes in the letter and the figure shift. '\0' marks codes without a
// printing character; '<' and '>' stand for the shifts, '\r' and '\n' are themselves.
constexpr char kItaLetters[] = "\0E\nA SIU\rDRJNFCKTZLWHYPQOBG>MXV<";
constexpr char kItaFigures[] = "\0"
                               "3\n- '87\r\0"
                               "4\0,!:(5+)2#6019?&>./=<";
constexpr int kFigureShift = 0x1B;
constexpr int kLetterShift = 0x1F;

int itaCode(const char *table, char16_t c)
{
    for (int code = 1; code < 32; ++code) {
        if (code != kFigureShift && code != kLetterShift && table[code] != '\0' && table[code] == c)
            return code;
    }
    return -1;
}

// Bits 1 to 5 from left to right, as the holes of the tape are numbered.
QStringView itaBits(int code)
{
    static const std::array<QString, 32> written = [] {
        std::array<QString, 32> table;
        for (int c = 0; c < 32; ++c) {
            table[std::size_t(c)] = QString(5, u'0');
            for (int bit = 0; bit < 5; ++bit) {
                if (c & (1 << bit))
                    table[std::size_t(c)][bit] = u'1';
            }
        }
        return table;
    }();
    return written[std::size_t(code)];
}

QString ita2Encode(const QString &text, const ParamValues &)
{
    // the code in each shift of every ASCII character, -1 where that shift lacks it
    static const std::array<std::array<int, 2>, 128> codes = [] {
        std::array<std::array<int, 2>, 128> table {};
        for (char16_t c = 0; c < 128; ++c)
            table[c] = {itaCode(kItaLetters, c), itaCode(kItaFigures, c)};
        return table;
    }();
    QString out;
    out.reserve(text.size() * 7);
    const auto append = [&out](int code) {
        if (!out.isEmpty())
            out.append(u' ');
        out.append(itaBits(code));
    };
    bool figures = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
        const int letter = c < 128 ? codes[c][0] : -1;
        const int figure = c < 128 ? codes[c][1] : -1;
        if (letter < 0 && figure < 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 gibt es im Fernschreibcode "
                                              "ITA2 nicht.")
                                   .arg(text[i])
                                   .arg(i + 1));
        // Blank, carriage return and line feed stand in both shifts and need no change.
        if (letter >= 0 && figure >= 0) {
            append(letter);
            continue;
        }
        if ((figure >= 0) != figures) {
            figures = figure >= 0;
            append(figures ? kFigureShift : kLetterShift);
        }
        append(figures ? figure : letter);
    }
    return out;
}

QString ita2Decode(const QString &text, const ParamValues &)
{
    QString result;
    result.reserve(text.size() / 6 + 1);
    bool figures = false;
    int code = 0;
    int bits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'0' && c != u'1') {
            if (!c.isSpace())
                throw QuarvelError(
                    QStringLiteral("„%1“ an Stelle %2 ist kein Bit (0 oder 1).").arg(c).arg(i + 1));
            continue;
        }
        if (c == u'1')
            code |= 1 << bits;
        if (++bits < 5)
            continue;
        if (code == kFigureShift || code == kLetterShift) {
            figures = code == kFigureShift;
        } else {
            const char decoded = (figures ? kItaFigures : kItaLetters)[code];
            if (decoded != '\0')
                result.append(QLatin1Char(decoded));
        }
        code = 0;
        bits = 0;
    }
    if (bits != 0)
        throw QuarvelError(QStringLiteral("ITA2 braucht Gruppen aus 5 Bits; %1 Bits bleiben "
                                          "übrig.")
                               .arg(bits));
    return result;
}

} // namespace

Cipher grayCipher()
{
    return Cipher {QStringLiteral("gray"),
                   QStringLiteral("Gray-Code"),
                   QStringLiteral("Zahlen als reflektierter binärer Gray-Code (benachbarte Zahlen "
                                  "unterscheiden sich in einem Bit), durch Leerzeichen getrennt."),
                   {},
                   Keying::None,
                   grayEncode,
                   grayDecode};
}

Cipher bcdCipher()
{
    QStringList names;
    for (const BcdVariant &variant : kBcdVariants)
        names.append(QString::fromUtf16(variant.name));
    return Cipher {QStringLiteral("bcd"),
                   QStringLiteral("BCD-Code"),
                   QStringLiteral("Jede Dezimalziffer als Gruppe aus 4 (2-aus-5 und Libaw-Craig 5) "
                                  "Bits; Zahlen durch „ / “ getrennt."),
                   {choiceDecl(QStringLiteral("variante"), QStringLiteral("Variante"), names,
                               QStringLiteral("8421, aiken, exzess3, 2aus5, libaw-craig oder "
                                              "stibitz"))},
                   Keying::None,
                   bcdEncode,
                   bcdDecode};
}

Cipher ita2Cipher()
{
    return Cipher {QStringLiteral("ita2"),
                   QStringLiteral("Fernschreibcode ITA2"),
                   QStringLiteral("Baudot-Murray: 5 Bits je Zeichen (Loch 1 links), Buchstaben- "
                                  "und Ziffernumschaltung wo nötig."),
                   {},
                   Keying::None,
                   ita2Encode,
                   ita2Decode};
}

} // namespace Ciphers
