#include "logic/common/FileVersion.h"

#include <cstring>

namespace {

// Bounds-checked little-endian reads; any read past the end makes the whole parse fail.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    bool ok() const { return m_ok; }

    uint64_t read(uint64_t offset, int width)
    {
        if (offset > uint64_t(m_bytes.size()) ||
            uint64_t(m_bytes.size()) - offset < uint64_t(width)) {
            m_ok = false;
            return 0;
        }
        uint64_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | uint8_t(m_bytes[qsizetype(offset) + i]);
        return value;
    }

    bool nameAt(uint64_t offset, const char *expected)
    {
        const size_t length = std::strlen(expected) + 1; // with its terminating zero
        if (offset > uint64_t(m_bytes.size()) || uint64_t(m_bytes.size()) - offset < length)
            return false;
        return std::memcmp(m_bytes.constData() + offset, expected, length) == 0;
    }

private:
    const QByteArray &m_bytes;
    bool m_ok = true;
};

std::optional<FileVersion> noteIn(Reader &r, uint64_t offset, uint64_t size)
{
    const uint64_t nameSize = r.read(offset, 4);
    const uint64_t descSize = r.read(offset + 4, 4);
    const uint64_t type = r.read(offset + 8, 4);
    if (!r.ok() || nameSize != 8 || descSize != 8 || type != kVersionNoteType || size < 12 + 8 + 8)
        return std::nullopt;
    if (!r.nameAt(offset + 12, "Quarvel"))
        return std::nullopt;
    FileVersion v;
    v.major = uint16_t(r.read(offset + 20, 2));
    v.minor = uint16_t(r.read(offset + 22, 2));
    v.release = uint16_t(r.read(offset + 24, 2));
    v.build = uint16_t(r.read(offset + 26, 2));
    if (!r.ok())
        return std::nullopt;
    return v;
}

} // namespace

QString versionText(const FileVersion &version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.release)
        .arg(version.build);
}

std::optional<FileVersion> readElfVersionNote(const QByteArray &bytes)
{
    static constexpr char kMagic[] = {0x7f, 'E', 'L', 'F', 2 /* 64-bit */, 1 /* little-endian */};
    if (bytes.size() < 64 || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    Reader r(bytes);
    const uint64_t sectionTable = r.read(0x28, 8);
    const uint64_t entrySize = r.read(0x3A, 2);
    const uint64_t count = r.read(0x3C, 2);
    const uint64_t namesIndex = r.read(0x3E, 2);
    if (!r.ok() || entrySize < 64 || namesIndex >= count)
        return std::nullopt;
    const uint64_t namesHeader = sectionTable + namesIndex * entrySize;
    const uint64_t namesOffset = r.read(namesHeader + 0x18, 8);
    for (uint64_t i = 0; i < count && r.ok(); ++i) {
        const uint64_t header = sectionTable + i * entrySize;
        const uint64_t nameOffset = r.read(header, 4);
        if (!r.ok())
            break;
        if (!r.nameAt(namesOffset + nameOffset, kVersionNoteSection))
            continue;
        const uint64_t offset = r.read(header + 0x18, 8);
        const uint64_t size = r.read(header + 0x20, 8);
        if (!r.ok())
            break;
        return noteIn(r, offset, size);
    }
    return std::nullopt;
}
