// Encodings that pack the bytes of the text tighter than Base64: Base58 (the Bitcoin alphabet),
// Ascii85 (Adobe), Z85 (ZeroMQ) and basE91 (Henke).
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <gmp.h>

#include <array>
#include <cstring>

namespace Ciphers {
namespace {

[[noreturn]] void foreignCharacter(const QString &name, QChar c, qsizetype position)
{
    throw QuarvelError(
        QStringLiteral("„%1“ an Stelle %2 gehört nicht zu %3.").arg(c).arg(position + 1).arg(name));
}

// value of every ASCII character in `alphabet`, -1 elsewhere
std::array<int, 128> reverseAlphabet(const char *alphabet)
{
    std::array<int, 128> values;
    values.fill(-1);
    for (int i = 0; alphabet[i]; ++i)
        values[std::size_t(alphabet[i])] = i;
    return values;
}

int valueIn(const std::array<int, 128> &values, QChar c)
{
    return c.unicode() < 128 ? values[c.unicode()] : -1;
}

// --- Base58: the bytes as one big number in base 58; each leading zero byte is a "1" -------

constexpr char kBase58[] = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
// GMP writes and reads the digits of base 58 as 0-9, A-Z, a-v.
constexpr char kGmpDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// GMP's conversions are subquadratic; a schoolbook loop would take minutes for a megabyte.
struct BigNumber
{
    mpz_t value;
    BigNumber() { mpz_init(value); }
    ~BigNumber() { mpz_clear(value); }
    BigNumber(const BigNumber &) = delete;
    BigNumber &operator=(const BigNumber &) = delete;
};

QString base58Encode(const QString &text, const ParamValues &values)
{
    const QByteArray bytes = textBytes(text, values);
    qsizetype zeros = 0;
    while (zeros < bytes.size() && bytes[zeros] == 0)
        ++zeros;
    QString result(zeros, u'1');
    if (zeros == bytes.size())
        return result;
    BigNumber number;
    mpz_import(number.value, std::size_t(bytes.size() - zeros), 1, 1, 1, 0,
               bytes.constData() + zeros);
    QByteArray digits(qsizetype(mpz_sizeinbase(number.value, 58) + 2), '\0');
    mpz_get_str(digits.data(), 58, number.value);
    digits.truncate(qsizetype(std::strlen(digits.constData())));
    static const std::array<int, 128> gmpValue = reverseAlphabet(kGmpDigits);
    result.reserve(zeros + digits.size());
    for (const char digit : digits)
        result.append(QLatin1Char(kBase58[gmpValue[std::size_t(digit)]]));
    return result;
}

QString base58Decode(const QString &text, const ParamValues &values)
{
    static const std::array<int, 128> value = reverseAlphabet(kBase58);
    const QString trimmed = text.trimmed();
    qsizetype zeros = 0;
    while (zeros < trimmed.size() && trimmed[zeros] == u'1')
        ++zeros;
    QByteArray digits;
    digits.reserve(trimmed.size() - zeros);
    for (qsizetype i = zeros; i < trimmed.size(); ++i) {
        const int v = valueIn(value, trimmed[i]);
        if (v < 0)
            foreignCharacter(QStringLiteral("Base58"), trimmed[i], text.indexOf(trimmed) + i);
        digits.append(kGmpDigits[v]);
    }
    QByteArray bytes(zeros, '\0');
    if (!digits.isEmpty()) {
        BigNumber number;
        mpz_set_str(number.value, digits.constData(), 58);
        const qsizetype start = bytes.size();
        bytes.resize(start + qsizetype((mpz_sizeinbase(number.value, 2) + 7) / 8));
        std::size_t written = 0;
        mpz_export(bytes.data() + start, &written, 1, 1, 1, 0, number.value);
        bytes.resize(start + qsizetype(written));
    }
    return bytesText(bytes, values);
}

// --- Ascii85 and Z85: four bytes as five digits of base 85 ---------------------------------

constexpr char kZ85[] =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ.-:+=^!/*?&<>()[]{}@%$#";

void appendGroup(QString &out, quint32 group, int digits, const char *alphabet)
{
    char16_t written[5];
    for (int i = 4; i >= 0; --i, group /= 85)
        written[i] = char16_t(alphabet ? alphabet[group % 85] : '!' + group % 85);
    out.append(reinterpret_cast<const QChar *>(written), digits);
}

QString ascii85Encode(const QString &text, const ParamValues &values)
{
    const QByteArray bytes = textBytes(text, values);
    QString result;
    result.reserve(bytes.size() / 4 * 5 + 5);
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const qsizetype n = std::min<qsizetype>(4, bytes.size() - i);
        quint32 group = 0;
        for (qsizetype k = 0; k < 4; ++k)
            group = (group << 8) | (k < n ? quint8(bytes[i + k]) : 0u);
        if (group == 0 && n == 4)
            result.append(u'z');
        else
            appendGroup(result, group, int(n) + 1, nullptr);
    }
    return result;
}

// Five digits (fewer in a last group of Ascii85, padded with the highest digit) to four bytes.
void appendBytes(QByteArray &out, const int *digits, int count, const QString &name)
{
    quint64 group = 0;
    for (int i = 0; i < 5; ++i)
        group = group * 85 + quint64(i < count ? digits[i] : 84);
    if (group > 0xFFFFFFFFu)
        throw QuarvelError(
            QStringLiteral("Eine %1-Gruppe ist größer als vier Bytes fassen.").arg(name));
    for (int i = 0; i < count - 1; ++i)
        out.append(char((group >> (24 - 8 * i)) & 0xFF));
}

QString ascii85Decode(const QString &text, const ParamValues &values)
{
    const QString name = QStringLiteral("Ascii85");
    QString body = text.trimmed();
    if (body.startsWith(u"<~"))
        body.remove(0, 2);
    if (body.endsWith(u"~>"))
        body.chop(2);
    QByteArray bytes;
    bytes.reserve(body.size() * 4 / 5 + 4);
    int digits[5];
    int count = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c.isSpace())
            continue;
        if (c == u'z' && count == 0) {
            bytes.append(4, '\0');
            continue;
        }
        if (c.unicode() < u'!' || c.unicode() > u'u')
            foreignCharacter(name, c, i);
        digits[count++] = c.unicode() - u'!';
        if (count == 5) {
            appendBytes(bytes, digits, 5, name);
            count = 0;
        }
    }
    if (count == 1)
        throw QuarvelError(QStringLiteral("Der Ascii85-Text ist unvollständig: eine letzte "
                                          "Gruppe braucht mindestens zwei Zeichen."));
    if (count > 1)
        appendBytes(bytes, digits, count, name);
    return bytesText(bytes, values);
}

QString z85Encode(const QString &text, const ParamValues &values)
{
    const QByteArray bytes = textBytes(text, values);
    if (bytes.size() % 4 != 0)
        throw QuarvelError(QStringLiteral("Z85 braucht eine durch 4 teilbare Zahl von Bytes; "
                                          "der Text hat %1.")
                               .arg(bytes.size()));
    QString result;
    result.reserve(bytes.size() / 4 * 5);
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        quint32 group = 0;
        for (qsizetype k = 0; k < 4; ++k)
            group = (group << 8) | quint8(bytes[i + k]);
        appendGroup(result, group, 5, kZ85);
    }
    return result;
}

QString z85Decode(const QString &text, const ParamValues &values)
{
    static const std::array<int, 128> value = reverseAlphabet(kZ85);
    const QString name = QStringLiteral("Z85");
    QByteArray bytes;
    bytes.reserve(text.size() * 4 / 5);
    int digits[5];
    int count = 0;
    qsizetype symbols = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int v = valueIn(value, text[i]);
        if (v < 0)
            foreignCharacter(name, text[i], i);
        ++symbols;
        digits[count++] = v;
        if (count == 5) {
            appendBytes(bytes, digits, 5, name);
            count = 0;
        }
    }
    if (count != 0)
        throw QuarvelError(QStringLiteral("Z85 braucht eine durch 5 teilbare Zahl von Zeichen; "
                                          "der Text hat %1.")
                               .arg(symbols));
    return bytesText(bytes, values);
}

// --- basE91: 13 or 14 bits as two of 91 characters -----------------------------------------

constexpr char kBase91[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!#$%&()*+,./"
    ":;<=>?@[]^_`{|}~\"";

QString base91Encode(const QString &text, const ParamValues &values)
{
    const QByteArray bytes = textBytes(text, values);
    QString result;
    result.reserve(bytes.size() * 5 / 4 + 2);
    quint32 bits = 0;
    int held = 0;
    for (const char byte : bytes) {
        bits |= quint32(quint8(byte)) << held;
        held += 8;
        if (held > 13) {
            // 13 bits where they fit two characters with room left, else 14
            quint32 v = bits & 8191;
            if (v > 88) {
                bits >>= 13;
                held -= 13;
            } else {
                v = bits & 16383;
                bits >>= 14;
                held -= 14;
            }
            result.append(QLatin1Char(kBase91[v % 91]));
            result.append(QLatin1Char(kBase91[v / 91]));
        }
    }
    if (held > 0) {
        result.append(QLatin1Char(kBase91[bits % 91]));
        if (held > 7 || bits > 90)
            result.append(QLatin1Char(kBase91[bits / 91]));
    }
    return result;
}

QString base91Decode(const QString &text, const ParamValues &values)
{
    static const std::array<int, 128> value = reverseAlphabet(kBase91);
    QByteArray bytes;
    bytes.reserve(text.size() * 4 / 5 + 1);
    quint32 bits = 0;
    int held = 0;
    int pending = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int v = valueIn(value, text[i]);
        if (v < 0)
            foreignCharacter(QStringLiteral("basE91"), text[i], i);
        if (pending < 0) {
            pending = v;
            continue;
        }
        pending += v * 91;
        bits |= quint32(pending) << held;
        held += (pending & 8191) > 88 ? 13 : 14;
        do {
            bytes.append(char(bits & 0xFF));
            bits >>= 8;
            held -= 8;
        } while (held > 7);
        pending = -1;
    }
    if (pending >= 0)
        bytes.append(char((bits | quint32(pending) << held) & 0xFF));
    return bytesText(bytes, values);
}

Cipher byteCipher(const char16_t *cliName, const char16_t *name, const char16_t *explanation,
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

Cipher base58Cipher()
{
    return byteCipher(u"base58", u"Base58",
                      u"Die Bytes als eine Zahl zur Basis 58 im Bitcoin-Alphabet (ohne 0, O, I, "
                      u"l); jedes führende Nullbyte eine „1“.",
                      base58Encode, base58Decode);
}

Cipher ascii85Cipher()
{
    return byteCipher(u"ascii85", u"Ascii85",
                      u"Je 4 Bytes als 5 Zeichen von „!“ bis „u“ (Adobe), 4 Nullbytes als „z“; "
                      u"<~ ~> werden beim Entschlüsseln übergangen.",
                      ascii85Encode, ascii85Decode);
}

Cipher z85Cipher()
{
    return byteCipher(u"z85", u"Z85",
                      u"Je 4 Bytes als 5 Zeichen im ZeroMQ-Alphabet; die Bytezahl muss durch 4 "
                      u"teilbar sein.",
                      z85Encode, z85Decode);
}

Cipher base91Cipher()
{
    return byteCipher(u"base91", u"basE91",
                      u"Je 13 oder 14 Bit als zwei von 91 druckbaren Zeichen (Joachim Henke).",
                      base91Encode, base91Decode);
}

} // namespace Ciphers
