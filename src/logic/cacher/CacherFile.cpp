#include "logic/cacher/CacherFile.h"

#include "logic/cacher/CacherBook.h"
#include "logic/common/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <utility>
#include <vector>

QString streamReadErrorMessage()
{
    return QStringLiteral("Stream-Lesefehler");
}

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
        personen.resize(count);
        for (auto it = personen.rbegin(); it != personen.rend(); ++it) {
            if (device.read(it->data(), TPerson::Size) != TPerson::Size)
                return CacherFileResult::ReadError;
        }
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
    constexpr qsizetype kBlockRecords = 256;
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

// Copies what the old file holds beyond `from` to the end of `out`.
bool copyTail(QFile &old, qint64 from, QIODevice &out)
{
    if (old.size() <= from)
        return true;
    if (!old.seek(from))
        return false;
    constexpr qint64 kBlock = 1 << 20;
    while (!old.atEnd()) {
        const QByteArray block = old.read(kBlock);
        if (block.isEmpty() || out.write(block) != block.size())
            return false;
    }
    return true;
}

CacherFileResult writeInPlace(QFile &file, const CacherBook &book, QString &reason)
{
    // Just opened: at its start, where a device that cannot seek is as well.
    const CacherFileResult result = WriteCacherFile(file, book);
    if (result != CacherFileResult::Ok) {
        reason = file.errorString();
        file.close();
        return result;
    }
    return finishWrite(file, reason) ? CacherFileResult::Ok : CacherFileResult::WriteError;
}

} // namespace

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book, QString &reason)
{
    // Read-write keeps the file's length, asks for write permission and finds a missing file.
    QFile old(path);
    if (!old.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        reason = old.errorString();
        return CacherFileResult::OpenFailed;
    }
    // A device or pipe must not be replaced by a plain file; nor can a folder that takes no
    // new file hold the temporary copy: those are written in place.
    if (!QFileInfo(path).isFile())
        return writeInPlace(old, book, reason);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeInPlace(old, book, reason);
    const qint64 newSize = 2 + qint64(book.PersonenAnzahl()) * TPerson::Size;
    if (WriteCacherFile(file, book) != CacherFileResult::Ok || !copyTail(old, newSize, file)) {
        reason = file.error() != QFileDevice::NoError ? file.errorString() : old.errorString();
        file.cancelWriting();
        return CacherFileResult::WriteError;
    }
    old.close();
    return finishWrite(file, reason) ? CacherFileResult::Ok : CacherFileResult::WriteError;
}

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book)
{
    QString reason;
    return WriteCacherFile(path, book, reason);
}
