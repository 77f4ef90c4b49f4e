#pragma once

#include "logic/cacher/CacherBook.h"
#include "logic/cacher/TPerson.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <vector>

class QIODevice;

// The address book as comma-separated text: one line per record, the eleven fields in record
// order, no header. A field holding a comma, a double quote or a line break is written in
// double quotes, its quotes doubled (RFC 4180); every other field as it is. Written in
// Windows-1252 with CR LF after every line; a book holding characters Windows-1252 lacks is
// written in UTF-8 after a byte-order mark instead, so that none of them is lost.

// The whole book in that format.
QByteArray csvText(const CacherBook &book);
// Writes the book to a device open for writing; false when not every byte was taken.
bool ExportCsv(QIODevice &device, const CacherBook &book);

// What a CSV file holds: the records, and the first field of every line uncut for the name
// list (the record keeps only what fits), with what the user should know about the reading.
struct CsvBook
{
    static constexpr int ListedLines = 5;

    std::vector<TPerson> personen;
    // The Unicode text of fields the records hold only in part (see CacherBook); shorter than
    // the records when the last ones have none.
    std::vector<WideRecord> wide;
    QStringList namen;
    // Lines with more than eleven fields (an unquoted comma inside a field): how many, and the
    // numbers (from 1) of the first ListedLines.
    qsizetype linesWithExtraFields = 0;
    QList<qsizetype> firstLinesWithExtraFields;
    // Characters the file's encoding could not decode; each became "?".
    qsizetype undecodable = 0;
};

// Reads the text in the encoding CsvDecoding chooses. Lines end at CR LF, LF or CR; a break at
// the very end makes no empty line. A field that starts with a double quote runs to the next
// quote not doubled, and holds commas, line breaks and (doubled) quotes; text after that
// closing quote up to the delimiter is kept, and a quote never closed runs to the end. Missing
// fields are empty, fields after the eleventh are dropped. Throws QuarvelError for more lines
// than the book can hold.
CsvBook csvBook(QByteArrayView data);
// Reads everything the device holds, in blocks. Throws QuarvelError for a file larger than a
// book can hold (before reading it) and when the device fails while reading.
CsvBook ImportCsv(QIODevice &device);

// What the user should check after an import (lines with extra fields, characters that could
// not be decoded); empty when there is nothing to say.
QString csvImportNotes(const CsvBook &book);

// The message for a file too large for the book.
QString csvTooLargeMessage(qint64 size, qint64 limit);
