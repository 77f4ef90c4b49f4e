#include "logic/common/OsRelease.h"

#include <gtest/gtest.h>

TEST(OsRelease, ReadsTheDistributionsNames)
{
    struct Case
    {
        const char *content;
        const char16_t *pretty;
        const char16_t *id;
    };
    const Case cases[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nID=debian\n",
         u"Debian GNU/Linux 12 (bookworm)", u"debian"},
        {"NAME='Fedora Linux'\nVERSION='39 (Workstation Edition)'\nID=fedora",
         u"Fedora Linux 39 (Workstation Edition)", u"fedora"},
        {"# comment\n\nNAME=Arch\nbroken line\n=value\nID=arch\n", u"Arch", u"arch"},
        {"PRETTY_NAME=\"Say \\\"hi\\\"\"\n", u"Say \"hi\"", u""},
        {"PRETTY_NAME=\"unterminated\n", u"\"unterminated", u""},
        {"", u"", u""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content);
        const OsRelease::Distribution d = OsRelease::parseOsRelease(QByteArray(c.content));
        EXPECT_EQ(d.prettyName, QString::fromUtf16(c.pretty));
        EXPECT_EQ(d.id, QString::fromUtf16(c.id));
    }
}

TEST(OsRelease, NamesLinuxInTheShapeOfTheWindowsText)
{
    const OsVersionRecord r = OsRelease::linuxRecord(
        {QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("debian")},
        QStringLiteral("6.1.0-18-amd64"));
    EXPECT_EQ(WindowsVersionText(r, true, true, true, false),
              QStringLiteral("Debian GNU/Linux 12 (bookworm) (6.1) (Build: 0) "
                             "(Kernel 6.1.0-18-amd64)"));
    EXPECT_EQ(WindowsVersionText(r, true, true, true, true), QStringLiteral("debian"));

    const OsVersionRecord bare = OsRelease::linuxRecord({}, QStringLiteral("odd"));
    EXPECT_EQ(WindowsVersionText(bare, true, false, true, false),
              QStringLiteral("Linux (0.0) (Kernel odd)"));
}

TEST(OsRelease, ReadsAvailableMemoryInBytes)
{
    const QByteArray meminfo("MemTotal:       16318412 kB\nMemFree:         1234567 kB\n"
                             "MemAvailable:    8000000 kB\nBuffers:          1000 kB\n");
    EXPECT_EQ(OsRelease::memAvailableBytes(meminfo), std::optional<quint64>(8000000ULL * 1024));
    EXPECT_EQ(OsRelease::memAvailableBytes("MemTotal: 1 kB\n"), std::nullopt);
    EXPECT_EQ(OsRelease::memAvailableBytes("MemAvailable: lots kB\n"), std::nullopt);
}
