// One letter for another: Atbash, affine, Beaufort, autokey, Gronsfeld and the ROT family and
// Vigenère of the older panels. Letters are A-Z and a-z, their case is kept, everything else
// stays where it is and uses up no key.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/CryptoTools.h"
#include "logic/tools/LetterKernels.h"

#include <numeric>
#include <utility>

namespace Ciphers {
namespace {

// The letters' rule as a table of the ASCII range: position-independent ciphers are applied by
// one lookup per code unit.
template<typename Rule> QString mapLetters(const QString &text, Rule rule)
{
    LetterKernels::AsciiTable table {};
    for (char16_t c = 0; c < 128; ++c) {
        const int index = letterIndex(QChar(c));
        table[c] = index < 0 ? c : letterLike(rule(index), QChar(c)).unicode();
    }
    return LetterKernels::substitute(text, table);
}

QString atbash(const QString &text, const ParamValues &)
{
    return mapLetters(text, [](int p) { return 25 - p; });
}

int affineA(const ParamValues &values)
{
    const int a = numberParam(values, QStringLiteral("a"));
    if (std::gcd(a, 26) != 1)
        throw QuarvelError(QStringLiteral("a = %1 ist nicht teilerfremd zu 26; möglich sind 1, 3, "
                                          "5, 7, 9, 11, 15, 17, 19, 21, 23 und 25.")
                               .arg(a));
    return a;
}

QString affineEncode(const QString &text, const ParamValues &values)
{
    const int a = affineA(values);
    const int b = numberParam(values, QStringLiteral("b"));
    return mapLetters(text, [=](int p) { return (a * p + b) % 26; });
}

QString affineDecode(const QString &text, const ParamValues &values)
{
    const int a = affineA(values);
    const int b = numberParam(values, QStringLiteral("b"));
    int inverse = 1;
    while ((a * inverse) % 26 != 1)
        ++inverse;
    return mapLetters(text, [=](int c) { return mod(inverse * (c - b), 26); });
}

// Key letter minus plain letter is 25 times the plain letter plus the key letter, mod 26.
QString beaufort(const QString &text, const ParamValues &values)
{
    return LetterKernels::shiftLetters(text, {25, keyLetters(textParam(values, kKey), false)});
}

QString autokeyEncode(const QString &text, const ParamValues &values)
{
    return LetterKernels::autokey(text, keyLetters(textParam(values, kKey), false), false);
}

QString autokeyDecode(const QString &text, const ParamValues &values)
{
    return LetterKernels::autokey(text, keyLetters(textParam(values, kKey), false), true);
}

std::vector<int> gronsfeldKey(const ParamValues &values)
{
    const QString key = textParam(values, kKey);
    if (key.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte einen Schlüssel aus Ziffern eingeben."));
    std::vector<int> shifts;
    for (const QChar c : key) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            throw QuarvelError(QStringLiteral("Der Schlüssel darf nur Ziffern enthalten."));
        shifts.push_back(c.unicode() - u'0');
    }
    return shifts;
}

QString gronsfeld(const QString &text, const ParamValues &values, int sign)
{
    std::vector<int> key = gronsfeldKey(values);
    for (int &shift : key)
        shift = mod(sign * shift, 26);
    return LetterKernels::shiftLetters(text, {1, std::move(key)});
}

QString gronsfeldEncode(const QString &text, const ParamValues &values)
{
    return gronsfeld(text, values, 1);
}

QString gronsfeldDecode(const QString &text, const ParamValues &values)
{
    return gronsfeld(text, values, -1);
}

QString rotEncode(const QString &text, const ParamValues &values)
{
    return RotN(text, numberParam(values, QStringLiteral("verschiebung")));
}

QString rotDecode(const QString &text, const ParamValues &values)
{
    return RotN(text, -numberParam(values, QStringLiteral("verschiebung")));
}

QString rot5(const QString &text, const ParamValues &)
{
    return Rot5(text);
}

QString rot18(const QString &text, const ParamValues &)
{
    return Rot18(text);
}

QString rot47(const QString &text, const ParamValues &)
{
    return Rot47(text);
}

// The older panel's routines take an empty key as no shift; here, as for every other keyed
// cipher, a key is required.
QString vigenereKey(const ParamValues &values)
{
    const QString key = textParam(values, kKey);
    if (key.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte einen Schlüssel eingeben."));
    return key;
}

QString vigenereEncode(const QString &text, const ParamValues &values)
{
    return VigenereEncrypt(text, vigenereKey(values));
}

QString vigenereDecode(const QString &text, const ParamValues &values)
{
    return VigenereDecrypt(text, vigenereKey(values));
}

Cipher keyless(const char16_t *cliName, const char16_t *name, const char16_t *explanation,
               CipherFunction both)
{
    return Cipher {QString::fromUtf16(cliName),
                   QString::fromUtf16(name),
                   QString::fromUtf16(explanation),
                   {},
                   Keying::None,
                   both,
                   both};
}

} // namespace

Cipher atbashCipher()
{
    return keyless(u"atbash", u"Atbash",
                   u"Das Alphabet rückwärts: A↔Z, B↔Y, …; Groß- und "
                   u"Kleinschreibung bleibt, andere Zeichen bleiben stehen.",
                   atbash);
}

Cipher affinCipher()
{
    return Cipher {QStringLiteral("affin"),
                   QStringLiteral("Affine Chiffre"),
                   QStringLiteral("Jeder Buchstabe x (A=0) wird zu (a·x + b) mod 26; a muss "
                                  "teilerfremd zu 26 sein."),
                   {numberDecl(QStringLiteral("a"), QStringLiteral("a"), 1, 25, 5,
                               QStringLiteral("Faktor a, teilerfremd zu 26 (Vorgabe 5)")),
                    numberDecl(QStringLiteral("b"), QStringLiteral("b"), 0, 25, 8,
                               QStringLiteral("Verschiebung b, 0 bis 25 (Vorgabe 8)"))},
                   Keying::Numbers,
                   affineEncode,
                   affineDecode};
}

Cipher beaufortCipher()
{
    return Cipher {QStringLiteral("beaufort"),
                   QStringLiteral("Beaufort"),
                   QStringLiteral("Geheimbuchstabe = Schlüsselbuchstabe − Klartextbuchstabe "
                                  "(mod 26); Ver- und Entschlüsseln sind gleich."),
                   {keyDecl(QStringLiteral("der Schlüssel (nur Buchstaben)"))},
                   Keying::Key,
                   beaufort,
                   beaufort};
}

Cipher autokeyCipher()
{
    return Cipher {QStringLiteral("autokey"),
                   QStringLiteral("Vigenère-Autokey"),
                   QStringLiteral("Vigenère, dessen Schlüssel nach dem Schlüsselwort mit den "
                                  "Buchstaben des Klartexts weiterläuft."),
                   {keyDecl(QStringLiteral("das Schlüsselwort (nur Buchstaben)"))},
                   Keying::Key,
                   autokeyEncode,
                   autokeyDecode};
}

Cipher gronsfeldCipher()
{
    return Cipher {QStringLiteral("gronsfeld"),
                   QStringLiteral("Gronsfeld"),
                   QStringLiteral("Vigenère mit einem Schlüssel aus Ziffern: jede Ziffer "
                                  "verschiebt um 0 bis 9 Stellen."),
                   {keyDecl(QStringLiteral("der Schlüssel (nur Ziffern)"))},
                   Keying::Key,
                   gronsfeldEncode,
                   gronsfeldDecode};
}

Cipher rotCipher()
{
    return Cipher {QStringLiteral("rot"),
                   QStringLiteral("ROT-N (Caesar)"),
                   QStringLiteral("Jeder Buchstabe wird um N Stellen im Alphabet verschoben "
                                  "(ROT13: N = 13)."),
                   {numberDecl(QStringLiteral("verschiebung"), QStringLiteral("Verschiebung"), 0,
                               26, 13, QStringLiteral("Verschiebung N, 0 bis 26 (Vorgabe 13)"))},
                   Keying::Numbers,
                   rotEncode,
                   rotDecode};
}

Cipher rot5Cipher()
{
    return keyless(u"rot5", u"ROT5", u"Die Ziffern 0–4 und 5–9 werden getauscht.", rot5);
}

Cipher rot18Cipher()
{
    return keyless(u"rot18", u"ROT18", u"ROT13 auf die Buchstaben und ROT5 auf die Ziffern.",
                   rot18);
}

Cipher rot47Cipher()
{
    return keyless(u"rot47", u"ROT47",
                   u"Alle druckbaren ASCII-Zeichen von „!“ bis „~“ um 47 Stellen verschoben.",
                   rot47);
}

Cipher vigenereCipher()
{
    return Cipher {QStringLiteral("vigenere"),
                   QStringLiteral("Vigenère"),
                   QStringLiteral("Jeder Buchstabe wird um den Schlüsselbuchstaben verschoben "
                                  "(A = 0); Ausgabe in Großbuchstaben."),
                   {keyDecl(QStringLiteral("der Schlüssel (nur Buchstaben)"))},
                   Keying::Key,
                   vigenereEncode,
                   vigenereDecode};
}

} // namespace Ciphers
