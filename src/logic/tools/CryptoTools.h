#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The cipher routines behind the Kryptologie panels. All of them work on single UTF-16 code
// units, never change anything outside their alphabet and return a new text.

// ---- Fixed shifts -------------------------------------------------------------------------
// Rot5, Rot13, Rot18 and Rot47 are their own inverses and keep the length of the text.

QString Rot5(const QString &text); // digits: 0-4 <-> 5-9
QString Rot13(const QString &text); // letters A-Z, a-z by 13, case kept
QString Rot18(const QString &text); // Rot13 on letters, Rot5 on digits
QString Rot47(const QString &text); // "!".."~" (33..126) by 47 within those 94 characters

// Letters A-Z and a-z shifted by n places, case kept. Any n is taken modulo 26, so 0 and 26
// return the text unchanged and a negative n shifts backwards.
QString RotN(const QString &text, int n);

// The 27 lines of the shift table: "00 " + RotN(s, 0) up to "26 " + RotN(s, 26).
QStringList RotShiftLines(const QString &s);

// ---- Vigenère -----------------------------------------------------------------------------
// Classic tableau over A-Z (key letter A shifts by 0 ... Z by 25). Text and key are upper-cased
// by the ASCII rule; only the letters A-Z of the text are shifted and use up key letters, every
// other code unit (blank, digit, umlaut, "ß", line break) stays in place. The result has the
// length of the text.

// Fails with "Der Schlüssel darf nur Buchstaben enthalten" when the key holds anything but
// A-Z/a-z. upperCase selects the upper-case output; there is no other output form, so without it
// the text is encrypted the same way. An empty key leaves the letters unshifted.
QString VigenereEncrypt(const QString &text, const QString &key, bool upperCase = true);

// Fails with "Der Schlüssel darf nur Buchstaben enthalten." for a key with anything but letters.
QString VigenereDecrypt(const QString &text, const QString &key);

// ---- Trifid -------------------------------------------------------------------------------
// 27 symbols, "A".."Z" and ".", in a cube of 3 layers x 3 rows x 3 columns. Cell number in fill
// order is 9 * layer + 3 * row + column.

struct TrifidCell
{
    int layer = 0;
    int row = 0;
    int column = 0;
};

class TrifidCube
{
public:
    static constexpr int kCells = 27;

    // The key's letters first (each only at its first occurrence), then the rest of the alphabet
    // in order, "." in the last cell. The key is upper-cased by the ASCII rule; any character
    // outside A-Z fails with "Der Schlüssel darf nur Buchstaben enthalten.".
    explicit TrifidCube(const QString &key);

    char symbolAt(int cell) const { return m_symbols[cell]; }
    char symbolAt(const TrifidCell &cell) const
    {
        return m_symbols[9 * cell.layer + 3 * cell.row + cell.column];
    }
    // Cell number of an (upper-case) symbol, -1 for anything that is not in the cube.
    int cellOf(char16_t symbol) const { return symbol < 128 ? m_cellOf[symbol] : -1; }
    QString symbols() const; // all 27, in fill order

private:
    std::array<char, kCells> m_symbols {};
    std::array<signed char, 128> m_cellOf {};
};

// Blanks removed, upper-cased by the ASCII rule, everything the cube does not hold dropped; the
// whole text is one period. Output: one symbol of "A".."Z" and "." per symbol kept. A key of
// exactly one character gives an empty text without looking at that character; otherwise the
// key is checked as for TrifidCube.
QString TrifidEncrypt(const QString &text, const QString &key);
QString TrifidDecrypt(const QString &text, const QString &key);
