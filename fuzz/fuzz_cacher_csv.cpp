// The address book's CSV reader on arbitrary bytes, and an export of what it read. Seeds for
// the choice between UTF-8 and Windows-1252 lie in corpus/fuzz_cacher_csv.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/CodePage.h"
#include "logic/common/QuarvelError.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// Without a mark, the one-pass decoder must follow the stated choice: text chosen as UTF-8 is
// exactly what Qt's own encoder gives back, anything else reads byte for byte as Windows-1252.
void checkEncodingChoice(QByteArrayView data)
{
    const CsvEncodingChoice choice = chooseCsvEncoding(data);
    if (choice.markSize != 0)
        return;
    const DecodedCsv decoded = decodeCsv(data);
    if (decoded.undecodable != 0)
        __builtin_trap();
    const bool same = choice.encoding == CsvEncoding::Utf8
        ? decoded.text.toUtf8() == data
        : decoded.text == CodePage::fromAnsi(data);
    if (!same)
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
