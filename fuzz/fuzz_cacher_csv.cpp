// The address book's CSV reader on arbitrary bytes, and an export of what it read.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/common/QuarvelError.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        CsvBook csv = csvBook(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        if (csv.namen.size() != qsizetype(csv.personen.size()))
            __builtin_trap();
        CacherBook book;
        book.replacePersonen(std::move(csv.personen));
        csvText(book);
    } catch (const QuarvelError &) {
        // more lines than a book can hold
    }
    return 0;
}
