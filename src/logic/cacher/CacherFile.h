#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class CacherBook;
class QIODevice;

// The address book's record file (".dat"): a 16-bit little-endian count, then the records of
// 886 bytes each, the book's last record first. No magic number: the extension is the only
// mark. Readers read the count and ignore bytes after the last record (files written by older
// versions can hold some); a save writes the records and nothing after them.
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
// Replaces an existing file with the book's records, nothing after them. A missing or
// read-only file is not written. The new contents go to a temporary file in the same folder
// that then replaces the old one, so a crash leaves either the old or the new file. A target
// that is no plain file (a device, a FIFO) is written directly. A folder that takes no new
// file gets the file overwritten in place: only when the disk has room for the new length,
// with a copy of the old contents in `backupFolder` (when one can be made there) until the new
// file is complete, and the old contents written back on any failure.
// `reason` receives the system's reason of a failure.
CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason,
                                 const QString &backupFolder);
// The same with the backup in "Quarvel" in the user's data folder.
CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason);
CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book);

// The in-place overwrite: writes the book from the start of `device` (open for reading and
// writing, random access) and cuts it to the new length with `resize`. When that fails, it
// writes `old` (what the device held) back and restores its length; `reason` then names the
// failure, and says so when the old contents could not be written back either (then
// `oldRestored`, when given, becomes false).
CacherFileResult OverwriteCacherDevice(QIODevice &device, const CacherBook &book,
                                       const QByteArray &old,
                                       const std::function<bool(qint64)> &resize, QString &reason,
                                       bool *oldRestored = nullptr);

// The German message of the error a short file raises.
QString streamReadErrorMessage();
