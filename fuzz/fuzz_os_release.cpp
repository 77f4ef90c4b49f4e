// The os-release, kernel release and meminfo readers of the information window on arbitrary
// bytes.
#include "logic/common/OsRelease.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const OsRelease::Distribution d = OsRelease::parseOsRelease(bytes);
    const OsVersionRecord r = OsRelease::linuxRecord(d, QString::fromUtf8(bytes.left(200)));
    WindowsVersionText(r, true, true, true, false);
    OsRelease::memAvailableBytes(bytes);
    return 0;
}
