#include "logic/cacher/CacherFile.h"

#include "logic/cacher/CacherBook.h"

#include <QFile>
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

CacherFileResult WriteCacherFile(const QString &path, const CacherBook &book)
{
    QFile file(path);
    // Read-write keeps the file's length; write-only would truncate it.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return CacherFileResult::OpenFailed;
    CacherFileResult result = WriteCacherFile(file, book);
    // A full disk often shows only when the buffer is flushed.
    if (!file.flush() && result == CacherFileResult::Ok)
        result = CacherFileResult::WriteError;
    file.close();
    if (file.error() != QFileDevice::NoError && result == CacherFileResult::Ok)
        result = CacherFileResult::WriteError;
    return result;
}
