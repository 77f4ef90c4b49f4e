#pragma once

// Small pieces the cipher families share: ASCII letters, keys and parameter declarations.

#include "logic/ciphers/CipherRegistry.h"

#include <QString>

#include <vector>

namespace Ciphers {

// 0..25 for A-Z and a-z, -1 for every other character (umlauts, ß, digits included).
inline int letterIndex(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    if (u >= u'a' && u <= u'z')
        return u - u'a';
    return -1;
}

inline bool isLower(QChar c)
{
    return c.unicode() >= u'a' && c.unicode() <= u'z';
}

// The letter with index 0..25 in the case of `like`.
inline QChar letterLike(int index, QChar like)
{
    return QChar((isLower(like) ? u'a' : u'A') + index);
}

inline int mod(int value, int modulus)
{
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

// The key's letters as indices 0..25; fails with the German message for any other character.
// An empty key fails unless `emptyAllowed`.
std::vector<int> keyLetters(const QString &key, bool emptyAllowed);

// A-Z upper-cased by the ASCII rule, every other character dropped.
QString lettersOnly(const QString &text);

// Calls `visit(word, position)` for every run of characters between white space and the
// `separators`: one pass without a list of strings, so a megabyte of numbers stays fast.
template<typename Visit>
void forEachWord(QStringView text, Visit visit, QStringView separators = u",;")
{
    const auto separates = [separators](QChar c) { return c.isSpace() || separators.contains(c); };
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && separates(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !separates(text[i]))
            ++i;
        if (i > start)
            visit(text.sliced(start, i - start), start);
    }
}

// The decimal digits of `n` appended without a temporary string.
inline void appendDecimal(QString &out, quint64 n)
{
    char16_t digits[20];
    int count = 0;
    do {
        digits[19 - count++] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n != 0);
    out.append(reinterpret_cast<const QChar *>(digits + 20 - count), count);
}

ParamDecl keyDecl(const QString &help, const QString &defaultValue = {});
ParamDecl numberDecl(const QString &key, const QString &label, int minimum, int maximum,
                     int defaultValue, const QString &help);
ParamDecl switchDecl(const QString &key, const QString &label, const QString &help);
ParamDecl choiceDecl(const QString &key, const QString &label, const QStringList &choices,
                     const QString &help);

inline constexpr QLatin1String kKey("schluessel");
inline constexpr QLatin1String kLatin1("latin1");

// The bytes an encoding of bytes works on: UTF-8, or Latin-1 when the switch "latin1" is on
// (then a character beyond U+00FF fails with its position).
QByteArray textBytes(const QString &text, const ParamValues &values);
// Decoded bytes back as text by the same switch; invalid UTF-8 fails with a hint at Latin-1.
QString bytesText(const QByteArray &bytes, const ParamValues &values);
ParamDecl latin1Decl();

} // namespace Ciphers
