#include "logic/common/WindowsVersion.h"

namespace {

struct Names
{
    QString longName;
    QString shortName;
};

Names windows9xNames(const OsVersionRecord &r)
{
    switch (r.minor) {
    case 0:
        return {QStringLiteral("Windows 95 ") + r.servicePack + u' ', QStringLiteral("95")};
    case 10:
        // Only the exact letter "A" marks the Second Edition; " A " does not.
        return {r.servicePack == u"A" ? QStringLiteral("Windows 98SE ")
                                      : QStringLiteral("Windows 98 "),
                QStringLiteral("98")};
    case 90:
        return {QStringLiteral("Windows ME "), QStringLiteral("ME")};
    default:
        return {};
    }
}

Names windowsNtNames(const OsVersionRecord &r)
{
    if (r.major == 3 || r.major == 4)
        return {QStringLiteral("Windows NT"), QStringLiteral("NT")};
    if (r.major == 5 && r.minor == 0)
        return {QStringLiteral("Windows 2000"), QStringLiteral("2000")};
    if (r.major == 5 && r.minor == 1)
        return {QStringLiteral("Windows XP"), QStringLiteral("XP")};
    if (r.major == 6 && r.minor == 0)
        return {QStringLiteral("Windows Vista"), QStringLiteral("Vista")};
    if (r.major == 6 && r.minor == 1) {
        return {r.processorArchitecture == kArchitectureX64
                    ? QStringLiteral("Windows 7 x64 Edition")
                    : QStringLiteral("Windows 7"),
                QStringLiteral("Win7")};
    }
    return {};
}

Names names(const OsVersionRecord &r)
{
    switch (r.platformId) {
    case 0:
        return {QStringLiteral("Win32s unter Windows 3.x"), QString()};
    case 1:
        return windows9xNames(r);
    case 2:
        return windowsNtNames(r);
    case kPlatformLinux:
        return {r.distribution.isEmpty() ? QStringLiteral("Linux") : r.distribution,
                r.distributionId.isEmpty() ? QStringLiteral("linux") : r.distributionId};
    default:
        return {};
    }
}

} // namespace

QString WindowsVersionText(const OsVersionRecord &record, bool showVersion, bool showBuild,
                           bool showServicePack, bool shortName)
{
    const Names n = names(record);
    if (shortName)
        return n.shortName;
    QString result = n.longName;
    if (showVersion)
        result += QStringLiteral(" (%1.%2)").arg(record.major).arg(record.minor);
    if (showBuild)
        result += QStringLiteral(" (Build: %1)").arg(record.build);
    if (showServicePack && !record.servicePack.isEmpty())
        result += QStringLiteral(" (%1)").arg(record.servicePack);
    return result;
}
