// Ciphers on the Morse code of the text: dots, dashes and "x" for the gaps (one between letters,
// two between words) are cut into triplets (fractionated Morse) or pairs (Morbit), or written as
// digits (Pollux). The Morse code is the registry's.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <array>

namespace Ciphers {
namespace {

// ".-" "x" "-..." "xx" ... from the text; a trailing gap is not written.
QString morseSymbols(const QString &text)
{
    const QString morse = findCipher(QStringLiteral("morse"))->encode(text);
    QString out;
    out.reserve(morse.size());
    for (qsizetype i = 0; i < morse.size(); ++i) {
        const QChar c = morse[i];
        if (c == u'/') {
            out.append(u'x'); // " / " becomes "xx": its blanks give the other x
            continue;
        }
        out.append(c == u' ' ? QChar(u'x') : c);
    }
    // " / " gave "xxx"; a word gap is two x.
    out.replace(QStringLiteral("xxx"), QStringLiteral("xx"));
    return out;
}

// Back from the symbols; any number of trailing x (the padding) is dropped.
QString morseText(QString symbols)
{
    while (symbols.endsWith(u'x'))
        symbols.chop(1);
    while (symbols.startsWith(u'x'))
        symbols.remove(0, 1);
    QString morse;
    morse.reserve(symbols.size() + 8);
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        if (symbols[i] != u'x') {
            morse.append(symbols[i]);
        } else if (i + 1 < symbols.size() && symbols[i + 1] == u'x') {
            morse.append(QStringLiteral(" / "));
            while (i + 1 < symbols.size() && symbols[i + 1] == u'x')
                ++i;
        } else {
            morse.append(u' ');
        }
    }
    return findCipher(QStringLiteral("morse"))->decode(morse);
}

int symbolValue(QChar c)
{
    return c == u'.' ? 0 : c == u'-' ? 1 : 2;
}

constexpr char kSymbols[] = ".-x";

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
    QString out;
    for (qsizetype i = 0; i < symbols.size(); i += 3) {
        const int index = symbolValue(symbols[i]) * 9 + symbolValue(symbols[i + 1]) * 3 +
            symbolValue(symbols[i + 2]);
        if (index == 26) // "xxx" only happens as padding after a closing gap
            break;
        out.append(alphabet[index]);
    }
    return out;
}

QString fractionatedDecode(const QString &text, const ParamValues &values)
{
    const QString alphabet = keyedAlphabet(textParam(values, kKey));
    QString symbols;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int letter = letterIndex(text[i]);
        if (letter < 0)
            throw QuarvelError(
                QStringLiteral("„%1“ an Stelle %2 ist kein Buchstabe.").arg(text[i]).arg(i + 1));
        const int index = int(alphabet.indexOf(QChar(u'A' + letter)));
        for (const int weight : {9, 3, 1})
            symbols.append(QLatin1Char(kSymbols[index / weight % 3]));
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
    QString out;
    for (qsizetype i = 0; i < symbols.size(); i += 2)
        out.append(QChar(
            u'0' + digits[std::size_t(symbolValue(symbols[i]) * 3 + symbolValue(symbols[i + 1]))]));
    return out;
}

QString morbitDecode(const QString &text, const ParamValues &values)
{
    const std::array<int, 9> digits = morbitDigits(values);
    QString symbols;
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
        symbols.append(QLatin1Char(kSymbols[pair / 3]));
        symbols.append(QLatin1Char(kSymbols[pair % 3]));
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
    QString out;
    out.reserve(symbols.size());
    for (const QChar c : symbols) {
        const std::size_t s = std::size_t(symbolValue(c));
        out.append(d.ofSymbol[s][next[s]++ % d.ofSymbol[s].size()]);
    }
    return out;
}

QString polluxDecode(const QString &text, const ParamValues &values)
{
    const PolluxDigits d = polluxDigits(values);
    QString symbols;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        const int digit = text[i].unicode() - u'0';
        const int s = digit >= 0 && digit <= 9 ? d.symbolOf[std::size_t(digit)] : -1;
        if (s < 0)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 steht für kein Morsezeichen.")
                                   .arg(text[i])
                                   .arg(i + 1));
        symbols.append(QLatin1Char(kSymbols[s]));
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
