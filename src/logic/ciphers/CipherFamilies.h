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

// DenseByteEncodings.cpp: bytes packed tighter than Base64.
Cipher base58Cipher();
Cipher ascii85Cipher();
Cipher z85Cipher();
Cipher base91Cipher();

// BitCodes.cpp: numbers, decimal digits and telegraph characters as a few bits each.
Cipher grayCipher();
Cipher bcdCipher();
Cipher ita2Cipher();

// SymbolCodes.cpp: what a display, a calculator, a Braille cell or the periodic table shows.
Cipher beghilosCipher();
Cipher segmentCipher();
Cipher braillepunkteCipher();
Cipher chronogrammCipher();
Cipher elementeCipher();

// SpokenCodes.cpp: spelling alphabets and number words.
Cipher buchstabieralphabetCipher();
Cipher zahlwoerterCipher();

// KeyboardCodes.cpp: the same key on another layout.
Cipher tastaturCipher();

// KeyedTranspositions.cpp: columns read in the order of a key.
Cipher spaltentauschCipher();
Cipher amscoCipher();

// KeyedAlphabets.cpp: an alphabet that changes with every letter.
Cipher portaCipher();
Cipher chaoCipher();

// MorseFractions.cpp: the Morse code cut into triplets or pairs, or written as digits.
Cipher fraktioniertesmorseCipher();
Cipher morbitCipher();
Cipher polluxCipher();

// NumberSquares.cpp: letters as numbers from a keyed table.
Cipher nihilistCipher();
Cipher spreizschachbrettCipher();

// EnigmaCipher.cpp: the rotor machines I, M3 and M4.
Cipher enigmaCipher();

// PhoneWords.cpp: T9, one key press per letter and the words of a word list that fit.
Cipher t9Cipher();

// BookCode.cpp: positions in a source text.
Cipher buchcodeCipher();

// CodeCiphers.cpp: the codes and machines of mystery caches, in the order the panel lists them.
std::vector<Cipher> codeCiphers();

} // namespace Ciphers
