#pragma once

#include <QString>

#include <cstdint>

// What the operating system reports about itself: the fields of the Windows version query and
// the native processor architecture, or on Linux the distribution and kernel filled into the
// same shape (platform id kPlatformLinux, the distribution's name, the kernel's numbers and its
// full release text in place of the service pack).
struct OsVersionRecord
{
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0; // 0 Win32s, 1 Windows 9x, 2 Windows NT, kPlatformLinux
    QString servicePack; // at most 128 characters on Windows
    uint16_t processorArchitecture = 0; // 9 = x64
    QString distribution; // Linux: the distribution's pretty name
    QString distributionId; // Linux: its short id ("debian")
};

inline constexpr uint32_t kPlatformLinux = 0x4C4E5800; // "LNX" — no Windows platform id
inline constexpr uint16_t kArchitectureX64 = 9;

// The system's name with the version "(6.1)", the build "(Build: 7601)" and the service pack
// "(Service Pack 1)" appended as asked, or the short name alone ("Win7"). Systems newer than
// Windows 7 have no name of their own here, so the text starts with the blank of the version.
QString WindowsVersionText(const OsVersionRecord &record, bool showVersion, bool showBuild,
                           bool showServicePack, bool shortName);
