// The address book's record file reader on arbitrary bytes, and a write of what it read.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer input;
    input.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    input.open(QIODevice::ReadOnly);
    CacherBook book;
    if (ReadCacherFile(input, book) == CacherFileResult::Ok) {
        for (const TPerson &person : book.Personen()) {
            for (int f = 0; f < TPerson::FieldCount; ++f)
                person.field(TPerson::Field(f));
        }
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        WriteCacherFile(output, book);
    }
    return 0;
}
