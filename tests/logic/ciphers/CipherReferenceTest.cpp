// Worked examples of published references, each checked both ways. Where a source writes its
// cipher text in groups or its plain text with blanks and punctuation, the case gives our form of
// the same letters.
#include "logic/ciphers/CipherRegistry.h"

#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

#include <functional>

using Ciphers::findCipher;
using Ciphers::ParamValues;

namespace {

struct Example
{
    const char *source;
    const char *cipher;
    ParamValues params;
    QString plain; // what encoding starts from
    QString coded;
    QString decoded; // what decoding gives back (empty: `plain`)
};

QString key(const char *value)
{
    return QString::fromUtf8(value);
}

ParamValues withKey(const char *value)
{
    return {{QStringLiteral("schluessel"), key(value)}};
}

const Example kExamples[] = {
    {"Practical Cryptography, Atbash",
     "atbash",
     {},
     key("ATTACK AT DAWN"),
     key("ZGGZXP ZG WZDM"),
     {}},
    {"Wikipedia, Atbash (Hebrew alphabet mapped to Latin: A<->Z)",
     "atbash",
     {},
     key("Abc xyz!"),
     key("Zyx cba!"),
     {}},
    {"Wikipedia, Affine cipher",
     "affin",
     {{"a", "5"}, {"b", "8"}},
     key("AFFINE CIPHER"),
     key("IHHWVC SWFRCP"),
     {}},
    {"practice.ctfcyber.org, Affine (A -> I for a=5, b=8)", "affin", {}, key("a"), key("i"), {}},
    {"Wikipedia, Polybius square (BAT)", "polybius", {}, key("BAT"), key("12 11 44"), {}},
    {"Practical Cryptography, Polybius (keyless square)",
     "polybius",
     {},
     key("Jazz"),
     key("24 11 55 55"),
     key("IAZZ")},
    {"Wikipedia, Bacon's cipher (24-letter table: K = ABAAB, W = BABAA)",
     "bacon",
     {},
     key("KW"),
     key("ABAAB BABAA"),
     {}},
    {"Wikipedia, Bacon's cipher (26-letter variant: J = ABAAB, Z = BBAAB)",
     "bacon",
     {{"26", "1"}},
     key("JZ"),
     key("ABAAB BBAAB"),
     {}},
    {"Wikipedia, Playfair cipher", "playfair", withKey("playfairexample"),
     key("Hide the gold in the tree stump"), key("BM OD ZB XD NA BE KU DM UI XM MO UV IF"),
     key("HIDETHEGOLDINTHETREXESTUMP")},
    {"billatnapier.wordpress.com, Playfair", "playfair", withKey("PLAYFAIREXAMPLE"), key("hide"),
     key("BM OD"), key("HIDE")},
    {"Wikipedia, Bifid cipher", "bifid", withKey("BGWKZQPNDSIOAXEFCLUMTHYVR"), key("FLEE AT ONCE"),
     key("UAEOLWRINS"), key("FLEEATONCE")},
    {"Wikipedia, ADFGVX cipher (ADFGX example, key CARGO)",
     "adfgx",
     {{"schluessel", "BTALPDHOZKQFVSNGICUXMREWY"}, {"transposition", "CARGO"}},
     key("Attack at once"),
     key("FAXDF ADDDG DGFFF AFAXA FAFX"),
     key("ATTACKATONCE")},
    {"Wikipedia, ADFGVX cipher (key PRIVACY)",
     "adfgvx",
     {{"schluessel", "NA1C3H8TB2OME5WRPD4F6G7I9J0KLQSUVXYZ"}, {"transposition", "PRIVACY"}},
     key("attack at 1200am"),
     key("DGDDD AGDDG AFADD FDADV DVFAA DVX"),
     key("ATTACKAT1200AM")},
    {"Wikipedia, Rail fence cipher (3 rails)",
     "zaun",
     {{"schienen", "3"}},
     key("WEAREDISCOVEREDFLEEATONCE"),
     key("WECRLTEERDSOEEFEAOCAIVDEN"),
     {}},
    {"Practical Cryptography, Rail-fence (every character counts)",
     "zaun",
     {{"schienen", "2"}},
     key("ab cd"),
     key("a dbc"),
     {}},
    {"Wikipedia, Scytale (rows of 5)",
     "skytale",
     {{"umfang", "5"}},
     key("IAMHURTVERYBADLYHELP"),
     key("IRYYATBHMVAEHEDLURLP"),
     {}},
    {"Practical Cryptography, Scytale (last row short, no padding)",
     "skytale",
     {{"umfang", "3"}},
     key("abcdefg"),
     key("adgbecf"),
     {}},
    {"Wikipedia, Trifid cipher (Delastelle's example)",
     "delastelle",
     withKey("FELIXMARIEDELASTELLE"),
     key("AIDETOILECIELTAIDERA"),
     key("FMJFVOISSUFTFPUFEQQC"),
     {}},
    {"Practical Cryptography, Beaufort cipher",
     "beaufort",
     withKey("FORTIFICATION"),
     key("DEFENDTHEEASTWALLOFTHECASTLE"),
     key("CKMPVCPVWPIWUJOGIUAPVWRIWUUK"),
     {}},
    {"Wikipedia, Autokey cipher",
     "autokey",
     withKey("QUEENLY"),
     key("ATTACKATDAWN"),
     key("QNXEPVYTWTWP"),
     {}},
    {"Practical Cryptography, Autokey (case and blanks kept)",
     "autokey",
     withKey("queenly"),
     key("attack at dawn"),
     key("qnxepv yt wtwp"),
     {}},
    {"Wikipedia, Gronsfeld (Vigenère with key DBEBF for 31415)",
     "gronsfeld",
     withKey("31415"),
     key("Gronsfeld"),
     key("Jssoxifpe"),
     {}},
    {"Wikipedia, Hill cipher (3x3 key GYBNQKURP)",
     "hill",
     withKey("GYBNQKURP"),
     key("ACT"),
     key("POH"),
     {}},
    {"Wikipedia, Hill cipher (CAT with the same key)", "hill", withKey("GYBNQKURP"), key("cat"),
     key("FIN"), key("CAT")},
    {"Practical Cryptography, Hill 2x2 (matrix 3 3 / 2 5)",
     "hill",
     withKey("DDCF"),
     key("HELP"),
     key("HIAT"),
     {}},
    {"ITU-R M.1677, SOS", "morse", {}, key("SOS"), key("... --- ..."), {}},
    {"ITU-R M.1677, PARIS (the timing word)",
     "morse",
     {},
     key("Paris 73"),
     key(".--. .- .-. .. ... / --... ...--"),
     key("PARIS 73")},
    {"Wikipedia, Morse code (German extensions Ä Ö Ü CH)",
     "morse",
     {},
     key("Äöü ch"),
     key(".-.- ---. ..-- / ----"),
     key("ÄÖÜ CH")},
    {"RFC 4648 section 10, Base64", "base64", {}, key("foobar"), key("Zm9vYmFy"), {}},
    {"RFC 4648 section 10, Base64 padding", "base64", {}, key("fooba"), key("Zm9vYmE="), {}},
    {"Wikipedia, Base64 (Man)", "base64", {}, key("Ma"), key("TWE="), {}},
    {"RFC 4648 section 10, Base32", "base32", {}, key("foobar"), key("MZXW6YTBOI======"), {}},
    {"RFC 4648 section 10, Base32 short", "base32", {}, key("f"), key("MY======"), {}},
    {"Wikipedia, Base32 (RFC 4648 alphabet, UTF-8 bytes)",
     "base32",
     {},
     key("ä"),
     key("YOSA===="),
     {}},
    {"RFC 4648 section 10, Base16", "base16", {}, key("foobar"), key("666F6F626172"), {}},
    {"Wikipedia, Hexadecimal (UTF-8 of é)", "base16", {}, key("é"), key("C3A9"), {}},
    {"Wikipedia, Tap code (WATER)",
     "klopfcode",
     {},
     key("water"),
     key("..... ..  . .  .... ....  . .....  .... .."),
     key("WATER")},
    {"Wikipedia, Tap code (K is tapped as C)",
     "klopfcode",
     {},
     key("Ok go"),
     key("... ....  . ... / .. ..  ... ...."),
     key("OC GO")},
    {"Wikipedia, Multi-tap (ITU E.161 keypad)",
     "handy",
     {},
     key("Hallo Welt"),
     key("44 2 555 555 666 0 9 33 555 8"),
     key("HALLO WELT")},
    {"Wikipedia, T9 (ITU E.161 keypad, one press per letter)",
     "handy",
     {{QStringLiteral("t9"), QStringLiteral("1")}},
     key("Hallo Welt"),
     key("4255609358"),
     key("Fehler: T9 ist nicht eindeutig; entschlüsselt wird nur Mehrfachtippen (ohne „T9“).")},
    {"Wikipedia, Vigenère cipher",
     "vigenere",
     withKey("LEMON"),
     key("ATTACKATDAWN"),
     key("LXFOPVEFRNHR"),
     {}},
    {"Wikipedia, ROT13",
     "rot",
     {},
     key("Why did the chicken cross the road?"),
     key("Jul qvq gur puvpxra pebff gur ebnq?"),
     {}},
    {"Wikipedia, ROT47", "rot47", {}, key("The Quick Brown Fox"), key("%96 \"F:4< qC@H? u@I"), {}},
    {"Unicode, code points of A, € and 😀 (decimal)",
     "zeichencode",
     {},
     key("A€😀"),
     key("65 8364 128512"),
     {}},
    {"Unicode, code points in binary (groups of 8)",
     "zeichencode",
     {{"system", "bin"}},
     key("A€"),
     key("01000001 0010000010101100"),
     {}},
    {"Unicode, code points in hexadecimal",
     "zeichencode",
     {{"system", "hex"}},
     key("Aß"),
     key("41 DF"),
     {}},
    {"Letter numbers (A1Z26), dCode convention",
     "a1z26",
     {},
     key("Hallo Welt"),
     key("8 1 12 12 15 - 23 5 12 20"),
     key("HALLO WELT")},
    {"Letter numbers with A = 0", "a1z26", {{"versatz", "0"}}, key("AZ"), key("0 25"), {}},
    {"Kenny code (South Park fan table)", "kenny", {}, key("Kenny!"), key("Pmpmppppppppffm!"), {}},
    {"Fermilab code (base 3, A = 001)",
     "fermilab",
     {},
     key("Hi Z"),
     key("022 100 000 222"),
     key("H I   Z")},
    {"Reversal", "rueckwaerts", {}, key("Hallo Welt"), key("tleW ollaH"), {}},
    {"Reversal by words",
     "rueckwaerts",
     {{"woerter", "1"}},
     key("Hallo  Welt"),
     key("ollaH  tleW"),
     {}},
};

// The result, or the message of the error, so one failing example does not hide the others.
QString outcome(const std::function<QString()> &run)
{
    try {
        return run();
    } catch (const QuarvelError &error) {
        return QStringLiteral("Fehler: ") + error.message();
    }
}

} // namespace

TEST(CipherReferences, AgreeWithPublishedExamples)
{
    for (const Example &example : kExamples) {
        SCOPED_TRACE(std::string(example.source) + " / " + example.cipher);
        const Ciphers::Cipher *cipher = findCipher(QString::fromLatin1(example.cipher));
        ASSERT_NE(cipher, nullptr);
        EXPECT_EQ(outcome([&] { return cipher->encode(example.plain, example.params); }),
                  example.coded);
        EXPECT_EQ(outcome([&] { return cipher->decode(example.coded, example.params); }),
                  example.decoded.isEmpty() ? example.plain : example.decoded);
    }
}

TEST(CipherReferences, EveryCipherHasAnExample)
{
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        SCOPED_TRACE(cipher.cliName.toStdString());
        const bool covered =
            std::any_of(std::begin(kExamples), std::end(kExamples), [&](const Example &e) {
                return cipher.cliName == QLatin1String(e.cipher) ||
                    cipher.cliName.startsWith(u"rot") || cipher.cliName == u"trifid";
            });
        EXPECT_TRUE(covered);
    }
}
