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

// What the export writes reads back as the same records and texts: quoting keeps commas, quotes
// and line breaks inside their fields, and text beyond Windows-1252 goes out as marked UTF-8. (A
// Windows-1252 text that happens to read as UTF-8 or to start with a mark is read in that
// encoding instead, as any such file is.)
void checkRoundTrip(const CacherBook &book)
{
    const QByteArray text = csvText(book);
    const bool utf8 = book.wideSummary().fields > 0;
    if (utf8 && !text.startsWith("\xEF\xBB\xBF"))
        __builtin_trap();
    const CsvEncodingChoice choice = chooseCsvEncoding(text);
    if (!utf8 && (choice.encoding != CsvEncoding::Ansi || choice.markSize != 0))
        return;
    CsvBook csv = csvBook(text);
    CacherBook back;
    back.replacePersonen(std::move(csv.personen), std::move(csv.wide));
    if (back.PersonenAnzahl() != book.PersonenAnzahl())
        __builtin_trap();
    for (int i = 0; i < back.PersonenAnzahl(); ++i) {
        for (int f = 0; f < TPerson::FieldCount; ++f) {
            const auto field = TPerson::Field(f);
            if (back.person(i).fieldView(field) != book.person(i).fieldView(field) ||
                back.text(i, field) != book.text(i, field))
                __builtin_trap();
        }
    }
}

// A field's conversion (sixteen bytes at a time where it can) is decoding, then the code page;
// "lossy" says whether a character other than a broken sequence became "?".
void checkFieldConversion(QByteArrayView data)
{
    QByteArray ansi;
    bool lossy = false;
    utf8ToAnsi(data, false, ansi, lossy);
    const QString decoded = decodeUtf8(data);
    if (ansi != CodePage::toAnsi(decoded))
        __builtin_trap();
    // U+FFFD stands for a broken sequence (not lossy) or was written as such (lossy).
    bool lacking = false;
    bool lackingOrBroken = false;
    for (const QChar c : decoded) {
        const bool lacks = c != u'?' && CodePage::charToAnsi(c) == '?';
        lackingOrBroken = lackingOrBroken || lacks;
        lacking = lacking || (lacks && c != QChar::ReplacementCharacter);
    }
    if ((lacking && !lossy) || (lossy && !lackingOrBroken))
        __builtin_trap();
    bool strictLossy = false;
    if (utf8ToAnsi(data, true, ansi, strictLossy) != (undecodableUtf8(data) == 0))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkEncodingChoice(bytes);
    checkFieldConversion(bytes);
    try {
        CsvBook csv = csvBook(bytes);
        if (csv.namen.size() != qsizetype(csv.personen.size()) ||
            csv.undecodable > qsizetype(size) ||
            csv.linesWithExtraFields > qsizetype(csv.personen.size()))
            __builtin_trap();
        csvImportNotes(csv);
        CacherBook book;
        book.replacePersonen(std::move(csv.personen), std::move(csv.wide));
        checkRoundTrip(book);
    } catch (const QuarvelError &) {
        // more lines than a book can hold
    }
    return 0;
}
