// Every German message of the ciphers at its limit: the last valid value passes, the first
// invalid one on either side gives the message.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

using Ciphers::ParamValues;

namespace {

enum Direction { Encode, Decode };

struct Limit
{
    const char *cipher;
    Direction direction;
    ParamValues params;
    QString text;
    QString message; // empty: valid
};

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

const QString kOnlyLetters = u("Der Schlüssel darf nur Buchstaben enthalten.");
const QString kNoKey = u("Bitte einen Schlüssel eingeben.");

const Limit kLimits[] = {
    // affine: a from 1 to 25 and coprime to 26, b from 0 to 25
    {"affin", Encode, {{"a", "0"}}, u("x"), u("a muss eine ganze Zahl von 1 bis 25 sein: „0“")},
    {"affin", Encode, {{"a", "1"}}, u("x"), {}},
    {"affin", Encode, {{"a", "25"}}, u("x"), {}},
    {"affin", Encode, {{"a", "26"}}, u("x"), u("a muss eine ganze Zahl von 1 bis 25 sein: „26“")},
    {"affin",
     Decode,
     {{"a", "13"}},
     u("x"),
     u("a = 13 ist nicht teilerfremd zu 26; möglich sind 1, 3, 5, 7, 9, 11, 15, 17, 19, 21, 23 "
       "und 25.")},
    {"affin",
     Encode,
     {{"a", "2"}},
     u("x"),
     u("a = 2 ist nicht teilerfremd zu 26; möglich sind 1, 3, 5, 7, 9, 11, 15, 17, 19, 21, 23 "
       "und 25.")},
    {"affin", Encode, {{"b", "-1"}}, u("x"), u("b muss eine ganze Zahl von 0 bis 25 sein: „-1“")},
    {"affin", Encode, {{"b", "25"}}, u("x"), {}},
    {"affin",
     Encode,
     {{"b", "drei"}},
     u("x"),
     u("b muss eine ganze Zahl von 0 bis 25 sein: „drei“")},
    // keys: letters only, not empty where the cipher needs one
    {"beaufort", Encode, {}, u("x"), kNoKey},
    {"beaufort", Encode, {{"schluessel", "A"}}, u("x"), {}},
    {"autokey", Decode, {{"schluessel", "AB1"}}, u("x"), kOnlyLetters},
    // The older Vigenère tool words its message without the full stop.
    {"vigenere",
     Encode,
     {{"schluessel", "Kä"}},
     u("x"),
     u("Der Schlüssel darf nur Buchstaben enthalten")},
    {"gronsfeld",
     Encode,
     {{"schluessel", "12a"}},
     u("x"),
     u("Der Schlüssel darf nur Ziffern enthalten.")},
    {"gronsfeld", Encode, {}, u("x"), u("Bitte einen Schlüssel aus Ziffern eingeben.")},
    {"playfair", Encode, {{"schluessel", "Geo-Cache"}}, u("x"), kOnlyLetters},
    // Blanks in a key are no part of it; a key of blanks only is no key.
    {"playfair", Encode, {{"schluessel", "Geo Cache"}}, u("x"), {}},
    {"vigenere", Encode, {}, u("x"), kNoKey},
    {"vigenere", Decode, {{"schluessel", " \t "}}, u("x"), kNoKey},
    {"vigenere", Decode, {{"schluessel", " A "}}, u("x"), {}},
    {"trifid", Encode, {}, u("x"), kNoKey},
    {"trifid", Decode, {{"schluessel", "  "}}, u("x"), kNoKey},
    {"trifid", Encode, {{"schluessel", "F"}}, u("x"), {}},
    {"polybius", Encode, {{"schluessel", "A1"}}, u("x"), kOnlyLetters},
    {"polybius", Encode, {{"schluessel", "A1"}, {"quadrat", "6"}}, u("x"), {}},
    {"polybius",
     Encode,
     {{"schluessel", "A-1"}, {"quadrat", "6"}},
     u("x"),
     u("Der Schlüssel darf nur Buchstaben und Ziffern enthalten.")},
    {"delastelle", Encode, {{"schluessel", "AB+"}}, u("x"), {}},
    {"delastelle",
     Encode,
     {{"schluessel", "AB."}},
     u("x"),
     u("Der Schlüssel darf nur Buchstaben und „+“ enthalten.")},
    // Hill: 4 or 9 key letters; decoding needs an invertible matrix
    {"hill",
     Encode,
     {{"schluessel", "ABC"}},
     u("x"),
     u("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- oder 3×3-Matrix), nicht 3.")},
    {"hill",
     Encode,
     {{"schluessel", "ABCDE"}},
     u("x"),
     u("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- oder 3×3-Matrix), nicht 5.")},
    {"hill",
     Encode,
     {{"schluessel", "ABCDEFGH"}},
     u("x"),
     u("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- oder 3×3-Matrix), nicht 8.")},
    {"hill",
     Encode,
     {{"schluessel", "ABCDEFGHIJ"}},
     u("x"),
     u("Der Schlüssel muss 4 oder 9 Buchstaben haben (eine 2×2- oder 3×3-Matrix), nicht 10.")},
    {"hill", Encode, {{"schluessel", "DDCF"}}, u("xy"), {}},
    {"hill",
     Encode,
     {{"schluessel", "AAAA"}},
     u("xy"),
     u("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar (Determinante 0): so verschlüsselt "
       "ließe sich der Text nicht mehr entschlüsseln.")},
    {"hill",
     Encode,
     {{"schluessel", "CCAB"}},
     u("xy"),
     u("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar (Determinante 2): so verschlüsselt "
       "ließe sich der Text nicht mehr entschlüsseln.")},
    {"hill",
     Encode,
     {{"schluessel", "NAAB"}},
     u("xy"),
     u("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar (Determinante 13): so verschlüsselt "
       "ließe sich der Text nicht mehr entschlüsseln.")},
    {"hill",
     Decode,
     {{"schluessel", "AAAA"}},
     u("xy"),
     u("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar (Determinante 0); so lässt sich nicht "
       "entschlüsseln.")},
    {"hill",
     Decode,
     {{"schluessel", "CCAB"}},
     u("xy"),
     u("Die Schlüsselmatrix ist modulo 26 nicht umkehrbar (Determinante 2); so lässt sich nicht "
       "entschlüsseln.")},
    {"hill",
     Decode,
     {{"schluessel", "DDCF"}},
     u("xyz"),
     u("Die Zahl der Buchstaben (3) ist kein Vielfaches von 2.")},
    // rails, circumference and periods
    {"zaun",
     Encode,
     {{"schienen", "1"}},
     u("x"),
     u("Schienen muss eine ganze Zahl von 2 bis 1000000 sein: „1“")},
    {"zaun", Encode, {{"schienen", "2"}}, u("x"), {}},
    {"zaun",
     Encode,
     {{"versatz", "-1"}},
     u("x"),
     u("Versatz muss eine ganze Zahl von 0 bis 1000000 sein: „-1“")},
    {"skytale",
     Encode,
     {{"umfang", "1"}},
     u("x"),
     u("Umfang muss eine ganze Zahl von 2 bis 1000000 sein: „1“")},
    {"skytale", Decode, {{"umfang", "2"}}, u("x"), {}},
    {"bifid",
     Encode,
     {{"periode", "-1"}},
     u("x"),
     u("Periode muss eine ganze Zahl von 0 bis 1000000 sein: „-1“")},
    {"bifid", Encode, {{"periode", "1000000"}}, u("x"), {}},
    {"delastelle",
     Encode,
     {{"periode", "1000001"}},
     u("x"),
     u("Periode muss eine ganze Zahl von 0 bis 1000000 sein: „1000001“")},
    {"rot",
     Encode,
     {{"verschiebung", "27"}},
     u("x"),
     u("Verschiebung muss eine ganze Zahl von 0 bis 26 sein: „27“")},
    // square size and square digits
    {"polybius",
     Encode,
     {{"quadrat", "4"}},
     u("x"),
     u("Quadrat muss eine dieser Angaben sein: 5, 6 (nicht „4“)")},
    {"polybius",
     Encode,
     {{"quadrat", "7"}},
     u("x"),
     u("Quadrat muss eine dieser Angaben sein: 5, 6 (nicht „7“)")},
    {"polybius", Decode, {}, u("11 55"), {}},
    {"polybius",
     Decode,
     {},
     u("11 56"),
     u("Die Ziffer „6“ an Stelle 5 liegt nicht im Quadrat (1 bis 5).")},
    {"polybius", Decode, {{"quadrat", "6"}}, u("66"), {}},
    {"polybius",
     Decode,
     {{"quadrat", "6"}},
     u("67"),
     u("Die Ziffer „7“ an Stelle 2 liegt nicht im Quadrat (1 bis 6).")},
    {"polybius",
     Decode,
     {},
     u("10"),
     u("Die Ziffer „0“ an Stelle 2 liegt nicht im Quadrat (1 bis 5).")},
    {"polybius", Decode, {}, u("11 2"), u("Die Ziffern gehen nicht in Paaren auf (3 Ziffern).")},
    {"zeichencode",
     Encode,
     {{"system", "dec"}},
     u("x"),
     u("Zahlensystem muss eine dieser Angaben sein: dez, hex, bin, okt (nicht „dec“)")},
    // letter numbers
    {"a1z26",
     Decode,
     {},
     u("0"),
     u("Die Zahl „0“ an Stelle 1 ist keine Buchstabennummer (1 bis 26).")},
    {"a1z26", Decode, {}, u("1 26"), {}},
    {"a1z26",
     Decode,
     {},
     u("1 27"),
     u("Die Zahl „27“ an Stelle 3 ist keine Buchstabennummer (1 bis 26).")},
    {"a1z26",
     Decode,
     {{"versatz", "0"}},
     u("26"),
     u("Die Zahl „26“ an Stelle 1 ist keine Buchstabennummer (0 bis 25).")},
    {"a1z26",
     Encode,
     {{"versatz", "1001"}},
     u("x"),
     u("A = muss eine ganze Zahl von 0 bis 1000 sein: „1001“")},
    // Bacon
    {"bacon",
     Encode,
     {{"zeichen", "A"}},
     u("x"),
     u("Die Zeichen müssen genau zwei verschiedene Zeichen sein, nicht „A“.")},
    {"bacon",
     Encode,
     {{"zeichen", "Aa"}},
     u("x"),
     u("Die Zeichen müssen genau zwei verschiedene Zeichen sein, nicht „Aa“.")},
    {"bacon",
     Encode,
     {{"zeichen", "XYZ"}},
     u("x"),
     u("Die Zeichen müssen genau zwei verschiedene Zeichen sein, nicht „XYZ“.")},
    {"bacon",
     Encode,
     {{"zeichen", "😀"}},
     u("x"),
     u("Die Zeichen müssen genau zwei verschiedene Zeichen sein, nicht „😀“.")},
    {"bacon", Decode, {{"zeichen", "😀😁"}}, u("😀😀😀😀😁"), {}},
    {"bacon",
     Encode,
     {{"zeichen", " -"}},
     u("x"),
     u("Ein Leerraum kann kein Zeichen sein: Leerzeichen trennen die Fünfergruppen.")},
    {"bacon",
     Decode,
     {{"zeichen", "-\n"}},
     u("x"),
     u("Ein Leerraum kann kein Zeichen sein: Leerzeichen trennen die Fünfergruppen.")},
    {"bacon", Decode, {}, u("BABBB"), {}},
    {"bacon",
     Decode,
     {},
     u("BBAAA"),
     u("Die Fünfergruppe ab Stelle 1 steht für keinen Buchstaben.")},
    {"bacon", Decode, {{"26", "1"}}, u("BBAAA BBAAB"), {}},
    {"bacon",
     Decode,
     {{"26", "1"}},
     u("AAAAA BBABA"),
     u("Die Fünfergruppe ab Stelle 7 steht für keinen Buchstaben.")},
    {"bacon",
     Decode,
     {},
     u("AAAAA AB"),
     u("Die letzte Gruppe ab Stelle 7 hat nur 2 von 5 Zeichen.")},
    // ADFGX and ADFGVX
    {"adfgx", Encode, {}, u("x"), u("Bitte ein Transpositionswort eingeben.")},
    {"adfgx",
     Encode,
     {{"transposition", "AB1"}},
     u("x"),
     u("Das Transpositionswort darf nur Buchstaben enthalten.")},
    {"adfgx",
     Decode,
     {{"transposition", "A"}},
     u("AV"),
     u("„V“ an Stelle 2 ist keiner der Buchstaben ADFGX.")},
    {"adfgvx", Decode, {{"transposition", "A"}}, u("AV"), {}},
    {"adfgvx",
     Decode,
     {{"transposition", "A"}},
     u("AVD"),
     u("Die Buchstaben gehen nicht in Paaren auf (3 Zeichen).")},
    {"playfair",
     Decode,
     {},
     u("ABC"),
     u("Playfair braucht Buchstabenpaare; der Text hat 3 Buchstaben.")},
    // Kenny, Morse, tap code, phone keys
    {"kenny", Decode, {}, u("ffp"), {}},
    {"kenny", Decode, {}, u("a fff"), u("„fff“ an Stelle 3 ist kein Buchstabe im Kenny-Code.")},
    {"morse", Encode, {}, u("a*"), u("„*“ an Stelle 2 hat kein Morsezeichen.")},
    {"morse", Decode, {}, u("........"), u("„........“ ist kein Morsezeichen.")},
    {"morse", Decode, {}, u(".- x"), u("„x“ an Stelle 4 gehört nicht zum Morsecode.")},
    {"morse", Decode, {}, u("·−   ·−|._"), {}},
    {"klopfcode", Decode, {}, u("..... ....."), {}},
    {"klopfcode",
     Decode,
     {},
     u(". ......"),
     u("Klopfcode: an Stelle 3 steht keine Zahl von 1 bis 5.")},
    {"klopfcode", Decode, {}, u("16"), u("Klopfcode: an Stelle 2 steht keine Zahl von 1 bis 5.")},
    {"klopfcode",
     Decode,
     {},
     u(". . / ."),
     u("Klopfcode: vor Stelle 8 fehlt die Spalte zur Zeile.")},
    {"handy", Decode, {}, u("7777 999"), {}},
    {"handy", Decode, {}, u("000 0"), {}},
    {"handy", Decode, {}, u("2 2222"), u("„2222“ an Stelle 3: die Taste 2 hat nur 3 Buchstaben.")},
    {"handy", Decode, {}, u("1"), u("„1“ an Stelle 1: die Taste 1 hat nur 0 Buchstaben.")},
    {"handy",
     Decode,
     {{"t9", "1"}},
     u("2"),
     u("T9 ist nicht eindeutig; entschlüsselt wird nur Mehrfachtippen (ohne „T9“).")},
    // bytes and code points
    {"base64", Decode, {}, u("Zm9v!"), u("„!“ an Stelle 5 gehört nicht zu Base64.")},
    {"base64", Decode, {}, u("Zg=a"), u("„a“ an Stelle 4 gehört nicht zu Base64.")},
    {"base64", Decode, {}, u("Zm8"), {}},
    {"base64",
     Decode,
     {},
     u("Zm9"),
     u("Der Base64-Text ist unvollständig: 3 Zeichen passen nicht auf ganze Bytes.")},
    {"base64",
     Decode,
     {},
     u("Z"),
     u("Der Base64-Text ist unvollständig: 1 Zeichen passen nicht auf ganze Bytes.")},
    {"base64",
     Decode,
     {},
     u("/w=="),
     u("Die entschlüsselten Bytes sind kein gültiges UTF-8 (vielleicht Latin-1?).")},
    {"base64", Decode, {{"latin1", "1"}}, u("/w=="), {}},
    {"base64", Encode, {{"latin1", "1"}}, u("ÿ€"), u("„€“ an Stelle 2 gibt es in Latin-1 nicht.")},
    {"base32", Decode, {}, u("my======"), {}},
    {"base32", Decode, {}, u("M1"), u("„1“ an Stelle 2 gehört nicht zu Base32.")},
    {"base16",
     Decode,
     {},
     u("6"),
     u("Der Base16-Text ist unvollständig: 1 Zeichen passen nicht auf ganze Bytes.")},
    {"base16", Decode, {}, u("6g"), u("„g“ an Stelle 2 gehört nicht zu Base16.")},
    {"zeichencode", Decode, {}, u("1114111"), {}},
    // A group with a digit of another number system is refused, not split in two.
    {"zeichencode", Decode, {{"system", "hex"}}, u("48 F1"), {}},
    {"zeichencode",
     Decode,
     {{"system", "hex"}},
     u("48 G1"),
     u("„G“ an Stelle 4 ist keine Hexadezimalziffer.")},
    {"zeichencode",
     Decode,
     {{"system", "hex"}},
     u("0x48"),
     u("„x“ an Stelle 2 ist keine Hexadezimalziffer.")},
    {"zeichencode", Decode, {{"system", "bin"}}, u("01001000, 01101001"), {}},
    {"zeichencode",
     Decode,
     {{"system", "bin"}},
     u("01001000 01201000"),
     u("„2“ an Stelle 12 ist keine Binärziffer.")},
    {"zeichencode", Decode, {{"system", "okt"}}, u("110 7"), {}},
    {"zeichencode",
     Decode,
     {{"system", "okt"}},
     u("110 8"),
     u("„8“ an Stelle 5 ist keine Oktalziffer.")},
    {"zeichencode", Decode, {}, u("72;105"), {}},
    {"zeichencode", Decode, {}, u("72 1A"), u("„A“ an Stelle 5 ist keine Dezimalziffer.")},
    {"zeichencode", Decode, {}, u("72 ü"), u("„ü“ an Stelle 4 ist keine Dezimalziffer.")},
    {"zeichencode",
     Decode,
     {},
     u("65 1114112"),
     u("„1114112“ an Stelle 4 ist kein Unicode-Zeichen.")},
    {"zeichencode",
     Decode,
     {{"system", "hex"}},
     u("D800"),
     u("„D800“ an Stelle 1 ist kein Unicode-Zeichen.")},
};

} // namespace

TEST(CipherErrors, EveryMessageAtItsLimit)
{
    for (const Limit &limit : kLimits) {
        const Ciphers::Cipher &cipher = *Ciphers::findCipher(QString::fromLatin1(limit.cipher));
        SCOPED_TRACE(std::string(limit.cipher) +
                     (limit.direction == Encode ? " encode " : " decode ") +
                     limit.text.toStdString());
        QString message;
        try {
            if (limit.direction == Encode)
                cipher.encode(limit.text, limit.params);
            else
                cipher.decode(limit.text, limit.params);
        } catch (const QuarvelError &error) {
            message = error.message();
        }
        EXPECT_EQ(message, limit.message);
    }
}

// What a call gives: its result, or its message after "Fehler: ".
template<typename Call> QString outcome(Call call)
{
    try {
        return call();
    } catch (const QuarvelError &error) {
        return QStringLiteral("Fehler: ") + error.message();
    }
}

// Keys are published with blanks ("playfair example"); every cipher with a key word reads them
// without, in both directions: the same result, or the same message for a key it cannot use.
TEST(CipherErrors, BlanksInKeysAreIgnored)
{
    const QString text = QStringLiteral("Hide the gold in the tree stump");
    const QString keys[] = {QStringLiteral("playfairexample"), QStringLiteral("1234"),
                            QStringLiteral("DDCF")};
    int compared = 0;
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        for (const QString &key : keys) {
            ParamValues joined, spaced;
            for (const char *name : {"schluessel", "transposition"}) {
                if (!cipher.param(QString::fromLatin1(name)))
                    continue;
                joined.insert(QString::fromLatin1(name), key);
                spaced.insert(QString::fromLatin1(name),
                              u' ' + key.left(2) + QStringLiteral(" \t") + key.mid(2) + u' ');
            }
            if (joined.isEmpty())
                continue;
            SCOPED_TRACE(cipher.cliName.toStdString() + " " + key.toStdString());
            const QString encoded = outcome([&] { return cipher.encode(text, joined); });
            EXPECT_EQ(outcome([&] { return cipher.encode(text, spaced); }), encoded);
            EXPECT_EQ(outcome([&] { return cipher.decode(encoded, spaced); }),
                      outcome([&] { return cipher.decode(encoded, joined); }));
            compared += encoded.startsWith(QStringLiteral("Fehler: ")) ? 0 : 1;
        }
    }
    EXPECT_GE(compared, 12);
    const Ciphers::Cipher &playfair = *Ciphers::findCipher(QStringLiteral("playfair"));
    EXPECT_EQ(
        playfair.encode(text, {{QStringLiteral("schluessel"), QStringLiteral("playfair example")}}),
        QStringLiteral("BM OD ZB XD NA BE KU DM UI XM MO UV IF"));
}
