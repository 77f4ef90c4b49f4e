// Substitutions whose alphabet changes with every letter: Porta (13 reciprocal alphabets chosen
// by the key) and the Chaocipher (two alphabets that are stirred after each letter).
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <array>

namespace Ciphers {
namespace {

// Key letters in pairs (A/B, C/D, ...) choose one of 13 alphabets; each swaps the first half of
// the alphabet with the second, so the same walk encodes and decodes.
QString porta(const QString &text, const ParamValues &values)
{
    const std::vector<int> key = keyLetters(textParam(values, kKey), false);
    QString out = text;
    std::size_t k = 0;
    for (QChar &c : out) {
        const int p = letterIndex(c);
        if (p < 0)
            continue;
        const int shift = key[k++ % key.size()] / 2;
        const int q = p < 13 ? 13 + (p + shift) % 13 : mod(p - 13 - shift, 13);
        c = letterLike(q, c);
    }
    return out;
}

// --- Chaocipher -------------------------------------------------------------------------------

using ChaoAlphabet = std::array<int, 26>;

ChaoAlphabet chaoAlphabet(const QString &text, const QString &label)
{
    ChaoAlphabet alphabet {};
    std::array<bool, 26> seen {};
    const QString letters = lettersOnly(text);
    if (letters.size() != 26 || letters.size() != text.trimmed().size())
        throw QuarvelError(QStringLiteral("Das %1 Alphabet braucht alle 26 Buchstaben A–Z, jeden "
                                          "einmal.")
                               .arg(label));
    for (int i = 0; i < 26; ++i) {
        const int letter = letters[i].unicode() - u'A';
        if (seen[std::size_t(letter)])
            throw QuarvelError(
                QStringLiteral("Im %1 Alphabet steht „%2“ doppelt.")
                    .arg(label == u"linke" ? QStringLiteral("linken") : QStringLiteral("rechten"),
                         letters[i]));
        seen[std::size_t(letter)] = true;
        alphabet[std::size_t(i)] = letter;
    }
    return alphabet;
}

// Turns the alphabet so `zenith` comes first, then takes the letter `taken` places after the
// zenith out and puts it back at the nadir (place 13).
void permute(ChaoAlphabet &alphabet, int zenith, int taken)
{
    ChaoAlphabet turned;
    std::rotate_copy(alphabet.begin(), alphabet.begin() + zenith, alphabet.end(), turned.begin());
    std::rotate(turned.begin() + taken, turned.begin() + taken + 1, turned.begin() + 14);
    alphabet = turned;
}

QString chao(const QString &text, const ParamValues &values, bool decode)
{
    ChaoAlphabet left = chaoAlphabet(textParam(values, QStringLiteral("links")), u"linke"_qs);
    ChaoAlphabet right = chaoAlphabet(textParam(values, QStringLiteral("rechts")), u"rechte"_qs);
    QString out = text;
    for (QChar &c : out) {
        const int letter = letterIndex(c);
        if (letter < 0)
            continue;
        // The plain letter stands in the right alphabet, the cipher letter in the left one at
        // the same place.
        const ChaoAlphabet &from = decode ? left : right;
        const int at = int(std::find(from.begin(), from.end(), letter) - from.begin());
        c = QChar(u'A' + (decode ? right : left)[std::size_t(at)]);
        permute(left, at, 1);
        permute(right, (at + 1) % 26, 2);
    }
    return out;
}

QString chaoEncode(const QString &text, const ParamValues &values)
{
    return chao(text, values, false);
}

QString chaoDecode(const QString &text, const ParamValues &values)
{
    return chao(text, values, true);
}

} // namespace

Cipher portaCipher()
{
    return Cipher {
        QStringLiteral("porta"),
        QStringLiteral("Porta"),
        QStringLiteral("13 umkehrbare Alphabete, je ein Schlüsselbuchstabenpaar (A/B, C/D "
                       "…) wählt eines; Ver- und Entschlüsseln sind dasselbe."),
        {keyDecl(QStringLiteral("Schlüsselwort (nur Buchstaben)"))},
        Keying::Key,
        porta,
        porta};
}

Cipher chaoCipher()
{
    return Cipher {
        QStringLiteral("chao"),
        QStringLiteral("Chaocipher"),
        QStringLiteral("Zwei Alphabete (links Geheimtext, rechts Klartext), nach jedem Buchstaben "
                       "gedreht und an Zenit und Nadir umgestellt (J. F. Byrne)."),
        {ParamDecl {QStringLiteral("links"),
                    QStringLiteral("Linkes Alphabet"),
                    ParamKind::Text,
                    QStringLiteral("HXUCZVAMDSLKPEFJRIGTWOBNYQ"),
                    {},
                    0,
                    0,
                    QStringLiteral("die 26 Buchstaben des Geheimtextrads")},
         ParamDecl {QStringLiteral("rechts"),
                    QStringLiteral("Rechtes Alphabet"),
                    ParamKind::Text,
                    QStringLiteral("PTLNBQDEOYSFAVZKGJRIHWXUMC"),
                    {},
                    0,
                    0,
                    QStringLiteral("die 26 Buchstaben des Klartextrads")}},
        Keying::Key,
        chaoEncode,
        chaoDecode};
}

} // namespace Ciphers
