#include "platform/OsInfo.h"

#include <gtest/gtest.h>

TEST(LinuxOsInfo, NamesTheRunningSystemAndItsKernel)
{
    const OsVersionRecord record = OsInfo::system().versionRecord();
    EXPECT_EQ(record.platformId, kPlatformLinux);
    EXPECT_FALSE(record.distribution.isEmpty());
    EXPECT_TRUE(record.servicePack.startsWith(QStringLiteral("Kernel ")));
    EXPECT_GT(record.major, 0u);
    const QString text = WindowsVersionText(record, true, true, true, false);
    EXPECT_TRUE(text.contains(QStringLiteral(" (Build: "))) << text.toStdString();
}

TEST(LinuxOsInfo, MemoryFiguresAreConsistent)
{
    const MemoryStatus m = OsInfo::system().memoryStatus();
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_LE(m.availPageFile, m.totalPageFile);
}
