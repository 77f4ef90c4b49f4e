// The address book's CSV reader on arbitrary bytes, and an export of what it read read back.
// Seeds for the choice between UTF-8 and Windows-1252 and for quoted fields lie in
// corpus/fuzz_cacher_csv.
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

// What the export writes in Windows-1252 reads back as the same records: quoting keeps commas,
// quotes and line breaks inside their fields. (A text that happens to read as UTF-8 or to start
// with a mark is read in that encoding instead, as any such file is.)
void checkRoundTrip(const CacherBook &book)
{
    const QByteArray text = csvText(book);
    const CsvEncodingChoice choice = chooseCsvEncoding(text);
    if (choice.encoding != CsvEncoding::Ansi || choice.markSize != 0)
        return;
    const CsvBook back = csvBook(text);
    if (back.personen.size() != book.Personen().size())
        __builtin_trap();
    for (size_t i = 0; i < back.personen.size(); ++i) {
        for (int f = 0; f < TPerson::FieldCount; ++f) {
            const auto field = TPerson::Field(f);
            if (back.personen[i].fieldView(field) != book.Personen()[i].fieldView(field))
                __builtin_trap();
        }
    }
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
        checkRoundTrip(book);
    } catch (const QuarvelError &) {
        // more lines than a book can hold
    }
    return 0;
}
