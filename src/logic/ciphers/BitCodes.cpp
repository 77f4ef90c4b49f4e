// Codes of a few bits per symbol: the reflected binary Gray code of numbers, the BCD codes of
// decimal digits and the five-bit telegraph alphabet ITA2 (Baudot-Murray).
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <cstring>

namespace Ciphers {
namespace {

QStringList blankSeparated(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("[\\s,;]+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

// Digits of `base` to at most 64 bits; fails naming the word.
quint64 wordValue(const QString &word, int base, const QString &what)
{
    bool ok = false;
    const quint64 value = word.toULongLong(&ok, base);
    const QRegularExpression digitsOnly(base == 2 ? QStringLiteral("^[01]+$")
                                                  : QStringLiteral("^[0-9]+$"));
    if (!digitsOnly.match(word).hasMatch())
        throw QuarvelError(QStringLiteral("„%1“ ist keine %2.").arg(word, what));
    if (!ok)
        throw QuarvelError(
            QStringLiteral("„%1“ ist zu groß: höchstens 64 Bit (18446744073709551615).").arg(word));
    return value;
}

QString grayEncode(const QString &text, const ParamValues &)
{
    QStringList out;
    for (const QString &word : blankSeparated(text)) {
        const quint64 n = wordValue(word, 10, QStringLiteral("natürliche Zahl"));
        out.append(QString::number(n ^ (n >> 1), 2));
    }
    return out.join(u' ');
}

QString grayDecode(const QString &text, const ParamValues &)
{
    QStringList out;
    for (const QString &word : blankSeparated(text)) {
        quint64 n = wordValue(word, 2, QStringLiteral("Folge aus 0 und 1"));
        // Each bit is the parity of the Gray bits from the top down to it.
        for (quint64 shift = n >> 1; shift != 0; shift >>= 1)
            n ^= shift;
        out.append(QString::number(n));
    }
    return out.join(u' ');
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

QString bcdDecode(const QString &text, const ParamValues &values)
{
    const BcdVariant &variant = bcdVariant(values);
    const qsizetype width = qsizetype(std::strlen(variant.codes[0]));
    QString result;
    for (const QString &word : blankSeparated(QString(text).replace(u'/', QStringLiteral(" / ")))) {
        if (word == u"/") {
            if (!result.isEmpty() && !result.endsWith(u' '))
                result.append(u' ');
            continue;
        }
        if (word.size() % width != 0 ||
            !QRegularExpression(QStringLiteral("^[01]+$")).match(word).hasMatch())
            throw QuarvelError(QStringLiteral("„%1“ sind keine Gruppen aus je %2 Bits.")
                                   .arg(word.left(40))
                                   .arg(width));
        for (qsizetype at = 0; at < word.size(); at += width) {
            const QString group = word.mid(at, width);
            int digit = -1;
            for (int d = 0; d < 10 && digit < 0; ++d) {
                if (group == QLatin1String(variant.codes[d]))
                    digit = d;
            }
            if (digit < 0)
                throw QuarvelError(QStringLiteral("„%1“ ist im Code %2 keine Ziffer.")
                                       .arg(group, QString::fromUtf16(variant.name)));
            result.append(QChar(u'0' + digit));
        }
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
QString itaBits(int code)
{
    QString bits(5, u'0');
    for (int bit = 0; bit < 5; ++bit) {
        if (code & (1 << bit))
            bits[bit] = u'1';
    }
    return bits;
}

QString ita2Encode(const QString &text, const ParamValues &)
{
    QStringList groups;
    bool figures = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
        const int letter = itaCode(kItaLetters, c);
        const int figure = itaCode(kItaFigures, c);
        if (letter < 0 && figure < 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 gibt es im Fernschreibcode "
                                              "ITA2 nicht.")
                                   .arg(text[i])
                                   .arg(i + 1));
        // Blank, carriage return and line feed stand in both shifts and need no change.
        if (letter >= 0 && figure >= 0) {
            groups.append(itaBits(letter));
            continue;
        }
        if ((figure >= 0) != figures) {
            figures = figure >= 0;
            groups.append(itaBits(figures ? kFigureShift : kLetterShift));
        }
        groups.append(itaBits(figures ? figure : letter));
    }
    return groups.join(u' ');
}

QString ita2Decode(const QString &text, const ParamValues &)
{
    QString bits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'0' || c == u'1')
            bits.append(c);
        else if (!c.isSpace())
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 ist kein Bit (0 oder 1).").arg(c).arg(i + 1));
    }
    if (bits.size() % 5 != 0)
        throw QuarvelError(QStringLiteral("ITA2 braucht Gruppen aus 5 Bits; %1 Bits bleiben "
                                          "übrig.")
                               .arg(bits.size() % 5));
    QString result;
    bool figures = false;
    for (qsizetype at = 0; at < bits.size(); at += 5) {
        int code = 0;
        for (int bit = 0; bit < 5; ++bit) {
            if (bits[at + bit] == u'1')
                code |= 1 << bit;
        }
        if (code == kFigureShift || code == kLetterShift) {
            figures = code == kFigureShift;
            continue;
        }
        const char c = (figures ? kItaFigures : kItaLetters)[code];
        if (c != '\0')
            result.append(QLatin1Char(c));
    }
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
