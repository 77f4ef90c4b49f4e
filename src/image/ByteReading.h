#pragma once

#include <QByteArrayView>

#include <cstdint>

// Bounds-checked reads of the numbers inside picture files: a read past the end gives nothing,
// so the walkers never look outside the bytes they were handed.
namespace ImageAnalysis::Bytes {

inline bool fits(QByteArrayView data, qint64 offset, qint64 length)
{
    return offset >= 0 && length >= 0 && offset <= data.size() && length <= data.size() - offset;
}

inline std::uint8_t u8(QByteArrayView data, qint64 offset)
{
    return static_cast<std::uint8_t>(data[offset]);
}

inline std::uint32_t be16(QByteArrayView data, qint64 offset)
{
    return std::uint32_t(u8(data, offset)) << 8 | u8(data, offset + 1);
}

inline std::uint32_t le16(QByteArrayView data, qint64 offset)
{
    return std::uint32_t(u8(data, offset + 1)) << 8 | u8(data, offset);
}

inline std::uint32_t be32(QByteArrayView data, qint64 offset)
{
    return be16(data, offset) << 16 | be16(data, offset + 2);
}

inline std::uint32_t le32(QByteArrayView data, qint64 offset)
{
    return le16(data, offset + 2) << 16 | le16(data, offset);
}

inline std::uint32_t le24(QByteArrayView data, qint64 offset)
{
    return std::uint32_t(u8(data, offset + 2)) << 16 | le16(data, offset);
}

} // namespace ImageAnalysis::Bytes
