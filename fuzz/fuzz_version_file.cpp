// The version file's first line and the version comparison on arbitrary bytes.
#include "logic/common/QuarvelError.h"
#include "logic/update/VersionCheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString line = VersionCheck::versionFileFirstLine(bytes);
    try {
        VersionCheck::CompareVersions(QStringLiteral("0.4.1.0"), line);
        // A text that passed as a version equals itself.
        if (VersionCheck::CompareVersions(line, line) != u"gleich")
            __builtin_trap();
    } catch (const QuarvelError &) {
    }
    return 0;
}
