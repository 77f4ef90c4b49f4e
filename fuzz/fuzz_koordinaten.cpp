// Reading a position from arbitrary text and writing it in every notation. Invalid numbers may
// only ever raise the program's error type; anything else escapes and stops the fuzzer.
#include "logic/common/QuarvelError.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TKoordinaten koordinaten;
    try {
        koordinaten.m_sSetKoordinaten(text);
    } catch (const QuarvelError &) {
    }
    for (int notation = -1; notation <= 3; ++notation) {
        try {
            koordinaten.m_sGetKoordinaten(notation);
        } catch (const QuarvelError &) {
        }
    }
    return 0;
}
