#pragma once

#include "logic/cacher/TPerson.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

class CacherBook;
class QIODevice;

// The address book as comma-separated text: one line per record, the eleven fields in record
// order, no header, no quoting or escaping (a comma inside a field splits it on reading).
// Written in Windows-1252 with CR LF after every line.

// The whole book in that format.
QByteArray csvText(const CacherBook &book);
// Writes the book to a device open for writing; false when not every byte was taken.
bool ExportCsv(QIODevice &device, const CacherBook &book);

// What a CSV file holds: the records, and the first field of every line uncut for the name
// list (the record keeps only what fits).
struct CsvBook
{
    std::vector<TPerson> personen;
    QStringList namen;
};

// Reads text with a UTF-8 or UTF-16 byte-order mark in that encoding, any other in
// Windows-1252. Lines end at CR LF, LF or CR; a break at the very end makes no empty line.
// Missing fields are empty, fields after the eleventh are dropped.
CsvBook csvBook(const QByteArray &data);
// Reads everything the device holds. Throws QuarvelError when the device fails while reading.
CsvBook ImportCsv(QIODevice &device);
