// The settings store file reader on arbitrary bytes: whatever it accepts must write back to a
// text that reads as the same document and writes the same text again.
#include "logic/common/QuarvelError.h"
#include "logic/settings/RegistryText.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const RegistryParseResult result = parseRegistryText(bytes);
    if (!result.document)
        return 0;
    const QByteArray text = registryText(*result.document);
    const RegistryParseResult again = parseRegistryText(text);
    if (!again.document || !(*again.document == *result.document) ||
        registryText(*again.document) != text)
        std::abort();
    for (const RegistryKey &key : result.document->keys) {
        for (const RegistryValue &value : key.values) {
            // The index finds every value by its name, in any case.
            if (!key.find(value.name) || !key.find(value.name.toCaseFolded()) ||
                key.find(value.name)->name.compare(value.name, Qt::CaseInsensitive) != 0)
                std::abort();
            try {
                key.readInteger(value.name);
            } catch (const QuarvelError &) {
            }
            try {
                key.readString(value.name);
            } catch (const QuarvelError &) {
            }
        }
    }
    return 0;
}
