// The integer and decimal-comma readers and the number formats on arbitrary text.
#include "logic/common/Numbers.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Numbers::tryStrToInt(text);
    if (const auto value = Numbers::tryStrToFloat(text)) {
        Numbers::floatToStr(*value);
        Numbers::formatFloat000(*value);
        Numbers::formatGrouped(*value);
    }
    return 0;
}
