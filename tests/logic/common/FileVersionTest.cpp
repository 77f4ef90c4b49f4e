#include "logic/common/FileVersion.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void put(QByteArray &b, int offset, uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        b[offset + i] = char((value >> (8 * i)) & 0xff);
}

// A minimal 64-bit ELF file with a section-name table and one version note section.
QByteArray elfWithNote(uint16_t major, uint16_t minor, uint16_t release, uint16_t build)
{
    const QByteArray names = QByteArray("\0.shstrtab\0", 11) + kVersionNoteSection + '\0';
    QByteArray note(28, '\0');
    put(note, 0, 8, 4);
    put(note, 4, 8, 4);
    put(note, 8, kVersionNoteType, 4);
    std::memcpy(note.data() + 12, "Quarvel", 8);
    put(note, 20, major, 2);
    put(note, 22, minor, 2);
    put(note, 24, release, 2);
    put(note, 26, build, 2);

    QByteArray file(64, '\0');
    std::memcpy(file.data(),
                "\x7f"
                "ELF\x02\x01",
                6);
    const int namesOffset = file.size();
    file += names;
    const int noteOffset = file.size();
    file += note;
    const int sectionTable = file.size();
    file += QByteArray(3 * 64, '\0');
    put(file, 0x28, sectionTable, 8);
    put(file, 0x3A, 64, 2);
    put(file, 0x3C, 3, 2);
    put(file, 0x3E, 1, 2);
    // section 1: .shstrtab
    put(file, sectionTable + 64 + 0, 1, 4);
    put(file, sectionTable + 64 + 0x18, namesOffset, 8);
    put(file, sectionTable + 64 + 0x20, names.size(), 8);
    // section 2: the note
    put(file, sectionTable + 128 + 0, 11, 4);
    put(file, sectionTable + 128 + 0x18, noteOffset, 8);
    put(file, sectionTable + 128 + 0x20, note.size(), 8);
    return file;
}

} // namespace

TEST(FileVersion, ReadsTheStampedNote)
{
    const auto version = readElfVersionNote(elfWithNote(0, 4, 1, 0));
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(versionText(*version), QStringLiteral("0.4.1.0"));
    EXPECT_EQ(versionText(*readElfVersionNote(elfWithNote(65535, 10, 0, 7))),
              QStringLiteral("65535.10.0.7"));
}

TEST(FileVersion, FilesWithoutANoteYieldNothing)
{
    QByteArray cut = elfWithNote(1, 2, 3, 4);
    QByteArray wrongName = cut;
    wrongName.replace("Quarvel", "Quarvex");
    const QByteArray cases[] = {
        {},
        QByteArray("#!/bin/sh\necho hi\n"),
        QByteArray(4096, '\0'),
        cut.left(cut.size() - 30), // the note's section entry cut off
        wrongName,
    };
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(readElfVersionNote(bytes).has_value());
}

TEST(FileVersion, OffsetsPointingOutsideTheFileAreRejected)
{
    QByteArray file = elfWithNote(1, 2, 3, 4);
    put(file, 0x28, uint64_t(1) << 62, 8); // section table far beyond the end
    EXPECT_FALSE(readElfVersionNote(file).has_value());
}
