// Codes for sending: Morse (ITU) and the letters of a phone keypad.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/MorseLetters.h"
#include "logic/common/QuarvelError.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace Ciphers {
namespace {

struct MorseTables
{
    QHash<char16_t, QString> code; // upper-case character -> dots and dashes
    // dots and dashes -> character ("----" -> "CH"), by the key of signKey()
    std::array<QString, 256> text;
    std::array<QString, 128> ascii; // the code of every ASCII character, either case
    QString ch = QStringLiteral("----");
};

constexpr int kLongestLetter = 7;

// A letter of at most seven signs as one number: a leading 1, then a bit per sign (dash = 1);
// -1 for a longer letter or a sign other than dot and dash.
int signKey(QStringView signs)
{
    if (signs.size() > kLongestLetter)
        return -1;
    int key = 1;
    for (const QChar c : signs) {
        if (c != u'.' && c != u'-')
            return -1;
        key = key << 1 | int(c == u'-');
    }
    return key;
}

const MorseTables &morseTables()
{
    static const MorseTables tables = [] {
        const std::pair<const char16_t *, const char *> entries[] = {
            {u"A", ".-"},      {u"B", "-..."},    {u"C", "-.-."},   {u"D", "-.."},
            {u"E", "."},       {u"F", "..-."},    {u"G", "--."},    {u"H", "...."},
            {u"I", ".."},      {u"J", ".---"},    {u"K", "-.-"},    {u"L", ".-.."},
            {u"M", "--"},      {u"N", "-."},      {u"O", "---"},    {u"P", ".--."},
            {u"Q", "--.-"},    {u"R", ".-."},     {u"S", "..."},    {u"T", "-"},
            {u"U", "..-"},     {u"V", "...-"},    {u"W", ".--"},    {u"X", "-..-"},
            {u"Y", "-.--"},    {u"Z", "--.."},    {u"0", "-----"},  {u"1", ".----"},
            {u"2", "..---"},   {u"3", "...--"},   {u"4", "....-"},  {u"5", "....."},
            {u"6", "-...."},   {u"7", "--..."},   {u"8", "---.."},  {u"9", "----."},
            {u"Ä", ".-.-"},    {u"Ö", "---."},    {u"Ü", "..--"},   {u"ß", "...--.."},
            {u"CH", "----"},   {u".", ".-.-.-"},  {u",", "--..--"}, {u"?", "..--.."},
            {u"'", ".----."},  {u"!", "-.-.--"},  {u"/", "-..-."},  {u"(", "-.--."},
            {u")", "-.--.-"},  {u"&", ".-..."},   {u":", "---..."}, {u";", "-.-.-."},
            {u"=", "-...-"},   {u"+", ".-.-."},   {u"-", "-....-"}, {u"_", "..--.-"},
            {u"\"", ".-..-."}, {u"$", "...-..-"}, {u"@", ".--.-."},
        };
        MorseTables t;
        for (const auto &[character, signs] : entries) {
            const QString key = QString::fromUtf16(character);
            if (key.size() == 1)
                t.code.insert(key.at(0).unicode(), QString::fromLatin1(signs));
            t.text[std::size_t(signKey(QString::fromLatin1(signs)))] = key;
        }
        for (char16_t c = 0; c < 128; ++c)
            t.ascii[c] = t.code.value(QChar(c).toUpper().unicode());
        return t;
    }();
    return tables;
}

QString morseEncode(const QString &text, const ParamValues &)
{
    const MorseTables &tables = morseTables();
    QString result;
    result.reserve(text.size() * 5);
    bool wordBreak = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            wordBreak = true;
            continue;
        }
        // ASCII from the table, without a hash lookup or a string copy per character.
        QString other;
        const QString *signs = &other;
        if (c.unicode() < 128)
            signs = &tables.ascii[c.unicode()];
        else
            other = tables.code.value(c.unicode() == u'ß' ? u'ß' : c.toUpper().unicode());
        if ((c == u'C' || c == u'c') && i + 1 < text.size() && text.at(i + 1).toUpper() == u'H') {
            signs = &tables.ch;
            ++i;
        }
        if (signs->isEmpty())
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 hat kein Morsezeichen.").arg(c).arg(i + 1));
        if (!result.isEmpty())
            result.append(wordBreak ? QStringLiteral(" / ") : QStringLiteral(" "));
        wordBreak = false;
        result.append(*signs);
    }
    return result;
}

// Dots and dashes in every usual spelling as "." and "-", word breaks as "/", letter breaks as
// one blank.
QString normalisedMorse(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype blanks = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const char16_t u = i < text.size() ? text.at(i).unicode() : u'\n';
        if (u == u' ' || u == u'\t') {
            ++blanks;
            continue;
        }
        if (blanks > 0)
            out.append(blanks >= 3 ? u'/' : u' ');
        blanks = 0;
        if (u == u'.' || u == u'·' || u == u'•')
            out.append(u'.');
        else if (u == u'-' || u == u'−' || u == u'_' || u == u'–')
            out.append(u'-');
        else if (u == u'/' || u == u'|')
            out.append(u'/');
        else if (u == u'\n' || u == u'\r')
            out.append(u'/');
        else
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 gehört nicht zum Morsecode.")
                                   .arg(QChar(u))
                                   .arg(i + 1));
    }
    return out;
}

QString morseDecode(const QString &text, const ParamValues &)
{
    const QString signs = normalisedMorse(text);
    QString result;
    result.reserve(signs.size() / 3 + 1);
    qsizetype i = 0;
    while (i < signs.size()) {
        if (signs.at(i) == u' ') {
            ++i;
        } else if (signs.at(i) == u'/') {
            if (!result.isEmpty() && !result.endsWith(u' '))
                result.append(u' ');
            ++i;
        } else {
            qsizetype end = i;
            while (end < signs.size() && (signs.at(end) == u'.' || signs.at(end) == u'-'))
                ++end;
            const QString *letter = morseCharacter(QStringView(signs).mid(i, end - i));
            if (!letter)
                throw QuarvelError(QStringLiteral("„%1“ ist kein Morsezeichen.")
                                       .arg(signs.mid(i, std::min<qsizetype>(end - i, 20))));
            result.append(*letter);
            i = end;
        }
    }
    if (result.endsWith(u' '))
        result.chop(1);
    return result;
}

// The keys 2 to 9 with their letters; 0 is the blank.
const char *const kKeyLetters[10] = {" ",   "",    "ABC",  "DEF", "GHI",
                                     "JKL", "MNO", "PQRS", "TUV", "WXYZ"};

// A symbol's key presses padded to eight units, so each is copied whole; size 0 where no key
// holds it. Multi-tap presses a key once more for each letter before it there, T9 once.
struct KeyPresses
{
    char16_t units[8];
    int size;
};

KeyPresses keyPresses(char symbol, bool t9)
{
    KeyPresses presses {};
    for (int key = 0; key < 10; ++key) {
        const char *found = std::strchr(kKeyLetters[key], symbol);
        if (!found || !*found)
            continue;
        std::fill_n(presses.units, 8, char16_t(u'0' + key));
        presses.size = t9 ? 1 : int(found - kKeyLetters[key]) + 1;
        break;
    }
    return presses;
}

// Measured first, then written in place: a megabyte of text makes a few million presses.
QString handyEncode(const QString &text, const ParamValues &values)
{
    const bool t9 = switchParam(values, QStringLiteral("t9"));
    std::array<KeyPresses, 27> table; // A-Z, then the blank
    for (int i = 0; i < 26; ++i)
        table[std::size_t(i)] = keyPresses(char('A' + i), t9);
    table[26] = keyPresses(' ', t9);
    const auto walk = [&](auto take) {
        bool first = true;
        for (const QChar c : text) {
            const int index = letterIndex(c);
            if (index < 0 && c != u' ')
                continue;
            const KeyPresses &presses = table[std::size_t(index < 0 ? 26 : index)];
            if (presses.size == 0)
                continue;
            take(presses, !t9 && !first);
            first = false;
        }
    };
    qsizetype size = 0;
    walk([&](const KeyPresses &presses, bool blank) { size += presses.size + blank; });
    if (size == 0)
        return {};
    QString result(size + 8, Qt::Uninitialized); // room for the last whole copy
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    walk([&](const KeyPresses &presses, bool blank) {
        *out = u' ';
        out += blank;
        std::memcpy(out, presses.units, sizeof presses.units);
        out += presses.size;
    });
    result.resize(size);
    return result;
}

QString handyDecode(const QString &text, const ParamValues &values)
{
    if (switchParam(values, QStringLiteral("t9")))
        throw QuarvelError(QStringLiteral("T9 ist nicht eindeutig; entschlüsselt wird nur "
                                          "Mehrfachtippen (ohne „T9“)."));
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t u = text.at(i).unicode();
        if (u < u'0' || u > u'9') {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text.at(end) == u)
            ++end;
        const int key = u - u'0';
        if (key == 0) { // each press of 0 is a blank of its own: a run of them at once
            result.append(QString(end - i, u' '));
            i = end;
            continue;
        }
        const qsizetype letters = qsizetype(std::strlen(kKeyLetters[key]));
        const qsizetype presses = end - i;
        if (letters == 0 || presses > letters)
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2: die Taste %3 hat nur %4 Buchstaben.")
                    .arg(text.mid(i, std::min<qsizetype>(end - i, 20)))
                    .arg(i + 1)
                    .arg(key)
                    .arg(letters));
        result.append(QLatin1Char(kKeyLetters[key][presses - 1]));
        i = end;
    }
    return result;
}

} // namespace

const QString *morseCharacter(QStringView signs)
{
    const int key = signKey(signs);
    const QString *character = key < 0 ? nullptr : &morseTables().text[std::size_t(key)];
    return character && !character->isEmpty() ? character : nullptr;
}

Cipher morseCipher()
{
    return Cipher {QStringLiteral("morse"),
                   QStringLiteral("Morsecode"),
                   QStringLiteral("Internationaler Morsecode: Buchstaben durch ein Leerzeichen, "
                                  "Wörter durch „ / “ getrennt."),
                   {},
                   Keying::None,
                   morseEncode,
                   morseDecode};
}

Cipher handyCipher()
{
    return Cipher {QStringLiteral("handy"),
                   QStringLiteral("Handytastatur"),
                   QStringLiteral("Mehrfachtippen: jeder Buchstabe seine Taste so oft wie seine "
                                  "Stelle (C = 222), 0 = Leerzeichen."),
                   {switchDecl(QStringLiteral("t9"), QStringLiteral("T9"),
                               QStringLiteral("eine Ziffer je Buchstabe (nur verschlüsseln)"))},
                   Keying::None,
                   handyEncode,
                   handyDecode};
}

} // namespace Ciphers
