// Ciphers on the Morse code of the text: dots, dashes and "x" for the gaps (one between letters,
// two between words) are cut into triplets (fractionated Morse) or pairs (Morbit), or written as
// digits (Pollux). The Morse code is the registry's.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/ciphers/MorseLetters.h"
#include "logic/common/QuarvelError.h"

#include <array>

namespace Ciphers {
namespace {

// ".-" "x" "-..." "xx" ... from the text; a trailing gap is not written. Room is left for
// `padding` more symbols, so the callers append without copying.
QString morseSymbols(const QString &text, qsizetype padding = 3)
{
    const QString morse = findCipher(QStringLiteral("morse"))->encode(text);
    // Written through a pointer: megabytes of symbols, one character at a time.
    QString out(morse.size() + padding, Qt::Uninitialized);
    QChar *const begin = out.data();
    QChar *w = begin;
    const QChar *const m = morse.constData();
    const qsizetype n = morse.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = m[i];
        if (c == u' ') {
            // " / " between words becomes "xx"; the "/" writes both.
            if (i + 1 < n && m[i + 1] == u'/')
                continue;
            *w++ = u'x';
        } else if (c == u'/') {
            *w++ = u'x';
            *w++ = u'x';
            if (i + 1 < n && m[i + 1] == u' ')
                ++i;
        } else {
            *w++ = c;
        }
    }
    out.truncate(w - begin);
    return out;
}

// Back from the symbols: "x" ends a letter, two or more end a word; leading and trailing x (the
// padding) are dropped. Each letter is looked up in the registry's Morse table.
QString morseText(QStringView symbols)
{
    QString result;
    result.reserve(symbols.size() / 3 + 1);
    qsizetype i = 0;
    while (i < symbols.size()) {
        if (symbols[i] == u'x') {
            qsizetype end = i;
            while (end < symbols.size() && symbols[end] == u'x')
                ++end;
            if (end - i >= 2 && !result.isEmpty() && end < symbols.size())
                result.append(u' ');
            i = end;
            continue;
        }
        qsizetype end = i;
        while (end < symbols.size() && symbols[end] != u'x')
            ++end;
        const QString *character = morseCharacter(symbols.mid(i, end - i));
        if (!character)
            throw QuarvelError(QStringLiteral("„%1“ ist kein Morsezeichen.")
                                   .arg(symbols.mid(i, std::min<qsizetype>(end - i, 20))));
        result.append(*character);
        i = end;
    }
    return result;
}

// 0 for a dot, 1 for a dash, 2 for the gap x: by table, since dots, dashes and gaps follow each
// other at random and a branch per symbol would be mispredicted half the time.
int symbolValue(QChar c)
{
    static constexpr std::array<unsigned char, 128> values = [] {
        std::array<unsigned char, 128> table {};
        table.fill(2);
        table[u'.'] = 0;
        table[u'-'] = 1;
        return table;
    }();
    return values[c.unicode() & 0x7F];
}

constexpr char16_t kSymbols[] = u".-x";

// The key word's letters, then the rest of the alphabet: the letters in their keyed order.
QString keyedAlphabet(const QString &key)
{
    QString alphabet;
    for (const int letter : keyLetters(key, true)) {
        if (!alphabet.contains(QChar(u'A' + letter)))
            alphabet.append(QChar(u'A' + letter));
    }
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        if (!alphabet.contains(QChar(c)))
            alphabet.append(QChar(c));
    }
    return alphabet;
}

// --- fractionated Morse: each triplet of . - x (not xxx) a letter of the keyed alphabet ---------

QString fractionatedEncode(const QString &text, const ParamValues &values)
{
    const QString alphabet = keyedAlphabet(textParam(values, kKey));
    QString symbols = morseSymbols(text);
    if (symbols.isEmpty())
        return {};
    symbols.append(u'x'); // the gap after the last letter closes it
    while (symbols.size() % 3 != 0)
        symbols.append(u'x');
    QString out(symbols.size() / 3, Qt::Uninitialized);
    QChar *const begin = out.data();
    QChar *w = begin;
    const QChar *const s = symbols.constData();
    for (qsizetype i = 0; i < symbols.size(); i += 3) {
        const int index = symbolValue(s[i]) * 9 + symbolValue(s[i + 1]) * 3 + symbolValue(s[i + 2]);
        if (index == 26) // "xxx" only happens as padding after a closing gap
            break;
        *w++ = alphabet[index];
    }
    out.truncate(w - begin);
    return out;
}

QString fractionatedDecode(const QString &text, const ParamValues &values)
{
    const QString alphabet = keyedAlphabet(textParam(values, kKey));
    std::array<int, 26> placeOf {};
    for (int place = 0; place < 26; ++place)
        placeOf[std::size_t(alphabet[place].unicode() - u'A')] = place;
    QString symbols;
    symbols.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int letter = letterIndex(text[i]);
        if (letter < 0)
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 ist kein Buchstabe.").arg(text[i]).arg(i + 1));
        const int index = placeOf[std::size_t(letter)];
        const char16_t triplet[3] = {kSymbols[index / 9], kSymbols[index / 3 % 3],
                                     kSymbols[index % 3]};
        symbols.append(reinterpret_cast<const QChar *>(triplet), 3);
    }
    return morseText(symbols);
}

// --- Morbit: each pair of . - x a digit, the key word ranks the nine pairs ---------------------

std::array<int, 9> morbitDigits(const ParamValues &values)
{
    const std::vector<int> key = keyLetters(textParam(values, kKey), false);
    if (key.size() != 9)
        throw QuarvelError(QStringLiteral("Der Morbit-Schlüssel braucht genau 9 Buchstaben, nicht "
                                          "%1.")
                               .arg(key.size()));
    // The pair at place i gets the rank of the key's i-th letter (equal letters left to right).
    std::array<int, 9> digits {};
    for (int i = 0; i < 9; ++i) {
        int rank = 1;
        for (int k = 0; k < 9; ++k) {
            if (key[std::size_t(k)] < key[std::size_t(i)] ||
                (key[std::size_t(k)] == key[std::size_t(i)] && k < i))
                ++rank;
        }
        digits[std::size_t(i)] = rank;
    }
    return digits;
}

QString morbitEncode(const QString &text, const ParamValues &values)
{
    const std::array<int, 9> digits = morbitDigits(values);
    QString symbols = morseSymbols(text);
    if (symbols.isEmpty())
        return {};
    symbols.append(u'x');
    if (symbols.size() % 2 != 0)
        symbols.append(u'x');
    QString out(symbols.size() / 2, Qt::Uninitialized);
    QChar *w = out.data();
    const QChar *const s = symbols.constData();
    for (qsizetype i = 0; i < symbols.size(); i += 2)
        *w++ = QChar(u'0' + digits[std::size_t(symbolValue(s[i]) * 3 + symbolValue(s[i + 1]))]);
    return out;
}

QString morbitDecode(const QString &text, const ParamValues &values)
{
    const std::array<int, 9> digits = morbitDigits(values);
    QString symbols;
    symbols.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int digit = text[i].unicode() - u'0';
        const auto found = std::find(digits.begin(), digits.end(), digit);
        if (found == digits.end())
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 ist keine Ziffer von 1 bis 9.")
                                   .arg(text[i])
                                   .arg(i + 1));
        const int pair = int(found - digits.begin());
        const char16_t both[2] = {kSymbols[pair / 3], kSymbols[pair % 3]};
        symbols.append(reinterpret_cast<const QChar *>(both), 2);
    }
    return morseText(symbols);
}

// --- Pollux: each dot, dash and gap one of its digits ------------------------------------------

struct PolluxDigits
{
    std::array<QString, 3> ofSymbol; // the digits for ".", "-" and "x"
    std::array<int, 10> symbolOf {}; // 0-2, -1 for a digit of none
};

PolluxDigits polluxDigits(const ParamValues &values)
{
    PolluxDigits d;
    d.symbolOf.fill(-1);
    const QString keys[3] = {QStringLiteral("punkt"), QStringLiteral("strich"),
                             QStringLiteral("trenner")};
    const QString names[3] = {QStringLiteral("Punkt"), QStringLiteral("Strich"),
                              QStringLiteral("Trenner")};
    for (int s = 0; s < 3; ++s) {
        const QString digits = textParam(values, keys[s]);
        if (digits.isEmpty())
            throw QuarvelError(QStringLiteral("Für %1 fehlen die Ziffern.").arg(names[s]));
        for (const QChar c : digits) {
            const int digit = c.unicode() - u'0';
            if (digit < 0 || digit > 9)
                throw QuarvelError(QStringLiteral("Für %1 sind nur Ziffern erlaubt, nicht „%2“.")
                                       .arg(names[s], c));
            if (d.symbolOf[std::size_t(digit)] >= 0)
                throw QuarvelError(
                    QStringLiteral("Die Ziffer %1 steht bei mehr als einem Zeichen.").arg(c));
            d.symbolOf[std::size_t(digit)] = s;
        }
        d.ofSymbol[std::size_t(s)] = digits;
    }
    return d;
}

// Each symbol takes its digits in turn, so the same letter looks different each time.
QString polluxEncode(const QString &text, const ParamValues &values)
{
    const PolluxDigits d = polluxDigits(values);
    const QString symbols = morseSymbols(text);
    std::array<qsizetype, 3> next {};
    QString out(symbols.size(), Qt::Uninitialized);
    QChar *w = out.data();
    for (const QChar c : symbols) {
        const std::size_t s = std::size_t(symbolValue(c));
        const QString &digits = d.ofSymbol[s];
        const qsizetype at = next[s];
        *w++ = digits.at(at);
        next[s] = at + 1 == digits.size() ? 0 : at + 1;
    }
    return out;
}

QString polluxDecode(const QString &text, const ParamValues &values)
{
    const PolluxDigits d = polluxDigits(values);
    QString symbols;
    symbols.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int digit = text[i].unicode() - u'0';
        const int s = digit >= 0 && digit <= 9 ? d.symbolOf[std::size_t(digit)] : -1;
        if (s < 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 steht für kein Morsezeichen.")
                                   .arg(text[i])
                                   .arg(i + 1));
        symbols.append(QChar(kSymbols[s]));
    }
    return morseText(symbols);
}

ParamDecl digitsDecl(const char16_t *key, const char16_t *label, const char16_t *defaultValue,
                     const char16_t *help)
{
    return ParamDecl {QString::fromUtf16(key),
                      QString::fromUtf16(label),
                      ParamKind::Text,
                      QString::fromUtf16(defaultValue),
                      {},
                      0,
                      0,
                      QString::fromUtf16(help)};
}

} // namespace

Cipher fraktioniertesmorseCipher()
{
    return Cipher {QStringLiteral("fraktioniertesmorse"),
                   QStringLiteral("Fraktioniertes Morse"),
                   QStringLiteral("Morsecode mit x zwischen Buchstaben und xx zwischen Wörtern, je "
                                  "drei Zeichen ein Buchstabe des verschlüsselten Alphabets."),
                   {keyDecl(QStringLiteral("Schlüsselwort des Alphabets (leer: A–Z)"))},
                   Keying::Key,
                   fractionatedEncode,
                   fractionatedDecode};
}

Cipher morbitCipher()
{
    return Cipher {
        QStringLiteral("morbit"),
        QStringLiteral("Morbit"),
        QStringLiteral("Morsecode mit x als Trenner, je zwei Zeichen eine Ziffer 1–9 nach "
                       "der Rangfolge der 9 Schlüsselbuchstaben."),
        {keyDecl(QStringLiteral("genau 9 Buchstaben, z. B. WISECRACK"))},
        Keying::Key,
        morbitEncode,
        morbitDecode};
}

Cipher polluxCipher()
{
    return Cipher {QStringLiteral("pollux"),
                   QStringLiteral("Pollux"),
                   QStringLiteral("Morsecode mit x als Trenner, jedes Zeichen eine seiner Ziffern "
                                  "(abwechselnd verwendet)."),
                   {digitsDecl(u"punkt", u"Punkt", u"0369", u"Ziffern für den Punkt"),
                    digitsDecl(u"strich", u"Strich", u"147", u"Ziffern für den Strich"),
                    digitsDecl(u"trenner", u"Trenner", u"258", u"Ziffern für den Trenner x")},
                   Keying::Numbers,
                   polluxEncode,
                   polluxDecode};
}

} // namespace Ciphers
