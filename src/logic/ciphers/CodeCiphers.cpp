// The table of the codes and machines of mystery caches; the registry lists them after the
// classical ciphers. A new code is one more line here and its factory in the file of its family.
#include "logic/ciphers/CipherFamilies.h"

namespace Ciphers {

std::vector<Cipher> codeCiphers()
{
    return {
        enigmaCipher(),
        base58Cipher(),
        ascii85Cipher(),
        z85Cipher(),
        base91Cipher(),
        grayCipher(),
        bcdCipher(),
        ita2Cipher(),
        elementeCipher(),
        beghilosCipher(),
        segmentCipher(),
        braillepunkteCipher(),
        chronogrammCipher(),
        t9Cipher(),
        buchcodeCipher(),
        buchstabieralphabetCipher(),
        zahlwoerterCipher(),
        tastaturCipher(),
        portaCipher(),
        spaltentauschCipher(),
        amscoCipher(),
        chaoCipher(),
        nihilistCipher(),
        spreizschachbrettCipher(),
        fraktioniertesmorseCipher(),
        morbitCipher(),
        polluxCipher(),
    };
}

} // namespace Ciphers
