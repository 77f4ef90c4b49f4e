#include "logic/cacher/CacherCsv.h"

#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

QByteArray csvText(const CacherBook &book)
{
    QByteArray text;
    // A typical line; longer ones just grow the buffer.
    text.reserve(qsizetype(book.PersonenAnzahl()) * 64);
    for (const TPerson &person : book.Personen()) {
        // The stored bytes already are Windows-1252; copying them keeps every byte exact.
        for (int f = 0; f < TPerson::FieldCount; ++f) {
            if (f > 0)
                text += ',';
            text += person.fieldView(TPerson::Field(f));
        }
        text += "\r\n";
    }
    return text;
}

bool ExportCsv(QIODevice &device, const CacherBook &book)
{
    const QByteArray text = csvText(book);
    return device.write(text) == text.size();
}

QString csvTooLargeMessage(qint64 size, qint64 limit)
{
    return QStringLiteral("Die Datei ist mit %1 Bytes zu groß für das Adressbuch: es fasst "
                          "höchstens %2 Datensätze zu je höchstens 1.800 Zeichen (%3 Bytes). "
                          "Das Adressbuch bleibt unverändert.")
        .arg(Numbers::formatGrouped(size), Numbers::formatGrouped(CacherBook::MaxPersonen),
             Numbers::formatGrouped(limit));
}

namespace {

QString lineNumbers(const CsvBook &book)
{
    QStringList numbers;
    for (const qsizetype line : book.firstLinesWithExtraFields)
        numbers.append(QString::number(line));
    QString text = numbers.join(QStringLiteral(", "));
    if (book.linesWithExtraFields > book.firstLinesWithExtraFields.size())
        text += QStringLiteral(" und weitere");
    return text;
}

} // namespace

QString csvImportNotes(const CsvBook &book)
{
    QStringList notes;
    if (book.linesWithExtraFields == 1) {
        notes.append(QStringLiteral("1 Zeile hatte mehr als elf Felder (Zeile %1). Übernommen "
                                    "wurden die ersten elf; bitte diesen Datensatz prüfen.")
                         .arg(lineNumbers(book)));
    } else if (book.linesWithExtraFields > 1) {
        notes.append(QStringLiteral("%1 Zeilen hatten mehr als elf Felder (Zeilen %2). "
                                    "Übernommen wurden jeweils die ersten elf; bitte diese "
                                    "Datensätze prüfen.")
                         .arg(book.linesWithExtraFields)
                         .arg(lineNumbers(book)));
    }
    if (book.undecodable == 1) {
        notes.append(QStringLiteral("1 Zeichen konnte nicht gelesen werden und wurde als "
                                    "„?“ übernommen."));
    } else if (book.undecodable > 1) {
        notes.append(QStringLiteral("%1 Zeichen konnten nicht gelesen werden und wurden als "
                                    "„?“ übernommen.")
                         .arg(book.undecodable));
    }
    return notes.join(QStringLiteral("\n\n"));
}

namespace {

// Splits one line into a record; true when the line holds more than eleven fields.
bool personFromLine(QStringView line, TPerson &person, QString &name)
{
    qsizetype start = 0;
    for (int field = 0; field < TPerson::FieldCount; ++field) {
        const qsizetype comma = line.indexOf(u',', start);
        const QStringView value = line.sliced(start, (comma < 0 ? line.size() : comma) - start);
        if (field == 0)
            name = value.toString();
        person.setField(TPerson::Field(field), value);
        if (comma < 0)
            return false;
        start = comma + 1;
    }
    return true; // a comma after the eleventh field
}

qsizetype lineEnd(QStringView text, qsizetype start)
{
    const char16_t *p = text.utf16();
    qsizetype stop = start;
    while (stop < text.size() && p[stop] != u'\r' && p[stop] != u'\n')
        ++stop;
    return stop;
}

// An upper bound of the lines, found fast (in UTF-16 other characters can hold such a byte).
qsizetype lineBreakBytes(QByteArrayView data)
{
    qsizetype count = 0;
    if (data.isEmpty())
        return 0;
    for (const char breakByte : {'\n', '\r'}) {
        const char *p = data.data();
        const char *end = p + data.size();
        while ((p = static_cast<const char *>(memchr(p, breakByte, size_t(end - p)))) != nullptr) {
            ++count;
            ++p;
        }
    }
    return count;
}

void noteExtraFields(CsvBook &book, qsizetype lineNumber)
{
    if (book.firstLinesWithExtraFields.size() < CsvBook::ListedLines)
        book.firstLinesWithExtraFields.append(lineNumber);
    ++book.linesWithExtraFields;
}

} // namespace

CsvBook csvBook(QByteArrayView data)
{
    const DecodedCsv decoded = decodeCsv(data);
    const QStringView text = decoded.text;
    CsvBook book;
    book.undecodable = decoded.undecodable;
    const qsizetype breaks = lineBreakBytes(data);
    book.personen.reserve(size_t(std::min<qsizetype>(breaks + 1, CacherBook::MaxPersonen)));
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype stop = lineEnd(text, start);
        if (book.personen.size() >= size_t(CacherBook::MaxPersonen))
            throw QuarvelError(bookFullMessage());
        QString name;
        book.personen.emplace_back();
        if (personFromLine(text.sliced(start, stop - start), book.personen.back(), name))
            noteExtraFields(book, qsizetype(book.personen.size()));
        book.namen.append(name);
        start = stop;
        if (start < text.size() && text[start] == u'\r') {
            ++start;
            if (start < text.size() && text[start] == u'\n')
                ++start;
        } else if (start < text.size()) {
            ++start; // a lone LF
        }
    }
    return book;
}

CsvBook ImportCsv(QIODevice &device)
{
    const qint64 limit = maxCsvFileSize(device.peek(3));
    if (!device.isSequential() && device.size() - device.pos() > limit)
        throw QuarvelError(csvTooLargeMessage(device.size() - device.pos(), limit));
    constexpr qint64 kBlock = 1 << 20;
    QByteArray data;
    if (!device.isSequential())
        data.reserve(device.size() - device.pos() + kBlock);
    for (;;) {
        const qsizetype before = data.size();
        data.resize(before + kBlock);
        const qint64 got = device.read(data.data() + before, kBlock);
        data.resize(before + std::max<qint64>(got, 0));
        if (got < 0)
            throw QuarvelError(streamReadErrorMessage());
        if (data.size() > limit)
            throw QuarvelError(csvTooLargeMessage(data.size(), limit));
        if (got == 0)
            break;
    }
    // A device that stops delivering before its end has failed.
    if (!device.isSequential() && !device.atEnd())
        throw QuarvelError(streamReadErrorMessage());
    return csvBook(data);
}
