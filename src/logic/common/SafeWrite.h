#pragma once

#include <QString>

#include <functional>
#include <memory>

class QFileDevice;
class QIODevice;

// Whole-file writes that either leave the complete new contents or the old file untouched.
//
// QSaveFile::commit() in Qt 6.4 does not notice a write error that shows only when its buffer
// is flushed (a full disk with files under 16 KB): the empty temporary file then replaces the
// old one and commit() reports success. Every whole-file write therefore goes through here,
// which flushes first and looks at the result.

// Finishes a file opened for writing: flushes the buffer, then commits a QSaveFile (or closes
// any other file device). On failure a QSaveFile is discarded, the old file stays as it was,
// and `reason` receives the system's reason.
bool finishWrite(QFileDevice &file, QString &reason);

// Whether `path` exists as something other than a plain file or a folder (a FIFO, a device):
// such a target is written directly and never replaced.
bool isOtherThanPlainFile(const QString &path);

// The system's reason of a failed write on `file`; a German sentence when the device set none
// (a write that took only part of the data).
QString writeFailureReason(const QFileDevice &file);

// Writes `path` whole through a QSaveFile: `write` fills the device and says whether it
// succeeded. A FIFO or a device (see isOtherThanPlainFile) is written directly instead, every
// error reported; a FIFO without a reader fails at once. Returns an empty text on success,
// otherwise a German message that names the file and the system's reason.
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write);

// The device a whole-file write of `path` goes to, not yet open: normally a QSaveFile for it.
// Callers that write files take one, so tests can hand in a device that fails where a full
// disk does (a QFile on /dev/full fails at the flush).
using WriteTarget = std::function<std::unique_ptr<QFileDevice>(const QString &path)>;
WriteTarget saveFileTarget();

// As above, written through the device `target` makes.
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                        const WriteTarget &target);

// Opens the device a whole-file write of `path` goes to: the one `target` makes, or for a FIFO
// or a device a file written directly (a FIFO without a reader fails at once instead of
// waiting). Null on failure, with the system's reason in `reason`.
std::unique_ptr<QFileDevice> openForWholeWrite(const QString &path, const WriteTarget &target,
                                               QString &reason);

// Drops what was written to a device from openForWholeWrite: a QSaveFile removes its temporary
// file, any other device is closed.
void discardWrite(QFileDevice &file);

// The message for a file that could not be written.
QString cannotWriteFileText(const QString &path, const QString &reason);
