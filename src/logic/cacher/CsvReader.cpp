// Reading the address book's CSV text: the bytes are split into lines and fields first, and
// only each field is decoded, straight into the record's Windows-1252. Quoted fields follow
// RFC 4180: commas, doubled quotes and line breaks inside the quotes belong to the field.
#include "logic/cacher/CacherBook.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/CodePage.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The next comma or line break at or after `p`; `end` when there is none.
const char *nextDelimiter(const char *p, const char *end)
{
#ifdef __SSE2__
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, comma), _mm_cmpeq_epi8(block, cr)),
                         _mm_cmpeq_epi8(block, lf));
        if (const int mask = _mm_movemask_epi8(hit))
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    while (p != end && *p != ',' && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// Thrown inside the reader when UTF-8 read without a mark turns out not to be UTF-8.
struct NotUtf8
{
};

class Reader
{
public:
    Reader(QByteArrayView data, bool utf8, bool strict)
        : m_p(data.data())
        , m_end(data.data() + data.size())
        , m_utf8(utf8)
        , m_strict(strict)
    {
    }

    void read(CsvBook &book)
    {
        m_book = &book;
        qsizetype breaks = countByte('\n');
        if (breaks == 0)
            breaks = countByte('\r');
        book.personen.reserve(size_t(std::min<qsizetype>(breaks + 1, CacherBook::MaxPersonen)));
        while (m_p != m_end) {
            if (book.personen.size() >= size_t(CacherBook::MaxPersonen))
                throw QuarvelError(bookFullMessage());
            TPerson &person = book.personen.emplace_back();
            QString name;
            if (readLine(person, name)) {
                if (book.firstLinesWithExtraFields.size() < CsvBook::ListedLines)
                    book.firstLinesWithExtraFields.append(qsizetype(book.personen.size()));
                ++book.linesWithExtraFields;
            }
            book.namen.append(std::move(name));
            if (m_lineWide) {
                book.wide.resize(book.personen.size());
                book.wide.back() = std::move(m_lineWide);
            }
        }
    }

private:
    // Lines are long: memchr jumps over them faster than a byte-wise count.
    qsizetype countByte(char byte) const
    {
        qsizetype count = 0;
        for (const char *p = m_p; p != m_end; ++p, ++count) {
            p = static_cast<const char *>(memchr(p, byte, size_t(m_end - p)));
            if (!p)
                break;
        }
        return count;
    }

    // One line into `person`; true when it holds more than eleven fields.
    bool readLine(TPerson &person, QString &name)
    {
        for (int field = 0;; ++field) {
            const QByteArrayView value = nextField();
            if (field < TPerson::FieldCount)
                store(person, TPerson::Field(field), value, name);
            else if (m_utf8 && m_strict && undecodableUtf8(value) != 0)
                throw NotUtf8 {}; // a dropped field still decides the encoding
            if (m_p == m_end || *m_p != ',') {
                skipLineBreak();
                return field >= TPerson::FieldCount;
            }
            ++m_p;
        }
    }

    // The field at the current position, unquoted; the position ends at its delimiter.
    QByteArrayView nextField()
    {
        if (m_p == m_end || *m_p != '"') {
            const char *start = m_p;
            m_p = nextDelimiter(m_p, m_end);
            return QByteArrayView(start, m_p - start);
        }
        m_quoted.clear();
        ++m_p;
        for (;;) {
            const auto *quote = static_cast<const char *>(memchr(m_p, '"', size_t(m_end - m_p)));
            if (!quote) { // never closed: the field runs to the end of the text
                m_quoted.append(m_p, m_end - m_p);
                m_p = m_end;
                return m_quoted;
            }
            m_quoted.append(m_p, quote - m_p);
            m_p = quote + 1;
            if (m_p == m_end || *m_p != '"')
                break;
            m_quoted.append('"'); // a doubled quote stands for one
            ++m_p;
        }
        // Text between the closing quote and the delimiter is kept as it stands.
        const char *rest = m_p;
        m_p = nextDelimiter(m_p, m_end);
        m_quoted.append(rest, m_p - rest);
        return m_quoted;
    }

    // At a line break (nextDelimiter stops at nothing else but a comma): CR LF, LF or CR.
    void skipLineBreak()
    {
        if (m_p == m_end)
            return;
        if (*m_p++ == '\r' && m_p != m_end && *m_p == '\n')
            ++m_p;
    }

    void store(TPerson &person, TPerson::Field field, QByteArrayView value, QString &name)
    {
        if (!m_utf8) {
            person.setFieldBytes(field, value);
            if (field == TPerson::Cachername)
                name = CodePage::fromAnsi(value);
            return;
        }
        bool lossy = false;
        if (!utf8ToAnsi(value, m_strict, m_ansi, lossy))
            throw NotUtf8 {};
        person.setFieldBytes(field, m_ansi);
        if (field == TPerson::Cachername)
            name = decodeUtf8(value);
        if (lossy)
            keepWide(person, field, value);
    }

    // The record holds "?" for characters Windows-1252 lacks; the book keeps the text itself.
    void keepWide(const TPerson &person, TPerson::Field field, QByteArrayView value)
    {
        if (!m_lineWide)
            m_lineWide = std::make_shared<WideFields>();
        (*m_lineWide)[field] = wideCut(decodeUtf8(value), person.fieldView(field).size());
    }

    CsvBook *m_book = nullptr;
    std::shared_ptr<WideFields> m_lineWide; // of the line being read
    const char *m_p;
    const char *m_end;
    bool m_utf8;
    bool m_strict;
    QByteArray m_quoted;
    QByteArray m_ansi;
};

CsvBook readText(QByteArrayView data, bool utf8, bool strict)
{
    CsvBook book;
    Reader(data, utf8, strict).read(book);
    return book;
}

} // namespace

CsvBook csvBook(QByteArrayView data)
{
    const CsvEncodingChoice choice = chooseCsvEncodingByMark(data);
    const QByteArrayView text = data.sliced(choice.markSize);
    switch (choice.encoding) {
    case CsvEncoding::Utf8: {
        CsvBook book = readText(text, true, false);
        book.undecodable = undecodableUtf8(text);
        return book;
    }
    case CsvEncoding::Utf16LE:
    case CsvEncoding::Utf16BE: {
        // Rare enough to go through UTF-8, where the same reader splits it.
        const DecodedCsv decoded = decodeCsv(data);
        CsvBook book = readText(decoded.text.toUtf8(), true, false);
        book.undecodable = decoded.undecodable;
        return book;
    }
    case CsvEncoding::Ansi:
        break;
    }
    // Without a mark: UTF-8 when every byte reads as UTF-8 (pure ASCII reads the same either
    // way); the first broken sequence makes it Windows-1252.
    try {
        return readText(text, true, true);
    } catch (const NotUtf8 &) {
        return readText(text, false, false);
    }
}
