#pragma once

// The factories of the ciphers, each in the file of its family; only the table calls them.

#include "logic/ciphers/CipherRegistry.h"

namespace Ciphers {

// SubstitutionCiphers.cpp: one letter for another, with or without a key.
Cipher atbashCipher();
Cipher affinCipher();
Cipher beaufortCipher();
Cipher autokeyCipher();
Cipher gronsfeldCipher();
Cipher rotCipher();
Cipher rot5Cipher();
Cipher rot18Cipher();
Cipher rot47Cipher();
Cipher vigenereCipher();

// SquareCiphers.cpp: letters as coordinates in a keyed square.
Cipher polybiusCipher();
Cipher bifidCipher();
Cipher adfgxCipher();
Cipher adfgvxCipher();
Cipher klopfcodeCipher();

// PolygraphicCiphers.cpp: letter pairs and blocks.
Cipher playfairCipher();
Cipher hillCipher();

// CubeCiphers.cpp: the 27 symbols in a 3 x 3 x 3 cube.
Cipher delastelleCipher();
Cipher trifidCipher();

// TranspositionCiphers.cpp: the characters stay, their order changes.
Cipher zaunCipher();
Cipher skytaleCipher();
Cipher rueckwaertsCipher();

// LetterCodes.cpp: every letter its group of symbols.
Cipher a1z26Cipher();
Cipher baconCipher();
Cipher kennyCipher();
Cipher morseCipher();
Cipher handyCipher();
Cipher fermilabCipher();

// ByteEncodings.cpp: the bytes or code points of the text.
Cipher base64Cipher();
Cipher base32Cipher();
Cipher base16Cipher();
Cipher zeichencodeCipher();

} // namespace Ciphers
