#include "platform/OsInfo.h"

#include "logic/common/OsRelease.h"

#include <QFile>

#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

class LinuxOsInfo : public OsInfo
{
public:
    OsVersionRecord versionRecord() override
    {
        QByteArray osRelease = readSmallFile(QStringLiteral("/etc/os-release"));
        if (osRelease.isEmpty())
            osRelease = readSmallFile(QStringLiteral("/usr/lib/os-release"));
        utsname names {};
        QString kernel;
        QString machine;
        if (uname(&names) == 0) {
            kernel = QString::fromLocal8Bit(names.release);
            machine = QString::fromLocal8Bit(names.machine);
        }
        OsVersionRecord record =
            OsRelease::linuxRecord(OsRelease::parseOsRelease(osRelease), kernel);
        if (machine == u"x86_64" || machine == u"amd64")
            record.processorArchitecture = kArchitectureX64;
        return record;
    }

    MemoryStatus memoryStatus() override
    {
        MemoryStatus status;
        struct sysinfo info
        {
        };
        if (sysinfo(&info) != 0)
            return status;
        const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
        status.totalPhys = uint64_t(info.totalram) * unit;
        // Free memory alone leaves out the page cache the kernel gives back on demand; the
        // kernel's own estimate of what is available is the figure that matches "available".
        const auto available =
            OsRelease::memAvailableBytes(readSmallFile(QStringLiteral("/proc/meminfo")));
        status.availPhys =
            available ? *available : (uint64_t(info.freeram) + uint64_t(info.bufferram)) * unit;
        status.totalPageFile = uint64_t(info.totalswap) * unit;
        status.availPageFile = uint64_t(info.freeswap) * unit;
        return status;
    }
};

} // namespace

OsInfo &OsInfo::system()
{
    static LinuxOsInfo instance;
    return instance;
}
