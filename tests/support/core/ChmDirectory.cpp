#include "support/core/ChmDirectory.h"

#include <QtEndian>

namespace {

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint64 u64(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

// A variable-length number: seven bits per byte, most significant first, high bit set on every
// byte but the last.
bool encint(const QByteArray &bytes, qsizetype &at, qsizetype end, quint64 &value)
{
    value = 0;
    while (at < end) {
        const auto byte = quint8(bytes.at(at++));
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

bool readListingChunk(const QByteArray &bytes, qsizetype chunk, quint32 chunkSize,
                      QStringList &names)
{
    if (bytes.mid(chunk, 4) != "PMGL")
        return false;
    const qsizetype end = chunk + chunkSize - u32(bytes, chunk + 4);
    qsizetype at = chunk + 20;
    while (at < end) {
        quint64 length = 0, section = 0, offset = 0, size = 0;
        if (!encint(bytes, at, end, length) || at + qsizetype(length) > end)
            return false;
        names.append(QString::fromUtf8(bytes.mid(at, qsizetype(length))));
        at += qsizetype(length);
        if (!encint(bytes, at, end, section) || !encint(bytes, at, end, offset) ||
            !encint(bytes, at, end, size))
            return false;
    }
    return true;
}

} // namespace

ChmDirectory readChmDirectory(const QByteArray &bytes)
{
    ChmDirectory result;
    if (bytes.size() < 0x58 || !bytes.startsWith("ITSF") || u32(bytes, 4) != 3 ||
        u32(bytes, 8) != 0x60)
        return result;
    const quint64 directory = u64(bytes, 0x48);
    const quint64 directoryLength = u64(bytes, 0x50);
    if (directory + directoryLength > quint64(bytes.size()) ||
        bytes.mid(qsizetype(directory), 4) != "ITSP")
        return result;
    const auto dir = qsizetype(directory);
    const quint32 headerLength = u32(bytes, dir + 8);
    const quint32 chunkSize = u32(bytes, dir + 0x10);
    const qint32 firstListing = qint32(u32(bytes, dir + 0x20));
    const quint32 chunks = u32(bytes, dir + 0x2C);
    if (chunkSize < 20 || firstListing < 0 || quint32(firstListing) >= chunks ||
        dir + headerLength + quint64(chunks) * chunkSize > quint64(bytes.size()))
        return result;
    // The listing chunks are chained from the first one on; -1 ends the chain.
    for (qint32 i = firstListing; i >= 0 && quint32(i) < chunks;) {
        const qsizetype chunk = dir + headerLength + qsizetype(i) * chunkSize;
        if (!readListingChunk(bytes, chunk, chunkSize, result.names))
            return result;
        i = qint32(u32(bytes, chunk + 16));
    }
    result.valid = true;
    return result;
}
