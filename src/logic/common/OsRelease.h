#pragma once

#include "logic/common/WindowsVersion.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Reading what a Linux system says about itself into the version record the information
// window names: the distribution from os-release, the kernel's numbers from its release text.
namespace OsRelease {

struct Distribution
{
    QString prettyName; // PRETTY_NAME, else NAME + VERSION, else NAME
    QString id; // ID
};

// The KEY=value lines of an os-release file; values may be quoted with " or ' and use
// backslash escapes. Unknown keys, comments and broken lines are skipped.
Distribution parseOsRelease(const QByteArray &content);

// A record for a Linux system: the distribution, and from a kernel release such as
// "6.1.0-18-amd64" the numbers 6 and 1 as version, 0 as build and the whole text as the
// kernel's description.
OsVersionRecord linuxRecord(const Distribution &distribution, const QString &kernelRelease);

// "MemAvailable:  123456 kB" from /proc/meminfo, in bytes; nothing when the line is missing.
std::optional<quint64> memAvailableBytes(const QByteArray &meminfo);

} // namespace OsRelease
