// The integer and decimal-comma readers and the number formats on arbitrary text.
#include "logic/common/Numbers.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    Numbers::tryStrToInt(text);
    if (const auto value = Numbers::tryStrToFloat(text)) {
        Numbers::floatToStr(*value);
        Numbers::formatFloat000(*value);
        Numbers::formatGrouped(*value);
    }
    // A typed number reads as the program writes it: the grouping it writes reads back.
    if (const auto typed = Numbers::tryStrToFloatTyped(text); typed && std::isfinite(*typed) &&
        std::abs(*typed) < 1e15L && *typed == std::round(*typed)) {
        const auto again = Numbers::tryStrToFloatTyped(Numbers::formatGrouped(*typed));
        if (!again || *again != *typed)
            std::abort();
    }
    return 0;
}
