// The help page of the ciphers: every cipher has its row, and every worked example on it is what
// the registry gives, both ways.
#include "logic/ciphers/CipherRegistry.h"

#include <QFile>

#include <gtest/gtest.h>

using Ciphers::ParamValues;

namespace {

QString helpPage()
{
    QFile file(QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../data/help/pages/chiffren.html"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

struct PageExample
{
    const char *cipher;
    ParamValues params;
    const char *plain;
    const char *coded;
};

const PageExample kPageExamples[] = {
    {"atbash", {}, "Hallo Welt", "Szool Dvog"},
    {"affin", {}, "Geocache", "Mcasisrc"},
    {"a1z26", {}, "Hallo Welt", "8 1 12 12 15 - 23 5 12 20"},
    {"polybius", {}, "Cache", "13 11 13 23 15"},
    {"bacon", {}, "Cache", "AAABA AAAAA AAABA AABBB AABAA"},
    {"playfair", {{"schluessel", "GEOCACHING"}}, "Treffpunkt", "US GK KF SD MR"},
    {"bifid", {{"schluessel", "GEOCACHING"}}, "Treffpunkt", "TOLRMRHAXB"},
    {"adfgx",
     {{"schluessel", "GEOCACHING"}, {"transposition", "CACHE"}},
     "Treffpunkt",
     "GFXFG DFFGA GDAAD GDFXG"},
    {"adfgvx",
     {{"schluessel", "GEOCACHING"}, {"transposition", "CACHE"}},
     "Treffpunkt um 1200",
     "DDGFF VFGDF DGGVF VGAFV AVDDV FXDFG FV"},
    {"zaun", {}, "Treffpunkt am Waldrand", "Tfkmlnrfpnta adadeu Wr"},
    {"skytale", {}, "Treffpunkt am Waldrand", "Tfkmlnrpt ddeu Wrfnaaa"},
    {"delastelle",
     {{"schluessel", "FELIXMARIEDELASTELLE"}},
     "AIDETOILECIELTAIDERA",
     "FMJFVOISSUFTFPUFEQQC"},
    {"beaufort", {{"schluessel", "CACHE"}}, "Treffpunkt", "Jjyczngpxl"},
    {"autokey", {{"schluessel", "CACHE"}}, "Treffpunkt", "Vrgmjilrpy"},
    {"gronsfeld", {{"schluessel", "2026"}}, "Treffpunkt", "Vrglhpwtmt"},
    {"hill", {{"schluessel", "DDCF"}}, "HELP", "HIAT"},
    {"kenny", {}, "Hallo", "Mfpmmmpmfpmfppf"},
    {"morse", {}, "Hallo Welt", ".... .- .-.. .-.. --- / .-- . .-.. -"},
    {"base64", {}, "Hallo Welt", "SGFsbG8gV2VsdA=="},
    {"base32", {}, "Hallo Welt", "JBQWY3DPEBLWK3DU"},
    {"base16", {}, "Hallo Welt", "48616C6C6F2057656C74"},
    {"zeichencode", {}, "Ä€", "196 8364"},
    {"klopfcode", {}, "Hallo", ".. ...  . .  ... .  ... .  ... ...."},
    {"handy", {}, "Hallo Welt", "44 2 555 555 666 0 9 33 555 8"},
    {"rueckwaerts", {}, "Hallo Welt", "tleW ollaH"},
    {"rot", {{"verschiebung", "3"}}, "Hallo Welt!", "Kdoor Zhow!"},
    {"rot5", {}, "N 47 11", "N 92 66"},
    {"rot47", {}, "Cache", "r2496"},
    {"vigenere", {{"schluessel", "KEY"}}, "Hallo Welt", "REJVS UOPR"},
    {"trifid", {{"schluessel", "GEOCACHING"}}, "Treffpunkt am Waldrand", "TLVVVFAWPKMFWIGYKLPJ"},
    {"fermilab", {}, "Hi Z", "022 100 000 222"},
    {"enigma", {{"walzen", "II IV V"}, {"start", "BLA"}}, "Treffpunkt", "NKOKVRQEWQ"},
    {"base58", {}, "Hello World!", "2NEpo7TZRRrLZSi2U"},
    {"ascii85", {}, "Man is distinguished", "9jqo^BlbD-BleB1DJ+*+F(f,q"},
    {"z85", {}, "Geocache", "m}DQGvpJ$Z"},
    {"base91", {}, "Hallo Welt", "3DwJh>Io:R(/B"},
    {"gray", {}, "47 11", "111000 1110"},
    {"bcd", {}, "47 11", "0100 0111 / 0001 0001"},
    {"ita2", {}, "N 47", "00110 00100 11011 01010 11100"},
    {"elemente", {}, "9 92 53", "F U I"},
    {"beghilos", {}, "hOLE", "3704"},
    {"segment", {}, "Hallo 1", "bcefg abcefg def def cdeg / bc"},
    {"braillepunkte", {}, "Bär", "1-2 3-4-5 1-2-3-5"},
    {"chronogramm", {}, "MDCCLXXVI", "1776"},
    {"t9", {}, "Geocache", "43622243"},
    {"buchcode", {{"text", "Wer reitet so spät durch Nacht und Wind"}}, "Wind Wer", "8 1"},
    {"buchstabieralphabet", {}, "GC 47", "Golf Charlie / Four Seven"},
    {"zahlwoerter", {}, "4 7 11", "vier sieben elf"},
    {"tastatur", {}, "Zürich", "Y[rich"},
    {"porta", {{"schluessel", "CACHE"}}, "Treffpunkt", "Fesvubhmne"},
    {"spaltentausch", {{"schluessel", "CACHE"}}, "Treffpunkt am Waldrand", "rumrTpadenWaftldfkan"},
    {"amsco", {{"schluessel", "312"}}, "Treffpunkt am Waldrand", "reuamddfnkWraTfptaln"},
    {"chao", {}, "Treffpunkt", "XIVDMOGKZW"},
    {"nihilist",
     {{"schluessel", "CACHE"}, {"zusatz", "GEO"}},
     "Treffpunkt",
     "67 56 48 45 36 69 68 47 59 67"},
    {"spreizschachbrett", {}, "Treffpunkt", "170232360625271"},
    {"fraktioniertesmorse", {{"schluessel", "CACHE"}}, "Treffpunkt", "PLFESLBFDLKX"},
    {"morbit", {{"schluessel", "GEOCACHER"}}, "SOS", "681368"},
    {"pollux", {}, "SOS", "03621475903"},
};

// The page writes the blanks of the tap code as &nbsp; so the browser keeps both.
QString onPage(const char *text)
{
    return QString::fromUtf8(text).replace(QStringLiteral("  "), QStringLiteral("&nbsp;&nbsp;"));
}

} // namespace

TEST(CipherHelpPage, ShowsWhatTheRegistryGives)
{
    const QString page = helpPage();
    for (const PageExample &example : kPageExamples) {
        SCOPED_TRACE(example.cipher);
        const Ciphers::Cipher &cipher = *Ciphers::findCipher(QString::fromLatin1(example.cipher));
        const QString plain = QString::fromUtf8(example.plain);
        EXPECT_EQ(cipher.encode(plain, example.params), QString::fromUtf8(example.coded));
        EXPECT_TRUE(page.contains(QStringLiteral("<code>%1</code> → <code>%2</code>")
                                      .arg(plain.toHtmlEscaped(), onPage(example.coded))));
    }
}

TEST(CipherHelpPage, HasARowForEveryCipher)
{
    const QString page = helpPage();
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        SCOPED_TRACE(cipher.cliName.toStdString());
        EXPECT_TRUE(page.contains(QStringLiteral("<code>%1</code>").arg(cipher.cliName)));
    }
}
