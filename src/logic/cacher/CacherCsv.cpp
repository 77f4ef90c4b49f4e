#include "logic/cacher/CacherCsv.h"

#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

#include <QIODevice>

#include <algorithm>

namespace {

// A field goes out as stored; only one holding a comma, a quote or a line break is quoted
// (RFC 4180), so files without such fields stay as they always were.
void appendField(QByteArray &text, QByteArrayView field)
{
    const auto special = [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; };
    if (std::none_of(field.begin(), field.end(), special)) {
        text += field;
        return;
    }
    text += '"';
    for (const char c : field) {
        if (c == '"')
            text += '"';
        text += c;
    }
    text += '"';
}

} // namespace

QByteArray csvText(const CacherBook &book)
{
    QByteArray text;
    // A typical line; longer ones just grow the buffer.
    text.reserve(qsizetype(book.PersonenAnzahl()) * 64);
    if (book.holdsWideText()) {
        // Windows-1252 would lose characters the book holds: the whole file goes out as UTF-8,
        // marked so that spreadsheets and this program's import read it as such.
        text += "\xEF\xBB\xBF";
        for (int i = 0; i < book.PersonenAnzahl(); ++i) {
            for (int f = 0; f < TPerson::FieldCount; ++f) {
                if (f > 0)
                    text += ',';
                appendField(text, book.text(i, TPerson::Field(f)).toUtf8());
            }
            text += "\r\n";
        }
        return text;
    }
    for (const TPerson &person : book.Personen()) {
        // The stored bytes already are Windows-1252; copying them keeps every byte exact.
        for (int f = 0; f < TPerson::FieldCount; ++f) {
            if (f > 0)
                text += ',';
            appendField(text, person.fieldView(TPerson::Field(f)));
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
