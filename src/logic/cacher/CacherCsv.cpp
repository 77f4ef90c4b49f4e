#include "logic/cacher/CacherCsv.h"

#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherFile.h"
#include "logic/common/CodePage.h"
#include "logic/common/QuarvelError.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>

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

namespace {

struct Mark
{
    QByteArrayView bytes;
    QStringConverter::Encoding encoding;
};
const Mark kMarks[] = {
    {"\xEF\xBB\xBF", QStringConverter::Utf8},
    {"\xFF\xFE", QStringConverter::Utf16LE},
    {"\xFE\xFF", QStringConverter::Utf16BE},
};

bool hasByteOrderMark(const QByteArray &data)
{
    for (const Mark &mark : kMarks) {
        if (data.startsWith(mark.bytes))
            return true;
    }
    return false;
}

QString decodeMarked(const QByteArray &data)
{
    for (const Mark &mark : kMarks) {
        if (data.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, QStringConverter::Flag::Stateless);
            return decoder.decode(QByteArrayView(data).sliced(mark.bytes.size()));
        }
    }
    return {};
}

// `ansi` is the line in Windows-1252, one byte for each character of `line`.
TPerson personFromLine(QStringView line, QByteArrayView ansi, QStringList &namen)
{
    TPerson person;
    qsizetype start = 0;
    for (int field = 0; field < TPerson::FieldCount; ++field) {
        const qsizetype comma = line.indexOf(u',', start);
        const qsizetype length = (comma < 0 ? line.size() : comma) - start;
        if (field == 0)
            namen.append(line.mid(start, length).toString());
        person.setFieldBytes(TPerson::Field(field), ansi.sliced(start, length));
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return person;
}

} // namespace

CsvBook csvBook(const QByteArray &data)
{
    const bool marked = hasByteOrderMark(data);
    const QString text = marked ? decodeMarked(data) : CodePage::fromAnsi(data);
    // The records take Windows-1252 bytes, one for each character of `text`: a file without a
    // mark already is that, a marked one is converted once as a whole.
    const QByteArray ansi = marked ? CodePage::toAnsi(text) : data;
    CsvBook book;
    const auto breaks =
        std::count_if(data.begin(), data.end(), [](char c) { return c == '\n' || c == '\r'; });
    book.personen.reserve(size_t(std::min<qsizetype>(breaks + 1, CacherBook::MaxPersonen)));
    qsizetype start = 0;
    const qsizetype end = text.size();
    while (start < end) {
        qsizetype stop = start;
        while (stop < end && text[stop] != u'\r' && text[stop] != u'\n')
            ++stop;
        if (book.personen.size() >= size_t(CacherBook::MaxPersonen))
            throw QuarvelError(bookFullMessage());
        book.personen.push_back(personFromLine(QStringView(text).mid(start, stop - start),
                                               QByteArrayView(ansi).sliced(start, stop - start),
                                               book.namen));
        start = stop;
        if (start < end && text[start] == u'\r') {
            ++start;
            if (start < end && text[start] == u'\n')
                ++start;
        } else if (start < end) {
            ++start; // a lone LF
        }
    }
    return book;
}

CsvBook ImportCsv(QIODevice &device)
{
    const QByteArray data = device.readAll();
    // readAll stops quietly at a read error; a device that is not at its end has failed.
    if (!device.atEnd() && !device.isSequential())
        throw QuarvelError(streamReadErrorMessage());
    return csvBook(data);
}
