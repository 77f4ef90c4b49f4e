// Decoding reads what people write: words run together, several readings at once, the framing
// of other programs. None of these texts come out of encoding, so they are checked one way.
#include "logic/ciphers/CipherRegistry.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

using Ciphers::ParamValues;

TEST(CodeReading, DecodesWhatPeopleWrite)
{
    const struct
    {
        const char *cipher;
        ParamValues params;
        const char *coded;
        const char *plain;
    } cases[] = {
        {"buchstabieralphabet", {}, "SIERRAOSCARSIERRA", "SOS"},
        {"buchstabieralphabet", {}, "alpha juliet x-ray niner tree fife", "AJX935"},
        // "NINER" starts "NINE ROMEO": the reading that gets through to the end wins
        {"buchstabieralphabet", {}, "NINEROMEO", "9R"},
        {"buchstabieralphabet", {}, "NINERROMEO", "9R"},
        {"buchstabieralphabet", {{"alphabet", "din5009"}}, "koelnumlautoffenbach", "KÖ"},
        {"buchstabieralphabet", {{"alphabet", "din5009alt"}}, "Siegfried Zeppelin", "SZ"},
        {"zahlwoerter", {}, "EINSZWEIDREI", "1 2 3"},
        {"zahlwoerter", {}, "fünf zehn fünfzehn", "5 10 15"},
        {"zahlwoerter", {}, "Koordinaten: Nord acht elf, zwo", "8 11 2"},
        {"zahlwoerter", {{"sprache", "en"}}, "SEVENTEENEIGHT", "17 8"},
        {"zahlwoerter", {{"sprache", "fr"}}, "DIXSEPTZERO", "17 0"},
        {"elemente", {}, "GEOCACHE", "[32 8 6 89 2 | 32 8 20 6 2]"},
        {"elemente", {}, "CoO co", "27 8 [6 8 | 27]"},
        {"ascii85", {}, "<~9jqo^~>", "Man "},
        {"ascii85", {}, " 9jqo\n^ ", "Man "},
        {"segment", {}, "fedcba", "0"},
        {"braillepunkte", {}, "134 1/1", "MA A"},
        {"beghilos", {}, "0.7734", "hELL.O"},
        {"bcd", {}, "01000111", "47"},
        {"chronogramm", {}, "MDCCLXXVI", "1776"},
        // Wikipedia, Chronogram: a coin of Gustavus Adolphus
        {"chronogramm",
         {{"grossbuchstaben", "1"}, {"u", "1"}},
         "ChrIstVs DuX ergo trIVMphVs",
         "1627"},
        {"chronogramm", {{"u", "1"}}, "ChrIstVs DuX ergo trIVMphVs", "1632"},
        {"chronogramm", {{"j", "1"}}, "Jubel", "51"},
        {"chronogramm", {}, "Jubel", "50"},
        {"enigma",
         {{"modell", "M4"}, {"walzen", "Beta I II III"}, {"ringe", "AAAA"}, {"start", "AAAA"}},
         "BDZGO",
         "AAAAA"}, // the M4's thin B with Beta at A is Enigma I's reflector B
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.cipher) + " " + c.coded);
        try {
            EXPECT_EQ(Ciphers::findCipher(QString::fromLatin1(c.cipher))
                          ->decode(QString::fromUtf8(c.coded), c.params),
                      QString::fromUtf8(c.plain));
        } catch (const QuarvelError &error) {
            ADD_FAILURE() << error.what();
        }
    }
}
