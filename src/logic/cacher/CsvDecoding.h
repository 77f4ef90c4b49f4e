#pragma once

#include <QByteArrayView>
#include <QString>

// How the address book reads the text of a CSV file. A byte-order mark of UTF-8 or UTF-16
// (little- or big-endian) names the encoding; only the first mark is one, a second is a
// character of the text. Without a mark, a file that is valid UTF-8 and holds at least one
// byte of 0x80 or above is UTF-8 (what today's programs write); every other file is
// Windows-1252 (what this program writes: its umlauts are never valid UTF-8).
enum class CsvEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct CsvEncodingChoice
{
    CsvEncoding encoding = CsvEncoding::Ansi;
    qsizetype markSize = 0; // bytes of the byte-order mark at the start
};

// Looks at the mark, and without one at the whole text.
CsvEncodingChoice chooseCsvEncoding(QByteArrayView data);
// Looks at the mark only: Windows-1252 (markSize 0) when there is none.
CsvEncodingChoice chooseCsvEncodingByMark(QByteArrayView data);

// Whether `data` is well-formed UTF-8 (no overlong forms, surrogates or values beyond U+10FFFF)
// and holds at least one byte of 0x80 or above.
bool isUtf8WithNonAscii(QByteArrayView data);

struct DecodedCsv
{
    QString text;
    // Characters that could not be decoded: invalid UTF-8 after a UTF-8 mark, a lone byte at
    // the end of UTF-16, an unpaired surrogate. Each became U+FFFD ("?" once stored).
    qsizetype undecodable = 0;
};

// One field of UTF-8 text in the record's Windows-1252, one byte per UTF-16 code unit of the
// decoded text (as TPerson::setField stores it): characters the code page lacks become "?" and
// set `lossy`; a broken sequence becomes "?" too, or in strict mode ends the conversion (false).
bool utf8ToAnsi(QByteArrayView utf8, bool strict, QByteArray &out, bool &lossy);
// UTF-8 text decoded, each broken sequence as U+FFFD.
QString decodeUtf8(QByteArrayView utf8);
// How many broken sequences UTF-8 text holds.
qsizetype undecodableUtf8(QByteArrayView utf8);

// The whole text in one pass with one decoder, without the mark.
DecodedCsv decodeCsv(QByteArrayView data);

// The largest file a book can take: 65535 lines of at most 1800 characters and a line end,
// in the file's code units (two bytes each in UTF-16), plus the mark. `start` is the file's
// beginning, where a mark would be.
qint64 maxCsvFileSize(QByteArrayView start);
