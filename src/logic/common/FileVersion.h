#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The four numbers of a program file's version.
struct FileVersion
{
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t release = 0;
    uint16_t build = 0;
};

// "major.minor.release.build" in decimal without leading zeros.
QString versionText(const FileVersion &version);

// The build stamps the version into the executable as an ELF note named "Quarvel" in the
// section ".note.quarvel.version"; this reads it back from a file's bytes. Files that are not a
// 64-bit little-endian ELF file or carry no such note yield nothing.
std::optional<FileVersion> readElfVersionNote(const QByteArray &fileBytes);

// The section name and note layout shared by the writer (the executable) and the reader.
inline constexpr const char *kVersionNoteSection = ".note.quarvel.version";
inline constexpr uint32_t kVersionNoteType = 0x51564552; // "QVER"
