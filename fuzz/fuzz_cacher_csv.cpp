// The address book's CSV reader on arbitrary bytes, and an export of what it read. Seeds for
// the choice between UTF-8 and Windows-1252 lie in corpus/fuzz_cacher_csv.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/QuarvelError.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// Text chosen as UTF-8 without a mark must be exactly what Qt's own decoder sees in it.
void checkEncodingChoice(QByteArrayView data)
{
    const CsvEncodingChoice choice = chooseCsvEncoding(data);
    if (choice.markSize != 0 || choice.encoding != CsvEncoding::Utf8)
        return;
    const DecodedCsv decoded = decodeCsv(data);
    if (decoded.undecodable != 0 || decoded.text.toUtf8() != data)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkEncodingChoice(bytes);
    try {
        CsvBook csv = csvBook(bytes);
        if (csv.namen.size() != qsizetype(csv.personen.size()) ||
            csv.undecodable > qsizetype(size) ||
            csv.linesWithExtraFields > qsizetype(csv.personen.size()))
            __builtin_trap();
        csvImportNotes(csv);
        CacherBook book;
        book.replacePersonen(std::move(csv.personen));
        csvText(book);
    } catch (const QuarvelError &) {
        // more lines than a book can hold
    }
    return 0;
}
