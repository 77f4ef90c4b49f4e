#include "logic/common/WindowsVersion.h"

#include <gtest/gtest.h>

namespace {

OsVersionRecord record(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build,
                       const QString &sp = {}, uint16_t architecture = 0)
{
    OsVersionRecord r;
    r.platformId = platform;
    r.major = major;
    r.minor = minor;
    r.build = build;
    r.servicePack = sp;
    r.processorArchitecture = architecture;
    return r;
}

} // namespace

TEST(WindowsVersionText, NamesEverySystemOfTheTable)
{
    struct Case
    {
        OsVersionRecord r;
        const char16_t *longName;
        const char16_t *shortName;
    };
    const Case cases[] = {
        {record(0, 3, 10, 0), u"Win32s unter Windows 3.x", u""},
        {record(1, 4, 0, 950, QStringLiteral("B")), u"Windows 95 B ", u"95"},
        {record(1, 4, 0, 950), u"Windows 95  ", u"95"},
        {record(1, 4, 10, 2222, QStringLiteral("A")), u"Windows 98SE ", u"98"},
        {record(1, 4, 10, 1998), u"Windows 98 ", u"98"},
        {record(1, 4, 10, 2222, QStringLiteral(" A ")), u"Windows 98 ", u"98"},
        {record(1, 4, 10, 2222, QStringLiteral("a")), u"Windows 98 ", u"98"},
        {record(1, 4, 90, 3000), u"Windows ME ", u"ME"},
        {record(1, 4, 50, 0), u"", u""},
        {record(2, 3, 51, 1057), u"Windows NT", u"NT"},
        {record(2, 4, 0, 1381), u"Windows NT", u"NT"},
        {record(2, 5, 0, 2195), u"Windows 2000", u"2000"},
        {record(2, 5, 1, 2600), u"Windows XP", u"XP"},
        {record(2, 5, 2, 3790), u"", u""},
        {record(2, 6, 0, 6002), u"Windows Vista", u"Vista"},
        {record(2, 6, 1, 7601, {}, kArchitectureX64), u"Windows 7 x64 Edition", u"Win7"},
        {record(2, 6, 1, 7601, {}, 0), u"Windows 7", u"Win7"},
        {record(2, 6, 1, 7601, {}, 6), u"Windows 7", u"Win7"},
        {record(2, 6, 2, 9200), u"", u""},
        {record(2, 10, 0, 19045), u"", u""},
        {record(3, 1, 0, 0), u"", u""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.longName).toStdString());
        EXPECT_EQ(WindowsVersionText(c.r, false, false, false, false),
                  QString::fromUtf16(c.longName));
        EXPECT_EQ(WindowsVersionText(c.r, true, true, true, true), QString::fromUtf16(c.shortName));
    }
}

TEST(WindowsVersionText, AppendsVersionBuildAndServicePackAsAsked)
{
    const OsVersionRecord win7 =
        record(2, 6, 1, 7601, QStringLiteral("Service Pack 1"), kArchitectureX64);
    const OsVersionRecord xp = record(2, 5, 1, 2600);
    struct Case
    {
        OsVersionRecord r;
        bool version, build, sp;
        const char16_t *expected;
    };
    const Case cases[] = {
        {win7, true, true, true, u"Windows 7 x64 Edition (6.1) (Build: 7601) (Service Pack 1)"},
        {win7, true, false, false, u"Windows 7 x64 Edition (6.1)"},
        {win7, false, true, false, u"Windows 7 x64 Edition (Build: 7601)"},
        {win7, false, false, true, u"Windows 7 x64 Edition (Service Pack 1)"},
        {xp, true, true, true, u"Windows XP (5.1) (Build: 2600)"},
        {record(2, 6, 2, 9200), true, true, true, u" (6.2) (Build: 9200)"},
        {record(2, 10, 0, 19045), true, false, false, u" (10.0)"},
        {record(1, 4, 0, 950), true, false, false, u"Windows 95   (4.0)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.expected).toStdString());
        EXPECT_EQ(WindowsVersionText(c.r, c.version, c.build, c.sp, false),
                  QString::fromUtf16(c.expected));
    }
}
