#include "logic/cacher/CacherFile.h"

#include "logic/cacher/CacherBook.h"
#include "logic/common/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

QString streamReadErrorMessage()
{
    return QStringLiteral("Stream-Lesefehler");
}

namespace {

// About 56 KB: a block stays in the processor's cache while it is filled and written.
constexpr qsizetype kBlockRecords = 64;

// Reads `count` records of a random-access device into book order: blocks from the file's
// end first, each record copied straight into its place (one pass over the memory instead of
// a read per record and a reversal).
bool readBackwards(QIODevice &device, int count, std::vector<TPerson> &personen)
{
    const qint64 start = device.pos();
    std::vector<char> block(size_t(kBlockRecords) * TPerson::Size);
    personen.reserve(size_t(count));
    for (int end = count; end > 0;) {
        const int first = std::max(0, end - int(kBlockRecords));
        const qint64 bytes = qint64(end - first) * TPerson::Size;
        if (!device.seek(start + qint64(first) * TPerson::Size) ||
            device.read(block.data(), bytes) != bytes)
            return false;
        for (int i = end - first - 1; i >= 0; --i)
            std::memcpy(personen.emplace_back().data(), block.data() + qsizetype(i) * TPerson::Size,
                        TPerson::Size);
        end = first;
    }
    return device.seek(start + qint64(count) * TPerson::Size);
}

} // namespace

CacherFileResult ReadCacherFile(QIODevice &device, CacherBook &book)
{
    uchar countBytes[2];
    if (device.read(reinterpret_cast<char *>(countBytes), 2) != 2)
        return CacherFileResult::ReadError;
    const quint16 count = qFromLittleEndian<quint16>(countBytes);

    // The file holds the book's last record first: the first block read goes to the end.
    std::vector<TPerson> personen;
    if (!device.isSequential()) {
        // Known too short: no need to allocate for a count the file cannot hold.
        if (device.bytesAvailable() < qint64(count) * TPerson::Size)
            return CacherFileResult::ReadError;
        if (!readBackwards(device, count, personen))
            return CacherFileResult::ReadError;
    } else {
        for (int i = 0; i < count; ++i) {
            TPerson person;
            if (device.read(person.data(), TPerson::Size) != TPerson::Size)
                return CacherFileResult::ReadError;
            personen.push_back(person);
        }
        std::reverse(personen.begin(), personen.end());
    }
    book.replacePersonen(std::move(personen));
    return CacherFileResult::Ok;
}

CacherFileResult ReadCacherFile(const QString &path, CacherBook &book)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CacherFileResult::OpenFailed;
    return ReadCacherFile(file, book);
}

CacherFileResult WriteCacherFile(QIODevice &device, const CacherBook &book)
{
    uchar countBytes[2];
    qToLittleEndian<quint16>(book.PersonenAnzahl(), countBytes);
    if (device.write(reinterpret_cast<const char *>(countBytes), 2) != 2)
        return CacherFileResult::WriteError;
    // Records go out in blocks, in file order: the book's last record first.
    const std::vector<TPerson> &personen = book.Personen();
    QByteArray block;
    block.reserve(kBlockRecords * TPerson::Size);
    for (auto it = personen.rbegin(); it != personen.rend();) {
        block.clear();
        for (qsizetype n = 0; n < kBlockRecords && it != personen.rend(); ++n, ++it)
            block.append(it->data(), TPerson::Size);
        if (device.write(block) != block.size())
            return CacherFileResult::WriteError;
    }
    return CacherFileResult::Ok;
}

namespace {

// Far above any file the format can count (65535 records), but small enough to hold in memory
// while the file is overwritten in place.
constexpr qint64 kMaxInPlaceOldSize = qint64(256) << 20;

qint64 recordFileSize(const CacherBook &book)
{
    return 2 + qint64(book.PersonenAnzahl()) * TPerson::Size;
}

QString noSpaceText(qint64 needed, qint64 available)
{
    return QStringLiteral("Kein freier Speicherplatz: nötig sind %1 Bytes mehr, frei sind %2 "
                          "Bytes. Die Datei bleibt unverändert.")
        .arg(needed)
        .arg(available);
}

// A copy of the old contents in the user's data folder while the file is overwritten in place,
// so even a killed program leaves the old records somewhere. Empty when none could be made;
// the copy in memory still serves to write the old contents back.
QString keepBackup(const QString &backupFolder, const QByteArray &old)
{
    if (backupFolder.isEmpty() || !QDir().mkpath(backupFolder))
        return {};
    const QString backup = QDir(backupFolder).filePath(QStringLiteral("Cacher.dat.sicherung"));
    const QString failure =
        writeFileSafely(backup, [&old](QIODevice &file) { return file.write(old) == old.size(); });
    return failure.isEmpty() ? backup : QString();
}

CacherFileResult writeInPlace(QFile &file, const CacherBook &book, const QString &backupFolder,
                              QString &reason)
{
    if (file.size() > kMaxInPlaceOldSize) {
        reason = QStringLiteral("Die Datei ist mit %1 Bytes zu groß, um sie an Ort und Stelle "
                                "zu überschreiben.")
                     .arg(file.size());
        return CacherFileResult::WriteError;
    }
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return CacherFileResult::WriteError;
    }
    const qint64 needed = recordFileSize(book) - old.size();
    const qint64 available =
        QStorageInfo(QFileInfo(file.fileName()).absolutePath()).bytesAvailable();
    if (needed > 0 && available >= 0 && available < needed) {
        reason = noSpaceText(needed, available);
        return CacherFileResult::WriteError;
    }
    const QString backup = keepBackup(backupFolder, old);
    bool oldIntact = true;
    const CacherFileResult result = OverwriteCacherDevice(
        file, book, old, [&file](qint64 size) { return file.resize(size); }, reason, &oldIntact);
    if (oldIntact)
        QFile::remove(backup);
    else if (!backup.isEmpty())
        reason += QStringLiteral(" Die alten Daten liegen in „%1“.")
                      .arg(QDir::toNativeSeparators(backup));
    return result;
}

} // namespace

CacherFileResult OverwriteCacherDevice(QIODevice &device, const CacherBook &book,
                                       const QByteArray &old,
                                       const std::function<bool(qint64)> &resize, QString &reason,
                                       bool *oldRestored)
{
    const auto failureReason = [&device] {
        auto *file = qobject_cast<QFileDevice *>(&device);
        return file ? writeFailureReason(*file) : device.errorString();
    };
    if (device.seek(0) && WriteCacherFile(device, book) == CacherFileResult::Ok &&
        resize(recordFileSize(book)))
        return CacherFileResult::Ok;
    reason = failureReason();
    // The old records go back over what was written; they fit, they were there before.
    const bool restored = device.seek(0) && device.write(old) == old.size() && resize(old.size());
    if (oldRestored)
        *oldRestored = restored;
    if (!restored)
        reason += QStringLiteral(" Die alten Daten konnten nicht zurückgeschrieben werden: %1")
                      .arg(failureReason());
    return CacherFileResult::WriteError;
}

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason,
                                 const QString &backupFolder)
{
    // Read-write asks for write permission and finds a missing file.
    QFile old(path);
    if (!old.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        reason = old.errorString();
        return CacherFileResult::OpenFailed;
    }
    // A device or pipe must not be replaced by a plain file: it is written directly.
    if (isOtherThanPlainFile(path)) {
        if (WriteCacherFile(old, book) != CacherFileResult::Ok) {
            reason = writeFailureReason(old);
            return CacherFileResult::WriteError;
        }
        return finishWrite(old, reason) ? CacherFileResult::Ok : CacherFileResult::WriteError;
    }
    // A folder that takes no new file cannot hold the temporary copy: written in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeInPlace(old, book, backupFolder, reason);
    old.close();
    // Only the records the book holds: deleted ones must not linger after them.
    if (WriteCacherFile(file, book) != CacherFileResult::Ok) {
        reason = writeFailureReason(file);
        discardWrite(file);
        return CacherFileResult::WriteError;
    }
    return finishWrite(file, reason) ? CacherFileResult::Ok : CacherFileResult::WriteError;
}

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason)
{
    return WriteCacherFile(path, book, reason,
                           QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                               QStringLiteral("/Quarvel"));
}

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book)
{
    QString reason;
    return WriteCacherFile(path, book, reason);
}
