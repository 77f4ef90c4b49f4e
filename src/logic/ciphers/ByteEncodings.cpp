// The bytes of the text in Base64, Base32 and Base16 (RFC 4648), and its code points as numbers.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include "logic/common/Numbers.h"

#include <cstring>

namespace Ciphers {
namespace {

// An RFC 4648 alphabet: `bits` per character, groups of `groupChars` characters padded with "=".
struct BaseForm
{
    const char *alphabet;
    int bits;
    int groupChars;
    bool caseless; // Base32 and Base16 also read lower case
};

const BaseForm kBase64 {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/", 6, 4,
                        false};
const BaseForm kBase32 {"ABCDEFGHIJKLMNOPQRSTUVWXYZ234567", 5, 8, true};
const BaseForm kBase16 {"0123456789ABCDEF", 4, 2, true};

QString baseEncode(const BaseForm &form, const QByteArray &bytes)
{
    QString result;
    result.reserve(bytes.size() * 8 / form.bits + form.groupChars);
    quint32 buffer = 0;
    int held = 0;
    for (const char byte : bytes) {
        buffer = (buffer << 8) | quint8(byte);
        held += 8;
        while (held >= form.bits) {
            held -= form.bits;
            result.append(QLatin1Char(form.alphabet[(buffer >> held) & ((1u << form.bits) - 1)]));
        }
    }
    if (held > 0)
        result.append(
            QLatin1Char(form.alphabet[(buffer << (form.bits - held)) & ((1u << form.bits) - 1)]));
    while (result.size() % form.groupChars != 0)
        result.append(u'=');
    return result;
}

int baseValue(const BaseForm &form, QChar c)
{
    char16_t u = c.unicode();
    if (form.caseless && u >= u'a' && u <= u'z')
        u = char16_t(u - 32);
    if (u >= 128 || u == 0)
        return -1;
    const char *found = std::strchr(form.alphabet, char(u));
    return found ? int(found - form.alphabet) : -1;
}

[[noreturn]] void baseError(const QString &name, QChar c, qsizetype position)
{
    throw QuarvelError(
        QStringLiteral("„%1“ an Stelle %2 gehört nicht zu %3.").arg(c).arg(position + 1).arg(name));
}

// White space is skipped (line breaks of mail bodies); "=" may only close the text.
QByteArray baseDecode(const BaseForm &form, const QString &name, const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * form.bits / 8 + 1);
    quint32 buffer = 0;
    int held = 0;
    qsizetype symbols = 0, padding = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace())
            continue;
        if (c == u'=') {
            ++padding;
            continue;
        }
        const int value = baseValue(form, c);
        if (value < 0 || padding > 0)
            baseError(name, c, i);
        ++symbols;
        buffer = (buffer << form.bits) | quint32(value);
        held += form.bits;
        if (held >= 8) {
            held -= 8;
            bytes.append(char((buffer >> held) & 0xFF));
        }
    }
    // A last character that only carries part of a byte must carry no bits beyond it.
    if (held >= form.bits || (buffer & ((1u << held) - 1)) != 0 ||
        (padding > 0 && (symbols + padding) % form.groupChars != 0))
        throw QuarvelError(
            QStringLiteral(
                "Der %1-Text ist unvollständig: %2 Zeichen passen nicht auf ganze Bytes.")
                .arg(name)
                .arg(symbols));
    return bytes;
}

QString base64Encode(const QString &text, const ParamValues &values)
{
    return baseEncode(kBase64, textBytes(text, values));
}

QString base64Decode(const QString &text, const ParamValues &values)
{
    return bytesText(baseDecode(kBase64, QStringLiteral("Base64"), text), values);
}

QString base32Encode(const QString &text, const ParamValues &values)
{
    return baseEncode(kBase32, textBytes(text, values));
}

QString base32Decode(const QString &text, const ParamValues &values)
{
    return bytesText(baseDecode(kBase32, QStringLiteral("Base32"), text), values);
}

QString base16Encode(const QString &text, const ParamValues &values)
{
    return baseEncode(kBase16, textBytes(text, values));
}

QString base16Decode(const QString &text, const ParamValues &values)
{
    return bytesText(baseDecode(kBase16, QStringLiteral("Base16"), text), values);
}

struct NumberSystem
{
    int base;
    int minDigits; // binary: whole groups of 8
};

NumberSystem numberSystem(const ParamValues &values)
{
    const QString system = textParam(values, QStringLiteral("system"));
    if (system == u"hex")
        return {16, 1};
    if (system == u"bin")
        return {2, 8};
    if (system == u"okt")
        return {8, 1};
    return {10, 1};
}

// Digits of `point` in base Base, padded with zeros to whole groups of `group`. The base is a
// constant so the divisions become multiplications: a megabyte of text has that many numbers.
template<unsigned Base> int codeWidth(char32_t point, int group)
{
    int digits = 1;
    for (char32_t rest = point / Base; rest > 0; rest /= Base)
        ++digits;
    return (digits + group - 1) / group * group;
}

template<unsigned Base> QString codeNumbers(const QList<uint> &points, int group)
{
    if (points.isEmpty())
        return {};
    qsizetype size = points.size() - 1;
    for (const uint point : points)
        size += codeWidth<Base>(point, group);
    QString result(size, Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (i > 0)
            *out++ = u' ';
        const int width = codeWidth<Base>(points[i], group);
        uint rest = points[i];
        for (int d = width - 1; d >= 0; --d, rest /= Base)
            out[d] = QChar(u"0123456789ABCDEF"[rest % Base]);
        out += width;
    }
    return result;
}

QString codeEncode(const QString &text, const ParamValues &values)
{
    const NumberSystem system = numberSystem(values);
    const QList<uint> points = text.toUcs4();
    switch (system.base) {
    case 2:
        return codeNumbers<2>(points, system.minDigits);
    case 8:
        return codeNumbers<8>(points, system.minDigits);
    case 16:
        return codeNumbers<16>(points, system.minDigits);
    default:
        return codeNumbers<10>(points, system.minDigits);
    }
}

QString systemName(int base)
{
    switch (base) {
    case 2:
        return QStringLiteral("Binärziffer");
    case 8:
        return QStringLiteral("Oktalziffer");
    case 16:
        return QStringLiteral("Hexadezimalziffer");
    default:
        return QStringLiteral("Dezimalziffer");
    }
}

// Groups are runs of letters and digits; anything else separates them. A group holding a
// character that is no digit of the system ("G" in hexadecimal, "2" in binary) is refused rather
// than split into two numbers.
QString codeDecode(const QString &text, const ParamValues &values)
{
    const NumberSystem system = numberSystem(values);
    const auto isDigit = [&](QChar c) {
        const int value = Numbers::hexDigitValue(c);
        return value >= 0 && value < system.base;
    };
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text.at(i).isLetterOrNumber()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        quint64 value = 0;
        for (; i < text.size() && text.at(i).isLetterOrNumber(); ++i) {
            if (!isDigit(text.at(i)))
                throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 ist keine %3.")
                                       .arg(text.at(i))
                                       .arg(i + 1)
                                       .arg(systemName(system.base)));
            value = std::min<quint64>(value * quint64(system.base) +
                                          quint64(Numbers::hexDigitValue(text.at(i))),
                                      0xFFFFFFFF);
        }
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 ist kein Unicode-Zeichen.")
                                   .arg(text.mid(start, std::min<qsizetype>(i - start, 20)))
                                   .arg(start + 1));
        const char32_t point = char32_t(value);
        result.append(QString::fromUcs4(&point, 1));
    }
    return result;
}

Cipher baseCipher(const char16_t *cliName, const char16_t *name, const char16_t *explanation,
                  CipherFunction encode, CipherFunction decode)
{
    return Cipher {QString::fromUtf16(cliName),
                   QString::fromUtf16(name),
                   QString::fromUtf16(explanation),
                   {latin1Decl()},
                   Keying::None,
                   encode,
                   decode};
}

} // namespace

Cipher base64Cipher()
{
    return baseCipher(u"base64", u"Base64",
                      u"Die UTF-8-Bytes des Texts, je 6 Bit ein Zeichen aus "
                      u"A–Z, a–z, 0–9, + und / (RFC 4648).",
                      base64Encode, base64Decode);
}

Cipher base32Cipher()
{
    return baseCipher(u"base32", u"Base32",
                      u"Die UTF-8-Bytes des Texts, je 5 Bit ein Zeichen aus "
                      u"A–Z und 2–7 (RFC 4648).",
                      base32Encode, base32Decode);
}

Cipher base16Cipher()
{
    return baseCipher(u"base16", u"Base16 (Hex)",
                      u"Die UTF-8-Bytes des Texts als je zwei "
                      u"Hexadezimalziffern (RFC 4648).",
                      base16Encode, base16Decode);
}

Cipher zeichencodeCipher()
{
    return Cipher {QStringLiteral("zeichencode"),
                   QStringLiteral("Zeichencodes"),
                   QStringLiteral("Jedes Zeichen seine Unicode-Nummer, dezimal, hexadezimal, "
                                  "binär (8er-Gruppen) oder oktal."),
                   {choiceDecl(QStringLiteral("system"), QStringLiteral("Zahlensystem"),
                               {QStringLiteral("dez"), QStringLiteral("hex"), QStringLiteral("bin"),
                                QStringLiteral("okt")},
                               QStringLiteral("dez, hex, bin oder okt (Vorgabe dez)"))},
                   Keying::None,
                   codeEncode,
                   codeDecode};
}

} // namespace Ciphers
