// The reader of the version note on arbitrary file contents.
#include "logic/common/FileVersion.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readElfVersionNote(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
