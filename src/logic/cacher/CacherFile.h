#pragma once

#include <QString>

class CacherBook;
class QIODevice;

// The address book's record file (".dat"): a 16-bit little-endian count, then the records of
// 886 bytes each, the book's last record first. No magic number: the extension is the only
// mark. Bytes after the last record are ignored; earlier, longer saves can leave some there.
enum class CacherFileResult {
    Ok,
    OpenFailed, // the file could not be opened
    ReadError, // the file ends before its count of records
    WriteError, // opened, but not every byte reached the file
};

// Reads from a device open for reading. On success the book holds the file's records and the
// first one is current; a count of 0 gives one empty record. Otherwise the book is unchanged.
CacherFileResult ReadCacherFile(QIODevice &device, CacherBook &book);
CacherFileResult ReadCacherFile(const QString &path, CacherBook &book);

// Writes the count and the records at the device's position.
CacherFileResult WriteCacherFile(QIODevice &device, const CacherBook &book);
// Writes over an existing file from its start without shortening it: the old bytes beyond the
// new records stay. A missing or read-only file is not written. The new contents go to a
// temporary file in the same folder that then replaces the old one, so a crash leaves either
// the old or the new file. Only a folder that takes no new file, and a target that is no
// plain file (a device), are written in place.
// `reason` receives the system's reason of a failure.
CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason);
CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book);

// The German message of the error a short file raises.
QString streamReadErrorMessage();
